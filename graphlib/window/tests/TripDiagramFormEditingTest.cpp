// The kelo commands, the choice dialog and the save / discard flows, driven through the real
// window with the test answering its modal dialogs.

#include "EditingFlowSupport.h"
#include "KeloQtText.h"
#include "ModalAnswer.h"
#include "TKeloDiagramChangesForm.h"
#include "TKeloTripKeloCopyDialogForm.h"
#include "TKeloTripKeloMoveDialogForm.h"
#include "TKeloTripSwitchDialogForm.h"
#include "TKeloTripTimeTableDialogForm.h"
#include "TShortTimePicker.h"
#include "TempDirSandbox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace editing_test;
using namespace kelo_list_test;
using kelo_test::MessageBoxAnswer;
using kelo_test::WhenModal;

namespace {

// Rows of the choice dialog's list in the order shown: the kelo a row carries, its selection
// and its tick, set as the planner's clicks set them.
QModelIndex SwitchRow(TKeloTripSwitchDialogForm& dialog, int row) {
    return dialog.KeloListView->model()->index(row, 0);
}
int SwitchRowKelo(TKeloTripSwitchDialogForm& dialog, int row) {
    return SwitchRow(dialog, row).data(Qt::UserRole).toInt();
}
void SelectSwitchRow(TKeloTripSwitchDialogForm& dialog, int row) {
    dialog.KeloListView->selectionModel()->select(
        SwitchRow(dialog, row), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}
void TickSwitchRow(TKeloTripSwitchDialogForm& dialog, int row, bool checked) {
    dialog.KeloListView->model()->setData(
        SwitchRow(dialog, row), checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

// Pictures of the dialogs for a look by eye, only when KELO_SCREENSHOT_DIR names a folder.
void Screenshot(QWidget* widget, const char* name) {
    const QString folder = qEnvironmentVariable("KELO_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        widget->grab().save(folder + "/" + name);
}

// Answers the start-time dialog with a time, optionally ticking "Создать копию".
auto AnswerStart(const char* time, bool copy = false) {
    return [time, copy](TKeloTripKeloMoveDialogForm* dialog) {
        dialog->TimeStartPicker->SetTimeByString(QString::fromLatin1(time));
        dialog->KeloCopyCheckBox->setChecked(copy);
        dialog->OkButton->click();
    };
}

class EditingFlowTest : public testing::Test {
protected:
    kelo_test::TempDirSandbox sandbox;
    InMemoryKeloDataClass* spy = nullptr;

    std::unique_ptr<TKeloTripDiagramForm> Open(const std::string& number = "F1") {
        auto form = std::make_unique<TKeloTripDiagramForm>(nullptr, number, SmallLineCodes(),
                                                           MakeInMemorySource(SmallLine(), &spy));
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
};

} // namespace

TEST_F(EditingFlowTest, MoveShiftsTheKeloToThePickedStart) {
    auto form = Open();
    SelectRow(*form, IndexOf(*form, "F1"));
    QString caption;
    WhenModal<TKeloTripKeloMoveDialogForm> answer([&](auto* dialog) {
        caption = dialog->windowTitle();
        EXPECT_EQ(dialog->TimeStartPicker->GetTime(), QTime(8, 0));
        EXPECT_FALSE(dialog->KeloCopyCheckBox->isChecked());
        Screenshot(dialog, "move-dialog.png");
        AnswerStart("09:30")(dialog);
    });
    Trigger(*form, "KeloMoveAction");
    EXPECT_EQ(caption, U("Перенос рейса"));
    EXPECT_EQ(FirstArrival(*form, "F1"), KeloTimeType(9, 30));
    EXPECT_EQ(Changes(*form), (ChangeList{{Modified, "F1"}}));
    EXPECT_EQ(ListText(*form, CurrentListRow(*form), 3), "09:30");
    EXPECT_EQ(form->TimetableListView()->topLevelItem(0)->text(1), "09:30");
}

TEST_F(EditingFlowTest, MoveWithCopyAddsTheCopyAndSelectsIt) {
    auto form = Open();
    SelectRow(*form, IndexOf(*form, "F1"));
    WhenModal<TKeloTripKeloMoveDialogForm> start(AnswerStart("10:00", true));
    WhenModal<TKeloTripKeloCopyDialogForm> copy([](auto* dialog) {
        EXPECT_EQ(dialog->TripIdEdit->text(), "~F1(2)");
        EXPECT_EQ(dialog->TripNameEdit->text(), "ALPHA - CHARLIE");
        Screenshot(dialog, "copy-dialog.png");
        dialog->OkButton->click();
    });
    Trigger(*form, "KeloMoveAction");
    const int added = IndexOf(*form, "~F1(2)");
    ASSERT_EQ(added, 3);
    EXPECT_EQ(form->State().selectedKelo, added);
    EXPECT_EQ(CurrentListKelo(*form), added);
    EXPECT_EQ(ListCount(*form), 4);
    EXPECT_EQ(form->Diagram().KeloViews().size(), 4u);
    EXPECT_EQ(FirstArrival(*form, "~F1(2)"), KeloTimeType(10, 0));
    EXPECT_EQ(FirstArrival(*form, "F1"), KeloTimeType(8, 0));
    EXPECT_EQ(form->EditBuffer()->FindKelo("~F1(2)")->GetBus()->GetModel(), "BUS-1");
    EXPECT_EQ(Changes(*form), (ChangeList{{Added, "~F1(2)"}}));
}

TEST_F(EditingFlowTest, InvertReversesTheKeloAtThePickedStart) {
    auto form = Open();
    SelectRow(*form, IndexOf(*form, "F1"));
    WhenModal<TKeloTripKeloMoveDialogForm> start([](auto* dialog) {
        EXPECT_EQ(dialog->windowTitle(), U("Инвертирование рейса"));
        dialog->OkButton->click();
    });
    Trigger(*form, "KeloInvertAction");
    KeloKeloSchedulePtrClass schedule = form->EditBuffer()->FindKelo("F1")->GetSchedule();
    ASSERT_EQ(schedule->GetCount(), 3);
    EXPECT_EQ(schedule->GetItem(0)->GetStop()->GetCode(), "000003");
    EXPECT_EQ(schedule->GetItem(1)->GetArrival(), KeloTimeType(8, 48));
    EXPECT_EQ(schedule->GetItem(2)->GetArrival(), KeloTimeType(9, 25));
    EXPECT_EQ(Changes(*form), (ChangeList{{Modified, "F1"}}));
}

TEST_F(EditingFlowTest, CopyRefusesANumberInUseAndKeepsTheDialogOpen) {
    auto form = Open();
    SelectRow(*form, IndexOf(*form, "F1"));
    MessageBoxAnswer ok(QMessageBox::Ok);
    bool stayedOpen = false;
    WhenModal<TKeloTripKeloMoveDialogForm> start([](auto* dialog) {
        EXPECT_TRUE(dialog->KeloCopyCheckBox->isHidden());
        AnswerStart("07:15")(dialog);
    });
    WhenModal<TKeloTripKeloCopyDialogForm> copy([&](auto* dialog) {
        dialog->TripIdEdit->setText("F2");
        dialog->OkButton->click();
        stayedOpen = dialog->isVisible();
        dialog->CancelButton->click();
    });
    Trigger(*form, "KeloCopyAction");
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(ok.Count(), 1);
    EXPECT_EQ(ok.Last().icon, QMessageBox::Critical);
    EXPECT_TRUE(ok.Last().text.contains("F2"));
    EXPECT_TRUE(Changes(*form).empty());
    EXPECT_EQ(form->EditBuffer()->FindKelo("F2")->GetSchedule()->GetCount(), 3);

    WhenModal<TKeloTripKeloMoveDialogForm> again(AnswerStart("07:15"));
    WhenModal<TKeloTripKeloCopyDialogForm> accept([](auto* dialog) { dialog->OkButton->click(); });
    Trigger(*form, "KeloCopyAction");
    EXPECT_EQ(FirstArrival(*form, "~F1(2)"), KeloTimeType(7, 15));
    EXPECT_EQ(Changes(*form), (ChangeList{{Added, "~F1(2)"}}));
}

TEST_F(EditingFlowTest, DeleteSelectsTheNeighbourAndShiftsTheIndices) {
    auto form = Open();
    // The first displayed row hands over to the second; any other to the one above.
    const std::string first = NumberAt(*form, ListKelo(*form, 0));
    const std::string second = NumberAt(*form, ListKelo(*form, 1));
    const std::string third = NumberAt(*form, ListKelo(*form, 2));
    MessageBoxAnswer yes(QMessageBox::Yes);
    SelectRow(*form, IndexOf(*form, first));
    Trigger(*form, "KeloDeleteAction");
    EXPECT_EQ(NumberAt(*form, form->State().selectedKelo), second);
    SelectRow(*form, IndexOf(*form, third));
    Trigger(*form, "KeloDeleteAction");
    EXPECT_EQ(NumberAt(*form, form->State().selectedKelo), second);
    EXPECT_EQ(Changes(*form), (ChangeList{{Deleted, first}, {Deleted, third}}));
    ASSERT_EQ(ListCount(*form), 1);
    EXPECT_EQ(ListKelo(*form, 0), 0);
    EXPECT_EQ(form->Diagram().KeloViews().size(), 1u);
    ASSERT_EQ(yes.Count(), 2);
    EXPECT_EQ(yes.Last().text, U("Удалить рейс?"));

    Trigger(*form, "KeloDeleteAction");
    EXPECT_EQ(form->State().selectedKelo, -1);
    EXPECT_EQ(ListCount(*form), 0);
}

TEST_F(EditingFlowTest, ReviewListsDeletedThenAddedAndModifiedInOrderOfFirstChange) {
    auto form = Open();
    {
        MessageBoxAnswer yes(QMessageBox::Yes);
        SelectRow(*form, IndexOf(*form, "B1"));
        Trigger(*form, "KeloDeleteAction");
    }
    SelectRow(*form, IndexOf(*form, "F1"));
    {
        WhenModal<TKeloTripKeloMoveDialogForm> start(AnswerStart("12:00"));
        WhenModal<TKeloTripKeloCopyDialogForm> copy(
            [](auto* dialog) { dialog->OkButton->click(); });
        Trigger(*form, "KeloCopyAction");
    }
    SelectRow(*form, IndexOf(*form, "F2"));
    {
        WhenModal<TKeloTripKeloMoveDialogForm> start(AnswerStart("06:30"));
        Trigger(*form, "KeloMoveAction");
    }
    QStringList rows;
    WhenModal<TKeloDiagramChangesForm> review([&](auto* dialog) {
        for (QCheckBox* box : dialog->ChangeBoxes())
            rows << box->text();
        Screenshot(dialog, "save-review.png");
        dialog->CancelButton->click();
    });
    form->SaveButton()->click();
    EXPECT_EQ(rows, (QStringList{U("Рейс №B1 (DELTA - ALPHA)  удален"),
                                 U("Рейс №~F1(2) (ALPHA - CHARLIE)  добавлен"),
                                 U("Рейс №F2 (ALPHA - CHARLIE)  модифицирован")}));
    EXPECT_EQ(Changes(*form).size(), 3u);
}

TEST_F(EditingFlowTest, DiscardAsksAndShowsTheListWithFixedBoxes) {
    auto form = Open();
    SelectRow(*form, IndexOf(*form, "F1"));
    auto move = [&] {
        WhenModal<TKeloTripKeloMoveDialogForm> start(AnswerStart("11:00"));
        Trigger(*form, "KeloMoveAction");
    };
    {
        MessageBoxAnswer ok(QMessageBox::Ok);
        form->DiscardButton()->click();
        form->SaveButton()->click();
        ASSERT_EQ(ok.Count(), 2);
        EXPECT_EQ(ok.Boxes()[0].text, U("Изменения отсутствуют."));
        EXPECT_EQ(ok.Boxes()[1].text, U("Изменения отсутствуют."));
    }
    move();
    {
        MessageBoxAnswer no(QMessageBox::No);
        bool boxesFixed = false;
        WhenModal<TKeloDiagramChangesForm> review([&](auto* dialog) {
            boxesFixed = dialog->ScrollBox->isEnabled() && !dialog->ChangeBoxes()[0]->isEnabled();
            dialog->CancelButton->click();
        });
        form->DiscardButton()->click();
        EXPECT_TRUE(boxesFixed);
        EXPECT_EQ(Changes(*form).size(), 1u);
    }
    {
        MessageBoxAnswer no(QMessageBox::No);
        WhenModal<TKeloDiagramChangesForm> review([](auto* dialog) { dialog->OkButton->click(); });
        form->DiscardButton()->click();
        EXPECT_TRUE(Changes(*form).empty());
        EXPECT_EQ(FirstArrival(*form, "F1"), KeloTimeType(8, 0));
    }
    move();
    {
        MessageBoxAnswer yes(QMessageBox::Yes);
        form->DiscardButton()->click();
        EXPECT_EQ(yes.Count(), 1);
        EXPECT_TRUE(Changes(*form).empty());
    }
}

TEST_F(EditingFlowTest, SaveWritesTheTickedChangesAndKeepsTheClearedOne) {
    auto form = Open();
    SelectRow(*form, IndexOf(*form, "F1"));
    {
        WhenModal<TKeloTripKeloMoveDialogForm> start(AnswerStart("11:00"));
        Trigger(*form, "KeloMoveAction");
    }
    SelectRow(*form, IndexOf(*form, "F2"));
    {
        WhenModal<TKeloTripKeloMoveDialogForm> start(AnswerStart("07:00"));
        Trigger(*form, "KeloMoveAction");
    }
    MessageBoxAnswer ok(QMessageBox::Ok);
    WhenModal<TKeloDiagramChangesForm> review([](auto* dialog) {
        dialog->ChangeBoxes()[0]->setChecked(false);
        dialog->OkButton->click();
    });
    form->SaveButton()->click();
    ASSERT_EQ(ok.Count(), 1);
    EXPECT_EQ(ok.Last().text, U("Изменения успешно сохранены."));
    EXPECT_EQ(Changes(*form), (ChangeList{{Modified, "F1"}}));
    InMemoryDataSet::Kelo* f1 = spy->GetState()->FindKelo("F1");
    InMemoryDataSet::Kelo* f2 = spy->GetState()->FindKelo("F2");
    EXPECT_EQ(f1->rows[0].arrival, KeloTimeType(8, 0));
    EXPECT_EQ(f2->rows[0].arrival, KeloTimeType(7, 0));
    EXPECT_EQ(FirstArrival(*form, "F1"), KeloTimeType(11, 0));
    EXPECT_EQ(NumberAt(*form, form->State().selectedKelo), "F2");
}

TEST_F(EditingFlowTest, HeldBackSaveOverTheShippedSourceIsReportedAsAnError) {
    const std::string kelo02P = "02\xCF";
    TKeloTripDiagramForm form(nullptr, kelo02P, BuiltInLineOf(kelo02P),
                              MakeBuiltInSource(BuiltInLineOf(kelo02P)));
    form.show();
    SelectRow(form, IndexOf(form, kelo02P));
    {
        WhenModal<TKeloTripKeloMoveDialogForm> start(AnswerStart("05:00"));
        WhenModal<TKeloTripKeloCopyDialogForm> copy(
            [](auto* dialog) { dialog->OkButton->click(); });
        Trigger(form, "KeloCopyAction");
    }
    const std::string copy = "~" + kelo02P + "(2)";
    ASSERT_GE(IndexOf(form, copy), 0);
    {
        // Cancel in the choice dialog leaves the ticks and the selection as they were.
        const std::vector<TripDiagramKeloViewType> views = form.Diagram().KeloViews();
        const int selected = form.State().selectedKelo;
        WhenModal<TKeloTripSwitchDialogForm> choice([](auto* dialog) {
            SelectSwitchRow(*dialog, 0);
            TickSwitchRow(*dialog, 0, false);
            TickSwitchRow(*dialog, 1, false);
            Screenshot(dialog, "choice-dialog-shipped.png");
            dialog->CancelButton->click();
        });
        DoubleClickListRow(form, 0);
        EXPECT_TRUE(choice.Done());
        EXPECT_EQ(form.State().selectedKelo, selected);
        for (std::size_t i = 0; i < views.size(); ++i)
            EXPECT_EQ(form.Diagram().KeloViews()[i].visible, views[i].visible);
        Screenshot(&form, "window-with-copy.png");
    }
    MessageBoxAnswer ok(QMessageBox::Ok);
    WhenModal<TKeloDiagramChangesForm> review([](auto* dialog) { dialog->OkButton->click(); });
    form.SaveButton()->click();
    ASSERT_EQ(ok.Count(), 1);
    EXPECT_EQ(ok.Last().icon, QMessageBox::Critical);
    EXPECT_EQ(ok.Last().title, "Kelo");
    EXPECT_TRUE(ok.Last().text.contains(KeloToQString(copy)));
    EXPECT_FALSE(ok.Last().text.contains(U("успешно")));
    EXPECT_EQ(Changes(form), (ChangeList{{Added, copy}}));
    EXPECT_EQ(ListCount(form), form.EditBuffer()->GetKeloSet()->GetCount());
}

TEST_F(EditingFlowTest, ChoiceDialogTakesOverTicksAndTheSelection) {
    auto form = Open();
    const int f1 = IndexOf(*form, "F1");
    const int f2 = IndexOf(*form, "F2");
    const int b1 = IndexOf(*form, "B1"); // a backward kelo: hidden at first
    ASSERT_FALSE(form->Diagram().KeloViews()[std::size_t(b1)].visible);
    int rows = 0;
    WhenModal<TKeloTripSwitchDialogForm> choice([&](auto* dialog) {
        rows = dialog->KeloListView->model()->rowCount();
        for (int i = 0; i < rows; ++i)
            if (SwitchRowKelo(*dialog, i) == f1 || SwitchRowKelo(*dialog, i) == f2)
                SelectSwitchRow(*dialog, i);
        for (int i = 0; i < rows; ++i)
            if (SwitchRowKelo(*dialog, i) == f2)
                TickSwitchRow(*dialog, i, false);
        Screenshot(dialog, "choice-dialog.png");
        dialog->NextButton->click();
    });
    DoubleClickListRow(*form, 0);
    EXPECT_EQ(rows, 3);
    for (int kelo : {f1, f2, b1})
        EXPECT_FALSE(form->Diagram().KeloViews()[std::size_t(kelo)].visible) << kelo;
    const int picked = form->State().selectedKelo;
    EXPECT_TRUE(picked == f1 || picked == f2);
    EXPECT_EQ(CurrentListKelo(*form), picked);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ListCheck(*form, i), Qt::Unchecked);
}

TEST(KeloSwitchDialog, SortsNumbersAsTextsAndKeepsEmptyTimesLast) {
    kelo_test::TempDirSandbox sandbox;
    TKeloTripSwitchDialogForm dialog;
    std::vector<KeloSwitchRowType> rows(4);
    const char* numbers[] = {"20", "100", "3", "A"};
    const char* departures[] = {"07:00", "", "05:30", "09:15"};
    for (int i = 0; i < 4; ++i) {
        rows[std::size_t(i)].keloIndex = i;
        rows[std::size_t(i)].number = numbers[i];
        rows[std::size_t(i)].departure = departures[i];
    }
    dialog.AddRows(rows);
    auto order = [&] {
        std::vector<int> kelos;
        for (const auto& check : dialog.Checks())
            kelos.push_back(check.first);
        return kelos;
    };
    dialog.KeloListViewColumnClick(2); // "Рейс"
    EXPECT_EQ(order(), (std::vector<int>{1, 0, 2, 3}));
    dialog.KeloListViewColumnClick(3); // "Время отпр.", same (ascending) direction
    EXPECT_EQ(order(), (std::vector<int>{2, 0, 3, 1}));
    dialog.KeloListViewColumnClick(3);
    EXPECT_FALSE(dialog.SortAscending());
    EXPECT_EQ(order(), (std::vector<int>{3, 0, 2, 1}));
    dialog.KeloListViewColumnClick(1); // "Название" keeps the descending direction
    EXPECT_FALSE(dialog.SortAscending());
}

TEST(KeloSwitchDialog, ATickOnOneOfSeveralSelectedRowsTicksThemAll) {
    kelo_test::TempDirSandbox sandbox;
    TKeloTripSwitchDialogForm dialog;
    std::vector<KeloSwitchRowType> rows(4);
    for (int i = 0; i < 4; ++i) {
        rows[std::size_t(i)].keloIndex = i;
        rows[std::size_t(i)].checked = true;
        rows[std::size_t(i)].departure = QString("0%1:00").arg(i);
    }
    dialog.AddRows(rows);
    QTreeView* list = dialog.KeloListView;
    for (int i = 0; i < 3; ++i)
        SelectSwitchRow(dialog, i);
    TickSwitchRow(dialog, 1, false);
    EXPECT_EQ(dialog.Checks(),
              (std::vector<std::pair<int, bool>>{{0, false}, {1, false}, {2, false}, {3, true}}));
    list->clearSelection();
    SelectSwitchRow(dialog, 3);
    TickSwitchRow(dialog, 3, false);
    TickSwitchRow(dialog, 0, true);
    EXPECT_EQ(dialog.Checks(),
              (std::vector<std::pair<int, bool>>{{0, true}, {1, false}, {2, false}, {3, false}}));

    // The same through the mouse: a click on the box of one of two selected rows.
    dialog.show();
    list->clearSelection();
    SelectSwitchRow(dialog, 1);
    SelectSwitchRow(dialog, 3);
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = list->visualRect(SwitchRow(dialog, 3));
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box =
        list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_EQ(dialog.Checks(),
              (std::vector<std::pair<int, bool>>{{0, true}, {1, true}, {2, false}, {3, true}}));
    EXPECT_TRUE(list->selectionModel()->isSelected(SwitchRow(dialog, 1)));
}

TEST(KeloSwitchDialog, PlacementCarriesOverToTheNextDialog) {
    kelo_test::TempDirSandbox sandbox;
    {
        TKeloTripSwitchDialogForm dialog;
        dialog.show();
        dialog.resize(700, 500);
        dialog.reject();
    }
    TKeloTripSwitchDialogForm next;
    next.show();
    EXPECT_EQ(next.size(), QSize(700, 500));
    next.reject();
}

TEST_F(EditingFlowTest, AKeloWithoutStopsIsRefusedPlainlyAndRepairedFromTheEmptyList) {
    auto form = Open();
    const int f1 = IndexOf(*form, "F1");
    SelectRow(*form, f1);
    KeloKeloSchedulePtrClass schedule = form->EditBuffer()->FindKelo("F1")->GetSchedule();
    while (schedule->GetCount() > 0)
        schedule->RemoveStop(0);
    form->FillTimetableList(f1);
    MessageBoxAnswer no(QMessageBox::No);
    Trigger(*form, "KeloMoveAction");
    ASSERT_EQ(no.Count(), 1);
    EXPECT_EQ(no.Last().icon, QMessageBox::Critical);
    EXPECT_TRUE(no.Last().text.contains(U("нет остановок"))) << no.Last().text.toStdString();

    // The empty timetable list opens the dialog; its Ok warns of fewer than two stops.
    bool stayedOpen = false;
    WhenModal<TKeloTripTimeTableDialogForm> dialog([&](TKeloTripTimeTableDialogForm* d) {
        d->NextButton->click();
        stayedOpen = d->isVisible();
        d->CancelButton->click();
    });
    QWidget* empty = form->TimetableListView()->viewport();
    QTest::mouseDClick(empty, Qt::LeftButton, {}, QPoint(10, empty->height() - 5));
    EXPECT_TRUE(dialog.Done());
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(no.Count(), 2);
    EXPECT_TRUE(no.Last().text.contains(U("меньше двух остановок")));
}
