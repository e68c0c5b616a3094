#include "TKeloSimpleProcessForm.h"

#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <memory>

TKeloSimpleProcessForm::TKeloSimpleProcessForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("KeloSimpleProcessForm"));
    setFixedSize(517, 273);

    Bevel = new QFrame(this);
    Bevel->setObjectName(QStringLiteral("Bevel"));
    Bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);

    Panel = new QWidget(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setFixedHeight(41);

    OkButton = new QPushButton(QStringLiteral("Ok"), Panel);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setGeometry(352, 8, 75, 25);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);

    // Escape rejects as well: QDialog treats it as Cancel.
    CancelButton = new QPushButton(QStringLiteral("Cancel"), Panel);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(432, 8, 75, 25);
    CancelButton->setAutoDefault(false);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Bevel, 1);
    layout->addWidget(Panel);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TKeloSimpleProcessForm::ReplaceClientArea(QWidget* widget) {
    // The layout hands back the item that held the bevel; it is ours to free.
    std::unique_ptr<QLayoutItem> replaced(layout->replaceWidget(Bevel, widget));
    Bevel->hide();
}

void TKeloSimpleProcessForm::MakeSizeable() {
    setMinimumSize(180, 100);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
}
