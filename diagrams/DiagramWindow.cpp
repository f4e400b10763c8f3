// The shared frame of the diagram windows (see DiagramWindow.h).
#include "DiagramWindow.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "Fonts.h"
#include "MainForm.h"
#include "Numbers.h"
#include "PictureExport.h"
#include "QtCanvas.h"
#include "SetReverArm.h"

namespace tarvell {

// The client area: paints the diagram image under the controls and reports mouse moves.
class DiagramView : public QWidget {
  public:
    DiagramView(DiagramWindow& window, const QImage& image)
        : QWidget(&window), window_(window), image_(image) {
        setObjectName("Client");
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFixedSize(image.size());
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        p.drawImage(event->rect().topLeft(), image_, event->rect());
    }
    void mouseMoveEvent(QMouseEvent*) override { window_.ClientMouseMove(); }

  private:
    DiagramWindow& window_;
    const QImage& image_;
};

DiagramWindow::DiagramWindow(Program& program, const Layout& layout)
    : QDialog(nullptr, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      program_(program),
      layout_(layout),
      image_(layout.client, QImage::Format_RGB32) {
    setObjectName(layout.objectName);
    setModal(true);
    setFont(dialogFont(11));
    image_.fill(Qt::white);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    menu_ = new QMenuBar(this);
    menu_->setObjectName("MainMenu1");
    box->setMenuBar(menu_);
    createExportMenu();
    view_ = new DiagramView(*this, image_);
    box->addWidget(view_);
    view_->setMouseTracking(layout.asksPositions);  // the port events window has no mouse handler
    box->setSizeConstraint(QLayout::SetFixedSize);

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
        bar->hide();
        bar->installEventFilter(this);
        connect(bar, &QScrollBar::valueChanged, this, [this, k] { BarChange(k); });
        bars_[static_cast<std::size_t>(k)] = bar;
    }

    undoButton_ = new QPushButton("UnDo", view_);
    undoButton_->setObjectName(layout.undoName);
    undoButton_->setGeometry(110, 54, 40, 16);
    undoButton_->setEnabled(false);
    undoButton_->hide();
    program.registerUndoButton(undoButton_);
    connect(undoButton_, &QPushButton::clicked, this, [this] { UnDoButtonClick(); });

    program.registerTitledWindow(this, layout.titleText);
    connect(this, &QDialog::finished, this, [this] { FormClose(); });
    move(0, 10);
}

DiagramWindow::~DiagramWindow() = default;

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
        program_, this,
        PictureExporter::Source{pictureFileName(title), title, [this] { return image_; },
                                [this] { return image_.size(); },
                                [this](Canvas& c) { drawPicture(c); }});
    // First in the bar, where a desktop keeps its file commands; the window's own commands
    // follow in their order.
    ExportMenu = menu_->addMenu("&Export");
    ExportMenu->setObjectName("ExportMenu");
    SavePng = addMenuItem("SavePng", "Save as &PNG...", ExportMenu);
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
    exec();
}

void DiagramWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (TMainForm* main = program_.mainForm) {
        main->Timer1->stop();  // at once: no tick comes between the window and its drawing
        setWindowTitle(main->titleFor(layout_.titleText));
    }
    closeButton_->setFocus();
    // The activation runs once the window is up, so the positions dialog opens over it.
    activationPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (activationPending_ && isVisible()) FormActivate();
    });
}

void DiagramWindow::FormActivate() {
    activationPending_ = false;
    if (TMainForm* main = program_.mainForm) main->Timer1->stop();
    if (layout_.asksPositions && program_.setRevArm) program_.setRevArm->exec();
    clearAndDraw();
    closeButton_->setFocus();
}

void DiagramWindow::FormClose() {
    activationPending_ = false;
    TMainForm* main = program_.mainForm;
    if (main && program_.options().startTimer) main->Timer1->start();
}

void DiagramWindow::CloseClick() {
    close();
}

void DiagramWindow::ReDrawClick() {
    clearAndDraw();
}

void DiagramWindow::SetRevArmPosClick() {
    if (program_.setRevArm) program_.setRevArm->exec();
}

void DiagramWindow::DynamicVariClick() {
    Model& m = model();
    m.DynamicVariablesShown = !m.DynamicVariablesShown;
    auto matchMainWindow = [this, &m] {
        TMainForm* main = program_.mainForm;
        if (!main) return;
        for (int k = 1; k <= 4; ++k)
            main->SBDynVar[static_cast<std::size_t>(k)]->setVisible(m.DynamicVariablesShown);
        for (int n : {7, 8, 9})
            main->Panel[static_cast<std::size_t>(n)]->setVisible(m.DynamicVariablesShown);
    };
    // The port events window sets the main window's bars first; the others after drawing.
    if (!layout_.asksPositions) matchMainWindow();
    clearAndDraw();
    if (layout_.asksPositions) matchMainWindow();
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
    Model& m = model();
    if (m.undo[1].code <= 0) {
        if (TMainForm* main = program_.mainForm) main->UnDoDn->setEnabled(false);
        undoButton_->setEnabled(false);
    } else if (!PopUndo(m)) {
        program_.setUndoButtonsEnabled(false);
    }
    clearAndDraw();
}

void DiagramWindow::ClientMouseMove() {
    Model& m = model();
    if (!layout_.asksPositions || !m.PositionsChanged) return;
    clearAndDraw();
    m.PositionsChanged = false;
}

void DiagramWindow::BarChange(int k) {
    QScrollBar* bar = bars_[static_cast<std::size_t>(k)];
    DynamicBarChange(model(), barHistory_[static_cast<std::size_t>(k)], k, bar->value());
    bar->setValue(0);  // back to the middle; that change comes here once more and does nothing
    clearAndDraw();
}

void DiagramWindow::BarEnter(int k) {
    barHistory_[static_cast<std::size_t>(k)].startValue =
        model().dynamicSlots[static_cast<std::size_t>(k)].value;
}

void DiagramWindow::BarEndScroll(int k) {
    if (TMainForm* main = program_.mainForm) main->UnDoDn->setEnabled(true);
    if (RecordScrollUndo(model(), barHistory_[static_cast<std::size_t>(k)], k))
        program_.setUndoButtonsEnabled(true);
    closeButton_->setFocus();  // the next use of the bar takes a new start value
    drawWithoutClearing();
}

int DiagramWindow::barIndex(QObject* object) const {
    for (int k = 1; k <= 4; ++k)
        if (bars_[static_cast<std::size_t>(k)] == object) return k;
    return 0;
}

bool DiagramWindow::eventFilter(QObject* watched, QEvent* event) {
    if (const int k = barIndex(watched)) {
        switch (event->type()) {
            case QEvent::FocusIn:
                BarEnter(k);
                break;
            case QEvent::MouseButtonRelease:
                BarEndScroll(k);
                break;
            case QEvent::KeyRelease: {
                const auto* key = static_cast<QKeyEvent*>(event);
                const int code = key->key();
                if (!key->isAutoRepeat() &&
                    (code == Qt::Key_Left || code == Qt::Key_Right || code == Qt::Key_Up ||
                     code == Qt::Key_Down || code == Qt::Key_PageUp || code == Qt::Key_PageDown ||
                     code == Qt::Key_Home || code == Qt::Key_End))
                    BarEndScroll(k);
                break;
            }
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DiagramWindow::clearAndDraw() {
    draw(true);
}

void DiagramWindow::drawWithoutClearing() {
    draw(false);
}

void DiagramWindow::draw(bool clear) {
    {
        QtCanvas canvas(image_);
        drawOn(canvas, clear);
        drawReadouts(canvas, true);
    }
    view_->update();
}

void DiagramWindow::drawPicture(Canvas& canvas) {
    drawOn(canvas, true);
    drawReadouts(canvas, false);
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
                text(235, 2 + 12 * (k - 1), s.name);
                text(363, 2 + 12 * (k - 1), formatFixed(s.value, 6, 3));
            }
        } else {
            const FontSpec plain = c.font();
            FontSpec red = plain;
            red.colour = colours::red;
            c.setFont(red);
            const std::string stars(31, '*');
            text(235, 2, stars);
            text(235, 12, "* First Select Dimensions *");
            text(235, 26, stars);
            c.setFont(FontSpec{plain.points, plain.bold, colours::black});
        }
    }
    showBars(m.DynamicVariablesShown);
    if (live) undoButton_->setVisible(m.UndoEnabled);
    if (m.UndoEnabled) {
        text(150, 55, m.undoLine);
        if (!live) return;  // a picture shows the line as it stands
        RebuildUndoLine(m);
        if (m.DynamicVariablesShown) text(150, 55, m.undoLine);
    }
}

}  // namespace tarvell
