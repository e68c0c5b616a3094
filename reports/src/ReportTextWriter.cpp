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

bool ReportTextIsWritable(std::string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

bool WriteReportLine(std::ostream& file, std::string_view text) {
    file << '\t' << text << '\n';
    return static_cast<bool>(file);
}
