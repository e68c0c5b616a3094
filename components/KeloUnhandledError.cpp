#include "KeloUnhandledError.h"

#include <QApplication>
#include <QMessageBox>

void KeloReportUnhandledError(const QString& message) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), message,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}
