#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

/// The number and the name the planner gave a copy, as Windows-1251 bytes.
struct KeloCopyAnswerType {
    std::string number;
    std::string name;
};

/// Asks for the number and the name of a copy of a kelo. A number that cannot be a kelo's
/// key (empty, not in the data's code page, or already given to a kelo) is refused with a
/// message and the dialog stays open.
class TKeloTripKeloCopyDialogForm : public QDialog {
    Q_OBJECT
public:
    explicit TKeloTripKeloCopyDialogForm(QWidget* parent = nullptr);

    // Shows the dialog with the proposed number and name; the planner's answer, or nothing
    // when the planner stepped back. `numberTaken` tells a number a kelo already has.
    std::optional<KeloCopyAnswerType> Ask(const std::string& proposedNumber,
                                          const std::string& proposedName,
                                          std::function<bool(const std::string&)> numberTaken);

    QLabel* TripIdLabel = nullptr;
    QLineEdit* TripIdEdit = nullptr;
    QLabel* TripNameLabel = nullptr;
    QLineEdit* TripNameEdit = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    void OkButtonClick();

    std::function<bool(const std::string&)> numberTaken;
    std::string number;
    std::string name;
};
