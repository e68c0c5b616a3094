#include "TKeloErrorMessageDialogForm.h"

#include "TZoStringStorage.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {

bool sharedDetailsShown = false;

enum Text { ShowDetailsText = 0, HideDetailsText = 1 };

} // namespace

bool TKeloErrorMessageDialogForm::SharedDetailsShown() {
    return sharedDetailsShown;
}

void TKeloErrorMessageDialogForm::SetSharedDetailsShown(bool shown) {
    sharedDetailsShown = shown;
}

TKeloErrorMessageDialogForm::TKeloErrorMessageDialogForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      detailsShown(sharedDetailsShown) {
    setObjectName(QStringLiteral("KeloErrorMessageDialogForm"));
    setFixedSize(392, 173);

    ZoStringStorage = new TZoStringStorage(
        {QString::fromUtf8("Подробнее..."), QString::fromUtf8("Скрыть...")}, this);

    ErrorMessageLabel = new QLabel(QString::fromUtf8("Внутренняя ошибка"), this);
    ErrorMessageLabel->setObjectName(QStringLiteral("ErrorMessageLabel"));
    ErrorMessageLabel->setAlignment(Qt::AlignCenter);
    ErrorMessageLabel->setGeometry(2, 6, 387, 32);

    DetailsButton = new QPushButton(ZoStringStorage->Line(ShowDetailsText), this);
    DetailsButton->setObjectName(QStringLiteral("DetailsButton"));
    DetailsButton->setGeometry(176, 46, 105, 25);
    DetailsButton->setAutoDefault(false);
    connect(DetailsButton, &QPushButton::clicked, this,
            &TKeloErrorMessageDialogForm::DetailsButtonClick);

    // Default button; Escape closes the dialog as well (QDialog rejects on Escape).
    CloseButton = new QPushButton(QString::fromUtf8("Закрыть"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setGeometry(285, 46, 105, 25);
    CloseButton->setDefault(true);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);

    DetailsMemo = new QPlainTextEdit(QString::fromUtf8("<нет данных>"), this);
    DetailsMemo->setObjectName(QStringLiteral("DetailsMemo"));
    DetailsMemo->setGeometry(1, 76, 389, 93);
    DetailsMemo->setReadOnly(true);
    // Selectable with the mouse, skipped by Tab.
    DetailsMemo->setFocusPolicy(Qt::ClickFocus);

    FormCreate();
}

TKeloErrorMessageDialogForm::~TKeloErrorMessageDialogForm() {
    sharedDetailsShown = detailsShown;
}

void TKeloErrorMessageDialogForm::FormCreate() {
    fullClientHeight = height();
    ApplyDetailsState();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TKeloErrorMessageDialogForm::SetDetails(const QString& details) {
    DetailsMemo->setPlainText(details);
}

void TKeloErrorMessageDialogForm::DetailsButtonClick() {
    detailsShown = !detailsShown;
    ApplyDetailsState();
}

void TKeloErrorMessageDialogForm::ApplyDetailsState() {
    DetailsMemo->setVisible(detailsShown);
    if (detailsShown) {
        setFixedHeight(fullClientHeight);
        DetailsButton->setText(ZoStringStorage->Line(HideDetailsText));
    } else {
        // Cut the dialog just above the memo.
        setFixedHeight(DetailsMemo->y() - 1);
        DetailsButton->setText(ZoStringStorage->Line(ShowDetailsText));
    }
}
