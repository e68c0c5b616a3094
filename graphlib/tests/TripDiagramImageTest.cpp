// Renders the diagram of the shipped line 02П through the Qt surface into PNG files in the
// build tree (full size and half size) for a look by eye, and checks what must be there.
#include "Cp1251.h"
#include "TripDiagramClass.h"
#include "ZoQtDrawingSurfaceClass.h"

#include "KeloDemoDataClass.h"
#include "KeloLineOf.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

int CountColour(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            n += (row[x] & 0xFFFFFF) == (colour & 0xFFFFFF);
    }
    return n;
}

TEST(TripDiagramImage, ShippedLine02PRendersAsATimeDistanceDiagram) {
    const std::string number = Utf8ToCp1251("02П").bytes;
    const auto line = KeloLineOf(MakeBuiltInSource(), number);
    QFont font = QApplication::font();
    font.setPointSize(8);
    ZoQtDrawingSurfaceClass measure(font);
    TripDiagramHeadlessHostClass host;
    TripDiagramClass diagram(host, measure);
    diagram.Create(number, line, MakeBuiltInSource(line));
    diagram.ShowBackwardKelos();
    diagram.BuildScene();

    const QRect area(0, 0, host.paintWidth, host.paintHeight);
    const QImage image = ZoRenderCanvasToImage(diagram.GetCanvas(), area, font);
    ASSERT_EQ(image.size(), area.size());
    ASSERT_TRUE(image.save("trip_diagram_02P.png"));
    const QImage half = image.scaled(image.width() / 2, image.height() / 2, Qt::IgnoreAspectRatio,
                                     Qt::SmoothTransformation);
    ASSERT_TRUE(half.save("trip_diagram_02P_half.png"));
    EXPECT_EQ(half.size(), QSize(image.width() / 2, image.height() / 2));
    // Halving blends the 3-pixel line of 02П with the white, but it keeps its hue.
    const QColor selected = ZoColorToQColor(0xFF0000);
    int tinted = 0;
    for (int y = 0; y < half.height(); ++y)
        for (int x = 0; x < half.width(); ++x) {
            const QColor c = half.pixelColor(x, y);
            tinted += c.hsvSaturation() > 100 && std::abs(c.hsvHue() - selected.hsvHue()) < 15;
        }
    EXPECT_GT(tinted, 50);
    // Window-sized pieces: the stop names with the start of the day, and the morning
    // from the start of 02П, where a new window opens.
    const QRect window(0, 0, 1000, host.paintHeight);
    const QImage left = ZoRenderCanvasToImage(diagram.GetCanvas(), window, font);
    left.save("trip_diagram_02P_left.png");
    const QImage morning = ZoRenderCanvasToImage(diagram.GetCanvas(),
                                                 window.translated(diagram.TimeToX(7.9), 0), font);
    morning.save("trip_diagram_02P_morning.png");
    EXPECT_EQ(left.size(), window.size());
    EXPECT_EQ(morning.size(), window.size());
    // 02П leaves at 08:00: its colour fills the morning piece, while the left piece (before
    // 08:00 once the names are past) shows grey kelos only.
    EXPECT_GT(CountColour(morning, ZoColorToQColor(0xFF0000).rgb()), 50);
    const int eight = diagram.TimeToX(8.0);
    if (eight > window.width()) {
        EXPECT_EQ(CountColour(left, ZoColorToQColor(0xFF0000).rgb()), 0);
    }
    EXPECT_GT(CountColour(left, ZoColorToQColor(0xE0E0E0).rgb()), 1000);
    EXPECT_TRUE(QFileInfo::exists("trip_diagram_02P.png"));

    // The selected kelo in its colour, the others grey, grids light grey, axes black.
    EXPECT_GT(CountColour(image, ZoColorToQColor(0xFF0000).rgb()), 50);
    EXPECT_GT(CountColour(image, ZoColorToQColor(0x808080).rgb()), 500);
    EXPECT_GT(CountColour(image, ZoColorToQColor(0xE0E0E0).rgb()), 5000);
    // The distance axis is a black column from the first stop to the last; only where a
    // stop's dotted grid line starts on it does a grid dot show.
    const int axisX = diagram.State().labelWidth + 20;
    const int top = diagram.DistanceToY(diagram.GetLineLength());
    const int bottom = diagram.DistanceToY(0);
    int black = 0;
    for (int y = top; y <= bottom; ++y)
        black += (image.pixel(axisX, y) & 0xFFFFFF) == 0;
    EXPECT_GE(black, bottom - top + 1 - static_cast<int>(line.size()));
    EXPECT_EQ(image.pixel(axisX - 10, bottom) & 0xFFFFFF, 0xFFFFFFu); // left of the ticks
    EXPECT_EQ(image.pixel(axisX - 3, bottom) & 0xFFFFFF, 0u);         // a stop's tick
    // Stop names stand left of the axis: dark glyph pixels in the label column.
    const QImage labels = image.copy(0, 0, axisX - 5, image.height());
    int dark = 0;
    for (int y = 0; y < labels.height(); ++y)
        for (int x = 0; x < labels.width(); ++x)
            dark += qGray(labels.pixel(x, y)) < 128;
    EXPECT_GT(dark, 200);
    // Right of the day's end, above the hour labels, the picture is blank.
    const int ys = diagram.DistanceToY(0);
    const QImage beyond = image.copy(diagram.TimeToX(24) + 5, 0, 10, ys - 6);
    EXPECT_EQ(CountColour(beyond, qRgb(255, 255, 255)), beyond.width() * beyond.height());

    // The whole day at a quarter, small enough to take in at one glance.
    const int fullDay = diagram.TimeToX(24) - diagram.TimeToX(0);
    diagram.SetZoom(0.25f);
    const QImage quarter = ZoRenderCanvasToImage(
        diagram.GetCanvas(), QRect(0, 0, host.paintWidth, host.paintHeight), font);
    quarter.save("trip_diagram_02P_quarter.png");
    EXPECT_NEAR(diagram.TimeToX(24) - diagram.TimeToX(0), fullDay / 4, 2);
    EXPECT_LE(diagram.TimeToX(24), quarter.width());
    EXPECT_GT(CountColour(quarter, ZoColorToQColor(0xFF0000).rgb()), 20);
}

} // namespace
