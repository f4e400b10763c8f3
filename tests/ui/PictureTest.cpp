// The main window's picture kept from tick to tick: after any run of ticks (a deep zoom, huge
// and restored dimensions, pans under the tool bar, the large font on and off) the window
// shows exactly what a frame drawn afresh shows, pixel for pixel; the lines end where the
// drawing surface says; a tick that would draw the same frame again draws nothing, and every
// change shows on the next. The window can be made larger and maximised, the drawing filling
// it about its centre, and its size is kept between runs.
#include <QAction>
#include <QCoreApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <functional>
#include <sstream>

#include "DeviceImage.h"
#include "DynamicVariables.h"
#include "PivotPicking.h"
#include "QtCanvas.h"
#include "RecordingCanvas.h"
#include "UiTestSupport.h"

using namespace tarvell;

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

class Picture : public test::ProgramTest {
  protected:
    // The window as it stands after the repaints the ticks asked for.
    QImage shownWindow() {
        QCoreApplication::processEvents();
        return form().screen()->grabWindow(form().winId()).toImage();
    }
    // The client area's part of a grab of the window.
    QImage clientPart(const QImage& window) {
        const qreal r = window.devicePixelRatio() > 0 ? window.devicePixelRatio() : 1.0;
        const QWidget* c = form().client();
        const QPoint at = c->mapTo(&form(), QPoint(0, 0));
        return window.copy(QRect(QPoint(qRound(at.x() * r), qRound(at.y() * r)), c->size() * r));
    }
    static int differing(const QImage& a, const QImage& b) {
        if (a.size() != b.size()) return a.width() * a.height() + 1;
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                n += (a.pixel(x, y) & 0xFFFFFFu) != (b.pixel(x, y) & 0xFFFFFFu);
        return n;
    }
    // Pixels by which the window differs from a frame drawn afresh: the frame kept against
    // a new one on a white page, and the window as the ticks left it against the window
    // painted whole from that frame.
    void expectAsDrawnAfresh(const std::string& when) {
        const QImage window = clientPart(shownWindow());
        const QImage& kept = form().frameImage();
        const QSize size = form().client()->size();
        QImage fresh = deviceImage(size, kept.devicePixelRatio());
        {
            QtCanvas canvas(fresh, colours::white, QRect(QPoint(0, 0), size));
            form().drawStillFrame(canvas);
        }
        const QImage keptPart =
            kept.copy(QRect(QPoint(0, 0), fresh.size())).convertToFormat(fresh.format());
        EXPECT_EQ(differing(keptPart, fresh), 0) << "frame after " << when;
        form().client()->repaint();
        const QImage whole = clientPart(shownWindow());
        EXPECT_EQ(differing(window, whole), 0) << "window after " << when;
    }
    // The view with pivot 9 (the link trunnion) at the picture's point (320, 240).
    void zoomOnTrunnion(float scale) {
        tick();
        View& v = model().view.current;
        const Pivot& p = model().pivots[9];
        v.scale = scale;
        v.ox = 320.0f - p.x * scale;
        v.oy = 240.0f + p.y * scale;
    }
};

// The window's sizes, on a screen larger than the window's first size.
using MainWindowSize = Picture;

}  // namespace

TEST_F(Picture, DeepZoomOnTheTrunnionLeavesNoStreak) {
    for (float scale : {1500.0f, 3000.0f}) {
        zoomOnTrunnion(scale);
        for (int k = 0; k < 36; ++k) {
            tick();
            if (k % 9 == 8)
                expectAsDrawnAfresh("zoom " + std::to_string(scale) + " tick " + std::to_string(k));
        }
    }
    form().NormVHZ->click();
    tick();
    expectAsDrawnAfresh("Norm");
    form().Run->click();
    tick(2);
    expectAsDrawnAfresh("Stop");
    // Twice as wide a pen, deep and back.
    form().Run->click();
    form().SetLineWidth->trigger();
    zoomOnTrunnion(2200);
    tick(12);
    expectAsDrawnAfresh("zoom with line width 2");
    form().NormVHZ->click();
    tick(3);
    expectAsDrawnAfresh("Norm with line width 2");
}

TEST_F(Picture, HugeDimensionsAndTheirRestoringLeaveNothingBehind) {
    struct Case {
        int code;
        const char* huge;
    };
    const Case cases[] = {{3, "1000000000"}, {14, "50000"}, {14, "1000000"}, {14, "3000000000"}};
    for (const Case& c : cases) {
        const float was = c.code == 3 ? model().frame.MainRodLength : model().frame.LinkRadius;
        StoreDimensionField(model(), c.code, c.huge);
        tick(6);
        expectAsDrawnAfresh(std::string("code ") + std::to_string(c.code) + " at " + c.huge);
        StoreDimensionValue(model(), c.code, was);
        tick(6);
        expectAsDrawnAfresh(std::string("code ") + std::to_string(c.code) + " restored");
    }
}

TEST_F(Picture, WhatLiesUnderTheToolBarIsRepainted) {
    // The picture panned up under the transparent tool bar: the reverse arm's reference line
    // moves with each of Fwd, Rev and Cen.
    model().view.current.oy -= 118;
    tick();
    for (QPushButton* b : {form().Fwd, form().Rev, form().Center}) {
        b->click();
        tick(2);
        expectAsDrawnAfresh(b->objectName().toStdString());
    }
    // The large font moves every read-out: none is left behind, under the tool bar or not.
    model().view.current.oy += 118;
    for (int k = 0; k < 2; ++k) {
        form().LargeFont->trigger();
        tick(3);
        expectAsDrawnAfresh(k == 0 ? "large font" : "small font");
    }
}

TEST_F(Picture, LinesLeaveTheirEndPixel) {
    form().Deg00->click();
    tick();
    const QImage& f = form().frameImage();
    const qreal r = f.devicePixelRatio();
    // The colour in the middle of a picture pixel's block of image pixels.
    auto at = [&](int x, int y) {
        return f.pixel(static_cast<int>((x + 0.5) * r), static_cast<int>((y + 0.5) * r)) &
               0xFFFFFFu;
    };
    constexpr QRgb kRed = 0xFF0000;
    // The fixed pivots' crosses: lines from (x + 5, y + 5) to (x - 6, y - 6), five pixels
    // each way from the centre (where the links drawn later pass).
    const Pivot& p = model().pivots[16];
    for (int k = -5; k <= 5; ++k) {
        if (k == 0) continue;
        EXPECT_EQ(at(p.sx + k, p.sy + k), kRed) << k;
        EXPECT_EQ(at(p.sx + k, p.sy - k), kRed) << k;
    }
    EXPECT_NE(at(p.sx + 6, p.sy + 6), kRed);
    EXPECT_NE(at(p.sx - 6, p.sy - 6), kRed);
    EXPECT_NE(at(p.sx - 6, p.sy + 6), kRed);
    // Pivot 21's mark: from (x + 1, y + 1) to (x - 2, y - 2), three pixels.
    const Pivot& c = model().pivots[21];
    for (int k = -1; k <= 1; ++k) EXPECT_EQ(at(c.sx + k, c.sy + k), kRed) << k;
    EXPECT_NE(at(c.sx - 2, c.sy - 2), kRed);
    EXPECT_NE(at(c.sx + 2, c.sy + 2), kRed);
}

TEST_F(Picture, TheBalanceWeightIsDrawnAtTheAngleTheFrameWasSolvedAt) {
    form().Deg00->click();
    form().Run->click();  // running from 0 degrees, 10 a tick
    tick();
    ASSERT_FLOAT_EQ(model().gear.DriverAngle, 10.0f);  // the next tick's angle
    RecordingCanvas c;
    form().drawStillFrame(c);
    // The crank pin of this frame stands at 0 degrees, on the driver centre's level (screen
    // y 300): the balance weight's rays then lie mirrored about that level.
    int arcs = 0;
    for (const std::string& call : c.calls) {
        if (call.rfind("arc ", 0) != 0) continue;
        std::istringstream in(call.substr(4));
        int l = 0, t = 0, r = 0, b = 0, x3 = 0, y3 = 0, x4 = 0, y4 = 0;
        in >> l >> t >> r >> b >> x3 >> y3 >> x4 >> y4;
        if (l + r != 200 || t + b != 600) continue;  // not about the driver centre
        ++arcs;
        EXPECT_EQ(x3, x4);
        EXPECT_EQ(y3 + y4, 600);
        EXPECT_LT(x3, 100);  // opposite the crank pin, which is on the cylinder side
    }
    EXPECT_EQ(arcs, 1);
}

TEST_F(Picture, StandingStillDrawsNothingAndEveryChangeShowsOnTheNextTick) {
    form().Run->click();
    tick(2);
    QCoreApplication::processEvents();
    PaintCounter counter(form().client());
    const QImage still = form().frameImage().copy();
    tick(5);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    EXPECT_EQ(form().frameImage(), still);

    const std::pair<const char*, std::function<void()>> changes[] = {
        {"reverse arm", [this] { form().SBRevArm->setValue(form().SBRevArm->value() + 40); }},
        {"driver angle", [this] { form().SBDrvAng->setValue(form().SBDrvAng->value() + 700); }},
        {"pan", [this] { form().SBPanHorz->setValue(10); }},
        {"line width", [this] { form().SetLineWidth->trigger(); }},
        {"stroke", [this] { StoreDimensionField(model(), 2, "3.5"); }},
        {"undo line", [this] { form().SetUnDo->trigger(); }},
        {"reference points", [this] { form().RefPoints->trigger(); }},
    };
    for (const auto& [what, change] : changes) {
        const QImage before = form().frameImage().copy();
        counter.paints = 0;
        change();
        tick();
        QCoreApplication::processEvents();
        EXPECT_GT(counter.paints, 0) << what;
        EXPECT_NE(form().frameImage(), before) << what;
        expectAsDrawnAfresh(what);
    }
}

TEST_F(MainWindowSize, TheDrawingFillsALargerWindowAboutItsCentre) {
    tick();
    const View view = model().view.current;
    const QSize first = form().client()->size();
    ASSERT_EQ(first, QSize(632, 380));
    form().resize(form().width() + 100, form().height() + 60);
    QCoreApplication::processEvents();
    ASSERT_EQ(form().client()->size(), QSize(732, 440));
    EXPECT_EQ(form().pictureOffset(), QPoint(50, 30));
    tick();
    expectAsDrawnAfresh("larger window");
    // The view is the picture's own: same scale and offsets, the mechanism 50 right and 30
    // down; nothing black beside it (the image fills the client).
    EXPECT_EQ(model().view.current.scale, view.scale);
    EXPECT_EQ(model().view.current.ox, view.ox);
    EXPECT_EQ(model().view.current.oy, view.oy);
    const Pivot& p = model().pivots[16];
    EXPECT_EQ(pixel(p.sx + 50 + 3, p.sy + 30 + 3), 0xFF0000u);
    EXPECT_EQ(form().frameImage().deviceIndependentSize().toSize(), QSize(732, 440));
    for (int y = 0; y < 440; y += 7) EXPECT_EQ(pixel(731, y), 0xFFFFFFu) << y;
    // A pivot picked with the mouse where it is shown.
    form().Run->click();
    form().RefPoints->trigger();
    tick();
    const Pivot& nine = model().pivots[9];
    QTest::mouseClick(form().client(), Qt::LeftButton, {},
                      QPoint(nine.sx, nine.sy) + form().pictureOffset());
    EXPECT_EQ(model().pivots[kReferencePoint1].x, nine.x);
    EXPECT_EQ(model().pivots[kReferencePoint1].y, nine.y);

    // Maximised: the client fills the screen's free area, the picture with it.
    form().showMaximized();
    QCoreApplication::processEvents();
    tick();
    const QSize client = form().client()->size();
    EXPECT_GT(client.width(), 732);
    EXPECT_EQ(form().frameImage().deviceIndependentSize().toSize(), client);
    expectAsDrawnAfresh("maximised");
    form().showNormal();
}

TEST_F(MainWindowSize, TheWindowsSizeIsKeptBetweenRunsAndWithinTheScreen) {
    form().resize(700, 500);
    form().rememberWindowSize();
    EXPECT_EQ(QSettings().value("mainWindow/size").toSize(), QSize(700, 500));
    auto restored = [](QSize& size, QRect& frame) {
        ProgramOptions options;
        options.startTimer = false;
        options.showError = [](const QString&) {};
        Program next(std::make_unique<RecordingSound>(), options);
        next.createWindows();
        next.mainForm->restoreWindowSize();
        size = next.mainForm->size();
        frame = next.mainForm->frameGeometry();
    };
    QSize size;
    QRect frame;
    restored(size, frame);
    EXPECT_EQ(size, QSize(700, 500));
    // A size larger than this screen is held to it.
    QSettings().setValue("mainWindow/size", QSize(5000, 4000));
    restored(size, frame);
    EXPECT_TRUE(form().screen()->availableGeometry().contains(frame)) << frame.width();
    QSettings().remove("mainWindow");
}

TEST_F(MainWindowSize, TheLargeFontKeepsTheWindowOnTheScreenAndGoingBackRestoresItsSize) {
    const QSize normal = form().size();
    const QRect area = form().screen()->availableGeometry();
    form().LargeFont->trigger();
    QCoreApplication::processEvents();
    EXPECT_GE(form().client()->width(), 802);
    EXPECT_LE(form().frameGeometry().height(), area.height());
    EXPECT_GE(form().frameGeometry().top(), area.top());
    form().LargeFont->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(form().size(), normal);
}
