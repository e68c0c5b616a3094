#include "ZoQtDrawingSurfaceClass.h"

#include "Cp1251.h"
#include "ZoCanvasClass.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace {

QRgb Rgb(ZoColorType color) {
    return ZoColorToQColor(color).rgb();
}

TEST(ZoQtDrawingSurface, ColoursAreBlueGreenRedFromTheTop) {
    EXPECT_EQ(ZoColorToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ZoColorToQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(ZoColorToQColor(0x00FF7F), QColor(127, 255, 0));
    EXPECT_EQ(ZoColorFromQColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
    for (ZoColorType c : {0x000000u, 0xE0E0E0u, 0x808080u, 0x7F00FFu})
        EXPECT_EQ(ZoColorFromQColor(ZoColorToQColor(c)), c);
}

TEST(ZoQtDrawingSurface, PenStylesMapToQtStyles) {
    EXPECT_EQ(ZoPenStyleToQt(0), Qt::SolidLine);
    EXPECT_EQ(ZoPenStyleToQt(1), Qt::DashLine);
    EXPECT_EQ(ZoPenStyleToQt(2), Qt::DotLine);
    EXPECT_EQ(ZoPenStyleToQt(3), Qt::DashDotLine);
    EXPECT_EQ(ZoPenStyleToQt(4), Qt::DashDotDotLine);
    EXPECT_EQ(ZoPenStyleToQt(5), Qt::NoPen);
    EXPECT_EQ(ZoPenStyleToQt(42), Qt::SolidLine);
}

TEST(ZoQtDrawingSurface, MeasuresWindows1251TextsAsTheirCharacters) {
    const QFont font = QApplication::font();
    ZoQtDrawingSurfaceClass surface(font, QRect(0, 0, 10, 10));
    const std::string name = Utf8ToCp1251("ВИННИЦА 1").bytes;
    const QFontMetrics metrics(font);
    EXPECT_EQ(surface.TextWidth(name), metrics.horizontalAdvance(QStringLiteral("ВИННИЦА 1")));
    EXPECT_GT(surface.TextWidth(name), surface.TextWidth("1"));
    EXPECT_EQ(surface.TextHeight(name), metrics.height());
    EXPECT_EQ(surface.TextWidth(""), 0);
    EXPECT_EQ(surface.GetClipRect(), (ZoRectType{0, 0, 10, 10}));
    // A measuring surface draws nothing and does not fail.
    surface.MoveTo(0, 0);
    surface.LineTo(5, 5);
    surface.Rectangle({0, 0, 5, 5});
    surface.Ellipse({0, 0, 5, 5});
    surface.TextOut(0, 0, name);
}

TEST(ZoQtDrawingSurface, ClipRectComesFromThePainterOrItsDevice) {
    QImage image(40, 30, QImage::Format_RGB32);
    QPainter painter(&image);
    {
        ZoQtDrawingSurfaceClass surface(painter);
        EXPECT_EQ(surface.GetClipRect(), (ZoRectType{0, 0, 40, 30}));
    }
    painter.setClipRect(QRect(5, 6, 10, 12));
    ZoQtDrawingSurfaceClass surface(painter);
    EXPECT_EQ(surface.GetClipRect(), (ZoRectType{5, 6, 15, 18}));
}

TEST(ZoQtDrawingSurface, CanvasPaintsBackgroundLinesAndTextBoxes) {
    ZoCanvasClass canvas;
    canvas.SetBackgroundColor(0x00FF00);
    canvas.SetPenColor(0x0000FF);
    canvas.AddLine(5, 10, 60, 10); // solid red
    canvas.SetPenStyle(ZoPenDot);
    canvas.SetPenColor(0xFF0000);
    canvas.AddLine(5, 30, 60, 30); // dotted blue
    canvas.SetPenStyle(ZoPenSolid);
    canvas.SetPenColor(0);
    canvas.AddLine(5, 50, 90, 50);
    canvas.AddText(10, 45, "        "); // blanks: only the box, which hides the line
    const QImage image = ZoRenderCanvasToImage(canvas, QRect(0, 0, 100, 80), QApplication::font());
    ASSERT_EQ(image.size(), QSize(100, 80));
    EXPECT_EQ(image.pixel(70, 70), Rgb(0x00FF00));
    EXPECT_EQ(image.pixel(30, 10), Rgb(0x0000FF));
    int blue = 0, background = 0;
    for (int x = 10; x < 50; ++x) {
        blue += image.pixel(x, 30) == Rgb(0xFF0000);
        background += image.pixel(x, 30) == Rgb(0x00FF00);
    }
    EXPECT_GT(blue, 8);
    EXPECT_GT(background, 8);
    EXPECT_EQ(image.pixel(12, 50), Rgb(0x00FF00)); // under the text box
    EXPECT_EQ(image.pixel(89, 50), Rgb(0));        // beyond it
    // An image is output, not the canvas's own surface: the text's hit area stays unset.
    std::uint32_t id = 0;
    EXPECT_TRUE(canvas.HitTest(12, 50, id));
    EXPECT_EQ(id, 2u);
    EXPECT_EQ(canvas.GetSurface(), nullptr);
}

TEST(ZoQtDrawingSurface, RendersAnOffsetAreaAtAScale) {
    ZoCanvasClass canvas;
    canvas.SetPenWidth(2);
    canvas.AddLine(200, 100, 300, 100);
    const QImage image =
        ZoRenderCanvasToImage(canvas, QRect(200, 80, 100, 40), QApplication::font(), 0.5);
    ASSERT_EQ(image.size(), QSize(50, 20));
    EXPECT_EQ(image.pixel(25, 10), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(25, 2), qRgb(255, 255, 255));
}

} // namespace

namespace {

// A dotted grid line, across and upwards, drawn through `pieces` clips of a 100 x 100 image.
QImage DottedLinesIn(const std::vector<QRect>& pieces) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (const QRect& piece : pieces) {
        painter.setClipRect(piece);
        ZoQtDrawingSurfaceClass surface(painter, piece);
        surface.SetPenStyle(ZoPenDot);
        surface.MoveTo(3, 40);
        surface.LineTo(97, 40);
        surface.MoveTo(60, 95);
        surface.LineTo(60, 2);
    }
    return image;
}

} // namespace

TEST(ZoQtDrawingSurface, DotsOfALinePaintedInPiecesMeet) {
    const QImage whole = DottedLinesIn({QRect(0, 0, 100, 100)});
    EXPECT_EQ(whole.pixel(3, 40), qRgb(0, 0, 0));
    EXPECT_EQ(whole.pixel(4, 40), qRgb(255, 255, 255));
    EXPECT_EQ(whole.pixel(6, 40), qRgb(0, 0, 0));
    EXPECT_EQ(whole.pixel(60, 92), qRgb(0, 0, 0));
    EXPECT_EQ(whole.pixel(60, 93), qRgb(255, 255, 255));
    // Cut where the dots do not start again by themselves.
    EXPECT_EQ(DottedLinesIn({QRect(0, 0, 35, 100), QRect(35, 0, 65, 51), QRect(35, 51, 65, 49)}),
              whole);
}
