#include "KeloExportCommand.h"
#include "Cp1251.h"
#include "KeloDBBuiltInExport.h"
#include "KeloDBConnectionClass.h"
#include "KeloDemoDataClass.h"
#include "KeloLineOf.h"
#include "KeloStartupSource.h"
#include "TKeloMainFrame.h"
#include "TripDiagramClass.h"
#include "ZoCanvasExport.h"
#include "ZoQtDrawingSurfaceClass.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

const std::string Kelo02P = "02\xCF"; // 02П in the data's code page

struct ExportRun {
    int status;
    std::string errors;
};

ExportRun Export(const std::string& number, const std::string& file) {
    std::ostringstream errors;
    const int status = RunDiagramExport(number, file, MakeBuiltInSource(), errors);
    return {status, errors.str()};
}

TEST(KeloExportCommand, ExitStatusesAndMessages) {
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString() + "/";
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.pdf"));
    struct Case {
        std::string number, file;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {"02П", "out.pdf", 0, ""},
        {"02П", "OUT.SVG", 0, ""},
        // The built-in line is 17,293 pixels wide: the PNG is scaled down, and says so.
        {"02П", "out.png", 0, "holds it scaled to 95 %"},
        {"02Я", "no.pdf", 2, "no kelo with the number \"02Я\""},
        {"02\xFF", "bad.pdf", 2, "no kelo with the number"}, // not UTF-8
        {"02П", "out.txt", 2, "use .pdf, .svg or .png"},
        {"02П", "out", 2, "use .pdf, .svg or .png"},
        {"02П", "missing/out.pdf", 2, "cannot write"},
        {"02П", "folder.pdf", 2, "cannot write"},
    };
    for (const Case& c : cases) {
        const ExportRun run = Export(c.number, base + c.file);
        EXPECT_EQ(run.status, c.status) << c.file;
        if (c.message.empty()) {
            EXPECT_EQ(run.errors, "") << c.file;
            EXPECT_GT(QFile(QString::fromStdString(base + c.file)).size(), 1000) << c.file;
        } else {
            EXPECT_NE(run.errors.find(c.message), std::string::npos) << run.errors;
            EXPECT_EQ(run.errors.find('\n'), run.errors.size() - 1) << "one line: " << run.errors;
        }
    }
    // Nothing but the three pictures and the folder: no partial or temporary files.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 4);
}

TEST(KeloExportCommand, PngIsTheNewWindowsPaintAreaAndSvgKeepsStopNamesAsText) {
    QTemporaryDir dir;
    const std::string png = dir.filePath("02P.png").toStdString();
    const std::string svg = dir.filePath("02P.svg").toStdString();
    ASSERT_EQ(Export("02П", png).status, 0);
    ASSERT_EQ(Export("02П", svg).status, 0);

    // The picture a new window draws over the built-in source restricted to the line.
    const std::vector<std::string> line = KeloLineOf(MakeBuiltInSource(), Kelo02P);
    const QFont font = QApplication::font("QWidget");
    ZoQtDrawingSurfaceClass measure(font);
    TripDiagramHeadlessHostClass host;
    TripDiagramClass diagram(host, measure);
    diagram.Create(Kelo02P, line, MakeBuiltInSource(line));
    diagram.BuildScene();
    const QRect area(0, 0, host.paintWidth, host.paintHeight);
    // Wider than a PNG may be: scaled down to its limit, the texts drawn at screen size.
    const double scale = ZoPngScaleOf(area.size());
    ASSERT_LT(scale, 1);
    QFont texts = ZoFontInPixels(font);
    texts.setPixelSize(int(std::lround(texts.pixelSize() / scale)));
    const QImage expected = ZoRenderCanvasToImage(diagram.GetCanvas(), area, texts, scale);
    const QImage written(QString::fromStdString(png));
    ASSERT_EQ(written.width(), ZoMaxPngSide);
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), expected);

    QFile file(QString::fromStdString(svg));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    KeloStopSetPtrClass stops = diagram.GetView()->GetStopSet();
    ASSERT_EQ(stops->GetCount(), 9);
    for (int i = 0; i < stops->GetCount(); ++i) {
        const QString name = QString::fromStdString(Cp1251ToUtf8(stops->GetItem(i)->GetName()));
        EXPECT_TRUE(text.contains(">" + name + "</text>")) << name.toStdString();
    }
    EXPECT_TRUE(text.contains(">12:00</text>"));
}

// A read that fails after the file opened (here another program drops a column) refuses
// the export rather than drawing a picture without the stays.
TEST(KeloExportCommand, AFailedReadRefusesTheExportAndWritesNothing) {
    QTemporaryDir dir;
    const std::string database = dir.filePath("plan.db").toStdString();
    KeloDBWriteBuiltInDataSet(database);
    const KeloStartupSourceType opened = OpenStartupSource(database, 100, true);
    ASSERT_FALSE(opened.source.IsNull()) << opened.error.toStdString();
    KeloDBConnectionClass(database, KeloDBConnectionClass::ModeType::OpenExisting, 0)
        .Execute("ALTER TABLE entry DROP COLUMN stay");
    std::ostringstream errors;
    const std::string svg = dir.filePath("02P.svg").toStdString();
    EXPECT_EQ(RunDiagramExport("02П", svg, opened.source, errors, opened.readFailure), 2);
    EXPECT_NE(errors.str().find("cannot read the database: no such column: stay"),
              std::string::npos)
        << errors.str();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(svg)));
}

TEST(KeloExportCommand, TheProgramExportsWithoutADisplayAndKeepsItsExitStatus) {
    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    auto run = [&](const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(KELO_PROGRAM, arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return process.exitCode();
    };
    EXPECT_EQ(run({"--export", "02П", dir.filePath("a.svg")}), 0);
    EXPECT_TRUE(QFile::exists(dir.filePath("a.svg")));
    EXPECT_EQ(run({"--export", "nope", dir.filePath("b.svg")}), 2);
    EXPECT_FALSE(QFile::exists(dir.filePath("b.svg")));
}

} // namespace
