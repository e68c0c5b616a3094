#include "InMemoryKeloData.h"
#include "ModalAnswer.h"
#include "TKeloErrorMessageDialogForm.h"
#include "TKeloSimpleStopDataSetViewForm.h"
#include "TKeloTripKeloMoveDialogForm.h"
#include "TKeloTripTimeTableDialogForm.h"
#include "TKeloTripTimetableInfoForm.h"
#include "TKeloTripTimetableRateSpeedForm.h"
#include "TShortTimePicker.h"
#include "TempDirSandbox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using kelo_test::MessageBoxAnswer;
using kelo_test::WhenModal;
using Texts = std::vector<std::string>;

namespace {

// A - B - C - D - E with runs of 10, 30, 20 and 500 km both ways, B -> D 50 km, and X -> A.
// Kelo 0 runs A..E without stays but at D; kelo 1 has times the pickers cannot show.
InMemoryDataSet LineData() {
    InMemoryDataSet d;
    d.stops = {{"000001", "A"}, {"000002", "B"}, {"000003", "C"},
               {"000004", "D"}, {"000005", "E"}, {"000006", "X"}};
    d.AddLinkBothWays("000001", "000002", 10);
    d.AddLinkBothWays("000002", "000003", 30);
    d.AddLinkBothWays("000003", "000004", 20);
    d.AddLinkBothWays("000004", "000005", 500);
    d.links.push_back({"000002", "000004", 50});
    d.links.push_back({"000006", "000001", 7});
    d.kelos.push_back({"K",
                       "A - E",
                       "",
                       {MakeRow("000001", "08:00", -1), MakeRow("000002", "09:00", -1),
                        MakeRow("000003", "10:00", -1), MakeRow("000004", "11:00", 5),
                        MakeRow("000005", "12:00", -1)}});
    d.kelos.push_back({"L",
                       "A - C",
                       "",
                       {MakeRow("000001", "23:50", 15), MakeRow("000002", "24:10", -1),
                        MakeRow("000003", "", -1)}});
    return d;
}

class TimetableDialog : public testing::Test {
protected:
    TimetableDialog() {
        QLocale::setDefault(QLocale::c());
        data = MakeInMemorySource(LineData());
    }
    void Open(int kelo, int row) {
        ASSERT_TRUE(dialog.SetKelo(kelo, data));
        dialog.show();
        dialog.SelectRow(row);
    }
    // Per row: "code arrival|departure|stay|speed|distance", as the list shows it.
    Texts Rows() const {
        Texts rows;
        for (int i = 0; i < dialog.ChainListView->topLevelItemCount(); ++i) {
            QTreeWidgetItem* r = dialog.ChainListView->topLevelItem(i);
            QString text = r->text(1).right(1) + " " + r->text(2);
            for (int c = 3; c <= 6; ++c)
                text += "|" + r->text(c);
            rows.push_back(text.toStdString());
        }
        return rows;
    }
    // The stored times as "code arrival/stay", to see that the list tells the truth.
    Texts Stored() const {
        Texts out;
        KeloKeloSchedulePtrClass s = dialog.Schedule();
        for (std::int32_t i = 0; i < s->GetCount(); ++i) {
            KeloStopSchedulePtrClass e = s->GetItem(i);
            out.push_back(e->GetStop()->GetCode().substr(5) + " " + e->GetArrival().Format() + "/" +
                          (e->GetStay().IsEmpty() ? "-" : e->GetStay().Format()));
        }
        return out;
    }

    kelo_test::TempDirSandbox sandbox;
    KeloDataPtrClass data;
    TKeloTripTimeTableDialogForm dialog;
};

// Answers the stop choice with the stop of `code`.
auto ChooseStop(const char* code) {
    return [code](TKeloSimpleStopDataSetViewForm* choice) {
        for (int i = 0; i < choice->RowCount(); ++i)
            if (choice->Row(i)->CaptionBytes() == code)
                choice->SelectRow(i);
        choice->OkButton->click();
    };
}

} // namespace

TEST_F(TimetableDialog, ListShowsTimesRunsAndBlanks) {
    Open(0, 0);
    EXPECT_EQ(Rows(), (Texts{"1 08:00|||10.0|10.0", "2 09:00|||30.0|30.0", "3 10:00|||20.0|20.0",
                             "4 11:00|11:05|00:05|545.5|500.0", "5 12:00||||"}));
    EXPECT_EQ(dialog.ChainListView->topLevelItem(0)->text(0), "A");
    EXPECT_EQ(dialog.ChainListView->topLevelItem(0)->text(1), "000001");
    EXPECT_FALSE(dialog.SetKelo(2, data));
}

TEST_F(TimetableDialog, RecalculationBySpeed) {
    struct Case {
        int row;
        const char* speed;
        Texts stored;
        int warnings;
    };
    const Case cases[] = {
        // 10, 30 and 20 km at 60 km/h: one minute more where the hours are not exact.
        {0, "60", {"1 08:00/-", "2 08:11/-", "3 08:41/-", "4 09:02/00:05", "5 17:27/-"}, 0},
        // 500 km at 20 km/h: 25 hours, warned once and taken as 1 hour.
        {3, "20", {"1 08:00/-", "2 09:00/-", "3 10:00/-", "4 11:00/00:05", "5 12:05/-"}, 1},
        {4, "20", {"1 08:00/-", "2 09:00/-", "3 10:00/-", "4 11:00/00:05", "5 12:00/-"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        data = MakeInMemorySource(LineData());
        Open(0, c.row);
        MessageBoxAnswer warnings(QMessageBox::Ok);
        WhenModal<TKeloTripTimetableRateSpeedForm> speed([&](auto* form) {
            EXPECT_TRUE(
                form->windowTitle().endsWith(dialog.ChainListView->topLevelItem(c.row)->text(0)));
            form->RateSpeedComboBox->setCurrentText(c.speed);
            form->SaveButton->click();
        });
        dialog.UpdateBySpeedAction->trigger();
        EXPECT_EQ(Stored(), c.stored);
        ASSERT_EQ(warnings.Count(), c.warnings);
        if (c.warnings > 0) {
            EXPECT_EQ(
                warnings.Last().text,
                QString::fromUtf8("Некорректное значение времени (более суток). Участок  D-E."));
            EXPECT_EQ(warnings.Last().icon, QMessageBox::Warning);
        }
        // The list shows what is stored; the speed of a recalculated run follows it.
        for (std::size_t i = 0; i < c.stored.size(); ++i)
            EXPECT_EQ(Rows()[i].substr(0, 7), c.stored[i].substr(0, 7));
    }
    EXPECT_EQ(Rows()[0], "1 08:00|||10.0|10.0");
}

TEST_F(TimetableDialog, ChangeTimesOfAStop) {
    struct Case {
        int row;
        bool expectChecked;
        const char* arrival;
        bool check;
        const char* stay;
        std::string stored;
        std::string shown;
    };
    const Case cases[] = {
        // The last stop has no stay: the box is clear, departure and stay disabled at 00:00.
        {4, false, "12:30", false, "00:00", "5 12:30/-", "5 12:30||||"},
        {4, false, "12:00", true, "00:00", "5 12:00/00:00", "5 12:00|12:00|00:00||"},
        {3, true, "10:58", true, "00:04", "4 10:58/00:04", "4 10:58|11:02|00:04|517.2|500.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        Open(0, c.row);
        WhenModal<TKeloTripTimetableInfoForm> entry([&](TKeloTripTimetableInfoForm* form) {
            EXPECT_EQ(form->windowTitle(), dialog.ChainListView->topLevelItem(c.row)->text(0));
            EXPECT_EQ(form->WaitTimeEmptyCheckBox->isChecked(), c.expectChecked);
            EXPECT_EQ(form->TimeOutShortTimePicker->isEnabled(), c.expectChecked);
            if (!c.expectChecked) {
                EXPECT_EQ(form->TimeWaitShortTimePicker->displayText(), "00:00");
            }
            form->TimeInShortTimePicker->SetTimeByString(c.arrival);
            form->WaitTimeEmptyCheckBox->setChecked(c.check);
            form->TimeWaitShortTimePicker->SetTimeByString(c.stay);
            form->SaveButton->click();
        });
        dialog.ChangeInfoAction->trigger();
        EXPECT_EQ(Stored()[c.row], c.stored);
        EXPECT_EQ(Rows()[c.row], c.shown);
    }
    // Only that entry changed; the run before it was measured again.
    EXPECT_EQ(Rows()[2], "3 10:00|||20.7|20.0");
}

TEST_F(TimetableDialog, OvernightTimesOpenAndAreStoredWithinTheDay) {
    // 23:50 + 15 reaches the next day and 24:10 comes from an older file: both open taken
    // into the day. An empty arrival is still refused.
    const char* shown[] = {"23:50 00:05", "00:10 00:00", nullptr};
    for (int row : {0, 1, 2}) {
        SCOPED_TRACE(row);
        Open(1, row);
        WhenModal<TKeloErrorMessageDialogForm> error(
            [](auto* form) { form->CloseButton->click(); });
        QString seen;
        WhenModal<TKeloTripTimetableInfoForm> entry([&](auto* form) {
            seen = form->TimeInShortTimePicker->displayText() + " " +
                   form->TimeOutShortTimePicker->displayText();
            form->SaveButton->click();
        });
        dialog.ChangeInfoAction->trigger();
        EXPECT_EQ(error.Done(), shown[row] == nullptr);
        if (shown[row] != nullptr) {
            EXPECT_EQ(seen.toStdString(), shown[row]);
        }
    }
    EXPECT_EQ(Stored()[1], "2 00:10/-");

    // Recalculation from 23:50 + 15 stores 00:16 and 00:46, not 24:16 and 24:46.
    Open(1, 0);
    WhenModal<TKeloTripTimetableRateSpeedForm> speed([](auto* form) {
        form->RateSpeedComboBox->setCurrentText("60");
        form->SaveButton->click();
    });
    dialog.UpdateBySpeedAction->trigger();
    EXPECT_EQ(Stored(), (Texts{"1 23:50/00:15", "2 00:16/-", "3 00:46/-"}));
    EXPECT_EQ(Rows()[0].substr(0, 13), "1 23:50|00:05");

    // Arrival 23:50 and departure 00:10 in the form: a stay of 20, shown as 00:10.
    Open(0, 3);
    WhenModal<TKeloTripTimetableInfoForm> entry([](auto* form) {
        form->TimeInShortTimePicker->SetTimeByString("23:50");
        form->TimeOutShortTimePicker->SetTimeByString("00:10");
        form->SaveButton->click();
    });
    dialog.ChangeInfoAction->trigger();
    EXPECT_EQ(Stored()[3], "4 23:50/00:20");
    EXPECT_EQ(Rows()[3].substr(0, 19), "4 23:50|00:10|00:20");
}

TEST_F(TimetableDialog, DeleteAndInsertStops) {
    enum Command { Delete, Insert };
    struct Case {
        Command command;
        int row;
        const char* code;
        std::string codes; // last digit of each stop code after the command
        bool refused;
    };
    const Case cases[] = {
        {Delete, 0, nullptr, "2345", false},    // the first stop: no check
        {Delete, 4, nullptr, "1234", false},    // the last stop: no check
        {Delete, 1, nullptr, "12345", true},    // A and C are not linked
        {Delete, 2, nullptr, "1245", false},    // B -> D is linked
        {Insert, 0, "000006", "612345", false}, // only X -> A is needed
        {Insert, 1, "000006", "12345", true},   // A -> X is unknown
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.command) + " " + std::to_string(c.row));
        data = MakeInMemorySource(LineData());
        Open(0, c.row);
        MessageBoxAnswer refusal(QMessageBox::Ok);
        WhenModal<TKeloSimpleStopDataSetViewForm> choice(ChooseStop(c.code ? c.code : ""));
        WhenModal<TKeloTripTimetableInfoForm> entry([](auto* form) { form->SaveButton->click(); });
        (c.command == Delete ? dialog.DeleteStopAction : dialog.InsertStopAction)->trigger();
        std::string codes;
        for (const std::string& s : Stored())
            codes += s[0];
        EXPECT_EQ(codes, c.codes);
        ASSERT_EQ(refusal.Count(), c.refused ? 1 : 0);
        if (c.refused) {
            EXPECT_EQ(refusal.Last().text, QString::fromUtf8("Отсутствует топология"));
        }
        // An inserted stop arrives at 00:00 without a stay and opens in the entry window.
        EXPECT_EQ(entry.Done(), c.command == Insert && !c.refused);
        if (entry.Done()) {
            EXPECT_EQ(Stored()[c.row], "6 00:00/-");
        }
    }
}

TEST_F(TimetableDialog, AppendOpensTheEntryWindowForTheNewLastStop) {
    Open(0, -1);
    WhenModal<TKeloSimpleStopDataSetViewForm> choice(ChooseStop("000006"));
    WhenModal<TKeloTripTimetableInfoForm> entry([](TKeloTripTimetableInfoForm* form) {
        EXPECT_EQ(form->TimeInShortTimePicker->displayText(), "00:00");
        form->TimeInShortTimePicker->SetTimeByString("13:15");
        form->SaveButton->click();
    });
    dialog.AppendStopAction->trigger();
    ASSERT_TRUE(entry.Done());
    EXPECT_EQ(Stored().back(), "6 13:15/-");
    EXPECT_EQ(dialog.SelectedRow(), 5);
    // No topology is asked for: E -> X is unknown, so the run shows no distance.
    EXPECT_EQ(Rows()[4], "5 12:00|||0.0|0.0");
}

TEST_F(TimetableDialog, MenuNeedsASelectedRowForStopCommands) {
    struct Case {
        int kelo;
        int row;
        bool enabled;
    };
    for (const Case& c : {Case{0, 2, true}, Case{0, -1, false}}) {
        Open(c.kelo, c.row);
        if (c.row < 0)
            dialog.ChainListView->clearSelection();
        dialog.ChainPopupMenuPopup();
        for (QAction* a : {dialog.ChangeInfoAction, dialog.UpdateBySpeedAction,
                           dialog.DeleteStopAction, dialog.InsertStopAction})
            EXPECT_EQ(a->isEnabled(), c.enabled) << a->text().toStdString();
        for (QAction* a : {dialog.MoveAction, dialog.InvertAction, dialog.AppendStopAction})
            EXPECT_TRUE(a->isEnabled());
        EXPECT_FALSE(dialog.CopyAction->isVisible());
    }
    // Every stop removed: the list is empty and only the whole-kelo commands stay.
    while (dialog.Schedule()->GetCount() > 0)
        dialog.Schedule()->RemoveStop(0);
    dialog.FillChainList();
    dialog.ChainPopupMenuPopup();
    EXPECT_FALSE(dialog.ChangeInfoAction->isEnabled());
    EXPECT_TRUE(dialog.AppendStopAction->isEnabled());
}

TEST_F(TimetableDialog, MoveAndInvertTheWholeKelo) {
    struct Case {
        bool invert;
        const char* start;
        Texts stored;
    };
    const Case cases[] = {
        {false, "09:30", {"1 09:30/-", "2 10:30/-", "3 11:30/-", "4 12:30/00:05", "5 13:30/-"}},
        // Each run and stay as before, in reverse; the former last stop waits 0 minutes.
        {true, "08:00", {"5 08:00/00:00", "4 08:55/00:05", "3 10:00/-", "2 11:00/-", "1 12:00/-"}},
        {true, "06:00", {"5 06:00/00:00", "4 06:55/00:05", "3 08:00/-", "2 09:00/-", "1 10:00/-"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        data = MakeInMemorySource(LineData());
        Open(0, 2);
        WhenModal<TKeloTripKeloMoveDialogForm> start([&](TKeloTripKeloMoveDialogForm* form) {
            EXPECT_EQ(form->windowTitle(),
                      QString::fromUtf8(c.invert ? "Инвертирование рейса" : "Перенос рейса"));
            EXPECT_TRUE(form->KeloCopyCheckBox->isHidden());
            EXPECT_EQ(form->TimeStartPicker->displayText(), "08:00");
            form->TimeStartPicker->SetTimeByString(c.start);
            form->OkButton->click();
        });
        (c.invert ? dialog.InvertAction : dialog.MoveAction)->trigger();
        EXPECT_EQ(Stored(), c.stored);
        EXPECT_EQ(Rows()[0].substr(0, 7), c.stored[0].substr(0, 7));
    }
}

TEST_F(TimetableDialog, WholeKeloCommandsRefuseTimesTheyCannotUse) {
    // An inversion needs every arrival; a move needs the first one.
    Open(1, 0);
    MessageBoxAnswer refusal(QMessageBox::Ok);
    WhenModal<TKeloTripKeloMoveDialogForm> start([](auto* form) { form->OkButton->click(); });
    dialog.InvertAction->trigger();
    EXPECT_EQ(refusal.Count(), 1);
    const Texts before = Stored();
    EXPECT_EQ(before[0], "1 23:50/00:15");
    dialog.Schedule()->GetItem(0)->SetArrival(KeloTimeType());
    WhenModal<TKeloErrorMessageDialogForm> error([](auto* form) { form->CloseButton->click(); });
    dialog.MoveAction->trigger();
    EXPECT_TRUE(error.Done());
    EXPECT_EQ(Stored()[1], before[1]);
}

TEST_F(TimetableDialog, ColumnWidthsComeBackInTheNextDialog) {
    Open(0, 0);
    EXPECT_EQ(dialog.ChainListView->columnWidth(0), 340);
    EXPECT_EQ(dialog.ChainListView->columnWidth(1), 83);
    // Both buttons at the right edge, 10 pixels from it and apart.
    dialog.resize(700, 400);
    QApplication::processEvents();
    EXPECT_EQ(dialog.CancelButton->geometry().right() + 1, dialog.Panel->width() - 10);
    EXPECT_EQ(dialog.NextButton->geometry().right() + 1, dialog.CancelButton->x() - 10);
    dialog.ChainListView->setColumnWidth(0, 150);
    dialog.ChainListView->setColumnWidth(5, 77);
    dialog.reject();
    TKeloTripTimeTableDialogForm next;
    ASSERT_TRUE(next.SetKelo(0, data));
    next.show();
    EXPECT_EQ(next.ChainListView->columnWidth(0), 150);
    EXPECT_EQ(next.ChainListView->columnWidth(5), 77);
}
