#include "InMemoryKeloData.h"
#include "KeloBuiltInTestSupport.h"
#include "KeloDemoDataClass.h"
#include "KeloListTestSupport.h"
#include "KeloQtText.h"
#include "TKeloListOrderProxyModel.h"
#include "TKeloTripDiagramForm.h"
#include "TempDirSandbox.h"
#include "TripDiagramPaintBox.h"
#include "ZoQtDrawingSurfaceClass.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

using namespace kelo_list_test;

const std::string Kelo02P = "02\xCF"; // 02П

QString LabelText(QWidget& form, const char* name) {
    auto* label = form.findChild<QLabel*>(name);
    return label ? label->text() : QString("<missing %1>").arg(name);
}

// Moves the mouse over the paint area with no button held, as the planner's pointer does.
void MoveMouse(QWidget* widget, QPoint point) {
    QMouseEvent move(QEvent::MouseMove, QPointF(point), QPointF(widget->mapToGlobal(point)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// A small line A-B-C-D (10, 10, 20 km) with kelos that exercise the list and the hints:
// F1 serves the whole line at 08:00, F2 leaves the line at C, B1 runs backwards,
// N1 does not call at the first stop at all.
InMemoryDataSet SmallLine() {
    InMemoryDataSet d;
    d.stops = {{"000001", "ALPHA"},
               {"000002", "BRAVO"},
               {"000003", "CHARLIE"},
               {"000004", "DELTA"},
               {"000009", "OFFLINE"}};
    d.AddLinkBothWays("000001", "000002", 10);
    d.AddLinkBothWays("000002", "000003", 10);
    d.AddLinkBothWays("000003", "000004", 20);
    d.AddLinkBothWays("000003", "000009", 5);
    d.buses = {{"BUS-1", "CAT", 0}, {"BUS-2", "CAT", 42}};
    d.kelos.push_back({"F1",
                       "ALPHA - DELTA",
                       "BUS-1",
                       {MakeRow("000001", "08:00", 0), MakeRow("000002", "08:10", 2),
                        MakeRow("000003", "08:22", 1), MakeRow("000004", "08:45", -1)}});
    d.kelos.push_back({"F2",
                       "alpha - offline",
                       "BUS-2",
                       {MakeRow("000001", "06:00", 5), MakeRow("000002", "06:20", 0),
                        MakeRow("000003", "06:40", 1), MakeRow("000009", "06:50", -1)}});
    d.kelos.push_back({"B1",
                       "DELTA - ALPHA",
                       "BUS-2",
                       {MakeRow("000004", "17:00", 0), MakeRow("000003", "17:25", 1),
                        MakeRow("000002", "17:40", 1), MakeRow("000001", "17:55", -1)}});
    d.kelos.push_back({"N1",
                       "BRAVO - DELTA",
                       "BUS-1",
                       {MakeRow("000002", "12:00", 0), MakeRow("000004", "12:40", -1)}});
    return d;
}

const std::vector<std::string> SmallLineCodes = {"000001", "000002", "000003", "000004"};

class TripDiagramFormTest : public testing::Test {
protected:
    kelo_test::TempDirSandbox sandbox; // keeps the settings file out of the user's folder

    std::unique_ptr<TKeloTripDiagramForm> OpenSmall(const std::string& number = "F1") {
        auto form = std::make_unique<TKeloTripDiagramForm>(nullptr, number, SmallLineCodes,
                                                           MakeInMemorySource(SmallLine()));
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
};

} // namespace

TEST_F(TripDiagramFormTest, OpensOnTheChosenKeloWithItsListsAndInfo) {
    TKeloTripDiagramForm form(nullptr, Kelo02P, BuiltInLineOf(Kelo02P),
                              MakeBuiltInSource(BuiltInLineOf(Kelo02P)));
    form.show();
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Диаграмма рейсов"));

    KeloKeloSetPtrClass kelos = form.EditBuffer()->GetKeloSet();
    ASSERT_EQ(ListCount(form), kelos->GetCount());
    ASSERT_GE(kelos->GetCount(), 12);
    std::set<int> indices;
    for (int i = 0; i < ListCount(form); ++i) {
        const int index = ListKelo(form, i);
        indices.insert(index);
        KeloKeloPtrClass kelo = kelos->GetItem(index);
        EXPECT_EQ(ListText(form, i, 1),
                  KeloToQString(kelo->GetName() + " - [" + kelo->GetNumber() + "]"));
    }
    EXPECT_EQ(int(indices.size()), kelos->GetCount());

    const int selected = form.State().selectedKelo;
    ASSERT_GE(selected, 0);
    EXPECT_EQ(kelos->GetItem(selected)->GetNumber(), Kelo02P);
    ASSERT_GE(CurrentListRow(form), 0);
    EXPECT_EQ(CurrentListKelo(form), selected);

    ASSERT_EQ(form.TimetableListView()->topLevelItemCount(), 9);
    QTreeWidgetItem* first = form.TimetableListView()->topLevelItem(0);
    EXPECT_EQ(first->text(0), QString::fromUtf8("ВИННИЦА 1"));
    EXPECT_EQ(first->text(1), "08:00");
    EXPECT_EQ(first->text(2), "08:00");
    EXPECT_EQ(first->text(3), "00:00");
    EXPECT_EQ(first->text(5), QLocale::system().toString(10.2, 'f', 1));
    QTreeWidgetItem* last = form.TimetableListView()->topLevelItem(8);
    EXPECT_EQ(last->text(1), "09:05");
    EXPECT_TRUE(last->text(2).isEmpty()); // no stay at the last stop
    EXPECT_TRUE(last->text(4).isEmpty());
    EXPECT_TRUE(last->text(5).isEmpty());

    EXPECT_EQ(LabelText(form, "BusModelValueLabel"), QString::fromUtf8("ПАЗ-672"));
    EXPECT_EQ(LabelText(form, "BusCapacityValueLabel"), ""); // 0 seats show as a blank
    EXPECT_EQ(LabelText(form, "TripPathLengthValueLabel"),
              QLocale::system().toString(39.9, 'f', 1));
    EXPECT_EQ(LabelText(form, "TripPathTimeValueLabel"), "01:05");

    auto* ok = form.findChild<QWidget*>("OkButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isVisible());
    EXPECT_TRUE(ok->isEnabled());

    // A new window shows forward kelos only, with the menu ticks to match.
    auto* forward = form.findChild<QAction*>("ShowForwardMenuItem");
    auto* backward = form.findChild<QAction*>("ShowBackwardMenuItem");
    EXPECT_TRUE(forward->isChecked());
    EXPECT_FALSE(backward->isChecked());
    for (int i = 0; i < ListCount(form); ++i)
        EXPECT_EQ(ListCheck(form, i) == Qt::Checked,
                  form.Diagram().IsKeloForward(ListKelo(form, i)));
}

TEST_F(TripDiagramFormTest, TimeColumnShowsDepartureAtSelectedStopAndKeepsEmptiesLast) {
    auto form = OpenSmall();
    QTreeView* list = form->KeloListView();
    ASSERT_EQ(ListCount(*form), 4);
    auto textOf = [&](const std::string& number) {
        KeloKeloSetPtrClass kelos = form->EditBuffer()->GetKeloSet();
        for (int i = 0; i < ListCount(*form); ++i)
            if (kelos->GetItem(ListKelo(*form, i))->GetNumber() == number)
                return ListText(*form, i, 0);
        return QString("<none>");
    };
    EXPECT_EQ(textOf("F1"), "08:00");
    EXPECT_EQ(textOf("F2"), "06:05");
    EXPECT_EQ(textOf("B1"), ""); // ends at the first stop
    EXPECT_EQ(textOf("N1"), ""); // does not call there

    auto checkOrder = [&](bool descending) {
        bool seenEmpty = false;
        for (int i = 0; i < ListCount(*form); ++i) {
            const QString text = ListText(*form, i, 0);
            if (text.isEmpty())
                seenEmpty = true;
            else
                EXPECT_FALSE(seenEmpty) << "a time after an empty row, descending=" << descending;
            if (i > 0 && !text.isEmpty()) {
                const QString before = ListText(*form, i - 1, 0);
                EXPECT_TRUE(descending ? before >= text : before <= text);
            }
        }
    };
    checkOrder(false);
    list->header()->sectionClicked(0);
    EXPECT_EQ(form->KeloListSortKey(), -1);
    checkOrder(true);
    EXPECT_EQ(ListText(*form, 0, 0), "08:00");

    // Moving the time axis to CHARLIE recomputes the column.
    form->State().selectedStop = 2;
    form->ApplyStopSelection();
    EXPECT_EQ(textOf("F1"), "08:23");
    EXPECT_EQ(textOf("B1"), "17:26");
    EXPECT_EQ(textOf("F2"), "06:41");
}

TEST_F(TripDiagramFormTest, EveryColumnSortsBothWays) {
    auto form = OpenSmall();
    QTreeView* list = form->KeloListView();
    // The order the list shows, as the one rule of the kelo lists tells it.
    auto compare = [&](int row1, int row2) {
        QAbstractItemModel& rows = Shown(*form);
        return form->KeloListProxy()->Compare(
            form->KeloListProxy()->mapToSource(rows.index(row1, 0)),
            form->KeloListProxy()->mapToSource(rows.index(row2, 0)));
    };
    for (int column = 0; column < 5; ++column) {
        for (int pass = 0; pass < 2; ++pass) {
            const int before = form->KeloListSortKey();
            const int expectedKey = std::abs(before) == column + 1 ? -before : column + 1;
            list->header()->sectionClicked(column);
            ASSERT_EQ(form->KeloListSortKey(), expectedKey) << "column " << column;
            for (int i = 1; i < ListCount(*form); ++i)
                EXPECT_LE(compare(i - 1, i), 0)
                    << "column " << column << " pass " << pass << " row " << i;
        }
    }
    // Speeds as shown in the planner's locale ("41,3" in Russian) really order the rows.
    list->header()->sectionClicked(2);
    ASSERT_EQ(form->KeloListSortKey(), 3);
    const int last = ListCount(*form) - 1;
    EXPECT_LT(QLocale::system().toDouble(ListText(*form, 0, 2)),
              QLocale::system().toDouble(ListText(*form, last, 2)));
    EXPECT_LT(compare(0, last), 0);
    // Latin letters fold: "alpha - offline" sorts with the capitals, before "BRAVO".
    list->header()->sectionClicked(1);
    ASSERT_EQ(form->KeloListSortKey(), 2);
    EXPECT_TRUE(ListText(*form, 0, 1).startsWith("alpha") ||
                ListText(*form, 0, 1).startsWith("ALPHA"));
    EXPECT_TRUE(ListText(*form, 2, 1).startsWith("BRAVO"));
}

TEST_F(TripDiagramFormTest, UntickingARowHidesTheKeloAtOnce) {
    auto form = OpenSmall();
    ZoCanvasClass& canvas = form->Diagram().GetCanvas();
    auto itemsOf = [&](int kelo) {
        int count = 0;
        for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id)
            count += canvas.TagMatches(id, "KeloIndex", std::to_string(kelo)) ? 1 : 0;
        return count;
    };
    const int row = form->FindKeloListItem(form->Document().KeloNumbers()[0]).row();
    ASSERT_GE(row, 0);
    ASSERT_EQ(ListCheck(*form, row), Qt::Checked);
    EXPECT_GT(itemsOf(0), 0);
    SetListCheck(*form, row, false);
    EXPECT_FALSE(form->Diagram().KeloViews()[0].visible);
    EXPECT_EQ(ListCheck(*form, row), Qt::Unchecked);
    EXPECT_EQ(itemsOf(0), 0);
    SetListCheck(*form, row, true);
    EXPECT_GT(itemsOf(0), 0);
}

TEST_F(TripDiagramFormTest, LeftClickOnALineSelectsTheKeloOtherButtonsDoNot) {
    auto form = OpenSmall("F1");
    ZoCanvasClass& canvas = form->Diagram().GetCanvas();
    const int target = 1; // F2
    ASSERT_NE(form->State().selectedKelo, target);
    // The middle of F2's first running line.
    QPoint point;
    for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id) {
        auto* line = dynamic_cast<const ZoCanvasItemLineClass*>(canvas.GetItem(id));
        if (line && canvas.TagMatches(id, "KeloIndex", "1") && line->x1 != line->x2) {
            point = QPoint((line->x1 + line->x2) / 2, (line->y1 + line->y2) / 2);
            std::uint32_t hit = 0;
            if (canvas.HitTest(point.x(), point.y(), hit) &&
                canvas.TagMatches(hit, "KeloIndex", "1"))
                break;
        }
    }
    ASSERT_FALSE(point.isNull());
    QTest::mouseClick(form->ChartPaintBox(), Qt::MiddleButton, {}, point);
    EXPECT_NE(form->State().selectedKelo, target);
    QTest::mouseClick(form->ChartPaintBox(), Qt::LeftButton, {}, point);
    EXPECT_EQ(form->State().selectedKelo, target);
    EXPECT_EQ(CurrentListKelo(*form), target);
    EXPECT_EQ(form->TimetableListView()->topLevelItemCount(), 4);
    EXPECT_EQ(form->TimetableListView()->topLevelItem(3)->text(0), "OFFLINE"); // off the line too
    EXPECT_EQ(LabelText(*form, "BusCapacityValueLabel"), "42");
}

TEST_F(TripDiagramFormTest, AClickOrAnArrowKeyInTheListSelectsTheRowsKelo) {
    auto form = OpenSmall("F1");
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const int row = form->FindKeloListItem("F2").row();
    ASSERT_GE(row, 0);
    ClickListRow(*form, row);
    EXPECT_EQ(form->Document().Selected(), "F2");
    EXPECT_EQ(form->State().selectedKelo, ListKelo(*form, row));
    EXPECT_EQ(form->TimetableListView()->topLevelItemCount(), 4);
    const int next = row + 1 < ListCount(*form) ? row + 1 : row - 1;
    QTest::keyClick(form->KeloListView(), next > row ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_EQ(form->State().selectedKelo, ListKelo(*form, next));
}

TEST_F(TripDiagramFormTest, ClickOnAStopNameMovesTheTimeAxis) {
    auto form = OpenSmall();
    ZoCanvasClass& canvas = form->Diagram().GetCanvas();
    QPoint point;
    for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id) {
        auto* text = dynamic_cast<const ZoCanvasItemTextClass*>(canvas.GetItem(id));
        if (text && canvas.TagMatches(id, "StopIndex", "2")) {
            ASSERT_GT(text->width, 0);
            point = QPoint(text->Left() + text->width / 2, text->Top() + text->height / 2);
        }
    }
    ASSERT_FALSE(point.isNull());
    QTest::mouseClick(form->ChartPaintBox(), Qt::LeftButton, {}, point);
    EXPECT_EQ(form->State().selectedStop, 2);
    EXPECT_EQ(form->FindKeloListItem(form->Document().KeloNumbers()[0]).data().toString(), "08:23");
}

TEST_F(TripDiagramFormTest, HintsFollowTheMouse) {
    auto form = OpenSmall();
    TripDiagramClass& d = form->Diagram();
    const int origin = d.TimeToX(0);
    const int yMid = d.DistanceToY(15); // between BRAVO (10) and CHARLIE (20)
    MoveMouse(form->ChartPaintBox(), QPoint(origin - 1, yMid));
    EXPECT_EQ(LabelText(*form, "HintTimeValueLabel"), "");
    // Pixels truncate: the first pixel whose minute count reaches 1440 is one past TimeToX(24)
    // (an hour spans far more than 60 pixels here).
    ASSERT_GT(form->State().timeScale, 60.0f);
    MoveMouse(form->ChartPaintBox(), QPoint(d.TimeToX(24) + 1, yMid));
    EXPECT_EQ(LabelText(*form, "HintTimeValueLabel"), "24:00");
    MoveMouse(form->ChartPaintBox(), QPoint(d.TimeToX(24), yMid));
    EXPECT_EQ(LabelText(*form, "HintTimeValueLabel"), "23:59");
    MoveMouse(form->ChartPaintBox(), QPoint(d.TimeToX(24) + 40, yMid));
    EXPECT_EQ(LabelText(*form, "HintTimeValueLabel"), "");
    MoveMouse(form->ChartPaintBox(), QPoint(d.TimeToX(12) + 1, yMid));
    EXPECT_EQ(LabelText(*form, "HintTimeValueLabel"), "12:00");
    EXPECT_TRUE(LabelText(*form, "HintFromValueLabel").startsWith("BRAVO("));
    EXPECT_TRUE(LabelText(*form, "HintToValueLabel").startsWith("CHARLIE("));
    // Below the first stop and above the last, both stop hints are empty.
    MoveMouse(form->ChartPaintBox(), QPoint(d.TimeToX(12), d.DistanceToY(0) + 10));
    EXPECT_EQ(LabelText(*form, "HintFromValueLabel"), "");
    EXPECT_EQ(LabelText(*form, "HintToValueLabel"), "");
    MoveMouse(form->ChartPaintBox(), QPoint(d.TimeToX(12), d.DistanceToY(40) - 10));
    EXPECT_EQ(LabelText(*form, "HintToValueLabel"), "");
}

TEST_F(TripDiagramFormTest, ZoomItemsTickAndFitToHeightClearsTicks) {
    auto form = OpenSmall();
    auto* z200 = form->findChild<QAction*>("Zoom200MenuItem");
    auto* z100 = form->findChild<QAction*>("Zoom100MenuItem");
    auto* fit = form->findChild<QAction*>("ZoomFitHeightMenuItem");
    ASSERT_TRUE(z200 && z100 && fit);
    EXPECT_TRUE(z100->isChecked());
    // 25 to 200 % are radio items of one group.
    ASSERT_NE(z100->actionGroup(), nullptr);
    EXPECT_EQ(z200->actionGroup(), z100->actionGroup());
    EXPECT_TRUE(z100->actionGroup()->isExclusive());
    const int width = form->ChartPaintBox()->width();
    z200->trigger();
    EXPECT_FLOAT_EQ(form->State().timeZoom, 2.0f);
    EXPECT_TRUE(z200->isChecked());
    EXPECT_FALSE(z100->isChecked());
    EXPECT_GT(form->ChartPaintBox()->width(), width);
    fit->trigger();
    const float z = form->State().timeZoom;
    bool anyTicked = false;
    for (const char* name :
         {"Zoom25MenuItem", "Zoom50MenuItem", "Zoom75MenuItem", "Zoom100MenuItem",
          "Zoom150MenuItem", "Zoom200MenuItem", "Zoom500MenuItem"})
        anyTicked = anyTicked || form->findChild<QAction*>(name)->isChecked();
    EXPECT_EQ(anyTicked, z == 0.25f || z == 0.5f || z == 0.75f || z == 1.0f || z == 1.5f ||
                             z == 2.0f || z == 5.0f);
    // The whole line fits the visible height after fitting.
    EXPECT_LE(form->ChartPaintBox()->height(), form->ChartScrollBox()->viewport()->height() + 1);
}

TEST_F(TripDiagramFormTest, PopupTogglesChangeTheDisplayState) {
    auto form = OpenSmall();
    auto* backward = form->findChild<QAction*>("ShowBackwardMenuItem");
    backward->trigger();
    EXPECT_TRUE(form->State().showBackward);
    EXPECT_TRUE(backward->isChecked());
    EXPECT_TRUE(form->Diagram().KeloViews()[2].visible); // B1
    EXPECT_EQ(form->FindKeloListItem(form->Document().KeloNumbers()[2]).data(Qt::CheckStateRole),
              Qt::Checked);

    auto* grid = form->findChild<QAction*>("ShowGridMenuItem");
    grid->trigger();
    EXPECT_FALSE(form->State().showStopGrid);
    EXPECT_FALSE(form->State().showTimeGrid);

    auto* mono = form->findChild<QAction*>("MonoColorMenuItem");
    mono->trigger();
    EXPECT_FALSE(form->State().monoColor);
    EXPECT_EQ(form->Diagram().KeloViews()[1].color, TripDiagramClass::Palette[1]);
    EXPECT_EQ(form->KeloColorOfRow(form->KeloListView()->model()->index(0, 0)),
              ZoColorToQColor(form->Diagram().KeloViews()[std::size_t(ListKelo(*form, 0))].color));
}

TEST_F(TripDiagramFormTest, TwoWindowsOfOneLineAreIndependent) {
    auto first = OpenSmall();
    auto second = OpenSmall();
    first->EditBuffer()->FindKelo("F1")->SetName("RENAMED");
    EXPECT_EQ(first->EditBuffer()->FindKelo("F1")->GetName(), "RENAMED");
    EXPECT_EQ(second->EditBuffer()->FindKelo("F1")->GetName(), "ALPHA - DELTA");
    first->State().selectedStop = 3;
    first->ApplyStopSelection();
    EXPECT_EQ(second->State().selectedStop, 0);
}

TEST_F(TripDiagramFormTest, ColumnWidthsCarryOverToTheNextWindow) {
    {
        auto form = OpenSmall();
        form->KeloListView()->setColumnWidth(1, 321);
        form->TimetableListView()->setColumnWidth(0, 133);
        form->close(); // the window deletes itself on close: release it first
        form.release();
    }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto next = OpenSmall();
    EXPECT_EQ(next->KeloListView()->columnWidth(1), 321);
    EXPECT_EQ(next->TimetableListView()->columnWidth(0), 133);
}

TEST_F(TripDiagramFormTest, KeloWithoutARowLeavesTheFirstRowSelectedInListAndState) {
    auto form = OpenSmall("NOT-ON-THE-LINE");
    ASSERT_EQ(CurrentListRow(*form), 0);
    EXPECT_EQ(form->State().selectedKelo, ListKelo(*form, 0));
    EXPECT_FALSE(LabelText(*form, "TripPathLengthValueLabel").isEmpty());
    EXPECT_GT(form->TimetableListView()->topLevelItemCount(), 0);
}

TEST_F(TripDiagramFormTest, DragScrollingFollowsTheMouseInThePaintArea) {
    auto form = OpenSmall();
    QWidget* paint = form->ChartPaintBox();
    QScrollBar* bar = form->findChild<QScrollArea*>()->horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 400);
    bar->setValue(bar->maximum() / 2);
    const int start = bar->value();
    const int y = paint->height() / 2;
    // The mouse as the planner moves it over the window; each event carries its position in
    // the paint area, which slides while the picture scrolls.
    auto send = [&](QEvent::Type type, int viewportX, Qt::MouseButtons held) {
        const QPointF local(viewportX - paint->x(), y);
        QMouseEvent event(type, local, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          held, Qt::NoModifier);
        QApplication::sendEvent(paint, &event);
    };
    send(QEvent::MouseButtonPress, 400, Qt::LeftButton);
    send(QEvent::MouseMove, 300, Qt::LeftButton);
    EXPECT_EQ(bar->value(), start + 100);
    send(QEvent::MouseMove, 250, Qt::LeftButton);
    send(QEvent::MouseMove, 260, Qt::LeftButton);
    EXPECT_EQ(bar->value(), start + 140); // the grabbed point stays under the mouse
    send(QEvent::MouseButtonRelease, 260, Qt::NoButton);
    send(QEvent::MouseMove, 100, Qt::NoButton);
    EXPECT_EQ(bar->value(), start + 140);
}
