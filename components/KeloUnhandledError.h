#pragma once

#include <QString>

/// The application's report of an error that no command handles itself, such as a
/// settings file that cannot be read or a time field left without a time of day: an error
/// box captioned with the application's display name over the active window, one per
/// failure. The caller carries on afterwards.
void KeloReportUnhandledError(const QString& message);
