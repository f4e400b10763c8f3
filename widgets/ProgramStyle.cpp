// The program's style (see ProgramStyle.h).
#include "ProgramStyle.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace tarvell {
namespace {

class FocusMarkStyle : public QProxyStyle {
  public:
    FocusMarkStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        if (control != CC_ScrollBar || !(option->state & State_HasFocus)) return;
        // A frame in the selection colour just inside the bar's edge.
        painter->save();
        QPen pen(option->palette.color(QPalette::Highlight));
        pen.setWidth(2);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option->rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }
};

}  // namespace

QStyle* createProgramStyle() {
    return new FocusMarkStyle;
}

}  // namespace tarvell
