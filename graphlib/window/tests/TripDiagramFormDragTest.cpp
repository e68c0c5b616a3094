// Planning on the chart through the real window: a kelo dragged with Ctrl to a new time or
// with Ctrl+Shift to a copy, put back with Esc or the right button, nudged with Ctrl and the
// arrows, and laid out as a series from the kelo list.

#include "EditingFlowSupport.h"
#include "KeloListTestSupport.h"
#include "KeloQtText.h"
#include "ModalAnswer.h"
#include "TKeloTripKeloSeriesDialogForm.h"
#include "TShortTimePicker.h"
#include "TempDirSandbox.h"
#include "TripDiagramPaintBox.h"

#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusTipEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

using namespace editing_test;

namespace {

// Keeps the status bar hints the window sends up to its main window.
struct HintRecorder : QObject {
    QStringList hints;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::StatusTip)
            hints << static_cast<QStatusTipEvent*>(e)->tip();
        return false;
    }
};

class ChartDragTest : public testing::Test {
protected:
    kelo_test::TempDirSandbox sandbox;
    HintRecorder recorder;

    std::unique_ptr<TKeloTripDiagramForm> Open() {
        auto form = std::make_unique<TKeloTripDiagramForm>(nullptr, "F1", SmallLineCodes(),
                                                           MakeInMemorySource(SmallLine()));
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->installEventFilter(&recorder);
        return form;
    }
    // The middle of the steepest line the chart draws for the kelo: a running segment.
    static QPoint OnLine(TKeloTripDiagramForm& form, const char* number) {
        const std::string index = std::to_string(IndexOf(form, number));
        ZoCanvasClass& canvas = form.Diagram().GetCanvas();
        QPoint best;
        int rise = -1;
        for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id) {
            const auto* line = dynamic_cast<const ZoCanvasItemLineClass*>(canvas.GetItem(id));
            const ZoCanvasItemTagType* tag =
                line != nullptr ? line->FindTag(TripDiagramClass::KeloIndexTag) : nullptr;
            if (tag != nullptr && tag->value == index && std::abs(line->y2 - line->y1) > rise) {
                rise = std::abs(line->y2 - line->y1);
                best = QPoint((line->x1 + line->x2) / 2, (line->y1 + line->y2) / 2);
            }
        }
        return best;
    }
    // Pixels a drag of `minutes` takes at zoom 1, rounded up so that it counts in full.
    static int Pixels(TKeloTripDiagramForm& form, int minutes) {
        return int(std::ceil(form.State().timeScale * minutes / 60.0));
    }
    static void Drag(TKeloTripDiagramForm& form, QPoint from, int dx,
                     Qt::KeyboardModifiers modifiers, bool release = true) {
        QWidget* chart = form.ChartPaintBox();
        QTest::mousePress(chart, Qt::LeftButton, modifiers, from);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(chart, from + QPoint(dx * step / 4, 3 * step));
        if (release)
            QTest::mouseRelease(chart, Qt::LeftButton, modifiers, from + QPoint(dx, 12));
    }
};

} // namespace

// A Ctrl-drag of half an hour's pixels moves F1 from 08:00 to 08:30 in one undo step; the
// hint follows; a Ctrl-click on another kelo without moving selects it and changes nothing.
TEST_F(ChartDragTest, CtrlDragMovesByTheDraggedMinutes) {
    auto form = Open();
    Drag(*form, OnLine(*form, "F1"), Pixels(*form, 30), Qt::ControlModifier);
    EXPECT_EQ(FirstArrival(*form, "F1"), KeloTimeType(8, 30));
    EXPECT_EQ(Changes(*form), (ChangeList{{Modified, "F1"}}));
    EXPECT_EQ(form->Document().History().UndoCount(), 1u);
    ASSERT_GE(recorder.hints.size(), 2);
    EXPECT_EQ(recorder.hints[recorder.hints.size() - 2], "08:30 (+00:30)");
    EXPECT_EQ(recorder.hints.back(), "");

    const QPoint f2 = OnLine(*form, "F2");
    QTest::mousePress(form->ChartPaintBox(), Qt::LeftButton, Qt::ControlModifier, f2);
    QTest::mouseRelease(form->ChartPaintBox(), Qt::LeftButton, Qt::ControlModifier, f2);
    EXPECT_EQ(NumberAt(*form, form->State().selectedKelo), "F2");
    EXPECT_EQ(form->Document().History().UndoCount(), 1u);

    form->UndoAction()->trigger();
    EXPECT_EQ(FirstArrival(*form, "F1"), KeloTimeType(8, 0));
    EXPECT_TRUE(Changes(*form).empty());
}

// Esc and the right button put the kelo back; without Ctrl the same drag scrolls the chart.
TEST_F(ChartDragTest, EscCancelsAndPlainDragStillScrolls) {
    auto form = Open();
    QWidget* chart = form->ChartPaintBox();
    const QPoint f1 = OnLine(*form, "F1");
    // The visible part as the window paints it: during the drag only the band of the moved
    // line differs, and after Esc nothing does.
    const QRect seen = chart->visibleRegion().boundingRect();
    auto paint = [&] {
        QImage image(seen.size(), QImage::Format_RGB32);
        chart->render(&image, QPoint(), QRegion(seen));
        return image;
    };
    const QImage unmoved = paint();
    Drag(*form, f1, Pixels(*form, 30), Qt::ControlModifier, false);
    EXPECT_EQ(form->KeloDrag().Minutes(), 30);
    const QImage during = paint();
    const ZoRectType band = form->KeloDrag().Covered();
    const QRect moved =
        QRect(band.left, band.top, band.Width(), band.Height()).translated(-seen.topLeft());
    int inside = 0, outside = 0;
    for (int y = 0; y < seen.height(); ++y)
        for (int x = 0; x < seen.width(); ++x)
            if (during.pixel(x, y) != unmoved.pixel(x, y))
                ++(moved.contains(x, y) ? inside : outside);
    EXPECT_GT(inside, 50);
    EXPECT_EQ(outside, 0);
    QTest::keyClick(chart, Qt::Key_Escape);
    EXPECT_FALSE(form->KeloDrag().Active());
    EXPECT_EQ(paint(), unmoved);
    QTest::mouseRelease(chart, Qt::LeftButton, Qt::ControlModifier, f1);

    Drag(*form, f1, -Pixels(*form, 20), Qt::ControlModifier, false);
    QTest::mousePress(chart, Qt::RightButton, Qt::ControlModifier, f1);
    QTest::mouseRelease(chart, Qt::RightButton, Qt::ControlModifier, f1);
    QTest::mouseRelease(chart, Qt::LeftButton, Qt::ControlModifier, f1);
    EXPECT_FALSE(form->KeloDrag().Active());
    EXPECT_EQ(FirstArrival(*form, "F1"), KeloTimeType(8, 0));
    EXPECT_FALSE(form->UndoAction()->isEnabled());

    QScrollBar* bar = form->ChartScrollBox()->horizontalScrollBar();
    bar->setValue(bar->maximum() / 2);
    const int before = bar->value();
    const QPoint grab(before + 400, chart->height() / 2);
    QTest::mousePress(chart, Qt::LeftButton, {}, grab);
    QTest::mouseMove(chart, grab - QPoint(100, 0));
    QTest::mouseRelease(chart, Qt::LeftButton, {}, grab - QPoint(100, 0));
    EXPECT_EQ(bar->value(), before + 100);
}

// Ctrl+Shift drags a copy under the proposed number; the original stays.
TEST_F(ChartDragTest, CtrlShiftDragMakesACopy) {
    auto form = Open();
    Drag(*form, OnLine(*form, "F2"), Pixels(*form, 60), Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_GE(IndexOf(*form, "~F2(2)"), 0);
    EXPECT_EQ(FirstArrival(*form, "~F2(2)"), KeloTimeType(7, 0));
    EXPECT_EQ(FirstArrival(*form, "F2"), KeloTimeType(6, 0));
    EXPECT_EQ(Changes(*form), (ChangeList{{Added, "~F2(2)"}}));
    EXPECT_EQ(NumberAt(*form, form->State().selectedKelo), "~F2(2)");
    EXPECT_EQ(form->UndoAction()->text(), U("Отменить действие: создание копии рейса F2"));
}

// With the chart focused, Ctrl+Right and Ctrl+Shift+Left nudge the selected kelo; the
// nudges make one undo step.
TEST_F(ChartDragTest, NudgesFromTheKeyboardAreOneStep) {
    auto form = Open();
    QWidget* chart = form->ChartPaintBox();
    chart->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(chart, Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClick(chart, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(FirstArrival(*form, "F1"), KeloTimeType(7, 53));
    EXPECT_EQ(form->Document().History().UndoCount(), 1u);
    QTest::keyClick(chart, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(FirstArrival(*form, "F1"), KeloTimeType(8, 0));
}

// The series dialog refuses 1,440 copies and stays open; 30 minutes from 06:00 to 22:00
// make 33 copies, and one Ctrl+Z removes them all.
TEST_F(ChartDragTest, SeriesMakesCopiesAndOneUndoRemovesThem) {
    auto form = Open();
    SelectRow(*form, IndexOf(*form, "F1"));
    kelo_test::MessageBoxAnswer refusal(QMessageBox::Ok);
    QString caption, shownCount;
    kelo_test::WhenModal<TKeloTripKeloSeriesDialogForm> answer([&](auto* dialog) {
        caption = dialog->windowTitle();
        auto fill = [dialog, &shownCount](int interval, const char* first, const char* last) {
            dialog->template findChild<QSpinBox*>("IntervalEdit")->setValue(interval);
            dialog->template findChild<TShortTimePicker*>("FirstStartPicker")
                ->SetTimeByString(first);
            dialog->template findChild<TShortTimePicker*>("LastStartPicker")->SetTimeByString(last);
            shownCount = dialog->template findChild<QLabel*>("CopyCountLabel")->text();
            dialog->template findChild<QPushButton*>("OkButton")->click();
        };
        fill(1, "00:00", "23:59");
        EXPECT_TRUE(dialog->isVisible());
        fill(30, "06:00", "22:00");
    });
    Trigger(*form, "KeloSeriesAction");
    EXPECT_EQ(caption, U("Серия рейсов № F1"));
    ASSERT_EQ(refusal.Count(), 1);
    EXPECT_TRUE(refusal.Last().text.contains("1440"));
    EXPECT_EQ(shownCount, "33");
    EXPECT_EQ(Changes(*form).size(), 33u);
    EXPECT_EQ(kelo_list_test::ListCount(*form), 36);

    // The window is active and holds the focus again once the dialog has gone.
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->KeloListView()->setFocus();
    QTest::keyClick(form->KeloListView(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Changes(*form).empty());
    EXPECT_EQ(kelo_list_test::ListCount(*form), 3);
}
