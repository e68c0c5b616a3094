#include "ZoCanvasExport.h"
#include "ZoCanvasClass.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(ZoCanvasExport, APictureBeyondThePdfPageLimitIsShrunkOntoTheLargestPage) {
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty() ||
        QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdfinfo / pdftotext (poppler-utils) are not installed";
    ZoCanvasClass canvas;
    canvas.AddLine(0, 100, 40000, 100);
    canvas.AddText(39000, 50, "END");
    QTemporaryDir dir;
    const QString file = dir.filePath("wide.pdf");
    ASSERT_EQ(ZoExportCanvas(canvas, QRect(0, 0, 40000, 200), QApplication::font(), file), "");
    QProcess info;
    info.start("pdfinfo", {file});
    info.waitForFinished();
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    // 40000 pixels are 30000 points: drawn at 14400 x 72 points, the aspect kept.
    EXPECT_TRUE(text.contains(QRegularExpression("Page size: +14400 x 72 pts")))
        << text.toStdString();
    QProcess words;
    words.start("pdftotext", {file, "-"});
    words.waitForFinished();
    EXPECT_TRUE(words.readAllStandardOutput().contains("END"));
}

// The rows of the image in which column range [left, right) has a dark pixel.
int DarkRows(const QImage& image, int left, int right) {
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
        bool dark = false;
        for (int x = left; x < right && !dark; ++x)
            dark = qGray(image.pixel(x, y)) < 128;
        rows += dark;
    }
    return rows;
}

TEST(ZoCanvasExport, APngBeyondTheSideLimitIsScaledDownWithItsTextsAtScreenSize) {
    EXPECT_EQ(ZoPngScaleOf(QSize(16384, 16384)), 1.0);
    EXPECT_DOUBLE_EQ(ZoPngScaleOf(QSize(100, 32768)), 0.5);
    QTemporaryDir dir;
    std::map<int, int> textRows;
    for (const int width : {1000, 40000}) {
        ZoCanvasClass canvas;
        canvas.AddLine(0, 150, width, 150);
        canvas.AddText(width - 200, 20, "WIDE END");
        const QString file = dir.filePath(QString("p%1.png").arg(width));
        ASSERT_EQ(ZoExportCanvas(canvas, QRect(0, 0, width, 200), QApplication::font(), file), "");
        const QImage image(file);
        const double scale = ZoPngScaleOf(QSize(width, 200));
        EXPECT_EQ(image.width(), std::lround(width * scale));
        EXPECT_EQ(image.height(), std::lround(200 * scale));
        textRows[width] = DarkRows(image, int((width - 200) * scale), image.width()) - 1;
    }
    // The text is as tall in both pictures, though the wide one is drawn at 41 %.
    EXPECT_GE(textRows[1000], 6);
    EXPECT_NEAR(textRows[40000], textRows[1000], 1);
}

} // namespace
