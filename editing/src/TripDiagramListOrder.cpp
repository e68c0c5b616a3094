#include "TripDiagramListOrder.h"

#include "Cp1251.h"
#include "KeloNumberText.h"

namespace TripDiagramListOrder {

int ClockTextMinutes(const std::string& text) {
    // Times past midnight of the next day ("24:05") are what the planner reads as later,
    // so hours above 23 are accepted and keep their order.
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 2 || text.size() != colon + 3)
        return -1;
    int hours = 0;
    for (std::size_t i = 0; i < colon; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        hours = hours * 10 + (text[i] - '0');
    }
    if (text[colon + 1] < '0' || text[colon + 1] > '5' || text[colon + 2] < '0' ||
        text[colon + 2] > '9')
        return -1;
    return hours * 60 + (text[colon + 1] - '0') * 10 + (text[colon + 2] - '0');
}

int CompareClockTexts(const std::string& a, const std::string& b, bool descending) {
    if (!a.empty() && b.empty())
        return -1;
    if (a.empty() && !b.empty())
        return 1;
    if (a.empty() && b.empty())
        return 0;
    const int ma = ClockTextMinutes(a);
    const int mb = ClockTextMinutes(b);
    if (ma < 0 || mb < 0)
        return 0;
    const int result = ma > mb ? 1 : (ma < mb ? -1 : 0);
    return descending ? -result : result;
}

int CompareNumberTexts(const std::string& a, const std::string& b) {
    double va = 0;
    double vb = 0;
    if (!ParseDecimal(a, va) || !ParseDecimal(b, vb))
        return 0;
    return va > vb ? 1 : (va < vb ? -1 : 0);
}

int CompareCells(ColumnKind kind, const std::string& a, const std::string& b, bool descending) {
    if (kind == ColumnKind::Clock)
        return CompareClockTexts(a, b, descending);
    const int result = kind == ColumnKind::Text ? KeloTextCompare(a, b) : CompareNumberTexts(a, b);
    return descending ? -result : result;
}

} // namespace TripDiagramListOrder
