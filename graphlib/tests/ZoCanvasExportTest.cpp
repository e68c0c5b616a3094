#include "ZoCanvasExport.h"
#include "ZoCanvasClass.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

} // namespace
