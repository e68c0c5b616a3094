#pragma once

#include <QString>

#include <string>

/// QString <-> Windows-1251 bytes of the data model, for everything the UI shows or reads.
QString KeloToQString(const std::string& cp1251);

/// Encodes `text` into Windows-1251. Returns false when a character cannot be held by the
/// code page; `out` then holds '?' in its place and `rejected` (when given) lists them.
bool KeloFromQString(const QString& text, std::string& out, QString* rejected = nullptr);
