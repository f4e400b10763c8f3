// TSetRevArm: the dialog that edits the reverse arm position set the sine, oval and steam
// diagrams plot (up to nine positions, a zero ending the list) and the diagrams' vertical
// scale. Its refresh writes the texts beside the boxes and recounts the positions in use.
// Under the boxes a notch row fills the next entry with the position of a mean cut-off.
#pragma once

#include <QDialog>
#include <QImage>
#include <array>

#include "ProgramContext.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvell {

class NumberField;
class ImageView;

class TSetRevArm : public QDialog {
    Q_OBJECT

  public:
    explicit TSetRevArm(ProgramContext& context);
    ~TSetRevArm() override;

    std::array<NumberField*, 11> Edit{};  // Edit1 ... Edit10 (Edit10 holds the vertical scale)
    QPushButton* Close1 = nullptr;
    // The notch row: a mean cut-off in per cent, its direction, and the button that puts its
    // position in the first empty entry (the last entry when all nine are in use).
    QLineEdit* NotchCutOff = nullptr;
    QComboBox* NotchDirection = nullptr;
    QPushButton* FillNotch = nullptr;
    QLabel* NotchNote = nullptr;  // what was filled, or why not

    // What the dialog shows besides its controls (the texts it draws).
    const QImage& image() const { return image_; }

    // Handlers
    void FormActivate();
    void Close1Click();
    // Esc and the close box: as Close.
    void reject() override;
    void FormClose();
    void EditKeyPress(int box);  // after any key typed into box 1-10
    void EditExit(int box);      // box 1-10 losing the focus

    // The dialog refresh: header, texts, boxes and the recount of PositionCount.
    void Refresh();
    void FillNotchClick();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Model& model() { return context_.model(); }
    void drawPositionText(int k);
    void drawText(int x, int y, const std::string& text);  // x and y scaled
    int boxIndex(QObject* object) const;
    // Fills box k with a value and remembers the text, so leaving it unedited stores nothing.
    void fillBox(int k, float value);

    ProgramContext& context_;
    QImage image_;
    ImageView* view_ = nullptr;
    std::array<QString, 11> filledText_;  // what the last refresh wrote into each box
};

}  // namespace tarvell
