#pragma once

#include "ZoDrawingSurfaceClass.h"

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class TZoUpDown;

/// The dialog "Настройка графика рейсов": which kelos, grid, base speed and angle, zoom and
/// colours of one diagram window. Takes the values through its setters and gives them back
/// through its getters; it checks the typed numbers when the planner confirms and knows
/// nothing of the window.
class TKeloTripDiagramOptionsForm : public QDialog {
    Q_OBJECT
public:
    explicit TKeloTripDiagramOptionsForm(QWidget* owner);

    void SetBaseSpeed(float value);
    float GetBaseSpeed() const { return speed; }
    void SetBaseAngle(std::int32_t value);
    std::int32_t GetBaseAngle() const { return angle; }
    void SetViewScale(float value);
    float GetViewScale() const { return zoom; }
    void SetShowForward(bool value);
    bool GetShowForward() const { return forward; }
    void SetShowBackward(bool value);
    bool GetShowBackward() const { return backward; }
    void SetShowInOutMarks(bool value);
    bool GetShowInOutMarks() const { return inOutMarks; }
    void SetShowGrid(bool value);
    bool GetShowGrid() const { return grid; }
    void SetMonoColor(bool value);
    bool GetMonoColor() const { return monoColor; }
    void SetGridColor(ZoColorType value);
    ZoColorType GetGridColor() const { return gridColor; }
    void SetCommonColor(ZoColorType value);
    ZoColorType GetCommonColor() const { return commonColor; }
    void SetSelectedColor(ZoColorType value);
    ZoColorType GetSelectedColor() const { return selectedColor; }

    // Closing with OK checks the fields first; a failure keeps the dialog open.
    void done(int result) override;

    QCheckBox* ShowForwardKelosCheckBox = nullptr;
    QCheckBox* ShowBackwardKelosCheckBox = nullptr;
    QCheckBox* ShowKeloInOutRowCheckBox = nullptr;
    QCheckBox* ShowGridCheckBox = nullptr;
    QLineEdit* BaseSpeedEdit = nullptr;
    TZoUpDown* BaseSpeedUpDown = nullptr;
    QLineEdit* BaseSpeedAngleEdit = nullptr;
    TZoUpDown* BaseSpeedAngleUpDown = nullptr;
    QComboBox* ViewScaleComboBox = nullptr;
    QFrame* GridColorShape = nullptr;
    QPushButton* GridColorButton = nullptr;
    QFrame* KeloCommonColorShape = nullptr;
    QPushButton* KeloCommonColorButton = nullptr;
    QFrame* KeloSelectedColorShape = nullptr;
    QPushButton* KeloSelectedColorButton = nullptr;
    QCheckBox* MonoColorKeloModeCheckBox = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    bool FormCloseQuery();
    void ChooseColor(ZoColorType& color, QFrame* shape);
    void MonoColorKeloModeCheckBoxClick();

    float speed = 0;
    std::int32_t angle = 0;
    float zoom = 1;
    bool forward = true;
    bool backward = true;
    bool grid = true;
    bool inOutMarks = false;
    bool monoColor = true;
    ZoColorType gridColor = 0xFFFFFF;
    ZoColorType commonColor = 0xFFFFFF;
    ZoColorType selectedColor = 0xFFFFFF;
    // Texts the speed and zoom fields were loaded with: left as they are, they give back
    // the exact values loaded, not the whole numbers shown for them.
    QString loadedSpeedText;
    QString loadedZoomText;
};
