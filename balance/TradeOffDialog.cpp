// The Balance dialog's trade-off view (see TradeOffDialog.h).
#include "TradeOffDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "Numbers.h"
#include "Vari.h"
#include "WindowPlacement.h"

namespace tarvell {
namespace {

constexpr int kPickRadius = 12;

QString fixed(double v, int decimals) {
    return QString::fromStdString(formatFixed(v, 0, decimals));
}

// A round top for an axis at least as high as `most`.
double axisTop(double most) {
    if (!(most > 0) || !std::isfinite(most)) return 1;
    const double step = std::pow(10.0, std::floor(std::log10(most)));
    for (double f : {1.0, 2.0, 5.0, 10.0})
        if (f * step >= most) return f * step;
    return 10 * step;
}

}  // namespace

TradeOffView::TradeOffView(QWidget* parent) : QWidget(parent) {
    setObjectName("TradeOffView");
    setMinimumSize(480, 300);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void TradeOffView::setPoints(const std::vector<TradeOffPoint>* points) {
    points_ = points;
    double cutOff = 0, lead = 0;
    if (points)
        for (const TradeOffPoint& p : *points) {
            cutOff = std::max(cutOff, p.cutOffSpread);
            lead = std::max(lead, p.leadSpread);
        }
    cutOffTop_ = axisTop(cutOff);
    leadTop_ = axisTop(lead);
    selected_ = -1;
    update();
}

void TradeOffView::select(int index) {
    if (!points_ || index < 0 || index >= static_cast<int>(points_->size())) return;
    selected_ = index;
    update();
}

QRect TradeOffView::plot() const {
    return rect().adjusted(64, 28, -24, -44);
}

QPoint TradeOffView::pointAt(int index) const {
    const TradeOffPoint& p = (*points_)[static_cast<std::size_t>(index)];
    const QRect r = plot();
    return {r.left() + roundToInt(p.cutOffSpread / cutOffTop_ * r.width()),
            r.bottom() - roundToInt(p.leadSpread / leadTop_ * r.height())};
}

void TradeOffView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect r = plot();
    painter.setPen(Qt::black);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.bottomLeft(), r.topLeft());
    const QFontMetrics fm = painter.fontMetrics();
    for (int i = 0; i <= 4; ++i) {
        const int x = r.left() + i * r.width() / 4;
        const int y = r.bottom() - i * r.height() / 4;
        painter.drawLine(x, r.bottom(), x, r.bottom() + 4);
        painter.drawLine(r.left() - 4, y, r.left(), y);
        const QString across = fixed(cutOffTop_ * i / 4, 2), up = fixed(leadTop_ * i / 4, 4);
        painter.drawText(x - fm.horizontalAdvance(across) / 2, r.bottom() + 6 + fm.ascent(),
                         across);
        painter.drawText(r.left() - 6 - fm.horizontalAdvance(up), y + fm.ascent() / 2, up);
    }
    painter.drawText(r.left(), height() - 6, "Cut-off difference, % of the stroke (largest)");
    painter.drawText(4, fm.ascent(), "Lead difference");
    if (!points_ || points_->empty()) return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 200), 1.5));
    for (int i = 1; i < static_cast<int>(points_->size()); ++i)
        painter.drawLine(pointAt(i - 1), pointAt(i));
    for (int i = 0; i < static_cast<int>(points_->size()); ++i) {
        const bool chosen = i == selected_;
        painter.setBrush(chosen ? QColor(220, 0, 0) : QColor(0, 0, 200));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(pointAt(i), chosen ? 6 : 4, chosen ? 6 : 4);
    }
}

void TradeOffView::mousePressEvent(QMouseEvent* event) {
    if (!points_) return;
    int best = -1;
    double bestDistance = kPickRadius;
    for (int i = 0; i < static_cast<int>(points_->size()); ++i) {
        const QPointF d = event->position() - QPointF(pointAt(i));
        const double distance = std::hypot(d.x(), d.y());
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    if (best < 0) return;
    select(best);
    emit chosen(best);
}

TTradeOff::TTradeOff(QWidget* parent) : QDialog(parent) {
    setObjectName("TTradeOff");
    setWindowTitle("Balance: Cut-off against Lead");
    setModal(true);
    View = new TradeOffView(this);
    Chosen = new QLabel(this);
    Chosen->setObjectName("Chosen");
    Chosen->setWordWrap(true);
    Chosen->setMinimumHeight(2 * Chosen->fontMetrics().lineSpacing() + 4);
    auto* note = new QLabel(
        "Each point balances cut-off and lead together, the lead weighted less (left) or more "
        "(right); only the compromises no other beats on both counts are drawn. Click one to "
        "see its design; Use hands it to the Balance dialog, whose Apply takes it.",
        this);
    note->setWordWrap(true);
    auto* box = new QDialogButtonBox(this);
    UseButton = box->addButton("&Use", QDialogButtonBox::AcceptRole);
    UseButton->setObjectName("UseButton");
    CancelButton = box->addButton("Cancel", QDialogButtonBox::RejectRole);
    CancelButton->setObjectName("CancelButton");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(View, 1);
    layout->addWidget(Chosen);
    layout->addWidget(box);
    connect(UseButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(View, &TradeOffView::chosen, this, [this](int i) { choose(i); });
    resize(640, 480);
}

void TTradeOff::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Beside the Balance dialog, wholly on its screen however large the text.
    if (!event->spontaneous()) placeWindow(this, parentWidget(), {});
}

void TTradeOff::setPoints(std::vector<TradeOffPoint> points) {
    points_ = std::move(points);
    View->setPoints(&points_);
    if (points_.empty()) {
        Chosen->setText("No compromise could be worked out for these choices.");
        UseButton->setEnabled(false);
        return;
    }
    UseButton->setEnabled(true);
    choose(0);
}

void TTradeOff::choose(int index) {
    if (index < 0 || index >= static_cast<int>(points_.size())) return;
    View->select(index);
    const TradeOffPoint& p = points_[static_cast<std::size_t>(index)];
    QStringList dims;
    for (const DimensionChange& c : p.result.dimensions)
        dims << QString("%1: %2").arg(c.code).arg(fixed(c.after, 4));
    Chosen->setText(QString("Cut-offs within %1 %, leads within %2 (lead weight %3). %4.")
                        .arg(fixed(p.cutOffSpread, 2), fixed(p.leadSpread, 4),
                             fixed(p.leadWeight, 2), dims.join(", ")));
}

}  // namespace tarvell
