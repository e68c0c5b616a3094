#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

/// A decimal number of a feed field, blanks and a leading '+' allowed. Nothing for text that
/// is not a number, and for "nan", "inf" and numbers too large for a double: no feed value
/// means those.
std::optional<double> ParseGtfsNumber(std::string_view text);

/// A whole number from `low` to `high` (either spelt as a decimal such as "3.0"); nothing
/// otherwise, so a conversion to an integer never leaves its range.
std::optional<std::int64_t> ParseGtfsWholeNumber(std::string_view text, std::int64_t low,
                                                 std::int64_t high);
