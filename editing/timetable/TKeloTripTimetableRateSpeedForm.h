#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class TZoStringStorage;

/// Asks for the design speed of a recalculation. "Пересчитать" closes only with a number
/// from 20 to 130 km/h; anything else is refused with a message and the window stays open.
class TKeloTripTimetableRateSpeedForm : public QDialog {
    Q_OBJECT
public:
    static constexpr float MinSpeed = 20;
    static constexpr float MaxSpeed = 130;

    explicit TKeloTripTimetableRateSpeedForm(QWidget* owner = nullptr);

    // Reads a typed speed: the locale's decimal separator, and the comma and the point
    // alike, since both are what planners type. False when the text is not a number.
    static bool ReadSpeed(const QString& text, double& speed);
    // The entered speed; 0 when the text is not a number.
    double Speed() const;

    void done(int result) override;

    QLabel* RateSpeedLabel = nullptr;
    QComboBox* RateSpeedComboBox = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* CancelButton = nullptr;
    TZoStringStorage* ZoStringStorage = nullptr;

private:
    bool FormCloseQuery(int result);
};
