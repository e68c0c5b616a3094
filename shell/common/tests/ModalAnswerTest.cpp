#include "ModalAnswer.h"
#include "KeloMessageBoxes.h"

#include <QDialog>
#include <QPushButton>

#include <gtest/gtest.h>

using kelo_test::MessageBoxAnswer;
using kelo_test::WhenModal;

TEST(KeloMessageBoxes, QuestionIsAnsweredYesOrNo) {
    MessageBoxAnswer answer(QMessageBox::Yes);
    EXPECT_TRUE(KeloAskYesNo(QString::fromUtf8("Завершить работу приложения?")));
    answer.SetAnswer(QMessageBox::No);
    EXPECT_FALSE(KeloAskYesNo("again?"));
    ASSERT_EQ(answer.Count(), 2);
    const kelo_test::SeenMessageBox& first = answer.Boxes()[0];
    EXPECT_EQ(first.title, "Kelo");
    EXPECT_EQ(first.text, QString::fromUtf8("Завершить работу приложения?"));
    EXPECT_EQ(first.icon, QMessageBox::Question);
    EXPECT_EQ(first.buttons, QMessageBox::Yes | QMessageBox::No);
}

TEST(KeloMessageBoxes, NoticesCarryTheirIconsAndOneOkButton) {
    MessageBoxAnswer answer;
    KeloShowInformation("info");
    KeloShowWarning("warning");
    KeloShowError("error");
    ASSERT_EQ(answer.Count(), 3);
    const QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Warning,
                                       QMessageBox::Critical};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(answer.Boxes()[i].title, "Kelo");
        EXPECT_EQ(answer.Boxes()[i].icon, icons[i]);
        EXPECT_EQ(answer.Boxes()[i].buttons, QMessageBox::Ok);
    }
    EXPECT_EQ(answer.Last().text, "error");
}

TEST(ModalAnswer, AMissingButtonIsRecordedAndTheBoxStillCloses) {
    MessageBoxAnswer answer(QMessageBox::Yes);
    KeloShowError("only OK here");
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_TRUE(answer.Last().answerMissing);
}

TEST(ModalAnswer, WhenModalActsOnTheFirstDialogOfItsType) {
    QDialog dialog;
    auto* ok = new QPushButton("Ok", &dialog);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    WhenModal<QDialog> press([](QDialog* shown) { shown->findChild<QPushButton*>()->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(press.Done());
}

TEST(ModalAnswer, NestedBoxesAreAnsweredInsideADialog) {
    // A dialog that asks a question when its Ok is pressed, as the choice lists do.
    QDialog dialog;
    auto* ok = new QPushButton("Ok", &dialog);
    QObject::connect(ok, &QPushButton::clicked, &dialog, [&dialog] {
        if (KeloAskYesNo("close?", &dialog))
            dialog.accept();
    });
    MessageBoxAnswer answer(QMessageBox::No);
    int presses = 0;
    WhenModal<QDialog> press([&](QDialog* shown) {
        auto* button = shown->findChild<QPushButton*>();
        button->click(); // refused: No
        ++presses;
        answer.SetAnswer(QMessageBox::Yes);
        button->click(); // accepted
        ++presses;
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(presses, 2);
    EXPECT_EQ(answer.Count(), 2);
}
