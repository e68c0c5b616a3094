#include "TKeloTripDiagramOptionsForm.h"
#include "ModalAnswer.h"
#include "TZoUpDown.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A dialog loaded as a new window loads it.
void LoadNewWindow(TKeloTripDiagramOptionsForm& form) {
    form.SetShowForward(true);
    form.SetShowBackward(false);
    form.SetShowInOutMarks(true);
    form.SetShowGrid(true);
    form.SetBaseSpeed(60);
    form.SetBaseAngle(75);
    form.SetViewScale(1);
    form.SetMonoColor(true);
    form.SetGridColor(0xE0E0E0);
    form.SetSelectedColor(0xFF0000);
    form.SetCommonColor(0x808080);
}

TEST(TripDiagramOptionsForm, TypedValuesAreCheckedInOrderWithTheirMessageAndFocus) {
    struct Case {
        const char* speed;
        const char* angle;
        const char* scale;
        const char* message; // empty: the dialog closes
        const char* focus;
    };
    const Case cases[] = {
        {"0", "75", "100", "Значение базовой скорости выходит за пределы допустимого диапазона",
         "BaseSpeedEdit"},
        {"121", "75", "100", "Значение базовой скорости выходит за пределы допустимого диапазона",
         "BaseSpeedEdit"},
        {"abc", "0", "0", "Неверное значение базовой скорости", "BaseSpeedEdit"},
        {"", "75", "100", "Неверное значение базовой скорости", "BaseSpeedEdit"},
        {"60", "0", "100",
         "Значение базового угла наклона выходит за пределы допустимого диапазона",
         "BaseSpeedAngleEdit"},
        {"60", "90", "100",
         "Значение базового угла наклона выходит за пределы допустимого диапазона",
         "BaseSpeedAngleEdit"},
        {"60", "-5", "100",
         "Значение базового угла наклона выходит за пределы допустимого диапазона",
         "BaseSpeedAngleEdit"},
        {"60", "x", "0", "Неверное значение базового угла наклона", "BaseSpeedAngleEdit"},
        {"60", "75", "1000", "Значение масштаба выходит за пределы допустимого диапазона",
         "ViewScaleComboBox"},
        {"60", "75", "0", "Значение масштаба выходит за пределы допустимого диапазона",
         "ViewScaleComboBox"},
        {"60", "75", "1.5", "Неверное значение масштаба", "ViewScaleComboBox"},
        {"1.5", "45", "999", "", ""},
        {"1,5", "1", "1", "", ""}, // the planner's Russian decimal comma
    };
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    for (const Case& c : cases) {
        TKeloTripDiagramOptionsForm form(nullptr);
        LoadNewWindow(form);
        form.show();
        form.BaseSpeedEdit->setText(QString::fromUtf8(c.speed));
        form.BaseSpeedAngleEdit->setText(QString::fromUtf8(c.angle));
        form.ViewScaleComboBox->setEditText(QString::fromUtf8(c.scale));
        kelo_test::MessageBoxAnswer answer(QMessageBox::Ok);
        form.OkButton->click();
        const std::string label = std::string(c.speed) + " " + c.angle + " " + c.scale;
        if (*c.message == 0) {
            EXPECT_EQ(answer.Count(), 0) << label;
            EXPECT_EQ(form.result(), QDialog::Accepted) << label;
            EXPECT_FALSE(form.isVisible()) << label;
            continue;
        }
        ASSERT_EQ(answer.Count(), 1) << label;
        EXPECT_EQ(answer.Last().text, QString::fromUtf8(c.message)) << label;
        EXPECT_EQ(answer.Last().title, "Kelo"); // like every other error box of the program
        EXPECT_TRUE(form.isVisible()) << label;
        QWidget* focus = form.focusWidget();
        ASSERT_NE(focus, nullptr) << label;
        // The combo box passes its focus on to its edit.
        if (qobject_cast<QLineEdit*>(focus) && focus->parentWidget() == form.ViewScaleComboBox)
            focus = form.ViewScaleComboBox;
        EXPECT_EQ(focus->objectName().toStdString(), c.focus) << label;
    }
    QLocale::setDefault(QLocale::c());
}

TEST(TripDiagramOptionsForm, AcceptedValuesComeBackFromTheGetters) {
    TKeloTripDiagramOptionsForm form(nullptr);
    LoadNewWindow(form);
    EXPECT_EQ(form.BaseSpeedAngleEdit->text(), "75");
    EXPECT_EQ(form.ViewScaleComboBox->currentText(), "100");
    form.BaseSpeedEdit->setText("1.5");
    form.BaseSpeedAngleUpDown->StepBy(20); // no wrap: stops at 89
    form.ViewScaleComboBox->setEditText("999");
    form.ShowBackwardKelosCheckBox->setChecked(true);
    form.ShowGridCheckBox->setChecked(false);
    form.OkButton->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.GetBaseSpeed(), 1.5f);
    EXPECT_EQ(form.GetBaseAngle(), 89);
    EXPECT_FLOAT_EQ(form.GetViewScale(), 9.99f);
    EXPECT_TRUE(form.GetShowBackward());
    EXPECT_FALSE(form.GetShowGrid());
    EXPECT_TRUE(form.GetShowInOutMarks());

    // Loaded values left untouched come back exactly, fractions included.
    TKeloTripDiagramOptionsForm again(nullptr);
    LoadNewWindow(again);
    again.SetBaseSpeed(1.5f);
    again.SetViewScale(0.3333f);
    EXPECT_EQ(again.BaseSpeedEdit->text(), "1");
    EXPECT_EQ(again.ViewScaleComboBox->currentText(), "33");
    again.OkButton->click();
    EXPECT_EQ(again.GetBaseSpeed(), 1.5f);
    EXPECT_EQ(again.GetViewScale(), 0.3333f);

    // A comma is a decimal comma under any locale, never a group separator ("1,500" is not 1500).
    TKeloTripDiagramOptionsForm comma(nullptr);
    LoadNewWindow(comma);
    comma.BaseSpeedEdit->setText("1,500");
    comma.OkButton->click();
    EXPECT_EQ(comma.result(), QDialog::Accepted);
    EXPECT_EQ(comma.GetBaseSpeed(), 1.5f);
}

TEST(TripDiagramOptionsForm, MonoColourBoxEnablesTheKeloColoursAndTheChooserSetsASwatch) {
    TKeloTripDiagramOptionsForm form(nullptr);
    LoadNewWindow(form);
    form.SetMonoColor(false);
    EXPECT_FALSE(form.MonoColorKeloModeCheckBox->isChecked());
    EXPECT_FALSE(form.GetMonoColor());
    EXPECT_FALSE(form.KeloCommonColorButton->isEnabled());
    EXPECT_FALSE(form.KeloSelectedColorButton->isEnabled());
    EXPECT_TRUE(form.GridColorButton->isEnabled());
    form.MonoColorKeloModeCheckBox->click();
    EXPECT_TRUE(form.GetMonoColor());
    EXPECT_TRUE(form.KeloCommonColorButton->isEnabled());

    form.show();
    form.grab().save("trip_diagram_options.png"); // for a look by eye
    QColor preset;
    kelo_test::WhenModal<QColorDialog> choose([&preset](QColorDialog* chooser) {
        preset = chooser->currentColor();
        chooser->setCurrentColor(QColor(0x12, 0x34, 0x56));
        chooser->accept();
    });
    form.GridColorButton->click();
    EXPECT_EQ(preset, QColor(0xE0, 0xE0, 0xE0));
    EXPECT_EQ(form.GetGridColor(), 0x563412u);
    EXPECT_EQ(form.GridColorShape->palette().color(QPalette::Window), QColor(0x12, 0x34, 0x56));
    kelo_test::WhenModal<QColorDialog> cancel([](QColorDialog* chooser) { chooser->reject(); });
    form.KeloCommonColorButton->click();
    EXPECT_EQ(form.GetCommonColor(), 0x808080u);
}

} // namespace
