#include "InMemoryKeloData.h"
#include "KeloBuiltInTestSupport.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloDemoDataClass.h"
#include "KeloListTestSupport.h"
#include "ModalAnswer.h"
#include "TKeloDiagramChangesForm.h"
#include "TKeloTripDiagramForm.h"
#include "TKeloTripTimeTableDialogForm.h"
#include "TKeloTripTimetableInfoForm.h"
#include "TKeloTripTimetableRateSpeedForm.h"
#include "TShortTimePicker.h"
#include "TempDirSandbox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using kelo_test::WhenModal;

namespace {

// A - B - C (10 and 30 km); F1 stops at B for 2 minutes.
KeloDataPtrClass ShortLine() {
    InMemoryDataSet d;
    d.stops = {{"000001", "A"}, {"000002", "B"}, {"000003", "C"}};
    d.AddLinkBothWays("000001", "000002", 10);
    d.AddLinkBothWays("000002", "000003", 30);
    d.kelos.push_back({"F1",
                       "A - C",
                       "",
                       {MakeRow("000001", "08:00", 0), MakeRow("000002", "08:10", 2),
                        MakeRow("000003", "08:45", -1)}});
    return MakeInMemorySource(d);
}

QStringList Column(QTreeWidget* list, int column) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

// As the planner double-clicks: a click, then the second press.
void DoubleClickRow(QTreeWidget* list, int row) {
    const QPoint at = list->visualItemRect(list->topLevelItem(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// In the timetable dialog: the stay at B becomes 5 minutes (9 when cancelled), then the times
// are recalculated from A at 60 km/h; the dialog is closed with Ok or "Отмена".
void EditTimetable(TKeloTripTimeTableDialogForm* dialog, bool ok) {
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Расписание рейса № F1 A - C"));
    WhenModal<TKeloTripTimetableInfoForm> entry([ok](TKeloTripTimetableInfoForm* form) {
        form->TimeWaitShortTimePicker->SetTimeByString(ok ? "00:05" : "00:09");
        form->SaveButton->click();
    });
    DoubleClickRow(dialog->ChainListView, 1);
    WhenModal<TKeloTripTimetableRateSpeedForm> speed([](TKeloTripTimetableRateSpeedForm* form) {
        form->SaveButton->click(); // 60 km/h as offered
    });
    dialog->SelectRow(0);
    dialog->UpdateBySpeedAction->trigger();
    EXPECT_EQ(Column(dialog->ChainListView, 2),
              QStringList({"08:00", "08:11", ok ? "08:46" : "08:50"}));
    (ok ? dialog->NextButton : dialog->CancelButton)->click();
}

} // namespace

TEST(TripDiagramFormTimetable, DoubleClickEditsTheTimetableOkKeepsCancelDrops) {
    kelo_test::TempDirSandbox sandbox;
    TKeloTripDiagramForm form(nullptr, "F1", {"000001", "000002", "000003"}, ShortLine());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    KeloCachedUpdateDataClass& buffer = form.Diagram().GetEditBufferObject();
    const int kelo = form.State().selectedKelo;
    ASSERT_GE(kelo, 0);

    for (bool ok : {true, false}) {
        SCOPED_TRACE(ok);
        WhenModal<TKeloTripTimeTableDialogForm> dialog(
            [ok](TKeloTripTimeTableDialogForm* d) { EditTimetable(d, ok); });
        QTreeWidget* list = form.TimetableListView();
        DoubleClickRow(list, 1);
        ASSERT_TRUE(dialog.Done());

        // After Ok, and still after the cancelled second run: one modified kelo.
        EXPECT_EQ(Column(list, 1), QStringList({"08:00", "08:11", "08:46"}));
        EXPECT_EQ(Column(list, 3), QStringList({"00:00", "00:05", ""}));
        EXPECT_EQ(kelo_list_test::ListText(form, 0, 4), "08:46"); // last arrival
        EXPECT_EQ(kelo_list_test::ListCount(form), 1);
        ASSERT_EQ(buffer.GetChangeCount(), 1);
        KeloDataCUChangeKind kind;
        std::string number;
        buffer.GetChange(0, kind, number);
        EXPECT_EQ(kind, KeloDataCUChangeKind::Modified);
        EXPECT_EQ(number, "F1");
        // The change review offers that one kelo.
        QStringList review;
        WhenModal<TKeloDiagramChangesForm> changes([&](TKeloDiagramChangesForm* d) {
            for (QCheckBox* box : d->ChangeBoxes())
                review << box->text();
            d->CancelButton->click();
        });
        form.SaveButton()->click();
        EXPECT_EQ(review, QStringList({QString::fromUtf8("Рейс №F1 (A - C)  модифицирован")}));
        // The picture reads the same timetable through the selection view.
        KeloKeloSchedulePtrClass drawn =
            form.Diagram().GetView()->GetKeloSet()->GetItem(kelo)->GetSchedule();
        EXPECT_EQ(drawn->GetItem(2)->GetArrival().Format(), "08:46");
    }
}

// Pictures for a person to look at: the dialog on 02П and its entry window, in the build tree.
TEST(TripDiagramFormTimetable, Screenshots) {
    kelo_test::TempDirSandbox sandbox;
    const std::vector<std::string> line = BuiltInLineOf("02\xCF");
    TKeloTripDiagramForm form(nullptr, "02\xCF", line, MakeBuiltInSource(line));
    form.show();
    WhenModal<TKeloTripTimeTableDialogForm> dialog([](TKeloTripTimeTableDialogForm* d) {
        WhenModal<TKeloTripTimetableInfoForm> entry([d](TKeloTripTimetableInfoForm* form) {
            EXPECT_TRUE(form->grab().save("kelo-timetable-entry.png"));
            EXPECT_TRUE(d->grab().save("kelo-timetable-dialog.png"));
            d->resize(880, d->height()); // every column in view
            EXPECT_TRUE(d->grab().save("kelo-timetable-dialog-wide.png"));
            form->CancelButton->click();
        });
        d->SelectRow(2);
        d->ChangeInfoAction->trigger();
        WhenModal<TKeloTripTimetableRateSpeedForm> speed([](TKeloTripTimetableRateSpeedForm* form) {
            EXPECT_TRUE(form->grab().save("kelo-timetable-speed.png"));
            form->CancelButton->click();
        });
        d->UpdateBySpeedAction->trigger();
        d->CancelButton->click();
    });
    form.OpenTimetableDialog(form.State().selectedKelo);
    EXPECT_TRUE(dialog.Done());
}
