#pragma once

#include <QString>

#include <exception>

class QWidget;

// Reporting of errors to the planner.

/// Shows an error a command has caught in the error dialog: the fixed message, and in the
/// details "ClassName : " + the readable C++ type of the error and "Message   : " + its
/// text. Should the dialog itself fail, the failure's message is shown in a plain error
/// box captioned with the application title.
void ShowExceptionError(const std::exception& error, QWidget* parent = nullptr);
/// The same for an error known by its class name and message.
void ShowExceptionError(const QString& className, const QString& message,
                        QWidget* parent = nullptr);
/// For use inside a catch block of any kind, `catch (...)` included: reports the exception
/// being handled, with its type name even when it is not a std::exception.
void ShowCurrentExceptionError(QWidget* parent = nullptr);

/// The two detail lines of the error dialog.
QString ExceptionDetails(const QString& className, const QString& message);
/// The readable (demangled) C++ type name of an exception object.
QString ExceptionClassName(const std::exception& error);
/// An exception's message as text: UTF-8 when it is valid UTF-8, Windows-1251 otherwise
/// (the data layers carry Windows-1251 texts such as kelo numbers).
QString ExceptionMessageText(const char* what);

/// A validation message in the platform-style error box: caption "Error", error icon,
/// a single OK button.
void ShowErrorMessage(const QString& text, QWidget* parent = nullptr);
