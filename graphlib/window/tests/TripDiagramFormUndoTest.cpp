// The wiring of undo and redo in the diagram window: the menu items, their keys and enabled
// state, and a chart that shows the state brought back.

#include "DocumentTestSupport.h"
#include "EditingFlowSupport.h"
#include "KeloQtText.h"
#include "ModalAnswer.h"
#include "TKeloDiagramChangesForm.h"
#include "TKeloTripDiagramKeloListModel.h"
#include "TKeloTripKeloMoveDialogForm.h"
#include "TShortTimePicker.h"
#include "TempDirSandbox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <set>

using namespace editing_test;
using kelo_test::WhenModal;

namespace {

class UndoWiringTest : public testing::Test {
protected:
    kelo_test::TempDirSandbox sandbox;

    std::unique_ptr<TKeloTripDiagramForm> Open() {
        auto form = std::make_unique<TKeloTripDiagramForm>(nullptr, "F1", SmallLineCodes(),
                                                           MakeInMemorySource(SmallLine()));
        form->show();
        form->activateWindow();
        return form;
    }
    // Presses keys in the window as a planner does: it is active and holds the focus again
    // once a modal dialog has gone.
    static void Press(TKeloTripDiagramForm& form, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        form.KeloListView()->setFocus();
        QTest::keyClick(form.KeloListView(), key, modifiers);
    }
    void Move(TKeloTripDiagramForm& form, const char* number, const char* time) {
        SelectRow(form, IndexOf(form, number));
        WhenModal<TKeloTripKeloMoveDialogForm> answer([time](auto* dialog) {
            dialog->TimeStartPicker->SetTimeByString(QString::fromLatin1(time));
            dialog->OkButton->click();
        });
        Trigger(form, "KeloMoveAction");
    }
    // The x of the first point the chart draws for the kelo.
    static int FirstX(TKeloTripDiagramForm& form, const char* number) {
        const std::string index = std::to_string(IndexOf(form, number));
        ZoCanvasClass& canvas = form.Diagram().GetCanvas();
        for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id) {
            const ZoCanvasItemClass* item = canvas.GetItem(id);
            const ZoCanvasItemTagType* tag =
                item != nullptr ? item->FindTag(TripDiagramClass::KeloIndexTag) : nullptr;
            if (tag != nullptr && tag->value == index)
                return item->Bounds().left;
        }
        return -1;
    }
};

} // namespace

TEST_F(UndoWiringTest, ItemsKeysAndEnabledState) {
    auto form = Open();
    QAction* undo = form->UndoAction();
    QAction* redo = form->RedoAction();
    for (QMenu* menu : {form->ChartPopupMenu(), form->KeloListViewPopupMenu()}) {
        EXPECT_TRUE(menu->actions().contains(undo));
        EXPECT_TRUE(menu->actions().contains(redo));
    }
    EXPECT_EQ(undo->shortcuts(), QList<QKeySequence>{QKeySequence(U("Ctrl+Z"))});
    EXPECT_EQ(redo->shortcuts(),
              (QList<QKeySequence>{QKeySequence(U("Ctrl+Y")), QKeySequence(U("Ctrl+Shift+Z"))}));
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(undo->text(), U("Отменить действие"));

    Move(*form, "F2", "07:00");
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), U("Отменить действие: перенос рейса F2"));
    EXPECT_EQ(undo->statusTip(), undo->text());
    EXPECT_FALSE(redo->isEnabled());

    Press(*form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->text(), U("Повторить действие: перенос рейса F2"));
    EXPECT_EQ(FirstArrival(*form, "F2"), KeloTimeType(6, 0));
    Press(*form, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(FirstArrival(*form, "F2"), KeloTimeType(7, 0));
    Press(*form, Qt::Key_Z, Qt::ControlModifier);
    Press(*form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(FirstArrival(*form, "F2"), KeloTimeType(7, 0));

    // Saving ends the history.
    WhenModal<TKeloDiagramChangesForm> review([](auto* dialog) { dialog->OkButton->click(); });
    WhenModal<QMessageBox> done([](QMessageBox* box) { box->accept(); });
    form->SaveButton()->click();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
}

// Undo of a delete brings the kelo back to the list and the chart, selected and in view;
// after the undo of a move the chart draws the kelo where it was.
TEST_F(UndoWiringTest, ChartShowsTheUndoneState) {
    auto form = Open();
    const int before = FirstX(*form, "F1");
    Move(*form, "F1", "20:00");
    EXPECT_GT(FirstX(*form, "F1"), before);

    SelectRow(*form, IndexOf(*form, "F2"));
    WhenModal<QMessageBox> yes([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    Trigger(*form, "KeloDeleteAction");
    ASSERT_EQ(IndexOf(*form, "F2"), -1);
    EXPECT_EQ(kelo_list_test::ListCount(*form), 2);

    form->UndoAction()->trigger();
    ASSERT_GE(IndexOf(*form, "F2"), 0);
    EXPECT_EQ(kelo_list_test::ListCount(*form), 3);
    EXPECT_EQ(NumberAt(*form, form->State().selectedKelo), "F2");
    EXPECT_GE(FirstX(*form, "F2"), 0);

    form->UndoAction()->trigger();
    EXPECT_EQ(FirstX(*form, "F1"), before);
    EXPECT_EQ(NumberAt(*form, form->State().selectedKelo), "F1");
    EXPECT_TRUE(Changes(*form).empty());
    // Near the kelo: its start lies within the visible part of the chart.
    const int left = form->ChartScrollBox()->horizontalScrollBar()->value();
    EXPECT_LE(left, before);
    EXPECT_LT(before - left, form->ChartScrollBox()->viewport()->width());
}

// The list follows a step row by row: an undo or redo rewrites the moved kelo's row, a click
// on another kelo repaints only the rows of the two kelos, and a save only the saved rows.
TEST_F(UndoWiringTest, ListRewritesOnlyTheRowsConcerned) {
    auto form = Open();
    Move(*form, "F2", "07:00");
    TKeloTripDiagramKeloListModel& rows = *form->KeloListModel();
    QSignalSpy reset(&rows, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&rows, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&rows, &QAbstractItemModel::dataChanged);
    auto rowsChanged = [&] {
        std::set<std::string> numbers;
        for (const QList<QVariant>& signal : changed) {
            const auto first = signal[0].value<QModelIndex>();
            const auto last = signal[1].value<QModelIndex>();
            for (int row = first.row(); row <= last.row(); ++row)
                numbers.insert(rows.NumberAt(row));
        }
        changed.clear();
        return numbers;
    };
    form->UndoAction()->trigger();
    EXPECT_EQ(rowsChanged(), std::set<std::string>{"F2"});
    EXPECT_EQ(rows.index(rows.RowOf("F2"), 3).data().toString(), "06:00");
    form->RedoAction()->trigger();
    EXPECT_EQ(rowsChanged(), std::set<std::string>{"F2"});
    EXPECT_EQ(rows.index(rows.RowOf("F2"), 3).data().toString(), "07:00");

    form->SelectKelo("B1");
    EXPECT_EQ(rowsChanged(), (std::set<std::string>{"F2", "B1"}));
    EXPECT_EQ(NumberAt(*form, form->State().selectedKelo), "B1");
    EXPECT_EQ(kelo_list_test::CurrentListKelo(*form), IndexOf(*form, "B1"));

    // A save reads only the saved kelo again (and the selected one's marks).
    WhenModal<TKeloDiagramChangesForm> review([](auto* dialog) { dialog->OkButton->click(); });
    WhenModal<QMessageBox> done([](QMessageBox* box) { box->accept(); });
    form->SaveButton()->click();
    EXPECT_TRUE(Changes(*form).empty());
    EXPECT_EQ(rowsChanged(), (std::set<std::string>{"F2", "B1"}));
    EXPECT_EQ(reset.count() + inserted.count(), 0);
}
