#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

/// Hash of feed ids that looks up by string_view, so reading a row allocates nothing.
struct KeloGtfsIdHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>()(text);
    }
};

/// Feed id to the index of its record.
using KeloGtfsIdMapType =
    std::unordered_map<std::string, std::uint32_t, KeloGtfsIdHash, std::equal_to<>>;
