#include "KeloErrorReport.h"

#include "KeloMessageBoxes.h"
#include "KeloQtText.h"
#include "TKeloErrorMessageDialogForm.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringDecoder>

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace {

QString Demangle(const char* mangled) {
    if (mangled == nullptr)
        return QStringLiteral("unknown");
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> readable(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return QString::fromLatin1(status == 0 && readable ? readable.get() : mangled);
}

} // namespace

QString ExceptionClassName(const std::exception& error) {
    return Demangle(typeid(error).name());
}

QString ExceptionMessageText(const char* what) {
    if (what == nullptr)
        return QString();
    const QByteArray bytes(what);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return KeloToQString(bytes.toStdString());
}

QString ExceptionDetails(const QString& className, const QString& message) {
    return QStringLiteral("ClassName : ") + className + QLatin1Char('\n') +
           QStringLiteral("Message   : ") + message;
}

void ShowExceptionError(const QString& className, const QString& message, QWidget* parent) {
    try {
        TKeloErrorMessageDialogForm dialog(parent);
        dialog.setWindowTitle(KeloApplicationTitle());
        dialog.SetDetails(ExceptionDetails(className, message));
        dialog.exec();
    } catch (const std::exception& failure) {
        KeloShowError(ExceptionMessageText(failure.what()), parent);
    }
}

void ShowExceptionError(const std::exception& error, QWidget* parent) {
    ShowExceptionError(ExceptionClassName(error), ExceptionMessageText(error.what()), parent);
}

void ShowCurrentExceptionError(QWidget* parent) {
    const std::type_info* type = abi::__cxa_current_exception_type();
    const QString className = type != nullptr ? Demangle(type->name()) : QStringLiteral("unknown");
    QString message;
    try {
        if (std::current_exception())
            std::rethrow_exception(std::current_exception());
    } catch (const std::exception& error) {
        message = ExceptionMessageText(error.what());
    } catch (...) {
    }
    ShowExceptionError(className, message, parent);
}

void ShowErrorMessage(const QString& text, QWidget* parent) {
    if (parent == nullptr)
        parent = QApplication::activeWindow();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok, parent);
    box.exec();
}
