#pragma once

#include <string>

/// Row comparisons of the kelo lists (the diagram window's and the kelo choice's). Each returns
/// negative, 0 or positive for row 1 before, tied with, or after row 2.
namespace TripDiagramListOrder {

// How a column of a kelo list sorts.
enum class ColumnKind { Clock, Text, Number };

// The one order of two cells of a column, ascending or descending: clocks by
// CompareClockTexts, texts (Windows-1251 bytes) by KeloTextCompare, numbers by
// CompareNumberTexts; only clocks keep their empties last when descending.
int CompareCells(ColumnKind kind, const std::string& a, const std::string& b, bool descending);

// Clock texts "HH:MM": a time sorts before an empty text, and the order of two empties or of
// text and empty does not flip when descending, so kelos without a time stay at the end.
int CompareClockTexts(const std::string& a, const std::string& b, bool descending);

// Decimal numbers as written in the list (either '.' or ',' as separator), read the same
// way whatever the C locale; a text that does not convert ties.
int CompareNumberTexts(const std::string& a, const std::string& b);

// Minutes of an "HH:MM" text, or -1 when it is not one.
int ClockTextMinutes(const std::string& text);

} // namespace TripDiagramListOrder
