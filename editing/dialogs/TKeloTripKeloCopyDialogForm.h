#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

/// Asks for the number and the name of a copy of a kelo. A number that cannot be a kelo's
/// key (empty, not in the data's code page, or already given to a kelo) is refused with a
/// message and the dialog stays open.
class TKeloTripKeloCopyDialogForm : public QDialog {
    Q_OBJECT
public:
    explicit TKeloTripKeloCopyDialogForm(QWidget* parent = nullptr);

    // Answers whether a number (Windows-1251) already names a kelo.
    void SetNumberTaken(std::function<bool(const std::string&)> test) {
        numberTaken = std::move(test);
    }

    // The texts as Windows-1251 bytes; valid once the dialog was accepted.
    std::string Number() const { return number; }
    std::string Name() const { return name; }

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
