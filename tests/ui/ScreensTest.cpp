// The program on today's screens: the interface size (its options, the size a first start
// picks, a drawing at twice the resolution, a change that hands the design over to the next
// start), windows wholly on the main window's screen, and a large-font mode in which each text
// stays beside its control.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <sstream>

#include "DeviceImage.h"
#include "DiagramTestSupport.h"
#include "DimensionDialogSupport.h"
#include "DynamicVariables.h"
#include "InterfaceSize.h"
#include "QtCanvas.h"
#include "RecoveryKeeper.h"
#include "Steam.h"
#include "ValveEventsWindow.h"

using namespace tarvell;

TEST(InterfaceSize, OptionsAndTheSizeAFirstStartPicks) {
    StartOptions o = parseStartOptions({"--interface-size", "150", "Loco.dtv"});
    EXPECT_EQ(o.interfaceSize, 150);
    EXPECT_EQ(o.rest, QStringList({"Loco.dtv"}));
    o = parseStartOptions({"--interface-size=200%", "--carry-over", "/tmp/c.tvr"});
    EXPECT_EQ(o.interfaceSize, 200);
    EXPECT_EQ(o.carryOver, "/tmp/c.tvr");
    EXPECT_FALSE(parseStartOptions({"--interface-size", "130"}).error.isEmpty());
    EXPECT_FALSE(parseStartOptions({"--interface-size"}).error.isEmpty());
    // The main window with its title bar, 632 x 454 at 100 %: on a 1920 x 1080 screen with a
    // 40-pixel panel, 90 % of 1040 is 936, which 2 x 454 = 908 fits; on 1366 x 768 (728
    // available), 90 % is 655: 1.25 x 454 = 568 fits and 1.5 x 454 = 681 does not.
    EXPECT_EQ(fittingInterfaceSize(QSize(1920, 1040), QSize(632, 454)), 200);
    EXPECT_EQ(fittingInterfaceSize(QSize(1366, 728), QSize(632, 454)), 125);
    EXPECT_EQ(fittingInterfaceSize(QSize(800, 600), QSize(632, 454)), 100);  // nothing fits
}

TEST(InterfaceSize, AFirstStartChoosesInPlaceAndSaysWhatCannotBeKept) {
    int looks = 0;
    const auto lookAtScreen = [&] { return ++looks, 150; };
    EXPECT_EQ(chooseInterfaceSize(125, lookAtScreen).percent, 125);  // asked for: as it is
    EXPECT_EQ(looks, 0);

    // A kept value that is no size is chosen afresh, and said.
    QSettings().setValue("interface/size", "130");
    ChosenInterfaceSize chosen = chooseInterfaceSize(std::nullopt, lookAtScreen);
    EXPECT_EQ(chosen.percent, 150);
    ASSERT_EQ(chosen.notes.size(), 1);
    EXPECT_TRUE(chosen.notes[0].contains("\"130\""));
    EXPECT_EQ(storedInterfaceSize().percent, 150);

    // Settings that cannot be written (their file a folder): chosen once, used, and said;
    // nothing in the choice starts the program again.
    QSettings().remove("interface");
    QSettings().sync();
    const QString file = QSettings().fileName();
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file));
    looks = 0;
    chosen = chooseInterfaceSize(std::nullopt, lookAtScreen);
    EXPECT_EQ(chosen.percent, 150);
    EXPECT_EQ(looks, 1);
    ASSERT_EQ(chosen.notes.size(), 1);
    EXPECT_TRUE(chosen.notes[0].startsWith("The interface size cannot be kept for later starts"));
    QDir(file).removeRecursively();
}

TEST(InterfaceSize, HelpAndVersionAreOptionsNotFiles) {
    EXPECT_TRUE(parseStartOptions({"--help"}).help);
    EXPECT_TRUE(parseStartOptions({"--version"}).version);
    EXPECT_TRUE(parseStartOptions({"--help"}).rest.isEmpty());
}

namespace {

class Screens : public test::DimensionDialogTest {
  protected:
    void SetUp() override {
        DimensionDialogTest::SetUp();
        errorMessages_.clear();  // the instruction texts are not beside the tests
    }
    // The frame as an export draws it, at `ratio` device pixels per picture pixel.
    QImage frameAt(qreal ratio) {
        QImage image = deviceImage(QSize(632, 380), ratio);
        QtCanvas canvas(image);
        form().drawStillFrame(canvas);
        return image;
    }
    static bool dark(QRgb p) { return qGray(p) < 128; }
};

}  // namespace

TEST_F(Screens, ADrawingAtTwiceTheSizeHasTwiceThePixelsEachWay) {
    tick();
    const QImage normal = frameAt(1.0), twice = frameAt(2.0);
    ASSERT_EQ(twice.size(), QSize(1264, 760));
    int darkNormal = 0, darkTwice = 0, agree = 0;
    for (int y = 0; y < 380; ++y)
        for (int x = 0; x < 632; ++x) {
            const bool n = dark(normal.pixel(x, y));
            darkNormal += n;
            if (n &&
                (dark(twice.pixel(2 * x, 2 * y)) || dark(twice.pixel(2 * x + 1, 2 * y)) ||
                 dark(twice.pixel(2 * x, 2 * y + 1)) || dark(twice.pixel(2 * x + 1, 2 * y + 1))))
                ++agree;
        }
    for (int y = 0; y < 760; ++y)
        for (int x = 0; x < 1264; ++x) darkTwice += dark(twice.pixel(x, y));
    ASSERT_GT(darkNormal, 1000);
    // Lines twice as long and twice as wide, texts twice as high: about four times the
    // pixels, at the same logical places.
    EXPECT_GT(darkTwice, 3 * darkNormal);
    EXPECT_LT(darkTwice, 5 * darkNormal);
    EXPECT_GT(agree, darkNormal * 8 / 10);
}

TEST_F(Screens, AnotherSizeHandsTheDesignAndItsUnsavedStateToTheNextStart) {
    QStringList restartedWith;
    program_->restart = [&](const QStringList& args) { restartedWith = args; };
    model().undoPending = true;
    StoreDimensionField(model(), 2, "3.5");
    model().view.current.scale = 30;
    form().InterfaceSizes[2]->trigger();  // 150 %
    EXPECT_EQ(QSettings().value("interface/size").toInt(), 150);
    // The size goes with the restart, so the next run never has to choose and restart again.
    ASSERT_EQ(restartedWith.size(), 4);
    EXPECT_EQ(restartedWith.mid(0, 3), QStringList({"--interface-size", "150", "--carry-over"}));
    // The restart did not happen here: the handed-over file is gone and the user told.
    EXPECT_FALSE(QFile::exists(restartedWith[3]));
    EXPECT_EQ(errorMessages_.size(), 1);

    // As the next start would: the file taken back, the design as it was, still unsaved.
    program_->restart = [&](const QStringList& args) {
        ASSERT_EQ(args.size(), 4);
        const QString carried = args[3];
        ProgramOptions options;
        options.startTimer = false;
        options.showError = [](const QString&) {};  // the instruction texts are not here
        Program next(std::make_unique<RecordingSound>(), options);
        next.createWindows();
        next.startUp({}, carried);
        EXPECT_EQ(next.model().frame.Stroke, 3.5f);
        EXPECT_EQ(next.model().view.current.scale, 30.0f);
        EXPECT_TRUE(next.context().designModified());
        EXPECT_FALSE(QFile::exists(carried));
    };
    form().InterfaceSizes[3]->trigger();
    QSettings().remove("interface");
}

TEST_F(Screens, DiagramsAndTheEventsWindowOpenWhollyOnTheMainWindowsScreen) {
    const QRect area = form().screen()->availableGeometry();
    bool looked = false;
    test::runModal(
        *program_->steamDia, *program_->setRevArm, [this] { form().SteamDiag->trigger(); },
        [&] {
            looked = true;
            EXPECT_TRUE(area.contains(program_->steamDia->frameGeometry()));
            program_->steamDia->move(area.topLeft() + QPoint(40, 30));  // the user moves it
        });
    EXPECT_TRUE(looked);
    // It opens again where it was left.
    looked = false;
    test::runModal(
        *program_->steamDia, *program_->setRevArm, [this] { form().SteamDiag->trigger(); },
        [&] {
            looked = true;
            EXPECT_EQ(program_->steamDia->frameGeometry().topLeft(),
                      area.topLeft() + QPoint(40, 30));
        });
    EXPECT_TRUE(looked);
    QSettings().remove("windows");
    TValveEvents& events = *program_->valveEvents;
    events.show();
    EXPECT_TRUE(area.contains(events.frameGeometry())) << events.frameGeometry().width();
    events.close();
}

TEST_F(Screens, LargeFontKeepsEachTextBesideItsControl) {
    form().LargeFont->trigger();
    ASSERT_FLOAT_EQ(model().TextScaleY, 1.22f);
    EXPECT_GE(form().client()->width(), 802);  // 632 x 1.27

    // The frame's read-outs (in the font they are drawn in) clear every control.
    RecordingCanvas c;
    form().drawStillFrame(c);
    int points = 8;
    std::vector<QRect> controls;
    for (QWidget* w : form().client()->findChildren<QWidget*>())
        if (w->isVisible() && w->parentWidget() == form().client())
            controls.push_back(w->geometry());
    for (const std::string& call : c.calls) {
        std::istringstream in(call);
        std::string op;
        in >> op;
        if (op == "font") in >> points;
        if (op != "text") continue;
        int x = 0, y = 0;
        in >> x >> y;
        std::string text;
        std::getline(in, text);
        const QString t = QString::fromStdString(text.substr(1)).trimmed();
        const QFontMetrics fm(QtCanvas::textFont(FontSpec{points, false, colours::black}));
        // The ink of the text (a cell's empty descent may touch a control beneath).
        const QRect box = fm.tightBoundingRect(t).translated(x, y + fm.ascent());
        EXPECT_EQ(points, 10);
        for (const QRect& r : controls)
            EXPECT_FALSE(box.intersects(r))
                << t.toStdString() << " meets a control at " << r.x() << "," << r.y();
    }

    // Each dimension dialog's label stands on its field's row and clear of every field.
    for (DimensionDialog* d :
         {static_cast<DimensionDialog*>(&frameDi()), static_cast<DimensionDialog*>(&cylDimen())}) {
        open(*d);
        for (QLabel* label : d->findChildren<QLabel*>(QRegularExpression("^Label\\d+$"))) {
            const int n = label->objectName().mid(5).toInt();
            const QWidget* field = d->Edit[static_cast<std::size_t>(n)];
            ASSERT_TRUE(field);
            const QRect l = label->geometry(), f = field->geometry();
            EXPECT_LT(std::abs(l.center().y() - f.center().y()), 2 * f.height())
                << label->text().toStdString();
            for (const NumberField* other : d->Edit) {
                if (other) {
                    EXPECT_FALSE(l.intersects(other->geometry())) << label->text().toStdString();
                }
            }
        }
        d->reject();
    }
}

TEST_F(Screens, EachTickClearsOnlyWhereTheLastDrewAndLeavesNoTrace) {
    // A frame cleared only where the last one drew is the frame drawn on a white page, tick
    // after tick, as the gear turns and moves across the picture.
    model().view.current.scale = 30;  // larger: the gear sweeps more of the picture
    for (int k = 0; k < 40; ++k) {
        tick();
        if (k % 13 != 12) continue;
        const QImage& shown = form().frameImage();
        QImage fresh = deviceImage(shown.deviceIndependentSize().toSize(), 1.0);
        {
            QtCanvas canvas(fresh, colours::white, form().client()->rect());
            form().drawStillFrame(canvas);
        }
        int differing = 0;
        for (int y = 0; y < form().client()->height(); ++y)
            for (int x = 0; x < form().client()->width(); ++x)
                differing += shown.pixel(x, y) != fresh.pixel(x, y);
        EXPECT_EQ(differing, 0) << "after tick " << k;
    }
}
