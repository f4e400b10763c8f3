// Tool bar pictograms (see ToolIcons.h).
#include "ToolIcons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tarvell {

QIcon glyphIcon(const QString& glyph, const QColor& colour) {
    QPixmap pixmap(24, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QPen(QColor(96, 96, 96), 1));
    p.setBrush(QColor(250, 250, 250));
    p.drawRoundedRect(QRectF(0.5, 0.5, 23, 19), 3, 3);
    QFont f;
    f.setFamilies({"Liberation Sans", "DejaVu Sans", "sans-serif"});
    f.setBold(true);
    f.setPixelSize(glyph.size() > 2 ? 9 : 12);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(QRect(0, 0, 24, 20), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

QIcon errorIcon() {
    QPixmap pixmap(18, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    triangle.moveTo(9, 1);
    triangle.lineTo(17, 15);
    triangle.lineTo(1, 15);
    triangle.closeSubpath();
    p.fillPath(triangle, QColor(220, 0, 0));
    p.setPen(Qt::white);
    QFont f;
    f.setBold(true);
    f.setPixelSize(11);
    p.setFont(f);
    p.drawText(QRect(0, 3, 18, 13), Qt::AlignCenter, "!");
    return QIcon(pixmap);
}

}  // namespace tarvell
