// Large-font layout (see TextScale.h).
#include "TextScale.h"

#include <QFont>
#include <QLayout>
#include <QVariant>
#include <QWidget>
#include <cmath>

#include "Vari.h"

namespace tarvell {
namespace {

const char* const kBaseGeometry = "tarvellBaseGeometry";
const char* const kBaseFont = "tarvellBaseFont";
const char* const kBaseFixedSize = "tarvellBaseFixedSize";

int scaled(int v, double f) {
    return static_cast<int>(std::lround(v * f));
}

QRect scaled(const QRect& r, double fx, double fy) {
    return QRect(scaled(r.x(), fx), scaled(r.y(), fy), scaled(r.width(), fx),
                 scaled(r.height(), fy));
}

QFont scaled(QFont f, double fy) {
    if (f.pixelSize() > 0)
        f.setPixelSize(std::max(1, scaled(f.pixelSize(), fy)));
    else if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * fy);
    return f;
}

bool placedByLayout(const QWidget* w) {
    const QWidget* parent = w->parentWidget();
    return parent && parent->layout() && parent->layout()->indexOf(const_cast<QWidget*>(w)) >= 0;
}

}  // namespace

void scaleLayout(QWidget* root, double fx, double fy) {
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (w->isWindow()) continue;
        if (!w->property(kBaseGeometry).isValid()) {
            w->setProperty(kBaseGeometry, w->geometry());
            // Only a font of the widget's own (not one it takes from its parent, which is
            // scaled already) is scaled.
            w->setProperty(kBaseFont,
                           w->testAttribute(Qt::WA_SetFont) ? QVariant(w->font()) : QVariant());
            if (w->minimumSize() == w->maximumSize())
                w->setProperty(kBaseFixedSize, w->minimumSize());
        }
        if (const QVariant font = w->property(kBaseFont); font.isValid())
            w->setFont(scaled(font.value<QFont>(), fy));
        const QVariant fixed = w->property(kBaseFixedSize);
        if (fixed.isValid()) {
            const QSize s = fixed.toSize();
            w->setFixedSize(scaled(s.width(), fx), scaled(s.height(), fy));
        }
        if (!placedByLayout(w)) w->setGeometry(scaled(w->property(kBaseGeometry).toRect(), fx, fy));
    }
    // The window's own font: every child without a font of its own follows it.
    if (!root->property(kBaseFont).isValid()) root->setProperty(kBaseFont, root->font());
    root->setFont(scaled(root->property(kBaseFont).value<QFont>(), fy));
}

int textPoints(const Model& m, int points) {
    return std::max(1, scaled(points, static_cast<double>(m.TextScaleY)));
}

}  // namespace tarvell
