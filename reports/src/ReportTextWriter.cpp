#include "ReportTextWriter.h"

#include <algorithm>

std::string ReportFitWidth(std::string_view text, std::size_t width) {
    std::string result(text.substr(0, width));
    result.resize(width, ' ');
    return result;
}

std::string ReportPadLeft(std::string_view text, std::size_t width) {
    if (text.size() >= width)
        return std::string(text);
    return std::string(width - text.size(), ' ') + std::string(text);
}

std::string ReportPlainText(std::string_view text) {
    std::string plain(text);
    std::replace_if(
        plain.begin(), plain.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; }, ' ');
    return plain;
}

bool WriteReportLine(std::ostream& file, std::string_view text) {
    file << '\t' << text << '\n';
    return static_cast<bool>(file);
}
