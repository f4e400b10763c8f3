// The valve events window (see ValveEventsWindow.h).
#include "ValveEventsWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "EventsComparisonView.h"
#include "Fonts.h"
#include "IndicatorSettingsDialog.h"
#include "KeyColumnsTable.h"
#include "ModalDialog.h"
#include "NotchEventsPanel.h"
#include "ReadOnlyTable.h"
#include "SaveText.h"
#include "WindowPlacement.h"

namespace tarvell {
namespace {

const QString kTitleText = "Tarvell Outside Admission      Valve Events    ";
constexpr const char* kMissing = "-";
// The text of an exhaust passage narrower than the steam port.
const QColor kChokedColour(190, 0, 0);

// The file name offered for saving: the data set's name, kept to characters every desktop's
// file system takes.
QString suggestedFileName(const std::string& dataSetName) {
    QString name = QString::fromStdString(dataSetName).trimmed();
    for (QChar& c : name)
        if (!(c.isLetterOrNumber() || c == ' ' || c == '-' || c == '_' || c == '.')) c = '_';
    if (name.isEmpty()) name = "Tarvell";
    return name + " valve events.csv";
}

}  // namespace

TValveEvents::TValveEvents(ProgramContext& context) : QDialog(nullptr), context_(context) {
    setObjectName("TValveEvents");
    setModal(true);
    setFont(dialogFont(11));

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName("MainMenu1");
    auto itemIn = [](auto* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        return a;
    };
    auto item = [&](const char* name, const QString& caption) {
        return itemIn(MainMenu1, name, caption);
    };
    ReDraw = item("ReDraw", "&ReDraw");
    CopyTable = item("CopyTable", "&Copy");
    SaveCsv = item("SaveCsv", "&Save CSV...");
    IndicatorSettings = item("IndicatorSettings", "&Indicator Settings...");
    QMenu* compare = MainMenu1->addMenu("Com&pare");
    compare->setObjectName("CompareMenu");
    CompareWithFile = itemIn(compare, "CompareWithFile", "With &Another Design...");
    CompareWithSaved = itemIn(compare, "CompareWithSaved", "With the Design as &Last Saved");
    StopComparing = itemIn(compare, "StopComparing", "&Stop Comparing");
    connect(CompareWithFile, &QAction::triggered, this,
            [this] { emit compareWithFileRequested(); });
    connect(CompareWithSaved, &QAction::triggered, this,
            [this] { emit compareWithSavedRequested(); });
    connect(StopComparing, &QAction::triggered, this, [this] { context_.stopComparing(); });
    connect(&context_, &ProgramContext::comparisonChanged, this, [this] {
        if (!isVisible()) return;
        FormActivate();  // both designs' figures as they stand now
        growForComparison();
    });
    CloseEvents = item("CloseEvents", "C&lose");
    IndicatorSettingsDialog = new TIndicatorSettings(context, this);
    connect(ReDraw, &QAction::triggered, this, [this] { ReDrawClick(); });
    connect(CopyTable, &QAction::triggered, this, [this] { CopyClick(); });
    connect(SaveCsv, &QAction::triggered, this, [this] { SaveCsvClick(); });
    connect(IndicatorSettings, &QAction::triggered, this, [this] { IndicatorSettingsClick(); });
    connect(CloseEvents, &QAction::triggered, this, [this] { CloseClick(); });

    EventsGrid = new KeyColumnsTable(this);
    EventsGrid->setObjectName("EventsGrid");
    makeReadOnlyTable(EventsGrid);
    EventsGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    MidGearGrid = new QTableWidget(this);
    MidGearGrid->setObjectName("MidGearGrid");
    makeReadOnlyTable(MidGearGrid);
    MidGearGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MidGearGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    Footnote = new QLabel(this);
    Footnote->setObjectName("Footnote");
    Footnote->setWordWrap(true);
    Footnote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Footnote->setText(
        "Admit deg: crank degrees before that end's dead centre at which the port takes "
        "steam (negative: after it). Lead at DC: the steam opening at the dead centre "
        "(negative: still lapped). Port open: the greatest opening of the port, at most its "
        "width (Open % port: as a share of it); Over-travel: how far the valve's edge runs on "
        "past the port's far edge. Cut-off and release: per cent of the stroke done; "
        "compression: per cent of the return stroke done. Exh port: the greatest opening of the "
        "port to exhaust, at most its width; Exh passage: the narrowest way out for the exhaust, "
        "where the valve runs furthest toward it (red: narrower than the steam port, so the "
        "exhaust is choked). F - R: front less rear. MEP: the mean "
        "effective pressure of that end's idealised indicator card, in the unit of the "
        "indicator settings (Indicator Settings); MEP F - R: the front less the rear MEP in per "
        "cent of their mean.\n"
        "\"-\": the event does not occur; the Note says why. Fwd and Cen positions run the "
        "driver forward, Rev positions backward.\n"
        "Mid gear: exhaust clearance above 0 is an opening to exhaust with the valve central, "
        "below 0 an exhaust lap. Max steam opening: the greatest over a turn at mid gear, "
        "which the sine diagram's lap table shows as \"Lead\"; the Cen row gives the lead at "
        "dead centre.");

    auto* below = new QHBoxLayout;
    below_ = below;
    below->setContentsMargins(6, 6, 6, 6);
    below->setSpacing(12);
    below->addWidget(MidGearGrid, 0, Qt::AlignTop);
    below->addWidget(Footnote, 1);
    eventsPage_ = new QWidget(this);
    auto* events = new QVBoxLayout(eventsPage_);
    events->setContentsMargins(0, 0, 0, 0);
    events->setSpacing(0);
    events->addWidget(EventsGrid, 1);
    events->addLayout(below);
    NotchPanel = new NotchEventsPanel(context, eventsPage_);
    events->addWidget(NotchPanel, 3);  // most of the room to spare: its table is the longer
    Comparison = new EventsComparisonView(this);
    Comparison->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(eventsPage_, 1);
    layout->addWidget(Comparison, 1);
    resize(900, 480);

    context.registerTitledWindow(this, kTitleText);
    connect(this, &QDialog::finished, this, [this] { FormClose(); });
}

void TValveEvents::showModal() {
    execModal(*this, context_.mainWindow());
}

void TValveEvents::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;  // only restored from a minimised state
    // The table is worked out for the gear as it stands: the driver waits while it is read.
    if (!pause_) pause_.emplace(context_);
    setWindowTitle(context_.titleFor(kTitleText));
    FormActivate();
    placeWindow(this, context_.mainWindow(), objectName());
    growForComparison();
    EventsGrid->horizontalScrollBar()->setValue(0);  // each opening starts at the front end
}

void TValveEvents::FormActivate() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    table_ = buildValveEventsTable(context_.model());
    applySolverFindings(context_.model(), table_.findings);
    QApplication::restoreOverrideCursor();
    fillEvents();
    fillMidGear();
    showComparison();
    NotchPanel->refresh();
    if (!sized_) {
        fitToTable();
        sized_ = true;
    }
}

void TValveEvents::fillEvents() {
    const std::vector<EventsColumn>& columns = valveEventsColumns();
    const int count = static_cast<int>(columns.size());
    EventsGrid->clear();
    EventsGrid->setColumnCount(count);
    EventsGrid->setRowCount(static_cast<int>(table_.rows.size()));
    // A column of one end's figures is named after it.
    auto tintOf = [&](int c) {
        const std::string_view name = columns[static_cast<std::size_t>(c)].name;
        if (name.starts_with("Front ")) return kFrontTint;
        if (name.starts_with("Rear ")) return kRearTint;
        return QColor();
    };
    for (int c = 0; c < count; ++c) {
        const EventsColumn& col = columns[static_cast<std::size_t>(c)];
        auto* head = new QTableWidgetItem(
            QString::fromUtf8(col.heading.data(), static_cast<qsizetype>(col.heading.size())));
        head->setToolTip(
            QString::fromUtf8(col.name.data(), static_cast<qsizetype>(col.name.size())));
        EventsGrid->setHorizontalHeaderItem(c, head);
    }
    // An exhaust passage narrower than the steam port chokes the exhaust: shown in red.
    auto chokedAt = [&](const EventsTableRow& row, int c) -> const ExhaustCheck* {
        const std::string_view name = columns[static_cast<std::size_t>(c)].name;
        if (!name.ends_with("least exhaust passage")) return nullptr;
        const ExhaustCheck& e = name.starts_with("Front") ? row.exhaust.front : row.exhaust.rear;
        return e.belowSteamPort ? &e : nullptr;
    };
    for (std::size_t r = 0; r < table_.rows.size(); ++r) {
        const EventsTableRow& row = table_.rows[r];
        const std::vector<std::string> cells = valveEventsRowCells(table_, row, kMissing);
        for (int c = 0; c < count && c < static_cast<int>(cells.size()); ++c) {
            const QString text = QString::fromStdString(cells[static_cast<std::size_t>(c)]);
            const bool words = c == 0 || c == 2 || c == count - 1;
            const Qt::Alignment align =
                words ? Qt::AlignLeft : (text == kMissing ? Qt::AlignHCenter : Qt::AlignRight);
            QTableWidgetItem* item = readOnlyCell(text, align, tintOf(c));
            if (const ExhaustCheck* choked = chokedAt(row, c)) {
                item->setForeground(kChokedColour);
                item->setToolTip(QStringLiteral("Narrower than the steam port (%1): the exhaust "
                                                "is choked at full opening")
                                     .arg(choked->steamPortWidth, 0, 'f', 3));
            }
            EventsGrid->setItem(static_cast<int>(r), c, item);
        }
    }
    EventsGrid->resizeColumnsToContents();
    EventsGrid->resizeRowsToContents();
    EventsGrid->setKeyColumns(kEventsKeyColumns);
}

void TValveEvents::fillMidGear() {
    const auto rows = midGearCells(table_.midGear);
    MidGearGrid->clear();
    MidGearGrid->setColumnCount(3);
    MidGearGrid->setRowCount(static_cast<int>(rows.size()) - 1);
    for (int c = 0; c < 3; ++c)
        MidGearGrid->setHorizontalHeaderItem(
            c, new QTableWidgetItem(QString::fromStdString(rows[0][static_cast<std::size_t>(c)])));
    for (std::size_t r = 1; r < rows.size(); ++r)
        for (int c = 0; c < 3; ++c)
            MidGearGrid->setItem(
                static_cast<int>(r) - 1, c,
                readOnlyCell(QString::fromStdString(rows[r][static_cast<std::size_t>(c)]),
                             c == 0 ? Qt::AlignLeft : Qt::AlignRight));
    // The valve travel is one figure for the valve, not one per end.
    const int travel = static_cast<int>(rows.size()) - 2;
    MidGearGrid->setSpan(travel, 1, 1, 2);
    MidGearGrid->item(travel, 1)->setTextAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    MidGearGrid->resizeColumnsToContents();
    MidGearGrid->resizeRowsToContents();
    for (int c = 1; c < 3; ++c)
        MidGearGrid->setColumnWidth(c, std::max(MidGearGrid->columnWidth(c), 64));
    int width = 2 * MidGearGrid->frameWidth(), height = 2 * MidGearGrid->frameWidth();
    for (int c = 0; c < 3; ++c) width += MidGearGrid->columnWidth(c);
    height += MidGearGrid->horizontalHeader()->height();
    for (int r = 0; r < MidGearGrid->rowCount(); ++r) height += MidGearGrid->rowHeight(r);
    MidGearGrid->setFixedSize(width, height);
}

// The events table wants its every row and, where the screen allows, its every column in view.
void TValveEvents::fitToTable() {
    int width = 2 * EventsGrid->frameWidth();
    for (int c = 0; c < EventsGrid->columnCount(); ++c) width += EventsGrid->columnWidth(c);
    const int heading = 2 * EventsGrid->frameWidth() +
                        EventsGrid->horizontalHeader()->sizeHint().height() +
                        EventsGrid->horizontalScrollBar()->sizeHint().height();
    int height = heading;
    for (int r = 0; r < EventsGrid->rowCount(); ++r) height += EventsGrid->rowHeight(r);
    // However small the screen, the events keep room for a few rows and scroll the rest; the
    // mid-gear table and the notes under them are never covered.
    const int someRows = std::min(EventsGrid->rowCount(), 3);
    EventsGrid->setMinimumHeight(heading +
                                 someRows * EventsGrid->verticalHeader()->defaultSectionSize());
    QRect free(0, 0, 1024, 768);
    if (const QScreen* s = screen()) free = freeArea(s);
    const QMargins frame = frameMarginsOf(this, context_.mainWindow());
    const int w = std::min(width + 4, free.width() - frame.left() - frame.right());
    const int notes =
        below_->hasHeightForWidth() ? below_->heightForWidth(w) : below_->sizeHint().height();
    const int menu = MainMenu1->sizeHint().height();
    // The notch and checks tabs want a few rows of their own, and take a share of what is
    // left with the events.
    const int tabs = NotchPanel->tabBar()->sizeHint().height() + 4 * EventsGrid->rowHeight(0) +
                     NotchPanel->NotchCutOffs->sizeHint().height() + heading;
    NotchPanel->setMinimumHeight(tabs);
    // Where the screen has room, every row of the events stays in view and the tabs take what
    // is left.
    const int room = free.height() - frame.top() - frame.bottom();
    const int fewRows = EventsGrid->minimumHeight();
    EventsGrid->setMinimumHeight(height);
    // The layout's own least height counts its margins and spacing too.
    layout()->invalidate();
    if (layout()->totalMinimumSize().height() > room) EventsGrid->setMinimumHeight(fewRows);
    resize(w, std::min(height + notes + menu + tabs + 6 * EventsGrid->rowHeight(0), room));
}

void TValveEvents::showComparison() {
    const Model* other = context_.comparison();
    StopComparing->setEnabled(other != nullptr);
    if (other) Comparison->fill(table_, context_.model(), *other, context_.comparisonName());
    Comparison->setVisible(other != nullptr);
    eventsPage_->setVisible(other == nullptr);
}

void TValveEvents::growForComparison() {
    if (!context_.comparison() || !isVisible()) return;
    // The comparison is taller than the events: the window grows to show it, as far as its
    // screen allows.
    const QScreen* screen = this->screen();
    if (!screen) return;
    const QRect free = freeArea(screen);
    const int frame = frameGeometry().height() - height();
    const int wanted = MainMenu1->sizeHint().height() + Comparison->wholeHeight();
    const int h = std::min(wanted, free.height() - frame);
    if (h > height()) {
        resize(width(), h);
        if (frameGeometry().bottom() > free.bottom())
            move(x(), std::max(free.top(), free.bottom() - frameGeometry().height() + 1));
    }
}

void TValveEvents::ReDrawClick() {
    FormActivate();
}

QString TValveEvents::dateText() const {
    return QDate::currentDate().toString(Qt::ISODate);
}

QString TValveEvents::clipboardText() const {
    return QString::fromStdString(
        valveEventsTabText(table_, context_.model().DataSetName, dateText().toStdString()));
}

QByteArray TValveEvents::csvBytes() const {
    return QByteArray::fromStdString(
        valveEventsCsv(table_, context_.model().DataSetName, dateText().toStdString()));
}

void TValveEvents::CopyClick() {
    QGuiApplication::clipboard()->setText(clipboardText());
}

void TValveEvents::SaveCsvClick() {
    saveExport(context_, this, "Save Valve Events", suggestedFileName(context_.model().DataSetName),
               "CSV File (*.csv)", "csv", csvBytes());
}

void TValveEvents::CloseClick() {
    close();
}

void TValveEvents::IndicatorSettingsClick() {
    if (execModal(*IndicatorSettingsDialog, this) == QDialog::Accepted) FormActivate();
}

void TValveEvents::FormClose() {
    pause_.reset();
}

}  // namespace tarvell
