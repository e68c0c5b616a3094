#pragma once

#include "KeloDemoTables.h"

#include <cstdint>
#include <string>
#include <vector>

/// A data set of many regions, in owned Windows-1251 texts: the input of a scale database.
struct KeloScaleSetType {
    struct Bus {
        std::string model, category;
        std::int32_t capacity = 0;
    };
    struct Stop {
        std::string code, name;
    };
    // Directed: every pair is present in both directions with the same distance.
    struct Link {
        std::string from, to;
        float distance = 0;
    };
    struct Row {
        std::string stop;
        std::int32_t arrival = 0;
        std::int32_t stay = 0;
    };
    struct Kelo {
        std::string number, name, bus;
        std::vector<Row> rows;
    };

    std::vector<Bus> buses;
    std::vector<Stop> stops;
    std::vector<Link> links;
    std::vector<Kelo> kelos;
    // A kelo that runs the whole trunk line: the line the scale benchmarks open.
    std::string trunkKelo;
    // The stop code of each region's hub; region 0 is the shipped region itself.
    std::vector<std::string> hubs;
};

/// The largest scale factor: region stop codes take the prefixes 200..399.
constexpr int KeloScaleMaxFactor = 200;
/// Stops of the trunk line at factors above one.
constexpr int KeloScaleTrunkStops = 20;

/// The data set at scale `factor` (1..KeloScaleMaxFactor) built from one region's tables:
/// `factor` copies of the region, each with its own stop codes, names and kelo numbers; hub to
/// hub links with a kelo each way; and a trunk line offering 56 x factor kelos in both
/// directions, some joining it from a region's hub and some leaving it to one. At factor 1 the
/// set is the region unchanged, and its busiest line stands for the trunk.
/// Throws std::invalid_argument for a factor out of range.
KeloScaleSetType MakeKeloScaleSet(const KeloDemoRootType& region, int factor);

/// The stop code of region `region`'s copy of the shipped stop at `index` in stop order.
std::string KeloScaleRegionCode(const KeloDemoRootType& region, int regionIndex, int index);

/// The kelo number in region `regionIndex` of the shipped kelo `number`.
std::string KeloScaleRegionNumber(const std::string& number, int regionIndex);

/// The number of the trunk's kelo `index` (0 .. 56 x factor - 1); kelo 0 runs the whole trunk.
std::string MakeKeloScaleTrunkNumber(int index);

/// The stop codes of a kelo's timetable in travel order: the line a diagram is built for.
std::vector<std::string> KeloScaleLineOf(const KeloScaleSetType& set, const std::string& number);
