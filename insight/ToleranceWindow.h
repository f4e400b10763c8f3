// TTolerance: what the valve events become when the parts are made to a tolerance and the
// pins have worn. The user sets the tolerances, the wear, the samples and the seed; Run works
// the study out on every core on copies of the design (the live design is never touched)
// while a bar shows the samples done, and Cancel stops it. Histograms of each end's cut-off
// and of the difference at the chosen position are drawn through the program's canvas and
// export as PNG or SVG; the table of every event's spread, and CSV export, go with them.
#pragma once

#include <QDialog>
#include <QImage>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>

#include "ProgramContext.h"
#include "Tolerance.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace tarvell {

class Canvas;
class ImageView;
class NumberField;
class PictureExporter;

class TTolerance : public QDialog {
    Q_OBJECT

  public:
    explicit TTolerance(ProgramContext& context);
    ~TTolerance() override;

    NumberField *LengthTolerance = nullptr, *AngleTolerance = nullptr, *Wear = nullptr;
    QSpinBox *Samples = nullptr, *Seed = nullptr;
    QComboBox* PositionChoice = nullptr;  // which position the histograms show
    QPushButton *RunButton = nullptr, *CancelRun = nullptr, *SavePng = nullptr, *SaveSvg = nullptr,
                *SaveCsv = nullptr, *CloseButton = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* Summary = nullptr;
    ImageView* Histograms = nullptr;
    QTableWidget* SpreadGrid = nullptr;

    void showModal();
    // The settings the fields give.
    ToleranceSettings settings() const;
    void RunClick();
    void CancelRunClick();
    void SaveCsvClick();
    bool running() const { return worker_ != nullptr; }
    const std::optional<ToleranceStudy>& study() const { return study_; }
    // The histograms as drawn for the window (and the PNG export).
    const QImage& picture();

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int r) override;

  private:
    void poll();
    void finish();
    void showStudy();
    void drawPicture(Canvas& canvas, QSize size) const;
    void setRunning(bool running);

    ProgramContext& context_;
    std::optional<RotationPause> pause_;
    std::unique_ptr<std::thread> worker_;
    std::atomic<bool> cancel_{false}, finished_{false};
    std::atomic<int> done_{0};
    ToleranceStudy pending_;  // written by the worker, read once it has finished
    std::optional<ToleranceStudy> study_;
    QTimer* timer_ = nullptr;
    QImage image_;
    PictureExporter* exporter_ = nullptr;
};

}  // namespace tarvell
