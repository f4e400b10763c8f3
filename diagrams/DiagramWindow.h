// What the four diagram windows share: a modal window whose client area shows the diagram
// image, a menu, a Close button, four dynamic-variable scroll bars and an UnDo button; the
// main window's timer stopped while it is shown; and the read-outs drawn after every diagram
// (dynamic variables, the "First Select Dimensions" banner, the undo line). Each window adds
// its own menu items and draws its own picture.
#pragma once

#include <QDialog>
#include <QImage>
#include <array>
#include <memory>
#include <optional>

#include "DiagramParts.h"
#include "ProgramContext.h"

class QAction;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollBar;

namespace tarvell {

class Canvas;
class ImageView;
class DynamicBarControl;
class PictureExporter;
class TSetRevArm;

class DiagramWindow : public QDialog {
    Q_OBJECT

  public:
    struct Layout {
        const char* objectName;
        QString titleText;      // the rotation loop adds the data set, date and time
        QSize client;           // the drawing area under the menu
        const char* closeName;  // the Close button
        QPoint closePlace;
        const char* barPrefix;  // the scroll bars are this plus 1-4
        const char* undoName;   // the UnDo button
        bool asksPositions;     // opening shows the reverse arm positions dialog first
        bool maximised;         // the initial window state
    };

    // `positions` is the reverse arm positions dialog the window opens.
    DiagramWindow(ProgramContext& context, TSetRevArm& positions, const Layout& layout);
    ~DiagramWindow() override;

    ProgramContext& context() { return context_; }
    Model& model() { return context_.model(); }

    // The picture as last drawn, and the widget it is painted on.
    const QImage& image() const { return image_; }
    QWidget* client() const;

    // Shows the window modally, as the main window's commands do.
    void showModal();
    // Shown, and the opening (positions dialog, first drawing) still to come.
    bool activationPending() const { return activationPending_; }

    // --- Handlers shared by the four windows ---
    // Opening: the rotation loop pauses, the positions dialog is shown (sine, oval and
    // steam), then the diagram is cleared and drawn.
    void FormActivate();
    void FormClose();
    void CloseClick();
    void ReDrawClick();
    void SetRevArmPosClick();
    void DynamicVariClick();
    void UnDoMenuClick();
    void UnDoButtonClick();
    void ClientMouseMove();
    // Dynamic-variable scroll bar k (1-4): the main window's bar control, the same undo rule.
    DynamicBarControl& bar(int k) { return *barControls_[static_cast<std::size_t>(k)]; }

    // Clears the image to white and draws the diagram and the read-outs; drawing without
    // clearing leaves what is there.
    void clearAndDraw();
    void drawWithoutClearing();

    // --- Exports: the "&Export" menu ---
    QMenu* ExportMenu = nullptr;
    QAction *SavePng = nullptr, *SaveSvg = nullptr, *CopyPicture = nullptr, *PrintPicture = nullptr;
    PictureExporter& exporter() { return *exporter_; }
    // The picture afresh on any canvas of the image's size, for the exports: cleared, the
    // diagram and a caption naming the data set, leaving the window's controls as they are.
    void drawPicture(Canvas& canvas);
    // That picture on an image of the window's (PNG and clipboard).
    QImage pictureImage();

  protected:
    // The diagram's own picture, drawn from a copy of the model; the read-outs follow it.
    virtual DiagramOutcome drawDiagram(Canvas& canvas) = 0;

    // The design the working one is compared with, to draw pale under the diagram; none when
    // no comparison is on. A window that draws it is redrawn as a comparison comes and goes.
    std::optional<Underlay> comparisonUnderlay() const;
    void followComparison();

    // A command in the window's menu bar (or in `menu`).
    QAction* addMenuItem(const char* name, const QString& caption, QMenu* menu = nullptr);
    QMenuBar* menu() const { return menu_; }

    QPushButton* closeButton_ = nullptr;
    std::array<QScrollBar*, 5> bars_{};  // 1-4
    QPushButton* undoButton_ = nullptr;

    void showEvent(QShowEvent* event) override;

  private:
    void draw(bool clear);
    // Places and sizes the controls and the picture for the text scale (large-font mode).
    void applyTextScale();
    void drawOn(Canvas& canvas, bool clear);
    // `live` also shows or hides the bars and the UnDo button and rebuilds the undo line.
    void drawReadouts(Canvas& canvas, bool live);
    void createExportMenu();

    ProgramContext& context_;
    TSetRevArm& positions_;
    Layout layout_;
    QImage image_;
    ImageView* view_ = nullptr;
    QMenuBar* menu_ = nullptr;
    std::array<DynamicBarControl*, 5> barControls_{};  // owned by their scroll bars
    std::optional<RotationPause> pause_;               // while the window is shown
    bool activationPending_ = false;
    std::unique_ptr<PictureExporter> exporter_;
};

}  // namespace tarvell
