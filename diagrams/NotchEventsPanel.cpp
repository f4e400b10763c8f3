// The valve events window's notch and checks tabs (see NotchEventsPanel.h).
#include "NotchEventsPanel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "GearChecks.h"
#include "Notch.h"
#include "Numbers.h"
#include "ReadOnlyTable.h"
#include "SolveAt.h"
#include "Sweep.h"

namespace tarvell {
namespace {

constexpr const char* kCutOffsKey = "valveEvents/notchCutOffs";
constexpr const char* kMissing = "-";

const QColor kPassTint(226, 244, 226);
const QColor kFailTint(252, 222, 222);

QString fixed(double v, int decimals) {
    return QString::fromStdString(formatFixed(v, 0, decimals));
}

// Each end's columns: an event's per cent (or degrees before dead centre) and the crank angle
// it happens at.
const char* const kEndHeadings[] = {"Admit\ndeg BDC",  "Admit\nat deg",   "Lead\nat DC",
                                    "Cut-off\n%",      "Cut-off\nat deg", "Release\n%",
                                    "Release\nat deg", "Comp.\n%",        "Comp.\nat deg"};
constexpr int kKeyColumns = 3;  // notch, position, mean cut-off
constexpr int kEndColumns = static_cast<int>(std::size(kEndHeadings));

}  // namespace

bool parseNotchCutOffs(const QString& text, std::vector<double>& cutOffs, QString& reason) {
    std::vector<double> values;
    const QStringList words = text.split(QRegularExpression("[,;\\s]+"), Qt::SkipEmptyParts);
    for (const QString& w : words) {
        bool ok = false;
        const double v = w.toDouble(&ok);
        if (!ok || !std::isfinite(v)) {
            reason = QString("\"%1\" is not a number").arg(w);
            return false;
        }
        if (!(v > 0 && v < 100)) {
            reason = QString("a cut-off lies between 0 and 100 per cent, not %1").arg(w);
            return false;
        }
        values.push_back(v);
    }
    if (values.empty()) {
        reason = "give at least one cut-off";
        return false;
    }
    if (static_cast<int>(values.size()) > kMostNotchCutOffs) {
        reason = QString("at most %1 cut-offs").arg(kMostNotchCutOffs);
        return false;
    }
    cutOffs = values;
    return true;
}

QString notchCutOffsText(const std::vector<double>& cutOffs) {
    QStringList words;
    for (double v : cutOffs) words << QString::number(v, 'g', 6);
    return words.join(", ");
}

std::vector<double> loadNotchCutOffs() {
    std::vector<double> cutOffs;
    QString reason;
    const QVariant kept = QSettings().value(kCutOffsKey);
    if (kept.isValid() && parseNotchCutOffs(kept.toString(), cutOffs, reason)) return cutOffs;
    return {kDefaultNotchCutOffs.begin(), kDefaultNotchCutOffs.end()};
}

void saveNotchCutOffs(const std::vector<double>& cutOffs) {
    QSettings().setValue(kCutOffsKey, notchCutOffsText(cutOffs));
}

NotchEventsPanel::NotchEventsPanel(ProgramContext& context, QWidget* parent)
    : QTabWidget(parent), context_(context), cutOffs_(loadNotchCutOffs()) {
    setObjectName("NotchPanel");

    auto* notchPage = new QWidget(this);
    notchPage->setObjectName("ByNotchPage");
    NotchCutOffs = new QLineEdit(notchCutOffsText(cutOffs_), notchPage);
    NotchCutOffs->setObjectName("NotchCutOffs");
    NotchCutOffs->setToolTip(
        "The mean cut-offs (per cent of the stroke) of the notches to list, "
        "separated by commas");
    NotchNote = new QLabel(notchPage);
    NotchNote->setObjectName("NotchNote");
    auto* label = new QLabel("&Cut-offs %:", notchPage);
    label->setBuddy(NotchCutOffs);
    NotchGrid = newReadOnlyTable(notchPage, "NotchGrid");
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(NotchCutOffs, 1);
    row->addWidget(NotchNote, 2);
    auto* page = new QVBoxLayout(notchPage);
    page->setContentsMargins(4, 4, 4, 4);
    page->addLayout(row);
    page->addWidget(NotchGrid, 1);
    addTab(notchPage, "By &notch");

    ChecksList = newReadOnlyTable(this, "ChecksList");
    addTab(ChecksList, "Chec&ks");

    DeadCentres = new QLabel(this);
    DeadCentres->setObjectName("DeadCentres");
    DeadCentres->setContentsMargins(8, 0, 8, 0);
    setCornerWidget(DeadCentres, Qt::TopRightCorner);

    connect(NotchCutOffs, &QLineEdit::editingFinished, this,
            [this] { NotchCutOffsEditingFinished(); });
}

void NotchEventsPanel::NotchCutOffsEditingFinished() {
    std::vector<double> typed;
    QString reason;
    if (!parseNotchCutOffs(NotchCutOffs->text(), typed, reason)) {
        NotchNote->setText("Not taken: " + reason + ".");
        NotchNote->setStyleSheet("color: #b00000");
        return;
    }
    NotchNote->setStyleSheet({});
    if (typed == cutOffs_) {
        NotchNote->clear();
        return;
    }
    cutOffs_ = typed;
    saveNotchCutOffs(cutOffs_);
    NotchCutOffs->setText(notchCutOffsText(cutOffs_));
    NotchNote->clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    fillNotches();
    QApplication::restoreOverrideCursor();
}

void NotchEventsPanel::refresh() {
    const tarvell::DeadCentres dc = findDeadCentres(context_.model());
    DeadCentres->setText(QString("True dead centres: front %1°, rear %2°")
                             .arg(fixed(dc.front, 2), fixed(dc.rear, 2)));
    fillNotches();
    fillChecks();
}

void NotchEventsPanel::fillNotches() {
    const NotchTable table = buildNotchTable(context_.model(), cutOffs_);
    NotchGrid->clear();
    NotchGrid->clearSpans();  // a row out of reach last time may be found now
    NotchGrid->setColumnCount(kKeyColumns + 2 * kEndColumns);
    NotchGrid->setRowCount(static_cast<int>(table.rows.size()));
    QStringList headings = {"Notch", "Position", "Mean\ncut-off %"};
    for (const char* end : {"Front", "Rear"})
        for (const char* h : kEndHeadings) headings << QString("%1 %2").arg(end, h);
    for (int c = 0; c < headings.size(); ++c) {
        QString text = headings[c];
        if (c >= kKeyColumns)  // "F" or "R" and the tint name the end
            text = text.left(1) + " " + text.section(' ', 1);
        auto* head = new QTableWidgetItem(text);
        head->setToolTip(QString(headings[c]).replace('\n', ' '));
        NotchGrid->setHorizontalHeaderItem(c, head);
    }
    for (int r = 0; r < NotchGrid->rowCount(); ++r) {
        const NotchPosition& n = table.rows[static_cast<std::size_t>(r)];
        NotchGrid->setItem(r, 0,
                           readOnlyCell(QString::fromStdString(notchName(n.notch)), Qt::AlignLeft));
        if (!n.found) {
            NotchGrid->setItem(r, 1, readOnlyCell(QString::fromStdString(n.reason), Qt::AlignLeft));
            NotchGrid->setSpan(r, 1, 1, NotchGrid->columnCount() - 1);
            continue;
        }
        QStringList cells = {fixed(n.position, 3), fixed(n.meanCutOff, 2)};
        for (const EndEvents* e : {&n.events.front, &n.events.rear}) {
            auto event = [&](const ValveEvent& v) {
                cells << (v.occurs() ? fixed(v.value, 2) : kMissing)
                      << (v.occurs() ? fixed(v.driverAngle, 2) : kMissing);
            };
            event(e->admission);
            cells << fixed(e->lead, 4);
            event(e->cutOff);
            event(e->release);
            event(e->compression);
        }
        for (int c = 0; c < cells.size(); ++c) {
            const int column = c + 1;
            const QColor tint = column < kKeyColumns                 ? QColor()
                                : column < kKeyColumns + kEndColumns ? kFrontTint
                                                                     : kRearTint;
            NotchGrid->setItem(
                r, column,
                readOnlyCell(cells[c], cells[c] == kMissing ? Qt::AlignHCenter : Qt::AlignRight,
                             tint));
        }
    }
    NotchGrid->resizeColumnsToContents();
    NotchGrid->resizeRowsToContents();
    applySolverFindings(context_.model(), table.findings);
}

void NotchEventsPanel::fillChecks() {
    const std::vector<GearCheck> checks = gearChecks(context_.model());
    ChecksList->clear();
    ChecksList->setColumnCount(3);
    ChecksList->setRowCount(static_cast<int>(checks.size()));
    ChecksList->setHorizontalHeaderLabels({"Result", "Check", "Where and by how much"});
    for (int r = 0; r < ChecksList->rowCount(); ++r) {
        const GearCheck& c = checks[static_cast<std::size_t>(r)];
        const QColor tint = c.passed ? kPassTint : kFailTint;
        ChecksList->setItem(r, 0, readOnlyCell(c.passed ? "pass" : "FAIL", Qt::AlignHCenter, tint));
        ChecksList->setItem(r, 1,
                            readOnlyCell(QString::fromStdString(c.name), Qt::AlignLeft, tint));
        ChecksList->setItem(r, 2, readOnlyCell(QString::fromStdString(c.detail), Qt::AlignLeft));
    }
    ChecksList->resizeColumnsToContents();
    ChecksList->resizeRowsToContents();
    ChecksList->horizontalHeader()->setStretchLastSection(true);
    const bool all = allPassed(checks);
    setTabText(indexOf(ChecksList), all ? "Chec&ks: all pass" : "Chec&ks: some fail");
}

}  // namespace tarvell
