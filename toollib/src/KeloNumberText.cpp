#include "KeloNumberText.h"

#include <charconv>
#include <cmath>
#include <system_error>

std::string FormatDecimal(double value, int decimals, char point) {
    if (!std::isfinite(value))
        return std::string();
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc())
        return std::string();
    std::string text(buffer, end);
    // A value that rounds to zero reads "0.0", not "-0.0".
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    for (char& c : text)
        if (c == '.')
            c = point;
    return text;
}

bool ParseDecimal(std::string_view text, double& value) {
    std::string normalised(text);
    bool digits = false;
    bool separator = false;
    for (std::size_t i = 0; i < normalised.size(); ++i) {
        char& c = normalised[i];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
            c = '.';
        } else if (!(c == '-' && i == 0)) {
            return false;
        }
    }
    if (!digits)
        return false;
    double result = 0;
    const char* first = normalised.data();
    const char* last = first + normalised.size();
    const auto [end, error] = std::from_chars(first, last, result, std::chars_format::fixed);
    if (error != std::errc() || end != last)
        return false;
    value = result;
    return true;
}
