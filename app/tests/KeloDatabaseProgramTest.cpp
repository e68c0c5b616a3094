// The planner's round: start on a database, edit in a diagram window, save, start again.
#include "KeloCachedUpdateDataClass.h"
#include "KeloChooseKelo.h"
#include "KeloDBConnectionClass.h"
#include "KeloStartupSource.h"
#include "KeloTransactionClass.h"
#include "KeloVersionedDataClass.h"
#include "ModalAnswer.h"
#include "TKeloDiagramChangesForm.h"
#include "TKeloMainFrame.h"
#include "TKeloSimpleKeloDataSetViewForm.h"
#include "TKeloTripDiagramForm.h"
#include "TKeloTripKeloCopyDialogForm.h"
#include "TKeloTripKeloMoveDialogForm.h"
#include "TShortTimePicker.h"
#include "TempDirSandbox.h"

#include <QAction>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

const std::string Kelo02P = "02\xCF";
const std::string Copy02P = "~02\xCF(2)";

using kelo_test::MessageBoxAnswer;
using kelo_test::WhenModal;

class KeloDatabaseProgramTest : public testing::Test {
protected:
    // Start-up as main does it, then the kelo choice answered with 02П.
    TKeloTripDiagramForm* Start(int busyTimeoutMs = 3000) {
        source = OpenStartupSource(path, busyTimeoutMs).source;
        EXPECT_FALSE(source.IsNull());
        frame = std::make_unique<TKeloMainFrame>(source);
        frame->showMaximized();
        WhenModal<TKeloSimpleKeloDataSetViewForm> choose(
            [](auto* choice) { ChooseKelo(choice, Kelo02P); });
        frame->DoFlightDiagramActionExecute();
        return qobject_cast<TKeloTripDiagramForm*>(
            frame->MdiArea()->subWindowList().value(0)->widget());
    }
    void Quit() {
        frame.reset();
        source = KeloDataPtrClass();
    }
    void Select(TKeloTripDiagramForm& form, const std::string& number) {
        form.KeloListView()->setCurrentIndex(form.FindKeloListItem(number));
    }
    void Trigger(TKeloTripDiagramForm& form, const char* action) {
        form.KeloListViewPopupMenu()->findChild<QAction*>(action)->trigger();
    }
    // Copies 02П to 05:00 and deletes `victim`, both in the window's buffer.
    void CopyAndDelete(TKeloTripDiagramForm& form, const std::string& victim) {
        Select(form, Kelo02P);
        {
            WhenModal<TKeloTripKeloMoveDialogForm> start([](auto* dialog) {
                dialog->TimeStartPicker->SetTimeByString("05:00");
                dialog->OkButton->click();
            });
            WhenModal<TKeloTripKeloCopyDialogForm> copy(
                [](auto* dialog) { dialog->OkButton->click(); });
            Trigger(form, "KeloCopyAction");
        }
        Select(form, victim);
        MessageBoxAnswer yes(QMessageBox::Yes);
        Trigger(form, "KeloDeleteAction");
    }
    std::string Victim(TKeloTripDiagramForm& form) {
        KeloKeloSetPtrClass kelos = form.EditBuffer()->GetKeloSet();
        for (int i = 0; i < kelos->GetCount(); ++i)
            if (kelos->GetItem(i)->GetNumber() != Kelo02P)
                return kelos->GetItem(i)->GetNumber();
        return {};
    }
    kelo_test::SeenMessageBox Save(TKeloTripDiagramForm& form) {
        MessageBoxAnswer ok(QMessageBox::Ok);
        WhenModal<TKeloDiagramChangesForm> review([](auto* dialog) { dialog->OkButton->click(); });
        form.SaveButton()->click();
        EXPECT_EQ(ok.Count(), 1);
        return ok.Count() ? ok.Last() : kelo_test::SeenMessageBox();
    }

    kelo_test::TempDirSandbox sandbox;
    std::string path = QDir(sandbox.Path()).filePath("plan.db").toStdString();
    KeloDataPtrClass source;
    std::unique_ptr<TKeloMainFrame> frame;
};

TEST_F(KeloDatabaseProgramTest, ACopyAndADeletionSavedInTheWindowAreThereAtTheNextStart) {
    TKeloTripDiagramForm* form = Start();
    ASSERT_NE(form, nullptr);
    const std::string victim = Victim(*form);
    CopyAndDelete(*form, victim);
    EXPECT_EQ(Save(*form).text, QString::fromUtf8("Изменения успешно сохранены."));
    Quit();

    form = Start();
    ASSERT_NE(form, nullptr);
    KeloKeloPtrClass copy = source->FindKelo(Copy02P);
    ASSERT_FALSE(copy.IsNull());
    EXPECT_EQ(copy->GetSchedule()->GetItem(0)->GetArrival(), KeloTimeType(5, 0));
    EXPECT_EQ(copy->GetSchedule()->GetCount(), 9);
    EXPECT_TRUE(source->FindKelo(victim).IsNull());
    // The window of the new start shows both.
    EXPECT_FALSE(form->EditBuffer()->FindKelo(Copy02P).IsNull());
    EXPECT_EQ(form->KeloListView()->model()->rowCount(),
              form->EditBuffer()->GetKeloSet()->GetCount());
}

TEST_F(KeloDatabaseProgramTest, ASaveIntoALockedDatabaseFailsWholeAndCanBeRepeated) {
    TKeloTripDiagramForm* form = Start(100);
    ASSERT_NE(form, nullptr);
    const std::string victim = Victim(*form);
    CopyAndDelete(*form, victim);
    {
        KeloDBConnectionClass other(path, KeloDBConnectionClass::ModeType::OpenExisting, 0);
        other.Execute("BEGIN IMMEDIATE");
        const kelo_test::SeenMessageBox box = Save(*form);
        EXPECT_EQ(box.icon, QMessageBox::Critical);
        EXPECT_TRUE(box.text.startsWith(QString::fromUtf8(
            "Не удалось сохранить изменения: база данных занята другой программой.")))
            << box.text.toStdString();
        EXPECT_EQ(form->Diagram().GetEditBufferObject().GetChangeCount(), 2);
        EXPECT_FALSE(form->EditBuffer()->FindKelo(Copy02P).IsNull());
        other.Execute("ROLLBACK");
    }
    EXPECT_TRUE(source->FindKelo(Copy02P).IsNull());
    EXPECT_FALSE(source->FindKelo(victim).IsNull());
    EXPECT_EQ(Save(*form).text, QString::fromUtf8("Изменения успешно сохранены."));
    EXPECT_FALSE(source->FindKelo(Copy02P).IsNull());
    EXPECT_TRUE(source->FindKelo(victim).IsNull());
}

TEST_F(KeloDatabaseProgramTest, WhatAnotherPlannerSavesShowsWithoutTouchingPendingChanges) {
    TKeloTripDiagramForm* form = Start();
    ASSERT_NE(form, nullptr);
    ASSERT_NE(form->findChild<QTimer*>("OthersChangesTimer"), nullptr);
    const std::string other = Victim(*form);
    form->EditBuffer()->FindKelo(Kelo02P)->SetName("MINE");
    {
        KeloDataPtrClass second = OpenStartupSource(path).source;
        KeloTransactionClass* transaction = KeloFindTransaction(second);
        ASSERT_TRUE(transaction->BeginTransaction());
        for (const std::string& number : {Kelo02P, other}) {
            ASSERT_TRUE(KeloFindVersioned(second)->ClaimKelo(number, 1));
            second->FindKelo(number)->SetName("THEIRS");
        }
        ASSERT_TRUE(transaction->CommitTransaction());
    }
    form->RefreshOthersChanges();
    EXPECT_EQ(form->EditBuffer()->FindKelo(other)->GetName(), "THEIRS");
    EXPECT_EQ(form->EditBuffer()->FindKelo(Kelo02P)->GetName(), "MINE");
    EXPECT_EQ(form->Diagram().GetEditBufferObject().GetChangeCount(), 1);
}

} // namespace

namespace {

TEST_F(KeloDatabaseProgramTest, AKeloAnotherPlannerSavedMeanwhileIsHeldBackAndCanBeDiscarded) {
    TKeloTripDiagramForm* form = Start();
    ASSERT_NE(form, nullptr);
    const std::string other = Victim(*form);
    form->EditBuffer()->FindKelo(Kelo02P)->SetName("MINE");
    form->EditBuffer()->FindKelo(other)->SetName("MINE TOO");
    {
        // A second Kelo on the same file saves 02П first.
        KeloDataPtrClass second = OpenStartupSource(path).source;
        KeloTransactionClass* transaction = KeloFindTransaction(second);
        ASSERT_TRUE(transaction->BeginTransaction());
        ASSERT_TRUE(KeloFindVersioned(second)->ClaimKelo(Kelo02P, 1));
        second->FindKelo(Kelo02P)->SetName("THEIRS");
        ASSERT_TRUE(transaction->CommitTransaction());
    }
    MessageBoxAnswer discard(QMessageBox::Discard);
    WhenModal<TKeloDiagramChangesForm> review([](auto* dialog) { dialog->OkButton->click(); });
    form->SaveButton()->click();
    ASSERT_EQ(discard.Count(), 1);
    EXPECT_TRUE(discard.Last().text.startsWith(QString::fromUtf8(
        "Рейс 02П изменен другим пользователем. Изменения этого рейса не записаны.\n\n")))
        << discard.Last().text.toStdString();
    EXPECT_EQ(form->Diagram().GetEditBufferObject().GetChangeCount(), 0);
    EXPECT_EQ(form->EditBuffer()->FindKelo(Kelo02P)->GetName(), "THEIRS");
    Quit();
    KeloDataPtrClass reopened = OpenStartupSource(path).source;
    EXPECT_EQ(reopened->FindKelo(Kelo02P)->GetName(), "THEIRS");
    EXPECT_EQ(reopened->FindKelo(other)->GetName(), "MINE TOO");
}

} // namespace
