#include "TKeloAboutForm.h"

#include <QFont>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

TKeloAboutForm::TKeloAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName("KeloAboutForm");
    setWindowTitle(QString::fromUtf8("О программе"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(375, 254);

    AboutImage = new QLabel(this);
    AboutImage->setObjectName("AboutImage");
    AboutImage->setGeometry(0, 4, 97, 245);
    AboutImage->setScaledContents(true);
    AboutImage->setPixmap(MakeAboutPicture());

    KeloLabel = new QLabel("Kelo", this);
    KeloLabel->setObjectName("KeloLabel");
    QFont titleFont = KeloLabel->font();
    titleFont.setPixelSize(21);
    titleFont.setBold(true);
    KeloLabel->setFont(titleFont);
    KeloLabel->setGeometry(120, 24, 240, 32);

    // No version block is embedded in the executable on this platform: the label stays hidden.
    VersionLabel = new QLabel(QString::fromUtf8("Версия :    "), this);
    VersionLabel->setObjectName("VersionLabel");
    VersionLabel->setGeometry(120, 64, 240, 20);
    VersionLabel->hide();

    CloseButton = new QPushButton("Ok", this);
    CloseButton->setObjectName("CloseButton");
    CloseButton->setGeometry(285, 218, 75, 25);
    CloseButton->setDefault(true);
    CloseButton->setFocus();
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
}

QPixmap TKeloAboutForm::MakeAboutPicture() {
    QPixmap picture(97, 245);
    picture.fill(QColor(0xF4, 0xF1, 0xE8));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    // Distance upwards and time to the right, like the trip diagram itself.
    const int left = 10, right = 90, top = 12, bottom = 232;
    const int rows[] = {232, 200, 171, 139, 104, 70, 38, 12};
    painter.setPen(QPen(QColor(0xB0, 0xB0, 0xB0), 1, Qt::DotLine));
    for (int y : rows)
        painter.drawLine(left, y, right, y);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(left, top, left, bottom);

    struct Run {
        QColor color;
        int start;
        bool up;
    };
    const Run runs[] = {{QColor(0xC0, 0x20, 0x20), 12, true},
                        {QColor(0x20, 0x60, 0xC0), 30, false},
                        {QColor(0x20, 0x90, 0x40), 46, true},
                        {QColor(0xC0, 0x80, 0x10), 58, false}};
    for (const Run& run : runs) {
        painter.setPen(QPen(run.color, 2));
        int x = run.start;
        for (int i = 0; i + 1 < 8; ++i) {
            const int from = run.up ? rows[i] : rows[7 - i];
            const int to = run.up ? rows[i + 1] : rows[6 - i];
            const int nextX = x + 3;
            painter.drawLine(x, from, nextX, to);
            painter.drawLine(nextX, to, nextX + 1, to); // a short dwell
            x = nextX + 1;
        }
    }
    return picture;
}
