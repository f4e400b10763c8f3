// TTradeOff: the Balance dialog's trade-off view. The compromises between even cut-offs and
// even leads (BalanceTradeOff.h) drawn as a curve, cut-off difference across and lead
// difference up; clicking a point shows its design, and "Use" hands it to the Balance dialog,
// whose Apply takes it.
#pragma once

#include <QDialog>
#include <QWidget>
#include <vector>

#include "BalanceTradeOff.h"

class QLabel;
class QPushButton;

namespace tarvell {

// The curve. Each point's pixel is pointAt(i); a click selects the nearest within 12 pixels.
class TradeOffView : public QWidget {
    Q_OBJECT

  public:
    explicit TradeOffView(QWidget* parent);
    void setPoints(const std::vector<TradeOffPoint>* points);
    void select(int index);
    int selected() const { return selected_; }
    QPoint pointAt(int index) const;

  signals:
    void chosen(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QRect plot() const;
    const std::vector<TradeOffPoint>* points_ = nullptr;
    int selected_ = -1;
    double cutOffTop_ = 1, leadTop_ = 1;
};

class TTradeOff : public QDialog {
    Q_OBJECT

  public:
    explicit TTradeOff(QWidget* parent);

    TradeOffView* View = nullptr;
    QLabel* Chosen = nullptr;  // the chosen point's design and spreads
    QPushButton *UseButton = nullptr, *CancelButton = nullptr;

    // The front to choose from; the point of the most even cut-offs is chosen to begin with.
    void setPoints(std::vector<TradeOffPoint> points);
    const std::vector<TradeOffPoint>& points() const { return points_; }
    // The chosen point, or -1 when there is none.
    int selected() const { return View->selected(); }
    void choose(int index);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::vector<TradeOffPoint> points_;
};

}  // namespace tarvell
