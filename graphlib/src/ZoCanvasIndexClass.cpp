#include "ZoCanvasIndexClass.h"

#include <algorithm>

namespace {

// Beyond this many cells a box (a grid line across a zoomed day, an item at the end of the
// integer range) is cheaper to offer to every query than to enter in each cell.
constexpr std::int64_t MaxCellsPerItem = 64;

std::int32_t CellOf(std::int32_t coordinate) {
    // Floor division, so that negative coordinates fall into their own cells.
    const std::int64_t c = coordinate;
    return static_cast<std::int32_t>(c >= 0 ? c / ZoCanvasIndexClass::CellSize
                                            : (c - ZoCanvasIndexClass::CellSize + 1) /
                                                  ZoCanvasIndexClass::CellSize);
}

} // namespace

ZoCanvasIndexClass::SpanType ZoCanvasIndexClass::SpanOf(const ZoRectType& box) {
    SpanType span;
    span.left = CellOf(box.left);
    span.top = CellOf(box.top);
    // Right and bottom lie just outside the box.
    span.right = CellOf(std::max(box.left, box.right - 1));
    span.bottom = CellOf(std::max(box.top, box.bottom - 1));
    const std::int64_t cellCount =
        (std::int64_t(span.right) - span.left + 1) * (std::int64_t(span.bottom) - span.top + 1);
    span.large = cellCount > MaxCellsPerItem;
    return span;
}

void ZoCanvasIndexClass::Clear() {
    cells.clear();
    entries = 0;
    large.clear();
    spans.clear();
    count = 0;
}

void ZoCanvasIndexClass::Insert(std::uint32_t id, const ZoRectType& box) {
    Remove(id);
    if (id >= spans.size())
        spans.resize(std::size_t(id) + 1);
    const SpanType span = SpanOf(box);
    spans[id] = span;
    ++count;
    if (span.large) {
        large.push_back(id);
        return;
    }
    for (std::int32_t row = span.top; row <= span.bottom; ++row)
        for (std::int32_t column = span.left; column <= span.right; ++column)
            cells[Key(column, row)].push_back(id);
    entries += std::size_t(std::int64_t(span.right) - span.left + 1) *
               std::size_t(std::int64_t(span.bottom) - span.top + 1);
}

void ZoCanvasIndexClass::InsertEverywhere(std::uint32_t id) {
    Remove(id);
    if (id >= spans.size())
        spans.resize(std::size_t(id) + 1);
    spans[id] = SpanType{0, 0, 0, 0, true};
    ++count;
    large.push_back(id);
}

void ZoCanvasIndexClass::Remove(std::uint32_t id) {
    if (id >= spans.size() || spans[id].right < spans[id].left)
        return;
    const SpanType span = spans[id];
    spans[id] = SpanType();
    --count;
    if (span.large) {
        std::erase(large, id);
        return;
    }
    for (std::int32_t row = span.top; row <= span.bottom; ++row) {
        for (std::int32_t column = span.left; column <= span.right; ++column) {
            auto cell = cells.find(Key(column, row));
            if (cell == cells.end())
                continue;
            entries -= std::erase(cell->second, id);
            if (cell->second.empty())
                cells.erase(cell);
        }
    }
}

std::size_t ZoCanvasIndexClass::Estimate(const ZoRectType& area) const {
    if (area.right <= area.left || area.bottom <= area.top || cells.empty())
        return large.size();
    const SpanType span = SpanOf(area);
    const auto cellCount = std::size_t(std::min<std::int64_t>(
        (std::int64_t(span.right) - span.left + 1) * (std::int64_t(span.bottom) - span.top + 1),
        std::int64_t(cells.size())));
    return large.size() + entries / cells.size() * cellCount;
}

void ZoCanvasIndexClass::Query(const ZoRectType& area, std::vector<std::uint32_t>& ids) const {
    ids.insert(ids.end(), large.begin(), large.end());
    if (area.right <= area.left || area.bottom <= area.top)
        return;
    const SpanType span = SpanOf(area);
    // An area wider than the cells held is walked through the cells held instead.
    const std::int64_t cellCount =
        (std::int64_t(span.right) - span.left + 1) * (std::int64_t(span.bottom) - span.top + 1);
    if (cellCount > std::int64_t(cells.size())) {
        for (const auto& [key, list] : cells) {
            const auto column = std::int32_t(std::uint32_t(key >> 32));
            const auto row = std::int32_t(std::uint32_t(key));
            if (column >= span.left && column <= span.right && row >= span.top &&
                row <= span.bottom)
                ids.insert(ids.end(), list.begin(), list.end());
        }
        return;
    }
    for (std::int32_t row = span.top; row <= span.bottom; ++row) {
        for (std::int32_t column = span.left; column <= span.right; ++column) {
            auto cell = cells.find(Key(column, row));
            if (cell != cells.end())
                ids.insert(ids.end(), cell->second.begin(), cell->second.end());
        }
    }
}
