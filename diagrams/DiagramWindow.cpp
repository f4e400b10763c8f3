// The shared frame of the diagram windows (see DiagramWindow.h).
#include "DiagramWindow.h"

#include "ImageView.h"

#include <QAction>
#include <QDate>
#include <QFrame>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "DeviceImage.h"
#include "DynamicBarControl.h"
#include "DynamicVariables.h"
#include "Fonts.h"
#include "ModalDialog.h"
#include "Numbers.h"
#include "PictureExport.h"
#include "QtCanvas.h"
#include "ScrollBarKeys.h"
#include "SetReverArm.h"
#include "TextScale.h"
#include "WindowPlacement.h"

namespace tarvell {

namespace {
// Where the dynamic variables' read-outs begin, at the top of every diagram between its own
// texts and the Close button (before text scaling).
constexpr int kReadoutLeft = 235;
constexpr int kReadoutTop = 2;
}  // namespace

DiagramWindow::DiagramWindow(ProgramContext& context, TSetRevArm& positions, const Layout& layout)
    : QDialog(nullptr, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      context_(context),
      positions_(positions),
      layout_(layout),
      image_(deviceImage(layout.client, 1.0)) {
    setObjectName(layout.objectName);
    setModal(true);
    setFont(dialogFont(11));

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    menu_ = new QMenuBar(this);
    menu_->setObjectName("MainMenu1");
    box->setMenuBar(menu_);
    createExportMenu();
    view_ = new ImageView(this, [this]() -> const QImage& { return image_; });
    view_->setObjectName("Client");
    view_->setFixedSize(image_.deviceIndependentSize().toSize());
    view_->mouseMoved = [this](QMouseEvent*) { ClientMouseMove(); };
    view_->setMouseTracking(layout.asksPositions);  // the port events window has no mouse handler
    // The window is as large as its picture, or smaller on a screen too small for it, which
    // then scrolls the picture.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("ClientScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(view_);
    box->addWidget(scroll);
    const QSize whole(layout.client.width(), layout.client.height() + menu_->sizeHint().height());
    setMaximumSize(whole);
    resize(whole);

    closeButton_ = new QPushButton("Close", view_);
    closeButton_->setObjectName(layout.closeName);
    closeButton_->setGeometry(QRect(layout.closePlace, QSize(75, 25)));
    connect(closeButton_, &QPushButton::clicked, this, [this] { CloseClick(); });

    for (int k = 1; k <= 4; ++k) {
        auto* bar = new QScrollBar(Qt::Horizontal, view_);
        bar->setObjectName(QString("%1%2").arg(layout.barPrefix).arg(k));
        bar->setGeometry(112, 3 + 12 * (k - 1), 121, 10);
        bar->setRange(-200, 200);
        bar->setSingleStep(1);
        bar->setPageStep(10);
        bar->setValue(0);
        bar->setFocusPolicy(Qt::StrongFocus);
        steerArrowKeys(bar);  // before the bar control, which watches the same keys
        bar->hide();
        bars_[static_cast<std::size_t>(k)] = bar;
        // After a scroll the focus goes to Close, so the next use takes a new start value.
        auto* control = new DynamicBarControl(context, bar, k, closeButton_);
        connect(control, &DynamicBarControl::dimensionChanged, this, [this] { clearAndDraw(); });
        connect(control, &DynamicBarControl::scrollFinished, this,
                [this] { drawWithoutClearing(); });
        barControls_[static_cast<std::size_t>(k)] = control;
    }

    undoButton_ = new QPushButton("UnDo", view_);
    undoButton_->setObjectName(layout.undoName);
    undoButton_->setGeometry(110, 54, 40, 16);
    undoButton_->setEnabled(false);
    undoButton_->hide();
    context.registerUndoButton(undoButton_);
    connect(undoButton_, &QPushButton::clicked, this, [this] { UnDoButtonClick(); });

    context.registerTitledWindow(this, layout.titleText);
    connect(this, &QDialog::finished, this, [this] { FormClose(); });
}

DiagramWindow::~DiagramWindow() = default;

std::optional<Underlay> DiagramWindow::comparisonUnderlay() const {
    const Model* other = context_.comparison();
    if (!other) return std::nullopt;
    return Underlay{*other, context_.comparisonName().toStdString()};
}

void DiagramWindow::followComparison() {
    connect(&context_, &ProgramContext::comparisonChanged, this, [this] {
        if (isVisible()) clearAndDraw();
    });
}

void DiagramWindow::applyTextScale() {
    // In large-font mode the read-outs grow and stand further apart: the bars and buttons
    // beside them grow with them, and the picture takes the room they need.
    const Model& m = model();
    const double fx = m.TextScaleX, fy = m.TextScaleY;
    const QSize picture(roundToInt(layout_.client.width() * fx),
                        roundToInt(layout_.client.height() * fy));
    if (image_.deviceIndependentSize().toSize() != picture)
        image_ = deviceImage(picture, view_->devicePixelRatioF());
    view_->setFixedSize(picture);
    scaleLayout(view_, fx, fy);
    const QSize whole(picture.width(), picture.height() + menu_->sizeHint().height());
    setMaximumSize(whole.expandedTo(maximumSize()));
    resize(whole);
}

QWidget* DiagramWindow::client() const {
    return view_;
}

// What the window shows, for the names of its exports: the title without the program's name
// ("Sine Diagram"), and a file name made of it ("sine-diagram").
static QString pictureTitle(const QString& titleText) {
    QString t = titleText;
    const QString program = "Admission";
    if (const qsizetype at = t.indexOf(program); at >= 0) t = t.mid(at + program.size());
    return t.simplified();
}

static QString pictureFileName(const QString& title) {
    QString name;
    for (QChar c : title.toLower()) name += c.isLetterOrNumber() ? c : QChar('-');
    while (name.contains("--")) name.replace("--", "-");
    return name.isEmpty() ? QString("diagram") : name;
}

void DiagramWindow::createExportMenu() {
    const QString title = pictureTitle(layout_.titleText);
    exporter_ = std::make_unique<PictureExporter>(
        context_, this,
        PictureExporter::Source{pictureFileName(title), title, [this] { return pictureImage(); },
                                [this] { return image_.deviceIndependentSize().toSize(); },
                                [this](Canvas& c) { drawPicture(c); }});
    // First in the bar, where a desktop keeps its file commands; the window's own commands
    // follow in their order.
    ExportMenu = menu_->addMenu("&Export");
    ExportMenu->setObjectName("ExportMenu");
    SavePng = addMenuItem("SavePng", "Save as P&NG...", ExportMenu);
    SaveSvg = addMenuItem("SaveSvg", "Save as &SVG...", ExportMenu);
    CopyPicture = addMenuItem("CopyPicture", "&Copy Picture", ExportMenu);
    ExportMenu->addSeparator();
    PrintPicture = addMenuItem("PrintPicture", "&Print...", ExportMenu);
    connect(SavePng, &QAction::triggered, this, [this] { exporter_->savePng(); });
    connect(SaveSvg, &QAction::triggered, this, [this] { exporter_->saveSvg(); });
    connect(CopyPicture, &QAction::triggered, this, [this] { exporter_->copyPicture(); });
    connect(PrintPicture, &QAction::triggered, this, [this] { exporter_->print(); });
}

QAction* DiagramWindow::addMenuItem(const char* name, const QString& caption, QMenu* menu) {
    QAction* a = menu ? menu->addAction(caption) : menu_->addAction(caption);
    a->setObjectName(name);
    return a;
}

void DiagramWindow::showModal() {
    setWindowState(layout_.maximised ? Qt::WindowMaximized : Qt::WindowNoState);
    execModal(*this, context_.mainWindow());
}

void DiagramWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    applyTextScale();
    // Where it was left, else beside the main window; wholly on the screen either way.
    if (!isMaximized()) placeWindow(this, context_.mainWindow(), objectName());
    if (!pause_) pause_.emplace(context_);  // at once: no tick comes between window and drawing
    setWindowTitle(context_.titleFor(layout_.titleText));
    closeButton_->setFocus();
    // The activation runs once the window is up, so the positions dialog opens over it.
    activationPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (activationPending_ && isVisible()) FormActivate();
    });
}

void DiagramWindow::FormActivate() {
    activationPending_ = false;
    if (layout_.asksPositions) execModal(positions_, this);
    clearAndDraw();
    closeButton_->setFocus();
}

void DiagramWindow::FormClose() {
    activationPending_ = false;
    rememberWindowPlace(this, objectName());
    pause_.reset();
}

void DiagramWindow::CloseClick() {
    close();
}

void DiagramWindow::ReDrawClick() {
    clearAndDraw();
}

void DiagramWindow::SetRevArmPosClick() {
    execModal(positions_, this);
}

void DiagramWindow::DynamicVariClick() {
    context_.setDynamicVariablesShown(!model().DynamicVariablesShown);
    clearAndDraw();
}

void DiagramWindow::UnDoMenuClick() {
    Model& m = model();
    if (m.UndoEnabled) {
        m.UndoEnabled = false;
        clearAndDraw();
    } else {
        m.UndoEnabled = true;
        drawWithoutClearing();
        drawWithoutClearing();
    }
}

void DiagramWindow::UnDoButtonClick() {
    UndoLastChange(context_);
    clearAndDraw();
}

void DiagramWindow::ClientMouseMove() {
    Model& m = model();
    if (!layout_.asksPositions || !m.PositionsChanged) return;
    clearAndDraw();
    m.PositionsChanged = false;
}

void DiagramWindow::clearAndDraw() {
    draw(true);
}

void DiagramWindow::drawWithoutClearing() {
    draw(false);
}

void DiagramWindow::draw(bool clear) {
    {
        matchDeviceRatio(image_, *view_);
        QtCanvas canvas(image_);
        drawOn(canvas, clear);
        drawReadouts(canvas, true);
    }
    view_->update();
}

void DiagramWindow::drawPicture(Canvas& canvas) {
    drawOn(canvas, true);
    // The read-outs go with the window's bars and UnDo button, which a picture leaves out;
    // in their place it names the data set drawn.
    const Model& m = model();
    drawPictureCaption(canvas, roundToInt(kReadoutLeft * m.TextScaleX),
                       roundToInt(kReadoutTop * m.TextScaleY),
                       pictureCaption(m.DataSetName, QDate::currentDate()));
}

QImage DiagramWindow::pictureImage() {
    // At the window image's resolution; the canvas draws in its logical pixels.
    QImage picture(image_.size(), QImage::Format_RGB32);
    picture.setDevicePixelRatio(image_.devicePixelRatio());
    {
        QtCanvas canvas(picture);
        drawPicture(canvas);
    }
    return picture;
}

void DiagramWindow::drawOn(Canvas& canvas, bool clear) {
    if (clear) canvas.refresh();
    canvas.setPen(colours::black, 1);
    canvas.setBrush(false, colours::white);  // texts fill their cells with the window colour
    canvas.setFont(FontSpec{8, false, colours::black});
    applyDiagramOutcome(model(), drawDiagram(canvas));
}

void DiagramWindow::drawReadouts(Canvas& c, bool live) {
    Model& m = model();
    const double fx = m.TextScaleX, fy = m.TextScaleY;
    const FontSpec before = c.font();
    c.setFont(FontSpec{textPoints(m, before.points), before.bold, before.colour});
    auto text = [&](int x, int y, const std::string& s) {
        c.textOut(roundToInt(x * fx), roundToInt(y * fy), s);
    };
    auto named = [&m](int k) {
        return m.dynamicSlots[static_cast<std::size_t>(k)].name != kEmptySlotName;
    };
    auto showBars = [&](bool shown) {
        if (!live) return;
        for (int k = 1; k <= 4; ++k) {
            bars_[static_cast<std::size_t>(k)]->setVisible(shown);
            if (shown) bars_[static_cast<std::size_t>(k)]->setEnabled(named(k));
        }
    };
    if (m.DynamicVariablesShown) {
        if (named(1)) {
            for (int k = 1; k <= 4; ++k) {
                const DynamicSlot& s = m.dynamicSlots[static_cast<std::size_t>(k)];
                text(kReadoutLeft, kReadoutTop + 12 * (k - 1), s.name);
                text(363, kReadoutTop + 12 * (k - 1), formatFixed(s.value, 6, 3));
            }
        } else {
            const FontSpec plain = c.font();
            FontSpec red = plain;
            red.colour = colours::red;
            c.setFont(red);
            const std::string stars(31, '*');
            text(kReadoutLeft, kReadoutTop, stars);
            text(kReadoutLeft, 12, "* First Select Dimensions *");
            text(kReadoutLeft, 26, stars);
            c.setFont(FontSpec{plain.points, plain.bold, colours::black});
        }
    }
    showBars(m.DynamicVariablesShown);
    if (live) undoButton_->setVisible(m.UndoEnabled);
    if (m.UndoEnabled) {
        text(150, 55, m.undoLine);
        if (!live) {
            c.setFont(before);
            return;  // a picture shows the line as it stands
        }
        RebuildUndoLine(m);
        if (m.DynamicVariablesShown) text(150, 55, m.undoLine);
    }
    c.setFont(before);
}

}  // namespace tarvell
