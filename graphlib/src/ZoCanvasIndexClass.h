#pragma once

#include "ZoDrawingSurfaceClass.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

/// Where the items of a canvas lie: a grid of square cells, each listing the ids whose box
/// touches it, so that a repaint of a small area or a hit test visits only the items near it.
/// Boxes spanning many cells are kept apart and offered to every query.
class ZoCanvasIndexClass {
public:
    static constexpr std::int32_t CellSize = 32;

    void Clear();
    void Insert(std::uint32_t id, const ZoRectType& box);
    // Holds the id as one every query offers (an item whose extent depends on the surface).
    void InsertEverywhere(std::uint32_t id);
    // Forgets the id; nothing happens when it is not held.
    void Remove(std::uint32_t id);
    // Appends every id whose box may touch `area`, in no particular order, possibly twice.
    void Query(const ZoRectType& area, std::vector<std::uint32_t>& ids) const;
    std::uint32_t GetCount() const { return count; }
    // About how many ids a query of `area` walks through, counting repeats.
    std::size_t Estimate(const ZoRectType& area) const;

private:
    // Cell (c, r) holds the pixels from c * CellSize and r * CellSize on; a span keeps the first
    // and last cell per axis.
    struct SpanType {
        std::int32_t left = 0, top = 0, right = -1, bottom = -1;
        bool large = false;
    };
    static SpanType SpanOf(const ZoRectType& box);
    static std::uint64_t Key(std::int32_t column, std::int32_t row) {
        return (std::uint64_t(std::uint32_t(column)) << 32) | std::uint32_t(row);
    }

    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> cells;
    std::size_t entries = 0; // ids held in cells, counting repeats
    std::vector<std::uint32_t> large;
    std::vector<SpanType> spans; // by id; an empty span for an id not held
    std::uint32_t count = 0;
};
