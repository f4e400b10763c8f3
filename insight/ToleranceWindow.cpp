// The Tolerance window (see ToleranceWindow.h).
#include "ToleranceWindow.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "Fonts.h"
#include "HistogramDrawing.h"
#include "ImageView.h"
#include "ModalDialog.h"
#include "NumberField.h"
#include "PictureExport.h"
#include "QtCanvas.h"
#include "SaveText.h"
#include "WindowPlacement.h"

namespace tarvell {
namespace {

const QString kTitleText = "Tarvell Outside Admission      Tolerance    ";
constexpr int kPollMilliseconds = 50;
// The least the histograms take, so that the window fits a small screen at a large size.
constexpr int kLeastPictureHeight = 140;

QString figure(double v, int decimals) {
    return std::isfinite(v) ? QString::number(v, 'f', decimals) : QString("-");
}

}  // namespace

TTolerance::TTolerance(ProgramContext& context) : QDialog(nullptr), context_(context) {
    setObjectName("TTolerance");
    setModal(true);
    setFont(dialogFont(11));

    LengthTolerance = new NumberField(this, false);
    LengthTolerance->setObjectName("LengthTolerance");
    LengthTolerance->setValue(0.002f, 4);
    AngleTolerance = new NumberField(this, false);
    AngleTolerance->setObjectName("AngleTolerance");
    AngleTolerance->setValue(0.05f, 3);
    Wear = new NumberField(this, false);
    Wear->setObjectName("Wear");
    Wear->setValue(0.0f, 4);
    Samples = new QSpinBox(this);
    Samples->setObjectName("Samples");
    Samples->setRange(10, 100000);
    Samples->setSingleStep(500);
    Samples->setValue(2000);
    Seed = new QSpinBox(this);
    Seed->setObjectName("Seed");
    Seed->setRange(0, 999999);
    Seed->setValue(1);
    PositionChoice = new QComboBox(this);
    PositionChoice->setObjectName("PositionChoice");
    PositionChoice->addItems({"Normal fwd", "Normal rev"});

    auto* form = new QFormLayout;
    form->addRow("Length &tolerance \u00b1", LengthTolerance);
    form->addRow("&Angle tolerance \u00b1 deg", AngleTolerance);
    form->addRow("Pin &wear (clearance)", Wear);
    auto* form2 = new QFormLayout;
    form2->addRow("&Samples", Samples);
    form2->addRow("S&eed", Seed);
    form2->addRow("&Histograms at", PositionChoice);

    RunButton = new QPushButton("&Run", this);
    RunButton->setObjectName("RunButton");
    CancelRun = new QPushButton("&Cancel", this);
    CancelRun->setObjectName("CancelRun");
    CancelRun->setEnabled(false);
    Progress = new QProgressBar(this);
    Progress->setObjectName("Progress");
    Summary = new QLabel(this);
    Summary->setObjectName("Summary");
    Summary->setWordWrap(true);

    Histograms = new ImageView(this, [this]() -> const QImage& { return picture(); });
    Histograms->setObjectName("Histograms");
    Histograms->setMinimumHeight(kLeastPictureHeight);
    Histograms->resized = [this] {
        image_ = QImage();
        Histograms->update();
    };

    SpreadGrid = new QTableWidget(this);
    SpreadGrid->setObjectName("SpreadGrid");
    SpreadGrid->setColumnCount(9);
    SpreadGrid->setHorizontalHeaderLabels(
        {"At", "Event", "End", "Nominal", "Min", "5 %", "Median", "95 %", "Max"});
    SpreadGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SpreadGrid->verticalHeader()->hide();
    SpreadGrid->verticalHeader()->setDefaultSectionSize(SpreadGrid->fontMetrics().height() + 4);

    SavePng = new QPushButton("Save &PNG...", this);
    SavePng->setObjectName("SavePng");
    SaveSvg = new QPushButton("Save S&VG...", this);
    SaveSvg->setObjectName("SaveSvg");
    SaveCsv = new QPushButton("Save CS&V...", this);
    SaveCsv->setObjectName("SaveCsv");
    CloseButton = new QPushButton("C&lose", this);
    CloseButton->setObjectName("CloseButton");

    auto* settingsRow = new QHBoxLayout;
    settingsRow->addLayout(form);
    settingsRow->addSpacing(16);
    settingsRow->addLayout(form2);
    settingsRow->addStretch(1);
    auto* runRow = new QHBoxLayout;
    runRow->addWidget(RunButton);
    runRow->addWidget(CancelRun);
    runRow->addWidget(Progress, 1);
    auto* endRow = new QHBoxLayout;
    endRow->addWidget(SavePng);
    endRow->addWidget(SaveSvg);
    endRow->addWidget(SaveCsv);
    endRow->addStretch(1);
    endRow->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(settingsRow);
    layout->addLayout(runRow);
    layout->addWidget(Summary);
    layout->addWidget(Histograms, 2);
    layout->addWidget(SpreadGrid, 3);
    layout->addLayout(endRow);
    resize(760, 640);

    exporter_ =
        new PictureExporter(context, this,
                            {"Tolerance histograms", "Tolerance histograms",
                             [this] { return picture(); }, [this] { return Histograms->size(); },
                             [this](Canvas& canvas) { drawPicture(canvas, Histograms->size()); }});

    timer_ = new QTimer(this);
    timer_->setInterval(kPollMilliseconds);
    connect(timer_, &QTimer::timeout, this, [this] { poll(); });
    connect(RunButton, &QPushButton::clicked, this, [this] { RunClick(); });
    connect(CancelRun, &QPushButton::clicked, this, [this] { CancelRunClick(); });
    connect(SavePng, &QPushButton::clicked, this, [this] { exporter_->savePng(); });
    connect(SaveSvg, &QPushButton::clicked, this, [this] { exporter_->saveSvg(); });
    connect(SaveCsv, &QPushButton::clicked, this, [this] { SaveCsvClick(); });
    connect(CloseButton, &QPushButton::clicked, this, [this] { reject(); });
    connect(PositionChoice, &QComboBox::currentIndexChanged, this, [this] {
        image_ = QImage();
        Histograms->update();
    });
    setRunning(false);
    context.registerTitledWindow(this, kTitleText);
}

TTolerance::~TTolerance() {
    cancel_.store(true);
    if (worker_) worker_->join();
    delete exporter_;
}

void TTolerance::showModal() {
    execModal(*this, context_.mainWindow());
}

void TTolerance::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (!pause_) pause_.emplace(context_);
    setWindowTitle(context_.titleFor(kTitleText));
    placeWindow(this, context_.mainWindow(), objectName());
}

void TTolerance::done(int r) {
    // Closing stops a study under way.
    CancelRunClick();
    if (worker_) {
        worker_->join();
        worker_.reset();
        timer_->stop();
        setRunning(false);
    }
    rememberWindowPlace(this, objectName());
    pause_.reset();
    QDialog::done(r);
}

ToleranceSettings TTolerance::settings() const {
    ToleranceSettings s;
    s.lengthTolerance = std::max(0.0, static_cast<double>(LengthTolerance->value()));
    s.angleTolerance = std::max(0.0, static_cast<double>(AngleTolerance->value()));
    s.wear = std::max(0.0, static_cast<double>(Wear->value()));
    s.samples = Samples->value();
    s.seed = static_cast<std::uint64_t>(Seed->value());
    return s;
}

void TTolerance::RunClick() {
    if (running()) return;
    cancel_.store(false);
    finished_.store(false);
    done_.store(0);
    const ToleranceSettings s = settings();
    Progress->setRange(0, s.samples);
    Progress->setValue(0);
    Summary->setText("Running...");
    setRunning(true);
    // The study gets its own copy of the design: the live one is never touched.
    worker_ = std::make_unique<std::thread>([this, s, design = context_.model()] {
        pending_ = toleranceStudy(
            design, s, [this](int done) { done_.store(done); }, &cancel_);
        finished_.store(true);
    });
    timer_->start();
}

void TTolerance::CancelRunClick() {
    if (running()) cancel_.store(true);
}

void TTolerance::poll() {
    Progress->setValue(done_.load());
    if (finished_.load()) finish();
}

void TTolerance::finish() {
    timer_->stop();
    worker_->join();
    worker_.reset();
    setRunning(false);
    if (pending_.cancelled) {
        Summary->setText(QString("Cancelled after %1 samples; the figures are as they were.")
                             .arg(pending_.samples));
        return;
    }
    study_ = std::move(pending_);
    showStudy();
}

void TTolerance::showStudy() {
    const ToleranceStudy& s = *study_;
    QString text = QString("%1 samples").arg(s.samples);
    if (s.failedSamples > 0)
        text += QString("; %1 could not be solved at a compared position and are left out")
                    .arg(s.failedSamples);
    if (s.samplesMissingEvents > 0)
        text += QString("; %1 lacked an event (left out of that event only)")
                    .arg(s.samplesMissingEvents);
    if (!s.contributions.empty()) {
        text += ". Most of the spread of the normal fwd cut-off difference comes from: ";
        for (std::size_t i = 0; i < s.contributions.size() && i < 3; ++i) {
            const DimensionInfo* d = findDimension(s.contributions[i].code);
            if (i > 0) text += ", ";
            text += QString("%1 (%2 %)")
                        .arg(d ? QString::fromUtf8(d->caption.data(),
                                                   static_cast<qsizetype>(d->caption.size()))
                               : QString::number(s.contributions[i].code))
                        .arg(s.contributions[i].sharePercent, 0, 'f', 0);
        }
    }
    Summary->setText(text);

    SpreadGrid->setRowCount(static_cast<int>(s.rows.size()));
    for (std::size_t i = 0; i < s.rows.size(); ++i) {
        const SpreadRow& row = s.rows[i];
        const int decimals = row.quantity == EventQuantity::Lead ? 4 : 2;
        const QString at = row.position < 2
                               ? PositionChoice->itemText(static_cast<int>(row.position))
                               : QString::number(s.resolved[row.position]);
        const QStringList cells = {at,
                                   QString::fromUtf8(eventQuantityName(row.quantity).data()),
                                   spreadEndName(row.end),
                                   figure(row.spread.nominal, decimals),
                                   figure(row.spread.min, decimals),
                                   figure(row.spread.p05, decimals),
                                   figure(row.spread.median, decimals),
                                   figure(row.spread.p95, decimals),
                                   figure(row.spread.max, decimals)};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment((c < 3 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            SpreadGrid->setItem(static_cast<int>(i), c, item);
        }
    }
    SpreadGrid->resizeColumnsToContents();
    image_ = QImage();
    Histograms->update();
    setRunning(false);
}

void TTolerance::drawPicture(Canvas& canvas, QSize size) const {
    std::vector<HistogramPanel> panels;
    if (study_) {
        const std::size_t position =
            static_cast<std::size_t>(std::max(0, PositionChoice->currentIndex()));
        for (const SpreadRow& row : study_->rows) {
            if (row.position != position || row.quantity != EventQuantity::CutOff) continue;
            const char* title = row.end == SpreadEnd::Front  ? "Front cut-off %"
                                : row.end == SpreadEnd::Rear ? "Rear cut-off %"
                                                             : "Cut-off F - R %";
            panels.push_back({title, row.values, row.spread.nominal});
        }
    }
    drawHistograms(canvas, size.width(), size.height(), panels);
}

const QImage& TTolerance::picture() {
    const QSize size = Histograms->size().expandedTo(QSize(1, 1));
    if (image_.size() != size) {
        image_ = QImage(size, QImage::Format_RGB32);
        QtCanvas canvas(image_);
        drawPicture(canvas, size);
    }
    return image_;
}

void TTolerance::SaveCsvClick() {
    if (!study_) return;
    saveExport(context_, this, "Save Tolerance Study", "Tolerance study", "CSV File (*.csv)", "csv",
               QByteArray::fromStdString(toleranceCsv(*study_)));
}

void TTolerance::setRunning(bool running) {
    RunButton->setEnabled(!running);
    CancelRun->setEnabled(running);
    for (QWidget* w :
         {static_cast<QWidget*>(LengthTolerance), static_cast<QWidget*>(AngleTolerance),
          static_cast<QWidget*>(Wear), static_cast<QWidget*>(Samples), static_cast<QWidget*>(Seed)})
        w->setEnabled(!running);
    const bool have = study_.has_value() && !running;
    SavePng->setEnabled(have);
    SaveSvg->setEnabled(have);
    SaveCsv->setEnabled(have);
}

}  // namespace tarvell
