// Exports as a user makes them from the menus: the diagrams and the main drawing saved as
// PNG and SVG, copied and printed, the pivot data table saved as CSV, and failed saves
// reported with the old file left alone.
#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "DatTable.h"
#include "DiagramTestSupport.h"
#include "FrameExport.h"
#include "Oval.h"
#include "PortEvents.h"
#include "QtCanvas.h"
#include "Sine.h"
#include "Steam.h"
#include "UiTestSupport.h"

namespace tarvell::test {
namespace {

// What an SVG document holds: its view box, the elements by name and the texts.
struct SvgContents {
    bool wellFormed = false;
    QString viewBox;
    QMap<QString, int> elements;
    QStringList texts;
    QSet<QString> strokes;  // stroke colours of the groups and shapes

    explicit SvgContents(const QByteArray& bytes) {
        QXmlStreamReader xml(bytes);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            const QString name = xml.name().toString();
            ++elements[name];
            if (name == "svg") viewBox = xml.attributes().value("viewBox").toString();
            if (xml.attributes().hasAttribute("stroke"))
                strokes.insert(xml.attributes().value("stroke").toString());
            if (name == "text") texts.append(xml.readElementText());
        }
        wellFormed = !xml.hasError();
    }
    int vectors() const {
        return elements.value("path") + elements.value("polyline") + elements.value("line") +
               elements.value("ellipse") + elements.value("circle");
    }
    // Texts are split where they hold a run of spaces; a whole label stays one text.
    bool hasText(const QString& t) const { return texts.contains(t); }
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ExportTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(dir_.isValid());
        errorMessages_.clear();  // the instruction texts are not beside the tests
    }
    QString path(const QString& name) const { return dir_.filePath(name); }

    // Opens a diagram window from its menu command and runs `during` once it has drawn.
    void withDiagram(DiagramWindow& w, QAction* command, const std::function<void()>& during) {
        runModal(
            w, *program_->setRevArm, [command] { command->trigger(); }, during);
    }

    // Whether a row of the image holds at least `count` pixels of the colour.
    static bool rowWith(const QImage& image, QRgb colour, int count) {
        for (int y = 0; y < image.height(); ++y) {
            int n = 0;
            for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFFu) == colour;
            if (n >= count) return true;
        }
        return false;
    }

    QTemporaryDir dir_;
};

TEST_F(ExportTest, EachDiagramWindowHasTheExportMenuFirst) {
    for (DiagramWindow* w : std::initializer_list<DiagramWindow*>{
             program_->sineDia, program_->ovalDia, program_->steamDia, program_->portDia}) {
        const QList<QAction*> bar = w->findChild<QMenuBar*>("MainMenu1")->actions();
        ASSERT_FALSE(bar.isEmpty());
        EXPECT_EQ(bar.first()->text(), "&Export") << w->objectName().toStdString();
        EXPECT_EQ(bar.first()->menu(), w->ExportMenu);
        QStringList captions;
        for (QAction* a : w->ExportMenu->actions())
            if (!a->isSeparator()) captions.append(a->text());
        EXPECT_EQ(captions, QStringList({"Save as P&NG...", "Save as &SVG...", "&Copy Picture",
                                         "&Print..."}));
    }
}

TEST_F(ExportTest, TheSineDiagramSavesAsPngAndSvgFromItsMenu) {
    TSineDia& sine = *program_->sineDia;
    const float angle = model().gear.DriverAngle, position = model().gear.ReverseArmPosition;
    QImage shown;
    withDiagram(sine, form().SineDiag, [&] {
        shown = sine.image();
        exportPath_ = path("sine.png");
        sine.SavePng->trigger();
        exportPath_ = path("sine.svg");
        sine.SaveSvg->trigger();
        // Exporting draws nothing on the window.
        EXPECT_EQ(sine.image(), shown);
    });
    EXPECT_TRUE(errorMessages_.isEmpty()) << errorMessages_.join("; ").toStdString();
    EXPECT_EQ(exportRequests_, QStringList({"sine-diagram.png png", "sine-diagram.svg svg"}));
    // The gear is where it was: the SVG's drawing swept the solver and put it back.
    EXPECT_EQ(model().gear.DriverAngle, angle);
    EXPECT_EQ(model().gear.ReverseArmPosition, position);

    // The PNG is the window's picture drawn afresh, 632 x 414, with its port lines: the
    // front lines lime and the rear ones red, each across x 15-583.
    QImage png(path("sine.png"));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.size(), QSize(632, 414));
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), sine.pictureImage());
    EXPECT_TRUE(rowWith(png, 0x00FF00, 500));
    EXPECT_TRUE(rowWith(png, 0xFF0000, 500));

    // The SVG is vectors and texts, not a picture of pixels.
    const QByteArray bytes = readAll(path("sine.svg"));
    ASSERT_FALSE(bytes.isEmpty());
    const SvgContents svg(bytes);
    EXPECT_TRUE(svg.wellFormed);
    EXPECT_EQ(svg.viewBox, "0 0 632 414");
    EXPECT_EQ(svg.elements.value("image"), 0);
    // 9 rulers of 53 ticks and 6 long ones, 66 strokes of the curve, the port lines...
    EXPECT_GT(svg.vectors(), 9 * 59 + 66);
    for (const char* t :
         {"Front Steam Port Open", "Front Steam Port Max", "Front Exhaust Port Open",
          "Rear Steam Port Open", "Rear Steam Port Max", "Rear Exhaust Port Open",
          "Driver Clockwise Rotation --->", "Reverse Arm Positions"})
        EXPECT_TRUE(svg.hasText(t)) << t;
    EXPECT_TRUE(svg.strokes.contains("#00ff00"));
    EXPECT_TRUE(svg.strokes.contains("#ff0000"));
}

TEST_F(ExportTest, EveryDiagramSavesAnSvgOfItsOwnPicture) {
    struct Case {
        DiagramWindow* window;
        QAction* command;
        const char* name;
        const char* text;
    };
    const Case cases[] = {
        {program_->ovalDia, form().OvalDiag, "oval-diagram", "Percent Piston Travel"},
        {program_->steamDia, form().SteamDiag, "steam-diagram", "ADMISSION"},
        {program_->portDia, form().FourEvents, "port-open-closed", "Reverse Arm from Center"},
    };
    // The dynamic variables' read-outs go with the window's bars: no picture shows them.
    form().DynamicVariables->trigger();
    for (const Case& c : cases) {
        exportRequests_.clear();
        exportPath_ = path(QString(c.name) + ".svg");
        withDiagram(*c.window, c.command, [&] { c.window->SaveSvg->trigger(); });
        EXPECT_EQ(exportRequests_, QStringList(QString(c.name) + ".svg svg"));
        const SvgContents svg(readAll(exportPath_));
        EXPECT_TRUE(svg.wellFormed) << c.name;
        EXPECT_EQ(
            svg.viewBox,
            QString("0 0 %1 %2").arg(c.window->image().width()).arg(c.window->image().height()));
        EXPECT_GT(svg.vectors(), 20) << c.name;
        EXPECT_TRUE(svg.hasText(c.text)) << c.name;
        EXPECT_TRUE(svg.hasText("Nominal")) << c.name;  // the data set drawn
        EXPECT_FALSE(svg.hasText("* First Select Dimensions *")) << c.name;
    }
    EXPECT_TRUE(errorMessages_.isEmpty()) << errorMessages_.join("; ").toStdString();
}

TEST_F(ExportTest, CopyPicturePutsTheExportedPictureOnTheClipboard) {
    TSineDia& sine = *program_->sineDia;
    QGuiApplication::clipboard()->clear();
    withDiagram(sine, form().SineDiag, [&] { sine.CopyPicture->trigger(); });
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(632, 414));
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), sine.pictureImage());

    tick(3);
    form().CopyDrawing->trigger();
    const QImage drawing = QGuiApplication::clipboard()->image();
    EXPECT_EQ(drawing.size(), QSize(632, 380));
    EXPECT_EQ(drawing.convertToFormat(QImage::Format_RGB32), form().frameExport().pictureImage());
}

TEST_F(ExportTest, PrintingADiagramToAPdfFile) {
    TSineDia& sine = *program_->sineDia;
    setUpPrinter_ = [this](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path("sine.pdf"));
        return true;
    };
    withDiagram(sine, form().SineDiag, [&] { sine.PrintPicture->trigger(); });
    const QByteArray pdf = readAll(path("sine.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_GT(pdf.size(), 2000);
    EXPECT_TRUE(errorMessages_.isEmpty());

    // Cancelling the print dialog prints nothing and says nothing.
    setUpPrinter_ = [](QPrinter&) { return false; };
    form().PrintDrawing->trigger();
    EXPECT_TRUE(errorMessages_.isEmpty());

    // A printer that cannot be opened is reported.
    setUpPrinter_ = [this](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path("no such folder/drawing.pdf"));
        return true;
    };
    form().PrintDrawing->trigger();
    ASSERT_EQ(errorMessages_.size(), 1);
    EXPECT_TRUE(errorMessages_[0].contains("Printing")) << errorMessages_[0].toStdString();
}

// The main drawing.

TEST_F(ExportTest, TheFileMenuOffersTheDrawingsExportsBeforeExit) {
    QMenu* file = form().findChild<QMenu*>("File1");
    ASSERT_NE(file, nullptr);
    QStringList captions;
    for (QAction* a : file->actions()) captions.append(a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(captions,
              QStringList({"&OpenDimensions", "Sa&veDimensions", "Save&AsDimensions",
                           "&Recent Files", "Compare &With", "-", "Export Drawing as P&NG...",
                           "Export Drawing as &SVG...", "&Copy Drawing", "&Print Drawing...",
                           "Export &Design Sheet...", "Export Ani&mation...", "-", "E&xit"}));
}

TEST_F(ExportTest, TheMainDrawingsSvgHoldsTheLinksInTheirColours) {
    tick(5);
    exportPath_ = path("drawing.svg");
    form().ExportSvg->trigger();
    EXPECT_EQ(exportRequests_, QStringList("drawing.svg svg"));
    const SvgContents svg(readAll(path("drawing.svg")));
    EXPECT_TRUE(svg.wellFormed);
    EXPECT_EQ(svg.viewBox, "0 0 632 380");
    // Main rod and link rocking arm red, motion con rod and reverse arm lime, fulcrum lever
    // and valve rod blue, link con rod yellow, lifting link fuchsia.
    for (const char* colour : {"#ff0000", "#00ff00", "#0000ff", "#ffff00", "#ff00ff"})
        EXPECT_TRUE(svg.strokes.contains(colour)) << colour;
    EXPECT_EQ(svg.elements.value("image"), 0);
    EXPECT_TRUE(errorMessages_.isEmpty());
}

// An exported drawing is a picture of the mechanism: what belongs to the window's controls
// stays on the screen, and a caption names the data set, the day and the reverse arm.
TEST_F(ExportTest, TheMainDrawingLeavesTheControlsOutAndCarriesACaption) {
    form().DynamicVariables->trigger();  // four empty slots: "??"
    form().SetUnDo->trigger();           // the undo line, "0-  0.000 to  0.000."
    form().FwdClick();                   // mid gear and the normal travel forward
    const QString forward = QString::number(
        static_cast<double>(model().ReverseArmCentre() + model().frame.RevArmToCentNorm), 'f', 3);
    tick();
    exportPath_ = path("drawing.svg");
    form().ExportSvg->trigger();
    const SvgContents svg(readAll(path("drawing.svg")));
    ASSERT_TRUE(svg.wellFormed);
    for (const char* screenOnly :
         {"Pan Vert", "Pan Horz", "Zoom", "??", "0-", "0.000 to", "0.000."})
        EXPECT_FALSE(svg.hasText(screenOnly)) << screenOnly;
    // The caption's three parts, split at their runs of spaces.
    EXPECT_TRUE(svg.hasText("Nominal"));
    EXPECT_TRUE(svg.hasText(QDate::currentDate().toString("yyyy-MM-dd")));
    EXPECT_TRUE(svg.hasText("Reverse arm " + forward + " (Fwd)"));
    EXPECT_TRUE(svg.hasText("Rev Arm " + forward));  // the gear's own read-outs stay

    // The PNG: on the screen "Pan Vert" stands at (546, 27), 13 pixels high; in the picture
    // that place is white, and the caption's line is written at the foot (y 363-375).
    exportPath_ = path("drawing.png");
    form().ExportPng->trigger();
    const QImage png = QImage(path("drawing.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(png.size(), QSize(632, 380));
    const auto inked = [](const QImage& image, QRect area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu;
        return n;
    };
    const QRect panVert(546, 27, 40, 13);
    EXPECT_GT(inked(form().frameImage(), panVert), 20);
    EXPECT_EQ(inked(png, panVert), 0);
    EXPECT_GT(inked(png, QRect(8, 363, 150, 13)), 100);
    EXPECT_TRUE(errorMessages_.isEmpty());
}

TEST_F(ExportTest, TheStillDrawingIsTheLastFrameWithoutATicksSideEffects) {
    form().SetSteam->trigger();
    form().RunClick();
    tick(20);
    const float angle = model().gear.DriverAngle;
    const QString title = form().windowTitle();
    const std::size_t sounds = sound().played.size() + sound().volumes.size();
    const QImage frame = form().frameImage().copy(0, 0, 632, 380);

    // Drawn again on an image, the still drawing is the frame as shown, steam pixels and all.
    QImage still(632, 380, QImage::Format_RGB32);
    {
        QtCanvas canvas(still);
        form().drawStillFrame(canvas);
    }
    EXPECT_EQ(still, frame);
    // Twice the same SVG: no random state moves on.
    const auto svg = [this] {
        return svgBytes(QSize(632, 380), "drawing", "",
                        [this](Canvas& c) { form().drawStillFrame(c); });
    };
    EXPECT_EQ(svg(), svg());
    EXPECT_EQ(model().gear.DriverAngle, angle);
    EXPECT_EQ(sound().played.size() + sound().volumes.size(), sounds);
    EXPECT_EQ(form().windowTitle(), title);

    // The next frame is the one it would have been without the exports.
    QImage fresh;
    {
        ProgramOptions options;
        options.startTimer = false;
        options.showError = [](const QString&) {};
        Program other(std::make_unique<RecordingSound>(), options);
        other.createWindows();
        other.mainForm->show();
        other.mainForm->SetSteam->trigger();
        other.mainForm->RunClick();
        for (int i = 0; i < 21; ++i) other.mainForm->Timer1Timer();
        fresh = other.mainForm->frameImage().copy(0, 0, 632, 380);
    }
    tick(1);
    EXPECT_EQ(form().frameImage().copy(0, 0, 632, 380), fresh);
}

// The pivot data table.

TEST_F(ExportTest, ThePivotTablesCsvHoldsTheTablesNumbers) {
    // A comma as the desktop's decimal point must not reach the file.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    model().pivotDataSlots = {2, 4, 8, 14, 18, 21};
    model().gear.StepAngle = 7.5f;
    TDataTable& table = *program_->dataTable;
    table.show();
    const QStringList lines = table.DataMemo->toPlainText().split('\n');
    exportPath_ = path("pivots.csv");
    table.SaveCsv->trigger();
    table.close();
    QLocale::setDefault(saved);
    EXPECT_EQ(exportRequests_, QStringList("pivot-data.csv csv"));
    EXPECT_EQ(table.SaveCsv->text(), "&Save CSV...");

    const QStringList csv = QString::fromUtf8(readAll(path("pivots.csv"))).split('\n');
    ASSERT_GE(csv.size(), 3);
    EXPECT_TRUE(csv[0].startsWith("# Pivot data table")) << csv[0].toStdString();
    EXPECT_TRUE(
        csv[0].contains("reverse arm " + QString::number(model().gear.ReverseArmPosition, 'f', 3)));
    EXPECT_TRUE(csv[0].contains("data set Nominal, "));
    EXPECT_TRUE(csv[0].contains(QRegularExpression(R"(, \d{4}-\d\d-\d\d \d\d:\d\d$)")))
        << csv[0].toStdString();
    EXPECT_EQ(csv[1],
              "angle,no1_pivot2_vert,no1_pivot2_horz,no2_pivot4_vert,no2_pivot4_horz,"
              "no3_pivot8_vert,no3_pivot8_horz,no4_pivot14_vert,no4_pivot14_horz,"
              "no5_pivot18_vert,no5_pivot18_horz,no6_pivot21_vert,no6_pivot21_horz");

    // 0 to 360 in steps of 7.5: 49 rows, after the table's four heading lines.
    const QStringList rows = lines.mid(4);
    ASSERT_EQ(rows.size(), 49);
    QStringList csvRows = csv.mid(2);
    ASSERT_EQ(csvRows.last(), "");  // the file ends with a line end
    csvRows.removeLast();
    ASSERT_EQ(csvRows.size(), rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList fields = csvRows[r].split(',');
        const QStringList columns = rows[r].split(' ', Qt::SkipEmptyParts);
        ASSERT_EQ(fields.size(), 13) << r;
        EXPECT_EQ(fields, columns) << r;
        EXPECT_DOUBLE_EQ(fields[0].toDouble(), 7.5 * r);
    }
}

// Failed saves.

TEST_F(ExportTest, ASaveThatFailsIsReportedAndLeavesTheOldFileAlone) {
    tick(2);
    // A folder that does not exist.
    exportPath_ = path("no such folder/drawing.png");
    form().ExportPng->trigger();
    ASSERT_EQ(errorMessages_.size(), 1);
    EXPECT_TRUE(errorMessages_[0].contains("saving failed")) << errorMessages_[0].toStdString();
    EXPECT_TRUE(errorMessages_[0].contains(QDir::toNativeSeparators(exportPath_)));
    EXPECT_FALSE(QFile::exists(exportPath_));

    // A folder nothing can be written in, not even by the system's administrator: the file
    // already there stays as it was.
    const QString old = "/proc/version";
    const QByteArray before = readAll(old);
    ASSERT_FALSE(before.isEmpty());
    exportPath_ = old;
    form().ExportSvg->trigger();
    ASSERT_EQ(errorMessages_.size(), 2);
    EXPECT_TRUE(errorMessages_[1].contains("saving failed"));
    EXPECT_EQ(readAll(old), before);

    // An old file of one's own is replaced only by a whole new one.
    exportPath_ = path("drawing.png");
    {
        QFile f(exportPath_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    form().ExportPng->trigger();
    EXPECT_EQ(errorMessages_.size(), 2);
    EXPECT_EQ(QImage(exportPath_).size(), QSize(632, 380));

    // Cancelling the dialog saves nothing and says nothing.
    exportPath_.clear();
    form().ExportSvg->trigger();
    EXPECT_EQ(errorMessages_.size(), 2);
}

}  // namespace
}  // namespace tarvell::test
