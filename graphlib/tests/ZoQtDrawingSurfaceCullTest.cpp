// Lines outside the area to repaint are skipped: the area looks as it does in a full paint.
#include "ZoCanvasClass.h"
#include "ZoQtDrawingSurfaceClass.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(ZoQtDrawingSurfaceCull, AnAreaPaintedAloneEqualsThatAreaOfTheWholePicture) {
    std::mt19937 random(11);
    auto coordinate = [&](int size) { return int(random() % (size + 80)) - 40; };
    ZoCanvasClass canvas;
    for (int i = 0; i < 600; ++i) {
        canvas.SetPenColor(ZoColorType(random() % 0xFFFFFF));
        canvas.SetPenStyle(int(random() % 3));
        canvas.SetPenWidth(int(random() % 4));
        if (i % 50 == 0)
            canvas.AddCircle(coordinate(400), coordinate(300), int(random() % 20));
        else if (i % 3 == 0) // short runs, like a timetable's segments
            canvas.AddLine(coordinate(400), coordinate(300), coordinate(400), coordinate(300));
        else {
            const int x = coordinate(400), y = coordinate(300);
            canvas.AddLine(x, y, x + int(random() % 30) - 15, y + int(random() % 30) - 15);
        }
    }
    for (const QRect area : {QRect(0, 0, 400, 300), QRect(100, 50, 120, 90), QRect(0, 0, 37, 300),
                             QRect(390, 290, 10, 10), QRect(150, 0, 1, 300)}) {
        const QImage culled = ZoRenderCanvasToImage(canvas, area, QApplication::font());
        // The same area through a surface that draws every line.
        QImage full(area.size(), QImage::Format_RGB32);
        full.fill(Qt::white);
        {
            QPainter painter(&full);
            painter.setFont(QApplication::font());
            painter.translate(-area.left(), -area.top());
            ZoQtDrawingSurfaceClass surface(painter);
            canvas.SetSurface(&surface);
            canvas.Paint();
            canvas.SetSurface(nullptr);
        }
        EXPECT_EQ(culled, full) << area.x() << "," << area.y();
    }
}

// A repaint leaves out a line whose pen cannot reach the area: every pixel a line lights,
// in each pen and style, must answer that the line may paint it.
TEST(ZoQtDrawingSurfaceCull, EveryPixelALineLightsIsWithinItsReach) {
    std::mt19937 random(5);
    for (int i = 0; i < 1500; ++i) {
        const int x = int(random() % 40) + 10, y = int(random() % 40) + 10;
        const ZoCanvasItemLineClass line(x, y, x + int(random() % 41) - 20,
                                         y + int(random() % 41) - 20, 0, int(random() % 3),
                                         int(random() % 4));
        QImage image(70, 70, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            ZoQtDrawingSurfaceClass surface(painter, QRect(0, 0, 70, 70));
            line.DrawCopy(surface);
        }
        for (int py = 0; py < 70; ++py) {
            for (int px = 0; px < 70; ++px) {
                if (image.pixel(px, py) == qRgb(255, 255, 255))
                    continue;
                ASSERT_TRUE(line.MayPaint({px, py, px + 1, py + 1}))
                    << px << "," << py << " of " << line.x1 << "," << line.y1 << "-" << line.x2
                    << "," << line.y2 << " width " << line.penWidth;
            }
        }
    }
}

} // namespace
