#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

/// "О программе": the program's picture, its title and an Ok button.
class TKeloAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TKeloAboutForm(QWidget* parent = nullptr);

    // The 97 x 245 picture: a small time-distance diagram of a few bus runs.
    static QPixmap MakeAboutPicture();

private:
    QLabel* AboutImage = nullptr;
    QLabel* KeloLabel = nullptr;
    QLabel* VersionLabel = nullptr;
    QPushButton* CloseButton = nullptr;
};
