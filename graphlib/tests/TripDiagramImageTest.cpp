// Renders the diagram of the shipped line 02П through the Qt surface into PNG files in the
// build tree (full size and half size) for a look by eye, and checks what must be there.
#include "Cp1251.h"
#include "TripDiagramClass.h"
#include "TripDiagramLineOfKelo.h"
#include "ZoQtDrawingSurfaceClass.h"

#include "KeloDemoDataClass.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>

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
    const auto line = TripDiagramLineOfKelo(MakeBuiltInSource(), number);
    QFont font = QApplication::font();
    font.setPointSize(8);
    ZoQtDrawingSurfaceClass measure(font);
    TripDiagramHeadlessHostClass host;
    TripDiagramClass diagram(host, measure);
    diagram.Create(number, line);
    diagram.ShowBackwardKelos();
    diagram.BuildScene();

    const QRect area(0, 0, host.paintWidth, host.paintHeight);
    const QImage image = ZoRenderCanvasToImage(diagram.GetCanvas(), area, font);
    ASSERT_EQ(image.size(), area.size());
    ASSERT_TRUE(image.save("trip_diagram_02P.png"));
    const QImage half = image.scaled(image.width() / 2, image.height() / 2, Qt::IgnoreAspectRatio,
                                     Qt::SmoothTransformation);
    ASSERT_TRUE(half.save("trip_diagram_02P_half.png"));
    // A window-sized piece around the morning, as the planner first sees it.
    ZoRenderCanvasToImage(diagram.GetCanvas(), QRect(diagram.TimeToX(6.5), 0, 1000, 700), font)
        .save("trip_diagram_02P_morning.png");
    EXPECT_TRUE(QFileInfo::exists("trip_diagram_02P.png"));

    // The selected kelo in its colour, the others grey, grids light grey, axes black.
    EXPECT_GT(CountColour(image, ZoColorToQColor(0xFF0000).rgb()), 50);
    EXPECT_GT(CountColour(image, ZoColorToQColor(0x808080).rgb()), 500);
    EXPECT_GT(CountColour(image, ZoColorToQColor(0xE0E0E0).rgb()), 5000);
    // The distance axis is a solid black column from the first stop to the last.
    const int axisX = diagram.State().labelWidth + 20;
    for (int y = diagram.DistanceToY(diagram.GetLineLength()); y <= diagram.DistanceToY(0); ++y)
        ASSERT_EQ(image.pixel(axisX, y) & 0xFFFFFF, 0u) << y;
    // Stop names stand left of the axis: dark glyph pixels in the label column.
    const QImage labels = image.copy(0, 0, axisX - 5, image.height());
    EXPECT_GT(CountColour(labels, qRgb(0, 0, 0)), 200);
    // Right of the day's end, above the hour labels, the picture is blank.
    const int ys = diagram.DistanceToY(0);
    const QImage beyond = image.copy(diagram.TimeToX(24) + 5, 0, 10, ys - 6);
    EXPECT_EQ(CountColour(beyond, qRgb(255, 255, 255)), beyond.width() * beyond.height());
}

} // namespace
