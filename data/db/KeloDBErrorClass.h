#pragma once

#include <stdexcept>
#include <string>

/// A failed SQLite call: the result code and SQLite's own message (ASCII).
class KeloDBErrorClass : public std::runtime_error {
public:
    KeloDBErrorClass(int code, const std::string& message)
        : std::runtime_error(message), code(code) {}

    // The primary SQLite result code (SQLITE_BUSY, SQLITE_NOTADB, ...).
    int GetCode() const { return code & 0xFF; }
    int GetExtendedCode() const { return code; }

private:
    int code;
};
