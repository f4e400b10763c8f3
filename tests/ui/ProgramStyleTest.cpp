// The program's style marks the scroll bar that has the keyboard's focus.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <memory>

#include "ProgramStyle.h"

using namespace tarvell;

TEST(ProgramStyle, AScrollBarWithTheFocusIsMarked) {
    const std::unique_ptr<QStyle> style(createProgramStyle());
    QScrollBar bar(Qt::Horizontal);
    bar.resize(160, 16);
    auto draw = [&](bool focus) {
        QStyleOptionSlider option;
        option.initFrom(&bar);
        option.rect = QRect(0, 0, 160, 16);
        option.orientation = Qt::Horizontal;
        option.state |= QStyle::State_Horizontal | QStyle::State_Enabled;
        if (focus) option.state |= QStyle::State_HasFocus;
        option.maximum = 100;
        option.pageStep = 10;
        option.subControls = QStyle::SC_All;
        QImage image(160, 16, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        style->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, &bar);
        return image;
    };
    const QImage plain = draw(false), marked = draw(true);
    const QRgb highlight = bar.palette().color(QPalette::Highlight).rgb();
    // The mark runs along the bar's edges in the selection colour.
    int markPixels = 0;
    for (int x = 0; x < 160; ++x)
        markPixels += marked.pixel(x, 1) == highlight && plain.pixel(x, 1) != highlight;
    EXPECT_GT(markPixels, 120);
}
