#include "KeloErrorReport.h"
#include "ModalAnswer.h"
#include "TKeloErrorMessageDialogForm.h"
#include "TKeloMessageModule.h"
#include "TZoStringStorage.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <stdexcept>

using kelo_test::MessageBoxAnswer;
using kelo_test::WhenModal;

namespace {

const QString ShowText = QString::fromUtf8("Подробнее...");
const QString HideText = QString::fromUtf8("Скрыть...");

// Every test starts like a fresh run of the program.
class ErrorDialog : public testing::Test {
protected:
    void SetUp() override { TKeloErrorMessageDialogForm::SetSharedDetailsShown(false); }
    void TearDown() override { TKeloErrorMessageDialogForm::SetSharedDetailsShown(false); }
};

struct Seen {
    QString caption;
    int heightAtOpening = 0;
    QString buttonAtOpening;
    bool memoVisibleAtOpening = false;
    QString details;
    QString label;
};

// Records the dialog as it opens, then presses the details button `toggles` times and
// closes it.
WhenModal<TKeloErrorMessageDialogForm> Watch(Seen& seen, int toggles) {
    return WhenModal<TKeloErrorMessageDialogForm>([&seen, toggles](TKeloErrorMessageDialogForm* d) {
        seen.caption = d->windowTitle();
        seen.heightAtOpening = d->height();
        seen.buttonAtOpening = d->DetailsButton->text();
        seen.memoVisibleAtOpening = d->DetailsMemo->isVisible();
        seen.details = d->DetailsMemo->toPlainText();
        seen.label = d->ErrorMessageLabel->text();
        for (int i = 0; i < toggles; ++i)
            d->DetailsButton->click();
        d->CloseButton->click();
    });
}

} // namespace

TEST_F(ErrorDialog, OpensWithTheDetailsHiddenAndTogglesThem) {
    TKeloErrorMessageDialogForm dialog;
    dialog.show();
    EXPECT_EQ(dialog.width(), 392);
    EXPECT_EQ(dialog.height(), 75);
    EXPECT_EQ(dialog.DetailsButton->text(), ShowText);
    EXPECT_FALSE(dialog.DetailsMemo->isVisible());
    EXPECT_EQ(dialog.DetailsMemo->toPlainText(), QString::fromUtf8("<нет данных>"));
    EXPECT_EQ(dialog.ErrorMessageLabel->text(), QString::fromUtf8("Внутренняя ошибка"));
    EXPECT_EQ(dialog.CloseButton->text(), QString::fromUtf8("Закрыть"));
    EXPECT_TRUE(dialog.CloseButton->isDefault());

    dialog.DetailsButton->click();
    EXPECT_EQ(dialog.height(), 173);
    EXPECT_EQ(dialog.DetailsButton->text(), HideText);
    EXPECT_TRUE(dialog.DetailsMemo->isVisible());

    dialog.DetailsButton->click();
    EXPECT_EQ(dialog.height(), 75);
    EXPECT_EQ(dialog.DetailsButton->text(), ShowText);
    EXPECT_FALSE(dialog.DetailsMemo->isVisible());
}

TEST_F(ErrorDialog, MemoIsReadOnlyAndSkippedByTab) {
    TKeloErrorMessageDialogForm dialog;
    EXPECT_TRUE(dialog.DetailsMemo->isReadOnly());
    EXPECT_FALSE(dialog.DetailsMemo->focusPolicy() & Qt::TabFocus);
}

TEST_F(ErrorDialog, StateCarriesOverToTheNextDialog) {
    Seen first;
    Seen second;
    Seen third;
    {
        auto watch = Watch(first, 1); // opens the details and closes
        ShowExceptionError(std::runtime_error("one"));
        EXPECT_TRUE(watch.Done());
    }
    {
        auto watch = Watch(second, 1); // hides them again
        ShowExceptionError(std::runtime_error("two"));
    }
    {
        auto watch = Watch(third, 0);
        ShowExceptionError(std::runtime_error("three"));
    }
    EXPECT_EQ(first.heightAtOpening, 75);
    EXPECT_EQ(first.buttonAtOpening, ShowText);
    EXPECT_EQ(second.heightAtOpening, 173);
    EXPECT_EQ(second.buttonAtOpening, HideText);
    EXPECT_TRUE(second.memoVisibleAtOpening);
    EXPECT_EQ(third.heightAtOpening, 75);
}

TEST_F(ErrorDialog, DetailsNameTheClassAndTheMessage) {
    Seen seen;
    auto watch = Watch(seen, 0);
    ShowExceptionError(std::out_of_range("index 7"));
    EXPECT_EQ(seen.caption, "Kelo");
    EXPECT_EQ(seen.label, QString::fromUtf8("Внутренняя ошибка"));
    EXPECT_EQ(seen.details, "ClassName : std::out_of_range\nMessage   : index 7");
}

namespace kelo_errors {
struct KeloDataError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
} // namespace kelo_errors

TEST_F(ErrorDialog, CaughtExceptionsOfAnyKind) {
    Seen seen;
    {
        auto watch = Watch(seen, 0);
        try {
            throw kelo_errors::KeloDataError("\xD0\xE5\xE9\xF1 02\xCF"); // Рейс 02П
        } catch (...) {
            ShowCurrentExceptionError();
        }
    }
    EXPECT_EQ(seen.details, QString::fromUtf8("ClassName : kelo_errors::KeloDataError\n"
                                              "Message   : Рейс 02П"));
    {
        auto watch = Watch(seen, 0);
        try {
            throw 42;
        } catch (...) {
            ShowCurrentExceptionError();
        }
    }
    EXPECT_EQ(seen.details, "ClassName : int\nMessage   : ");
}

TEST_F(ErrorDialog, MultiLineMessagesShowEveryLine) {
    Seen seen;
    auto watch = Watch(seen, 1);
    ShowExceptionError(std::runtime_error("первая\nвторая\nтретья"));
    EXPECT_EQ(seen.details.split('\n').size(), 4);
    EXPECT_TRUE(seen.details.endsWith(QString::fromUtf8("третья")));
}

TEST(ErrorMessage, PlatformCaptionErrorIconAndOk) {
    MessageBoxAnswer answer;
    ShowErrorMessage(QString::fromUtf8("Значение вне диапазона"));
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Last().title, "Error");
    EXPECT_EQ(answer.Last().icon, QMessageBox::Critical);
    EXPECT_EQ(answer.Last().buttons, QMessageBox::Ok);
    EXPECT_EQ(answer.Last().text, QString::fromUtf8("Значение вне диапазона"));
}

TEST(MessageModule, SharedMessagesByPosition) {
    const QString question = QString::fromUtf8(
        "Недостаточно данных для выполнения операции.Будете добавлять необходимую информацию?");
    const QString notice = QString::fromUtf8(
        "Для выполнения данной операции необходимо выполнить пункт \"Регламент базы данных\"");
    EXPECT_EQ(KeloMessageModule, nullptr);
    EXPECT_EQ(KeloSharedMessage(TKeloMessageModule::NotEnoughDataQuestion), question);
    {
        TKeloMessageModule module;
        EXPECT_EQ(KeloMessageModule, &module);
        EXPECT_EQ(module.ZoStringStorage->Lines().size(), 4);
        EXPECT_EQ(module.Message(1), question);
        EXPECT_EQ(module.Message(3), notice);
        EXPECT_TRUE(module.Message(0).isEmpty());
        EXPECT_TRUE(module.Message(2).isEmpty());
        module.ZoStringStorage->Lines()[3] = "changed";
        EXPECT_EQ(KeloSharedMessage(TKeloMessageModule::RegulationNotice), "changed");
    }
    EXPECT_EQ(KeloMessageModule, nullptr);
    EXPECT_EQ(KeloSharedMessage(TKeloMessageModule::RegulationNotice), notice);
}
