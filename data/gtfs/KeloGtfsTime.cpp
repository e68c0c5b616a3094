#include "KeloGtfsTime.h"

#include <cstdio>

namespace {

// Civil date to day number and back (proleptic Gregorian calendar).
std::int32_t DaysFromCivil(int y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int>(doe) - 719468;
}

void CivilFromDays(std::int32_t z, int& y, unsigned& m, unsigned& d) {
    z += 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int>(yoe) + era * 400 + (m <= 2);
}

bool ReadDigits(std::string_view text, int& value) {
    if (text.empty())
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<std::int32_t> ParseGtfsTime(std::string_view text) {
    text = Trim(text);
    const std::size_t first = text.find(':');
    if (first == std::string_view::npos || first == 0 || first > 3)
        return std::nullopt;
    const std::string_view rest = text.substr(first + 1);
    if (rest.size() != 5 || rest[2] != ':')
        return std::nullopt;
    int hours = 0, minutes = 0, seconds = 0;
    if (!ReadDigits(text.substr(0, first), hours) || !ReadDigits(rest.substr(0, 2), minutes) ||
        !ReadDigits(rest.substr(3, 2), seconds))
        return std::nullopt;
    if (minutes > 59 || seconds > 59)
        return std::nullopt;
    return hours * 3600 + minutes * 60 + seconds;
}

std::optional<std::int32_t> ParseGtfsDate(std::string_view text) {
    text = Trim(text);
    int year = 0, month = 0, day = 0;
    if (text.size() != 8 || !ReadDigits(text.substr(0, 4), year) ||
        !ReadDigits(text.substr(4, 2), month) || !ReadDigits(text.substr(6, 2), day))
        return std::nullopt;
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    const std::int32_t number =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    // 31 February and the like come back as another date.
    int y = 0;
    unsigned m = 0, d = 0;
    CivilFromDays(number, y, m, d);
    if (static_cast<int>(m) != month || static_cast<int>(d) != day)
        return std::nullopt;
    return number;
}

std::optional<std::int32_t> ParseServiceDate(std::string_view text) {
    // Feed files may pad their fields; a date typed on the command line is taken as written.
    if (Trim(text) != text)
        return std::nullopt;
    return ParseGtfsDate(text);
}

std::string FormatGtfsDate(std::int32_t day) {
    int y = 0;
    unsigned m = 0, d = 0;
    CivilFromDays(day, y, m, d);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02u%02u", y, m, d);
    return text;
}

int GtfsWeekday(std::int32_t day) {
    // 1970-01-01 was a Thursday (3 when Monday is 0).
    return static_cast<int>(((day % 7) + 7 + 3) % 7);
}
