// Tables of figures the user reads, selects and copies but never edits, as the events, notch,
// comparison and sensitivity windows show them; the ends' figures tinted as the diagrams colour
// their port lines (front green, rear red).
#pragma once

#include <QColor>
#include <QString>

class QTableWidget;
class QTableWidgetItem;
class QWidget;

namespace tarvell {

inline const QColor kFrontTint(236, 248, 236);
inline const QColor kRearTint(250, 238, 238);

// A cell that can be selected but not edited, aligned as given (and centred vertically), on
// `tint` when it is valid.
QTableWidgetItem* readOnlyCell(const QString& text, Qt::Alignment align, const QColor& tint = {});

// `t` made a read-only table: no editing, no wrapping, no row numbers, no corner button.
void makeReadOnlyTable(QTableWidget* t);
// A new such table, named `name`.
QTableWidget* newReadOnlyTable(QWidget* parent, const char* name);

}  // namespace tarvell
