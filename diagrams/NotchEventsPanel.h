// The valve events window's lower tabs: "By notch", the events of each end at the notches a
// driver sets the gear by (named by their mean cut-off, forward and reverse), with the list of
// cut-offs editable and kept between runs; and "Checks", the design checks with where each
// fails and by how much. The corner shows the true dead centres, from the piston's extremes.
#pragma once

#include <QString>
#include <QTabWidget>
#include <vector>

#include "ProgramContext.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace tarvell {

// The cut-offs of a list typed as "75, 50, 40" (commas or spaces between): each a number
// above 0 and below 100, at most kMostNotchCutOffs of them. False with the reason otherwise.
inline constexpr int kMostNotchCutOffs = 12;
bool parseNotchCutOffs(const QString& text, std::vector<double>& cutOffs, QString& reason);
QString notchCutOffsText(const std::vector<double>& cutOffs);

// The list kept between runs (QSettings "valveEvents/notchCutOffs"), the defaults when none
// or one that cannot be used is kept.
std::vector<double> loadNotchCutOffs();
void saveNotchCutOffs(const std::vector<double>& cutOffs);

class NotchEventsPanel : public QTabWidget {
    Q_OBJECT

  public:
    NotchEventsPanel(ProgramContext& context, QWidget* parent);

    QLineEdit* NotchCutOffs = nullptr;  // the list of cut-offs, per cent
    QLabel* NotchNote = nullptr;        // why a typed list was refused; else what the table is
    QTableWidget* NotchGrid = nullptr;
    QTableWidget* ChecksList = nullptr;
    QLabel* DeadCentres = nullptr;

    // Works everything out again from the model.
    void refresh();
    // Takes the typed list: kept and the table worked out again, or refused with the reason.
    void NotchCutOffsEditingFinished();

    const std::vector<double>& cutOffs() const { return cutOffs_; }

  private:
    void fillNotches();
    void fillChecks();

    ProgramContext& context_;
    std::vector<double> cutOffs_;
};

}  // namespace tarvell
