// The valve events window's comparison: which design the working one is compared with, the
// dimensions in which they differ (code, name, this, other), and per row of the events table
// and per end the cut-off, lead, release and compression of this design, of the other and
// their difference.
#pragma once

#include <QWidget>

#include "ValveEventsTable.h"

class QLabel;
class QTableWidget;

namespace tarvell {

class EventsComparisonView : public QWidget {
  public:
    explicit EventsComparisonView(QWidget* parent);

    // Fills the view for `table` (this design's, `self`) beside `other`, named `name`.
    void fill(const ValveEventsTable& table, const Model& self, const Model& other,
              const QString& name);

    // The height that shows the heading and both tables whole.
    int wholeHeight() const;

    QLabel* Heading = nullptr;
    QTableWidget* DifferingGrid = nullptr;
    QTableWidget* ComparisonGrid = nullptr;

  private:
    static int tableHeight(const QTableWidget* t);
};

}  // namespace tarvell
