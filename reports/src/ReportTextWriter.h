#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

// The line format shared by the text reports: a tab, the text, a single LF. Texts are
// Windows-1251 bytes, so a width in characters is a width in bytes.

/// `text` padded on the right with spaces to `width`, or cut after `width` characters.
std::string ReportFitWidth(std::string_view text, std::size_t width);
/// `text` padded on the left with spaces to at least `width`; never cut.
std::string ReportPadLeft(std::string_view text, std::size_t width);
/// A data text as it can stand in one report line: every control byte (a line feed,
/// carriage return, tab or NUL would break the fixed layout or the line structure) becomes
/// a blank, so one odd name does not cost the planner the whole report.
std::string ReportPlainText(std::string_view text);
/// Writes one report line; false when the stream has failed.
bool WriteReportLine(std::ostream& file, std::string_view text);
