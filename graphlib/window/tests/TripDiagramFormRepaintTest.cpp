// What the shown window holds after clicks, scrolls and saves repainted only parts of the
// chart equals a full render of the scene, pixel for pixel.
#include "KeloBuiltInTestSupport.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloDemoDataClass.h"
#include "ModalAnswer.h"
#include "TKeloDiagramChangesForm.h"
#include "TKeloTripDiagramForm.h"
#include "TripDiagramPaintBox.h"
#include "ZoQtDrawingSurfaceClass.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

const std::string Kelo02P = "02\xCF"; // 02П

class TripDiagramFormRepaintTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        form = std::make_unique<TKeloTripDiagramForm>(nullptr, Kelo02P, BuiltInLineOf(Kelo02P),
                                                      MakeBuiltInSource(BuiltInLineOf(Kelo02P)));
        form->resize(900, 600);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        if (!GetParam()) // multi-colour: the selected kelo's pen widens to 3
            form->ChartPopupMenu()->findChild<QAction*>("MonoColorMenuItem")->trigger();
        form->Diagram().ShowBackwardKelos();
        form->ApplyKeloSelection();
        QCoreApplication::processEvents();
    }

    QWidget* Viewport() { return form->ChartScrollBox()->viewport(); }
    // The part of the viewport the paint area covers, in viewport coordinates.
    QRect Shown() {
        return QRect(QPoint(0, 0), Viewport()->size()) & form->ChartPaintBox()->geometry();
    }

    // What the window's backing store holds there now.
    QImage OnScreen() {
        const QRect shown = Shown().translated(Viewport()->mapTo(form.get(), QPoint(0, 0)));
        return form->screen()
            ->grabWindow(form->winId(), shown.x(), shown.y(), shown.width(), shown.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    // The same part drawn afresh, every item through one plain full paint.
    QImage FullRender() {
        const QRect shown = Shown();
        QImage image(shown.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(form->ChartPaintBox()->font());
        const QPoint origin = form->ChartPaintBox()->pos();
        painter.translate(origin - shown.topLeft());
        ZoQtDrawingSurfaceClass surface(painter, shown.translated(-origin));
        form->Diagram().PaintOn(surface);
        return image;
    }

    // Whether `colour` is at (x, y) of `image` or beside it.
    static bool NearBy(const QImage& image, int x, int y, QRgb colour) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (image.rect().contains(x + dx, y + dy) && image.pixel(x + dx, y + dy) == colour)
                    return true;
        return false;
    }

    // Equal pixel for pixel, but for this: the toolkit draws a slanting line afresh from where
    // a clip cuts it, which may move one step of the line by a pixel. Such a pixel has its
    // colour in the other picture right beside it, and there are very few of them; anything
    // missing, left over or stacked wrongly is not so.
    void ExpectSameAsFullRender(const char* step) {
        QCoreApplication::processEvents();
        const QImage screen = OnScreen();
        const QImage full = FullRender();
        ASSERT_EQ(screen.size(), full.size()) << step;
        int shifted = 0;
        int wrong = 0;
        for (int y = 0; y < full.height(); ++y) {
            for (int x = 0; x < full.width(); ++x) {
                const QRgb a = screen.pixel(x, y);
                const QRgb b = full.pixel(x, y);
                if (a == b)
                    continue;
                if (NearBy(full, x, y, a) && NearBy(screen, x, y, b))
                    ++shifted;
                else
                    ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0) << step;
        EXPECT_LE(shifted, full.width() * full.height() / 10000) << step;
    }

    // The middle of the kelo's longest line inside the visible part, in paint-area
    // coordinates; none when the kelo is not drawn there.
    std::optional<QPoint> PointOn(int kelo) {
        const ZoCanvasClass& canvas = form->Diagram().GetCanvas();
        const QRect visible = Shown().translated(-form->ChartPaintBox()->pos());
        std::optional<QPoint> best;
        int longest = 8;
        for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id) {
            const auto* line = dynamic_cast<const ZoCanvasItemLineClass*>(canvas.GetItem(id));
            if (line == nullptr ||
                !canvas.TagMatches(id, TripDiagramClass::KeloIndexTag, std::to_string(kelo)))
                continue;
            const QPoint middle((line->x1 + line->x2) / 2, (line->y1 + line->y2) / 2);
            const int length = std::abs(line->x2 - line->x1) + std::abs(line->y2 - line->y1);
            if (length > longest && visible.adjusted(4, 4, -4, -4).contains(middle)) {
                longest = length;
                best = middle;
            }
        }
        return best;
    }

    int ClickEveryShownKelo(int limit) {
        int clicks = 0;
        const int kelos = int(form->Diagram().KeloViews().size());
        for (int k = 0; k < kelos && clicks < limit; ++k) {
            if (auto at = PointOn(k)) {
                form->ChartPaintBoxMouseDown(Qt::LeftButton, at->x(), at->y());
                form->ChartPaintBoxMouseUp(Qt::LeftButton, at->x(), at->y());
                ++clicks;
                ExpectSameAsFullRender("click");
            }
        }
        return clicks;
    }

    std::unique_ptr<TKeloTripDiagramForm> form;
};

TEST_P(TripDiagramFormRepaintTest, PartialRepaintsLeaveWhatAFullRepaintDraws) {
    ExpectSameAsFullRender("shown");
    EXPECT_GT(ClickEveryShownKelo(12), 3);

    QScrollBar* across = form->ChartScrollBox()->horizontalScrollBar();
    QScrollBar* down = form->ChartScrollBox()->verticalScrollBar();
    ASSERT_GT(across->maximum(), 300);
    for (int step : {120, 120, 37, -200, 300}) {
        across->setValue(across->value() + step);
        ExpectSameAsFullRender("scroll across");
    }
    down->setValue(down->value() + 50);
    ExpectSameAsFullRender("scroll down");
    EXPECT_GT(ClickEveryShownKelo(6), 0);

    // A kelo moved and saved: the window shows the saved timetable.
    const int selected = form->State().selectedKelo;
    ASSERT_GE(selected, 0);
    const std::string number = form->EditBuffer()->GetKeloSet()->GetItem(selected)->GetNumber();
    form->ApplyDocumentChange(form->Document().MoveKelo(number, 9 * 60));
    ExpectSameAsFullRender("move");
    {
        kelo_test::WhenModal<TKeloDiagramChangesForm> review(
            [](TKeloDiagramChangesForm* dialog) { dialog->OkButton->click(); });
        kelo_test::MessageBoxAnswer ok(QMessageBox::Ok);
        form->SaveButton()->click();
    }
    EXPECT_EQ(form->Diagram().GetEditBufferObject().GetChangeCount(), 0);
    ExpectSameAsFullRender("save");
    across->setValue(across->value() - 120);
    ExpectSameAsFullRender("scroll after save");
    ClickEveryShownKelo(4);
}

INSTANTIATE_TEST_SUITE_P(ColourModes, TripDiagramFormRepaintTest, testing::Values(true, false));

} // namespace
