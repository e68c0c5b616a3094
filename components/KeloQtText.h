#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

#include <string>

/// A UTF-8 text of the program's own sources (captions, messages) as a QString.
QString U(const char* text);

/// QString <-> Windows-1251 bytes of the data model, for everything the UI shows or reads.
QString KeloToQString(const std::string& cp1251);

/// Encodes `text` into Windows-1251. Returns false when a character cannot be held by the
/// code page; `out` then holds '?' in its place and `rejected` (when given) lists them.
bool KeloFromQString(const QString& text, std::string& out, QString* rejected = nullptr);

/// A number as the lists and reports show it (the "0.0" patterns): `decimals` decimals
/// after the locale's decimal separator, never a group separator ("1234,5" in Russian).
QString KeloFormatDecimal(double value, int decimals, const QLocale& locale = QLocale::system());

class KeloTimeType;

// A stored time as the time pickers take it, taken into the day. An empty time cannot be
// shown; std::invalid_argument says why.
QTime KeloTimeToPickerTime(const KeloTimeType& time);

/// A duration as the lists show it: its own "HH:MM" text, 24 hours and more included.
QString KeloTimeText(const KeloTimeType& time);
/// A clock time (an arrival or a departure) as the lists show it, taken into the day.
QString KeloClockText(const KeloTimeType& time);
