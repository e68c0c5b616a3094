#pragma once

#include <QString>

class QWidget;

/// The application title: the caption of every message box of the program except the
/// platform-style error box of ShowErrorMessage.
QString KeloApplicationTitle();

// The program's message boxes, captioned with the application title. Each is a real
// QMessageBox shown modally with exec() over `parent` (or over the active window when
// `parent` is null).

/// Question with Yes and No and the question icon; true when the answer is Yes.
bool KeloAskYesNo(const QString& text, QWidget* parent = nullptr);
/// Notice with the information icon and an OK button.
void KeloShowInformation(const QString& text, QWidget* parent = nullptr);
/// Warning with the warning icon and an OK button.
void KeloShowWarning(const QString& text, QWidget* parent = nullptr);
/// Refusal or failure with the error icon and an OK button.
void KeloShowError(const QString& text, QWidget* parent = nullptr);
