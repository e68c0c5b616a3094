#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

/// A refusal of the import: one line naming the file and, where there is one, the line.
class KeloGtfsErrorClass : public std::runtime_error {
public:
    explicit KeloGtfsErrorClass(const std::string& message) : std::runtime_error(message) {}
    KeloGtfsErrorClass(const std::string& file, std::uint64_t line, const std::string& message)
        : std::runtime_error(file + ", line " + std::to_string(line) + ": " + message) {}
};
