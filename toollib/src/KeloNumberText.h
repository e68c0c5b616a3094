#pragma once

#include <string>
#include <string_view>

/// Decimal numbers as the lists and reports write them ("0.0" patterns): a fixed number
/// of decimals, no group separators, and the decimal separator the caller names. Neither
/// direction depends on the C locale, so a number reads back the way it was written.
std::string FormatDecimal(double value, int decimals, char point = '.');

/// Reads a number written by FormatDecimal with '.' or ',' as its separator: an optional
/// '-', digits, at most one separator. Answers false, leaving `value` alone, when the whole
/// text is not such a number (blanks, group separators and exponents included).
bool ParseDecimal(std::string_view text, double& value);
