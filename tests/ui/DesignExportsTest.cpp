// The design sheet and the animation as a user makes them from the File menu: what the files
// hold, that the animation's frames are the drawing's own pictures, and that the live gear is
// left as it was.
#include <webp/demux.h>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstring>

#include "DesignExports.h"
#include "DesignSheet.h"
#include "FrameExport.h"
#include "UiTestSupport.h"

namespace tarvell::test {
namespace {

// Every frame of an animated WebP as the whole picture a player shows; none for bytes that
// are not one.
std::vector<QImage> decodeFrames(const QByteArray& bytes) {
    std::vector<QImage> frames;
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options)) return frames;
    options.color_mode = MODE_RGBA;
    const WebPData data{reinterpret_cast<const uint8_t*>(bytes.constData()),
                        static_cast<std::size_t>(bytes.size())};
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    if (!decoder) return frames;
    WebPAnimInfo info;
    WebPAnimDecoderGetInfo(decoder, &info);
    const int w = static_cast<int>(info.canvas_width), h = static_cast<int>(info.canvas_height);
    while (WebPAnimDecoderHasMoreFrames(decoder)) {
        uint8_t* pixels = nullptr;
        int timestamp = 0;
        if (!WebPAnimDecoderGetNext(decoder, &pixels, &timestamp)) break;
        frames.push_back(QImage(pixels, w, h, w * 4, QImage::Format_RGBA8888)
                             .convertToFormat(QImage::Format_RGB32));
    }
    WebPAnimDecoderDelete(decoder);
    return frames;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DesignExportsTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(dir_.isValid());
        errorMessages_.clear();  // the instruction texts are not beside the tests
        tick();
    }
    QString path(const QString& name) const { return dir_.filePath(name); }
    QImage exportedPicture() {
        return form().frameExport().pictureImage().convertToFormat(QImage::Format_RGB32);
    }
    QTemporaryDir dir_;
};

TEST_F(DesignExportsTest, AnimationFramesAreTheDrawingTurnedAndTheGearIsLeftAlone) {
    Model& m = model();
    tick(36);  // a turn at the window's 10 degrees: the cut-off read-outs are measured
    const QImage before = exportedPicture();
    const float angle = m.gear.DriverAngle, position = m.gear.ReverseArmPosition;
    const PivotSet pivots = m.pivots;

    // 10 degrees a frame: 36 frames to the turn; 7 degrees: 51 full steps and one short.
    const DesignExports::Animation a = program_->exports->animationWebp(position, 10);
    ASSERT_TRUE(a.error.isEmpty()) << a.error.toStdString();
    EXPECT_TRUE(a.bytes.startsWith("RIFF"));
    EXPECT_EQ(a.bytes.mid(8, 4), "WEBP");
    const std::vector<QImage> frames = decodeFrames(a.bytes);
    ASSERT_EQ(frames.size(), 36u);
    EXPECT_EQ(frames[0].size(), before.size());
    // Lossless: the first frame is the drawing's own export, pixel for pixel; a quarter turn
    // on the crank has moved.
    EXPECT_TRUE(frames[0] == before);
    EXPECT_FALSE(frames[9] == frames[0]);
    EXPECT_EQ(decodeFrames(program_->exports->animationWebp(position, 7).bytes).size(), 52u);

    EXPECT_EQ(m.gear.DriverAngle, angle);
    EXPECT_EQ(m.gear.ReverseArmPosition, position);
    EXPECT_EQ(std::memcmp(&m.pivots, &pivots, sizeof pivots), 0);
    EXPECT_TRUE(exportedPicture() == before);
}

TEST_F(DesignExportsTest, AnimationStepsOutsideATurnAreRefused) {
    for (double step : {0.0, -5.0, 90.5})
        EXPECT_FALSE(program_->exports->animationWebp(10.5f, step).error.isEmpty()) << step;
}

TEST_F(DesignExportsTest, MenuCommandsWriteTheSheetAndTheAnimation) {
    exportPath_ = path("sheet.pdf");
    form().ExportSheet->trigger();
    const QByteArray pdf = readAll(exportPath_);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    // Dimensions, events, then the mechanism and three diagrams two to a page.
    EXPECT_EQ(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")), 4);
    EXPECT_TRUE(errorMessages_.isEmpty()) << errorMessages_.join('\n').toStdString();

    exportPath_ = path("motion.webp");
    std::optional<DesignExports::AnimationChoice> suggested;
    program_->exports->chooseAnimation = [&](const DesignExports::AnimationChoice& offered) {
        suggested = offered;
        return offered;
    };
    form().ExportAnimation->trigger();
    ASSERT_TRUE(suggested.has_value());
    EXPECT_EQ(suggested->turns, 1);
    EXPECT_FALSE(suggested->pngFrames);
    EXPECT_EQ(exportRequests_,
              QStringList({"Nominal design sheet.pdf pdf", "Nominal motion.webp webp"}));
    // The main window's step, 10 degrees at start-up.
    EXPECT_EQ(decodeFrames(readAll(exportPath_)).size(), 36u);
    EXPECT_TRUE(errorMessages_.isEmpty()) << errorMessages_.join('\n').toStdString();

    // A folder where the file should go: said, and nothing else harmed.
    exportPath_ = dir_.path();
    form().ExportSheet->trigger();
    ASSERT_EQ(errorMessages_.size(), 1);
    EXPECT_TRUE(errorMessages_[0].contains("saving failed")) << errorMessages_[0].toStdString();
}

TEST_F(DesignExportsTest, TheAnimationsDialogChoosesTurnsRateAndPngFrames) {
    DesignExports& exports = *program_->exports;
    // Two turns at 30 degrees and 10 frames a second: 24 frames of 100 ms.
    exports.chooseAnimation = [](const DesignExports::AnimationChoice&) {
        return DesignExports::AnimationChoice{30, 2, 10, false};
    };
    exportPath_ = path("two.webp");
    form().ExportAnimation->trigger();
    const QByteArray webp = readAll(exportPath_);
    const std::vector<QImage> frames = decodeFrames(webp);
    ASSERT_EQ(frames.size(), 24u);
    // The second turn is the first again: the animation loops without a jump.
    for (std::size_t i = 0; i < 12; ++i) EXPECT_TRUE(frames[i + 12] == frames[i]) << i;

    // PNG images in a folder, the first the drawing's own export once the window has turned.
    tick(36);
    const QImage first = exportedPicture();
    exports.chooseAnimation = [](const DesignExports::AnimationChoice&) {
        return DesignExports::AnimationChoice{10, 1, 25, true};
    };
    exportPath_ = path("frames");
    ASSERT_TRUE(QDir().mkdir(exportPath_));
    form().ExportAnimation->trigger();
    const QStringList files = QDir(exportPath_).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 36);
    EXPECT_EQ(files.front(), "frame-0001.png");
    EXPECT_EQ(files.back(), "frame-0036.png");
    EXPECT_TRUE(QImage(QDir(exportPath_).filePath("frame-0001.png"))
                    .convertToFormat(QImage::Format_RGB32) == first);
    EXPECT_TRUE(errorMessages_.isEmpty()) << errorMessages_.join('\n').toStdString();

    // A file where the folder should be: said, and nothing written.
    exportPath_ = path("two.webp");
    form().ExportAnimation->trigger();
    ASSERT_EQ(errorMessages_.size(), 1);
    EXPECT_TRUE(errorMessages_[0].contains("not a folder")) << errorMessages_[0].toStdString();
    EXPECT_EQ(readAll(exportPath_), webp);

    // Cancelled in the dialog: nothing asked, nothing written.
    exports.chooseAnimation = [](const DesignExports::AnimationChoice&) {
        return std::optional<DesignExports::AnimationChoice>();
    };
    exportRequests_.clear();
    form().ExportAnimation->trigger();
    EXPECT_TRUE(exportRequests_.isEmpty());
}

TEST(DesignSheetPage, LetterWhereUsUnitsAreUsedA4Elsewhere) {
    EXPECT_EQ(sheetPageSize(QLocale(QLocale::English, QLocale::UnitedStates)).id(),
              QPageSize::Letter);
    EXPECT_EQ(sheetPageSize(QLocale(QLocale::English, QLocale::UnitedKingdom)).id(), QPageSize::A4);
    EXPECT_EQ(sheetPageSize(QLocale(QLocale::German, QLocale::Germany)).id(), QPageSize::A4);
    EXPECT_EQ(sheetPageSize(QLocale::c()).id(), QPageSize::A4);
}

}  // namespace
}  // namespace tarvell::test
