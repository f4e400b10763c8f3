// The drawing surface on other paint devices than the windows' images: a QPicture played
// back, an SVG generator, a painter that scales the picture (a printed page), and a PDF
// printer. The same operations must land on the same pixels, texts must keep their size and
// layout, and pixels set one by one must come out as pixels.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QPicture>
#include <QPrinter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <QTemporaryDir>

#include "PictureExport.h"
#include "QtCanvas.h"

namespace tarvell {
namespace {

constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kBlack = 0x000000;
constexpr QRgb kRed = 0xFF0000;
constexpr QRgb kBlue = 0x0000FF;

QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFFu;
}

// A drawing with a level line, an upright line and a set pixel on a white 100 x 60 picture.
void strokes(Canvas& c) {
    c.refresh();
    c.setPen(colours::black, 1);
    c.moveTo(10, 20);
    c.lineTo(50, 20);
    c.setPenColour(colours::blue);
    c.moveTo(70, 5);
    c.lineTo(70, 45);
    c.setPixel(5, 50, colours::red);
    c.setPixel(200, 50, colours::red);  // off the picture: nothing
}

// A circle's outline: centre (30, 40), radius 10.
void circle(Canvas& c) {
    c.refresh();
    c.setPen(colours::black, 1);
    c.ellipse(20, 30, 40, 50);
}

QImage playedBack(QPicture& picture, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter p(&image);
    picture.play(&p);
    return image;
}

QImage imageOf(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::gray);
    return image;
}

// Checks the strokes where they must be: the line over x 10-49 on row 20 and not beside
// it (a line leaves its end pixel undrawn), the upright line on column 70, the red pixel.
void expectStrokes(const QImage& image) {
    for (int x = 10; x <= 49; x += 3) {
        EXPECT_EQ(at(image, x, 20), kBlack) << x;
        EXPECT_EQ(at(image, x, 19), kWhite) << x;
        EXPECT_EQ(at(image, x, 21), kWhite) << x;
    }
    EXPECT_EQ(at(image, 9, 20), kWhite);
    EXPECT_EQ(at(image, 50, 20), kWhite);
    for (int y = 5; y <= 44; y += 3) {
        EXPECT_EQ(at(image, 70, y), kBlue) << y;
        EXPECT_EQ(at(image, 71, y), kWhite) << y;
    }
    EXPECT_EQ(at(image, 70, 4), kWhite);
    EXPECT_EQ(at(image, 70, 45), kWhite);
    EXPECT_EQ(at(image, 5, 50), kRed);
    EXPECT_EQ(at(image, 4, 50), kWhite);
    EXPECT_EQ(at(image, 6, 50), kWhite);
}

TEST(QtCanvasDevices, AnImageAndAPlayedBackPictureGetTheSamePixels) {
    const QSize size(100, 60);
    QImage direct = imageOf(size);
    {
        QtCanvas c(direct);
        strokes(c);
    }
    expectStrokes(direct);

    QPicture picture;
    {
        QtCanvas c(picture, size);
        strokes(c);
    }
    const QImage played = playedBack(picture, size);
    expectStrokes(played);
    // Not only where checked: every pixel of the strokes is the same.
    EXPECT_EQ(played, direct);
}

TEST(QtCanvasDevices, ACircleRunsThroughTheSamePointsOnAnImageAndInAPicture) {
    const QSize size(60, 60);
    QImage direct = imageOf(size);
    {
        QtCanvas c(direct);
        circle(c);
    }
    QPicture picture;
    {
        QtCanvas c(picture, size);
        circle(c);
    }
    const QImage played = playedBack(picture, size);
    for (const QImage* image : {static_cast<const QImage*>(&direct), &played}) {
        // The outline passes the four ends of the diameters (the rectangle's outline includes
        // its right and bottom edges, as every outline the toolkit draws does), the inside and
        // the corners stay white.
        EXPECT_EQ(at(*image, 20, 40), kBlack);
        EXPECT_EQ(at(*image, 40, 40), kBlack);
        EXPECT_EQ(at(*image, 30, 30), kBlack);
        EXPECT_EQ(at(*image, 30, 50), kBlack);
        EXPECT_EQ(at(*image, 30, 40), kWhite);
        EXPECT_EQ(at(*image, 21, 31), kWhite);
    }
    // The curves rasterise alike to within a pixel.
    auto nearInk = [](const QImage& image, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (at(image, x + dx, y + dy) == kBlack) return true;
        return false;
    };
    for (int y = 1; y < 59; ++y)
        for (int x = 1; x < 59; ++x) {
            if (at(direct, x, y) == kBlack) {
                EXPECT_TRUE(nearInk(played, x, y)) << x << "," << y;
            }
            if (at(played, x, y) == kBlack) {
                EXPECT_TRUE(nearInk(direct, x, y)) << x << "," << y;
            }
        }
}

TEST(QtCanvasDevices, ATextKeepsItsPlaceAndWidthOnEveryDevice) {
    // The read-outs are laid out by measured widths: a right-aligned number must end at the
    // same x on the image and in the picture.
    const QSize size(200, 40);
    QImage image = imageOf(size);
    QPicture picture;
    int widthOnImage = 0, widthInPicture = 0;
    auto draw = [](Canvas& c, int& width) {
        c.refresh();
        c.setFont(FontSpec{8, false, colours::black});
        width = c.textWidth("ValveCen -0.029");
        c.setBrush(false, colours::white);
        c.textOut(10, 10, "ValveCen -0.029");
    };
    {
        QtCanvas c(image);
        draw(c, widthOnImage);
    }
    {
        QtCanvas c(picture, size);
        draw(c, widthInPicture);
    }
    EXPECT_EQ(widthInPicture, widthOnImage);
    const QImage played = playedBack(picture, size);
    // The ink of the text: its leftmost and rightmost dark columns agree to a pixel.
    auto inkColumns = [](const QImage& im) {
        int left = im.width(), right = -1;
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x)
                if (qGray(im.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return std::pair{left, right};
    };
    const auto [l1, r1] = inkColumns(image);
    const auto [l2, r2] = inkColumns(played);
    ASSERT_GE(r1, 0);
    EXPECT_NEAR(l2, l1, 1);
    EXPECT_NEAR(r2, r1, 1);
    EXPECT_GE(l1, 10);
    EXPECT_LE(r1, 10 + widthOnImage);
}

TEST(QtCanvasDevices, AnSvgHoldsVectorsTextsAndPixelsAtThePicturesScale) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(100, 60));
    svg.setViewBox(QRect(0, 0, 100, 60));
    svg.setResolution(300);  // a resolution unlike the screen's: the text must not grow
    {
        QtCanvas c(svg, QSize(100, 60));
        strokes(c);
        c.ellipse(20, 30, 40, 50);
        c.setFont(FontSpec{8, true, colours::red});
        c.textOut(3, 4, "Rev Arm  10.533");
    }
    const QString text = QString::fromUtf8(bytes);
    // The level line through the centres of the pixels of row 20, from the start pixel's
    // left edge to the end pixel's (which it leaves undrawn).
    EXPECT_TRUE(text.contains(QRegularExpression(R"(points="10,20\.5 50,20\.5)")))
        << text.toStdString();
    // The circle through the centres of its outline's pixels.
    EXPECT_TRUE(text.contains(R"(<circle cx="30.5" cy="40.5" r="10"/>)")) << text.toStdString();
    // The set pixel: a 1 x 1 square over pixel (5, 50) in red, the one off the picture left out.
    EXPECT_TRUE(text.contains(QRegularExpression(R"(<rect x="5" y="50" width="1" height="1")")))
        << text.toStdString();
    EXPECT_EQ(text.count(QRegularExpression(R"(width="1" height="1")")), 1);
    EXPECT_TRUE(text.contains("#ff0000"));
    // 8 points on a 96 dots-per-inch image are 10.67 pixels, whatever the SVG's resolution.
    const double pixels = 8.0 * QImage(1, 1, QImage::Format_RGB32).logicalDpiY() / 72.0;
    const QRegularExpressionMatch size =
        QRegularExpression(R"re(font-size="([0-9.]+)")re").match(text);
    ASSERT_TRUE(size.hasMatch());
    EXPECT_NEAR(size.captured(1).toDouble(), pixels, 0.01);
    EXPECT_TRUE(text.contains("font-weight=\"700\""));
    // A run of spaces splits the text; each piece stands where the whole text puts it.
    EXPECT_TRUE(text.contains(">Rev Arm</text>"));
    EXPECT_TRUE(text.contains(">10.533</text>"));
}

TEST(QtCanvasDevices, ARenderedPictureFillsItsTargetKeepingItsShape) {
    // A 100 x 50 picture into a 400 x 400 target: scale 4, a band 200 high in the middle.
    QImage page = imageOf(QSize(400, 400));
    page.fill(Qt::black);
    {
        QPainter p(&page);
        renderPicture(p, QRectF(0, 0, 400, 400), QSize(100, 50), [](Canvas& c) {
            c.refresh();
            c.setPen(colours::red, 1);
            c.moveTo(0, 10);
            c.lineTo(99, 10);
        });
    }
    EXPECT_EQ(at(page, 200, 99), kBlack);
    EXPECT_EQ(at(page, 200, 100), kWhite);
    EXPECT_EQ(at(page, 200, 299), kWhite);
    EXPECT_EQ(at(page, 200, 300), kBlack);
    // The one-pixel line of row 10 is four pixels high: rows 140-143.
    EXPECT_EQ(at(page, 200, 139), kWhite);
    for (int y = 140; y <= 143; ++y) EXPECT_EQ(at(page, 200, y), kRed) << y;
    EXPECT_EQ(at(page, 200, 144), kWhite);
}

TEST(QtCanvasDevices, APictureDrawingOutsideItselfIsClippedToItsArea) {
    QImage page = imageOf(QSize(300, 100));
    page.fill(Qt::black);
    {
        QPainter p(&page);
        renderPicture(p, QRectF(0, 0, 300, 100), QSize(100, 100), [](Canvas& c) {
            c.refresh();
            c.setPen(colours::red, 1);
            c.moveTo(-500, 50);
            c.lineTo(500, 50);
        });
    }
    // The picture stands in the middle third; the long line stops at its edges.
    EXPECT_EQ(at(page, 99, 50), kBlack);
    EXPECT_EQ(at(page, 100, 50), kRed);
    EXPECT_EQ(at(page, 199, 50), kRed);
    EXPECT_EQ(at(page, 200, 50), kBlack);
}

TEST(QtCanvasDevices, PrintingToAPdfFileMakesAPdf) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("strokes.pdf"));
    ASSERT_TRUE(printPicture(printer, QSize(100, 60), strokes));
    QFile pdf(dir.filePath("strokes.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_GT(bytes.size(), 500);

    // A printer that cannot open its file says so.
    printer.setOutputFileName(dir.filePath("no such folder/strokes.pdf"));
    EXPECT_FALSE(printPicture(printer, QSize(100, 60), strokes));
}

}  // namespace
}  // namespace tarvell
