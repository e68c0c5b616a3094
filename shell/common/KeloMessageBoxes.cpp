#include "KeloMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::StandardButton Show(QMessageBox::Icon icon, const QString& text,
                                 QMessageBox::StandardButtons buttons, QWidget* parent) {
    if (parent == nullptr)
        parent = QApplication::activeWindow();
    QMessageBox box(icon, KeloApplicationTitle(), text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

QString KeloApplicationTitle() {
    return QStringLiteral("Kelo");
}

bool KeloAskYesNo(const QString& text, QWidget* parent) {
    return Show(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, parent) ==
           QMessageBox::Yes;
}

void KeloShowInformation(const QString& text, QWidget* parent) {
    Show(QMessageBox::Information, text, QMessageBox::Ok, parent);
}

void KeloShowWarning(const QString& text, QWidget* parent) {
    Show(QMessageBox::Warning, text, QMessageBox::Ok, parent);
}

void KeloShowError(const QString& text, QWidget* parent) {
    Show(QMessageBox::Critical, text, QMessageBox::Ok, parent);
}
