#include "KeloGtfsNumber.h"

#include <charconv>
#include <cmath>

std::optional<double> ParseGtfsNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> ParseGtfsWholeNumber(std::string_view text, std::int64_t low,
                                                 std::int64_t high) {
    const std::optional<double> value = ParseGtfsNumber(text);
    // Compared as doubles first: only a value inside the range is converted.
    if (!value || *value < static_cast<double>(low) || *value > static_cast<double>(high) ||
        *value != std::floor(*value))
        return std::nullopt;
    return static_cast<std::int64_t>(*value);
}
