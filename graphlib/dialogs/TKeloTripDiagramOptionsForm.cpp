#include "TKeloTripDiagramOptionsForm.h"

#include "KeloErrorReport.h"
#include "KeloMessageBoxes.h"
#include "KeloNumberText.h"
#include "KeloQtText.h"
#include "TZoUpDown.h"
#include "ZoQtDrawingSurfaceClass.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int MinSpeed = 1;
constexpr int MaxSpeed = 120;
constexpr int MinAngle = 1;
constexpr int MaxAngle = 89;
constexpr int MinScale = 1;
constexpr int MaxScale = 999;

QCheckBox* CheckBox(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(U(caption), parent);
    box->setObjectName(name);
    return box;
}

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(U(caption), parent);
    button->setObjectName(name);
    return button;
}

QFrame* Swatch(const char* name, QWidget* parent) {
    auto* shape = new QFrame(parent);
    shape->setObjectName(name);
    shape->setFrameShape(QFrame::Box);
    shape->setFixedSize(40, 17);
    shape->setAutoFillBackground(true);
    return shape;
}

void PaintSwatch(QFrame* shape, ZoColorType color) {
    QPalette palette = shape->palette();
    palette.setColor(QPalette::Window, ZoColorToQColor(color));
    palette.setColor(QPalette::WindowText, ZoColorToQColor(color));
    shape->setPalette(palette);
}

// A comma ("1,5" under Russian settings) or a point, whatever the locale: never a group
// separator, so "1,5" is not read as 15.
bool ParseFloat(const QString& text, float& value) {
    double parsed = 0;
    if (!ParseDecimal(text.trimmed().toStdString(), parsed))
        return false;
    value = float(parsed);
    return std::isfinite(value);
}

bool ParseInt(const QString& text, int& value) {
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

} // namespace

TKeloTripDiagramOptionsForm::TKeloTripDiagramOptionsForm(QWidget* owner) : QDialog(owner) {
    setObjectName("TripDiagramOptionsForm");
    setWindowTitle(U("Настройка графика рейсов"));
    // A dialog frame without system buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    resize(444, 319);

    auto* kelos = new QGroupBox(U("Отображение рейсов"), this);
    auto* kelosLayout = new QVBoxLayout(kelos);
    ShowForwardKelosCheckBox =
        CheckBox("ShowForwardKelosCheckBox", "Отображать прямые рейсы", kelos);
    ShowBackwardKelosCheckBox =
        CheckBox("ShowBackwardKelosCheckBox", "Отображать обратные рейсы", kelos);
    ShowKeloInOutRowCheckBox =
        CheckBox("ShowKeloInOutRowCheckBox", "Отображать метки входа/выхода", kelos);
    kelosLayout->addWidget(ShowForwardKelosCheckBox);
    kelosLayout->addWidget(ShowBackwardKelosCheckBox);
    kelosLayout->addWidget(ShowKeloInOutRowCheckBox);

    auto* gridGroup = new QGroupBox(U("Отображение координатной сетки"), this);
    auto* gridLayout = new QVBoxLayout(gridGroup);
    ShowGridCheckBox = CheckBox("ShowGridCheckBox", "Отображать координатную сетку", gridGroup);
    gridLayout->addWidget(ShowGridCheckBox);
    gridLayout->addStretch(1);

    auto* scale = new QGroupBox(U("Масштаб графиков"), this);
    auto* scaleLayout = new QGridLayout(scale);
    BaseSpeedEdit = new QLineEdit(scale);
    BaseSpeedEdit->setObjectName("BaseSpeedEdit");
    BaseSpeedEdit->setMaxLength(3);
    BaseSpeedEdit->setFixedWidth(40);
    BaseSpeedUpDown = new TZoUpDown(BaseSpeedEdit, MinSpeed, MaxSpeed, scale);
    BaseSpeedUpDown->setObjectName("BaseSpeedUpDown");
    BaseSpeedAngleEdit = new QLineEdit(scale);
    BaseSpeedAngleEdit->setObjectName("BaseSpeedAngleEdit");
    BaseSpeedAngleEdit->setMaxLength(2);
    BaseSpeedAngleEdit->setFixedWidth(40);
    BaseSpeedAngleUpDown = new TZoUpDown(BaseSpeedAngleEdit, MinAngle, MaxAngle, scale);
    BaseSpeedAngleUpDown->setObjectName("BaseSpeedAngleUpDown");
    ViewScaleComboBox = new QComboBox(scale);
    ViewScaleComboBox->setObjectName("ViewScaleComboBox");
    ViewScaleComboBox->setEditable(true);
    ViewScaleComboBox->setInsertPolicy(QComboBox::NoInsert);
    ViewScaleComboBox->addItems({"25", "50", "75", "100", "150", "200", "500"});
    ViewScaleComboBox->setFixedWidth(70);
    ViewScaleComboBox->setEditText("100"); // the held zoom of 1.0
    loadedZoomText = ViewScaleComboBox->currentText();
    scaleLayout->addWidget(new QLabel(U("Базовая скорость (км/ч)"), scale), 0, 0);
    scaleLayout->addWidget(BaseSpeedEdit, 0, 1);
    scaleLayout->addWidget(BaseSpeedUpDown, 0, 2);
    scaleLayout->addWidget(new QLabel(U("Базовый угол наклона (град.)"), scale), 1, 0);
    scaleLayout->addWidget(BaseSpeedAngleEdit, 1, 1);
    scaleLayout->addWidget(BaseSpeedAngleUpDown, 1, 2);
    scaleLayout->addWidget(new QLabel(U("Масштаб (%)"), scale), 2, 0);
    scaleLayout->addWidget(ViewScaleComboBox, 2, 1, 1, 2);
    scaleLayout->setColumnStretch(0, 1);

    auto* colors = new QGroupBox(U("Настройка цветов"), this);
    auto* colorsLayout = new QGridLayout(colors);
    GridColorShape = Swatch("GridColorShape", colors);
    GridColorButton = Button("GridColorButton", "Изменить...", colors);
    KeloCommonColorShape = Swatch("KeloCommonColorShape", colors);
    KeloCommonColorButton = Button("KeloCommonColorButton", "Изменить...", colors);
    KeloSelectedColorShape = Swatch("KeloSelectedColorShape", colors);
    KeloSelectedColorButton = Button("KeloSelectedColorButton", "Изменить...", colors);
    MonoColorKeloModeCheckBox =
        CheckBox("MonoColorKeloModeCheckBox", "Одноцветное отображение", colors);
    MonoColorKeloModeCheckBox->setChecked(true);
    colorsLayout->addWidget(new QLabel(U("Цвет координатной сетки"), colors), 0, 0);
    colorsLayout->addWidget(GridColorShape, 0, 1);
    colorsLayout->addWidget(GridColorButton, 0, 2);
    colorsLayout->addWidget(new QLabel(U("Основной цвет рейсов"), colors), 1, 0);
    colorsLayout->addWidget(KeloCommonColorShape, 1, 1);
    colorsLayout->addWidget(KeloCommonColorButton, 1, 2);
    colorsLayout->addWidget(new QLabel(U("Цвет выбранного рейса"), colors), 2, 0);
    colorsLayout->addWidget(KeloSelectedColorShape, 2, 1);
    colorsLayout->addWidget(KeloSelectedColorButton, 2, 2);
    colorsLayout->addWidget(MonoColorKeloModeCheckBox, 3, 0, 1, 3);
    colorsLayout->setColumnStretch(0, 1);

    OkButton = Button("OkButton", "Ok", this);
    OkButton->setDefault(true);
    CancelButton = Button("CancelButton", "Отмена", this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(kelos, 0, 0);
    grid->addWidget(gridGroup, 0, 1);
    grid->addWidget(scale, 1, 0);
    grid->addWidget(colors, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    grid->addLayout(buttons, 2, 0, 1, 2);

    ShowForwardKelosCheckBox->setChecked(forward);
    ShowBackwardKelosCheckBox->setChecked(backward);
    ShowGridCheckBox->setChecked(grid);
    for (auto [shape, color] : {std::pair{GridColorShape, gridColor},
                                {KeloCommonColorShape, commonColor},
                                {KeloSelectedColorShape, selectedColor}})
        PaintSwatch(shape, color);

    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(GridColorButton, &QPushButton::clicked, this,
            [this] { ChooseColor(gridColor, GridColorShape); });
    connect(KeloCommonColorButton, &QPushButton::clicked, this,
            [this] { ChooseColor(commonColor, KeloCommonColorShape); });
    connect(KeloSelectedColorButton, &QPushButton::clicked, this,
            [this] { ChooseColor(selectedColor, KeloSelectedColorShape); });
    connect(MonoColorKeloModeCheckBox, &QCheckBox::toggled, this,
            &TKeloTripDiagramOptionsForm::MonoColorKeloModeCheckBoxClick);
}

void TKeloTripDiagramOptionsForm::SetBaseSpeed(float value) {
    if (value == speed)
        return;
    speed = value;
    BaseSpeedUpDown->SetPosition(static_cast<int>(std::trunc(value)));
    loadedSpeedText = BaseSpeedEdit->text();
}

void TKeloTripDiagramOptionsForm::SetBaseAngle(std::int32_t value) {
    if (value == angle)
        return;
    angle = value;
    BaseSpeedAngleUpDown->SetPosition(value);
}

void TKeloTripDiagramOptionsForm::SetViewScale(float value) {
    if (value == zoom)
        return;
    zoom = value;
    ViewScaleComboBox->setEditText(
        QString::number(static_cast<long long>(std::trunc(value * 100.0))));
    loadedZoomText = ViewScaleComboBox->currentText();
}

void TKeloTripDiagramOptionsForm::SetShowForward(bool value) {
    if (value == forward)
        return;
    forward = value;
    ShowForwardKelosCheckBox->setChecked(value);
}

void TKeloTripDiagramOptionsForm::SetShowBackward(bool value) {
    if (value == backward)
        return;
    backward = value;
    ShowBackwardKelosCheckBox->setChecked(value);
}

void TKeloTripDiagramOptionsForm::SetShowInOutMarks(bool value) {
    inOutMarks = value;
    ShowKeloInOutRowCheckBox->setChecked(value);
}

void TKeloTripDiagramOptionsForm::SetShowGrid(bool value) {
    if (value == grid)
        return;
    grid = value;
    ShowGridCheckBox->setChecked(value);
}

void TKeloTripDiagramOptionsForm::SetMonoColor(bool value) {
    MonoColorKeloModeCheckBox->setChecked(value);
}

void TKeloTripDiagramOptionsForm::SetGridColor(ZoColorType value) {
    gridColor = value;
    PaintSwatch(GridColorShape, value);
}

void TKeloTripDiagramOptionsForm::SetCommonColor(ZoColorType value) {
    commonColor = value;
    PaintSwatch(KeloCommonColorShape, value);
}

void TKeloTripDiagramOptionsForm::SetSelectedColor(ZoColorType value) {
    selectedColor = value;
    PaintSwatch(KeloSelectedColorShape, value);
}

void TKeloTripDiagramOptionsForm::MonoColorKeloModeCheckBoxClick() {
    monoColor = MonoColorKeloModeCheckBox->isChecked();
    // The common and the selected colour only matter in mono-colour mode.
    KeloCommonColorButton->setEnabled(monoColor);
    KeloSelectedColorButton->setEnabled(monoColor);
}

void TKeloTripDiagramOptionsForm::ChooseColor(ZoColorType& color, QFrame* shape) {
    QColorDialog chooser(ZoColorToQColor(color), this);
    chooser.setObjectName("SelectColorDialog");
    if (chooser.exec() != QDialog::Accepted)
        return;
    color = ZoColorFromQColor(chooser.selectedColor());
    PaintSwatch(shape, color);
}

void TKeloTripDiagramOptionsForm::done(int result) {
    if (result == QDialog::Accepted && !FormCloseQuery())
        return;
    QDialog::done(result);
}

bool TKeloTripDiagramOptionsForm::FormCloseQuery() {
    auto refuse = [this](QWidget* field, const char* message) {
        KeloShowError(U(message), this);
        field->setFocus();
        return false;
    };

    const bool speedUntouched =
        !loadedSpeedText.isEmpty() && BaseSpeedEdit->text() == loadedSpeedText;
    if (!speedUntouched && !ParseFloat(BaseSpeedEdit->text(), speed))
        return refuse(BaseSpeedEdit, "Неверное значение базовой скорости");
    if (speed < MinSpeed || speed > MaxSpeed)
        return refuse(BaseSpeedEdit,
                      "Значение базовой скорости выходит за пределы допустимого диапазона");

    int typedAngle = 0;
    if (!ParseInt(BaseSpeedAngleEdit->text(), typedAngle))
        return refuse(BaseSpeedAngleEdit, "Неверное значение базового угла наклона");
    angle = typedAngle;
    if (angle < MinAngle || angle > MaxAngle)
        return refuse(BaseSpeedAngleEdit,
                      "Значение базового угла наклона выходит за пределы допустимого диапазона");

    int percent = 0;
    if (!ParseInt(ViewScaleComboBox->currentText(), percent))
        return refuse(ViewScaleComboBox, "Неверное значение масштаба");
    if (percent < MinScale || percent > MaxScale)
        return refuse(ViewScaleComboBox,
                      "Значение масштаба выходит за пределы допустимого диапазона");

    const bool zoomUntouched =
        !loadedZoomText.isEmpty() && ViewScaleComboBox->currentText() == loadedZoomText;
    if (!zoomUntouched)
        zoom = static_cast<float>(percent) / 100.0f; // exact for the menu's factors
    forward = ShowForwardKelosCheckBox->isChecked();
    backward = ShowBackwardKelosCheckBox->isChecked();
    grid = ShowGridCheckBox->isChecked();
    inOutMarks = ShowKeloInOutRowCheckBox->isChecked();
    return true;
}
