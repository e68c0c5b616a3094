#pragma once

#include <QString>
#include <QTime>

/// Hours and minutes of a time of day as "HH:MM" (each an unsigned two-digit number).
QString FormatShortTime(const QTime& time);
