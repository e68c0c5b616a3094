#include "KeloScaleSet.h"

#include "Cp1251.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr std::int32_t EmptyStay = 2147483647;

std::string Cp(const char* utf8) {
    return Utf8ToCp1251(utf8).bytes;
}

// A region's copy of a name keeps the trailing mark ("+" or "#") last.
std::string RegionName(const std::string& name, int regionIndex) {
    const bool marked = !name.empty() && (name.back() == '+' || name.back() == '#');
    std::string result(name.data(), name.size() - (marked ? 1 : 0));
    result += '-';
    result += std::to_string(regionIndex + 1);
    if (marked)
        result += name.back();
    return result;
}

// Kelo names join stop names with " - "; each part that is a stop name gets the region's copy.
std::string RegionKeloName(const std::string& name, int regionIndex,
                           const std::unordered_set<std::string>& stopNames) {
    const std::string separator = " - ";
    std::string result;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = name.find(separator, start);
        const std::string part = name.substr(start, at == std::string::npos ? at : at - start);
        result += stopNames.count(part) ? RegionName(part, regionIndex) : part;
        if (at == std::string::npos)
            break;
        result += separator;
        start = at + separator.size();
    }
    return result;
}

// The kelo of the region whose line offers the most kelos (at least two calls on it).
std::string BusiestKelo(const KeloDemoRootType& region) {
    std::string busiest;
    int most = -1;
    for (std::int32_t k = 0; k < region.keloCount; ++k) {
        const KeloDemoKeloRecordType& line = region.kelos[k];
        std::unordered_set<std::string> codes;
        for (std::int32_t r = 0; r < line.rowCount; ++r)
            codes.insert(region.rows[line.firstRow + r].stop);
        int offered = 0;
        for (std::int32_t o = 0; o < region.keloCount; ++o) {
            int calls = 0;
            for (std::int32_t r = 0; r < region.kelos[o].rowCount; ++r)
                calls += int(codes.count(region.rows[region.kelos[o].firstRow + r].stop));
            offered += calls >= 2 ? 1 : 0;
        }
        if (offered > most) {
            most = offered;
            busiest = line.number;
        }
    }
    return busiest;
}

// The region's hub: the stop with the most calls.
std::int32_t HubIndex(const KeloDemoRootType& region) {
    std::unordered_map<std::string, int> calls;
    for (std::int32_t r = 0; r < region.rowCount; ++r)
        ++calls[region.rows[r].stop];
    std::int32_t hub = 0;
    for (std::int32_t s = 0; s < region.stopCount; ++s)
        if (calls[region.stops[s].code] > calls[region.stops[hub].code])
            hub = s;
    return hub;
}

void AddPair(KeloScaleSetType& set, const std::string& a, const std::string& b, float km) {
    set.links.push_back({a, b, km});
    set.links.push_back({b, a, km});
}

// Minutes to drive `km` at the trunk's running speed.
std::int32_t DriveMinutes(float km) {
    return std::int32_t(std::lround(km * 60.0f / 70.0f));
}

void AddRegions(KeloScaleSetType& set, const KeloDemoRootType& region, int factor) {
    std::unordered_set<std::string> stopNames;
    for (std::int32_t s = 0; s < region.stopCount; ++s)
        stopNames.insert(region.stops[s].name);
    std::unordered_map<std::string, std::int32_t> stopIndex;
    for (std::int32_t s = 0; s < region.stopCount; ++s)
        stopIndex[region.stops[s].code] = s;
    const std::int32_t hub = HubIndex(region);

    for (int g = 0; g < factor; ++g) {
        auto code = [&](const char* shipped) {
            return g == 0 ? std::string(shipped)
                          : KeloScaleRegionCode(region, g, stopIndex.at(shipped));
        };
        for (std::int32_t s = 0; s < region.stopCount; ++s)
            set.stops.push_back(
                {code(region.stops[s].code),
                 g == 0 ? region.stops[s].name : RegionName(region.stops[s].name, g)});
        for (std::int32_t l = 0; l < region.linkCount; ++l)
            set.links.push_back(
                {code(region.links[l].from), code(region.links[l].to), region.links[l].distance});
        for (std::int32_t k = 0; k < region.keloCount; ++k) {
            const KeloDemoKeloRecordType& source = region.kelos[k];
            KeloScaleSetType::Kelo kelo{KeloScaleRegionNumber(source.number, g),
                                        g == 0 ? source.name
                                               : RegionKeloName(source.name, g, stopNames),
                                        source.bus,
                                        {}};
            kelo.rows.reserve(source.rowCount);
            for (std::int32_t r = 0; r < source.rowCount; ++r) {
                const KeloDemoRowRecordType& row = region.rows[source.firstRow + r];
                kelo.rows.push_back({code(row.stop), row.arrival, row.stay});
            }
            set.kelos.push_back(std::move(kelo));
        }
        set.hubs.push_back(code(region.stops[hub].code));
    }
}

// Neighbouring regions' hubs are joined by a road and one kelo each way.
void AddHubKelos(KeloScaleSetType& set, const std::string& bus) {
    for (std::size_t g = 0; g + 1 < set.hubs.size(); ++g) {
        const float km = float(150 + (g * 37) % 100);
        AddPair(set, set.hubs[g], set.hubs[g + 1], km);
        const std::string from = std::to_string(g + 1), to = std::to_string(g + 2);
        const std::int32_t minutes = DriveMinutes(km);
        for (int back = 0; back < 2; ++back) {
            const std::string& a = set.hubs[g + back];
            const std::string& b = set.hubs[g + 1 - back];
            const std::int32_t start = back ? 15 * 60 : 7 * 60;
            KeloScaleSetType::Kelo kelo{
                Cp("М") + (back ? to + "-" + from : from + "-" + to), "", bus, {}};
            kelo.rows.push_back({a, start, 0});
            kelo.rows.push_back({b, (start + minutes) % 1440, EmptyStay});
            set.kelos.push_back(std::move(kelo));
        }
    }
}

// The trunk: a chain of new stops between the hubs of the first two regions, fed from every
// region's hub at one of its inner stops. Its kelos run it whole, join it from a hub or leave it
// to a hub, in both directions, their departures spread from 05:00 to 23:00.
void AddTrunk(KeloScaleSetType& set, int factor, const std::vector<std::string>& buses) {
    const int stops = KeloScaleTrunkStops;
    std::vector<std::string> codes;
    std::vector<float> segment; // km from stop k to k + 1
    int km = 0;
    for (int k = 0; k < stops; ++k) {
        char code[24];
        std::snprintf(code, sizeof code, "9%05d", k + 1);
        codes.emplace_back(code);
        set.stops.push_back({code, Cp("МАГИСТРАЛЬ КМ ") + std::to_string(km)});
        const int step = 15 + (k * 7) % 11;
        segment.push_back(float(step));
        km += step;
    }
    for (int k = 0; k + 1 < stops; ++k)
        AddPair(set, codes[k], codes[k + 1], segment[k]);
    // Where each region's hub meets the trunk: an inner stop, so joining and leaving kelos
    // always call at two trunk stops at least.
    auto attach = [&](int g) { return 1 + g % (stops - 2); };
    for (int g = 0; g < factor; ++g)
        AddPair(set, set.hubs[g], codes[attach(g)], float(30 + g % 20));

    auto distance = [&](int a, int b) { // between trunk stops a and b
        float sum = 0;
        for (int k = std::min(a, b); k < std::max(a, b); ++k)
            sum += segment[k];
        return sum;
    };
    const int perDirection = 28 * factor;
    for (int j = 0; j < 56 * factor; ++j) {
        const bool back = j % 2 == 1;
        const int m = j / 2;
        const int kind = m % 4; // 0, 1: whole trunk; 2: joins from a hub; 3: leaves to a hub
        const int g = (m / 4) % factor;
        const int first = back ? stops - 1 : 0, last = back ? 0 : stops - 1;
        const int step = back ? -1 : 1;
        const int from = kind == 2 ? attach(g) : first;
        const int to = kind == 3 ? attach(g) : last;

        KeloScaleSetType::Kelo kelo{MakeKeloScaleTrunkNumber(j), "", buses[j % buses.size()], {}};
        std::int32_t clock = 5 * 60 + std::int32_t(std::int64_t(m) * 18 * 60 / perDirection);
        if (kind == 2) {
            kelo.rows.push_back({set.hubs[g], clock, 0});
            clock += DriveMinutes(float(30 + g % 20));
        }
        for (int k = from;; k += step) {
            if (k != from)
                clock += DriveMinutes(distance(k - step, k));
            const bool lastRow = k == to && kind != 3;
            kelo.rows.push_back(
                {codes[k], clock % 1440, lastRow ? EmptyStay : (kelo.rows.empty() ? 0 : 1)});
            clock += kelo.rows.back().stay == EmptyStay ? 0 : kelo.rows.back().stay;
            if (k == to)
                break;
        }
        if (kind == 3) {
            clock += DriveMinutes(float(30 + g % 20));
            kelo.rows.push_back({set.hubs[g], clock % 1440, EmptyStay});
        }
        set.kelos.push_back(std::move(kelo));
    }
    set.trunkKelo = MakeKeloScaleTrunkNumber(0);
}

// Kelos added without a name take it from their end stops' names.
void NameUnnamedKelos(KeloScaleSetType& set) {
    std::unordered_map<std::string, std::string> names;
    for (const auto& stop : set.stops)
        names[stop.code] = stop.name;
    for (auto& kelo : set.kelos)
        if (kelo.name.empty())
            kelo.name = names[kelo.rows.front().stop] + " - " + names[kelo.rows.back().stop];
}

} // namespace

std::string KeloScaleRegionCode(const KeloDemoRootType& region, int regionIndex, int index) {
    (void)region;
    char code[24];
    std::snprintf(code, sizeof code, "%03d%03d", 199 + regionIndex, index);
    return code;
}

std::string MakeKeloScaleTrunkNumber(int index) {
    char number[24];
    std::snprintf(number, sizeof number, "%04d", index);
    return Cp("Т") + number;
}

std::string KeloScaleRegionNumber(const std::string& number, int regionIndex) {
    if (regionIndex == 0)
        return number;
    std::string result = number;
    result += '-';
    result += std::to_string(regionIndex + 1);
    return result;
}

std::vector<std::string> KeloScaleLineOf(const KeloScaleSetType& set, const std::string& number) {
    std::vector<std::string> line;
    for (const auto& kelo : set.kelos)
        if (kelo.number == number) {
            for (const auto& row : kelo.rows)
                line.push_back(row.stop);
            break;
        }
    return line;
}

KeloScaleSetType MakeKeloScaleSet(const KeloDemoRootType& region, int factor) {
    if (factor < 1 || factor > KeloScaleMaxFactor)
        throw std::invalid_argument("the scale factor must be from 1 to " +
                                    std::to_string(KeloScaleMaxFactor));
    if (region.stopCount > 1000)
        throw std::invalid_argument("a region of more than 1000 stops cannot be scaled");
    KeloScaleSetType set;
    for (std::int32_t b = 0; b < region.busCount; ++b)
        set.buses.push_back(
            {region.buses[b].model, region.buses[b].category, region.buses[b].capacity});
    AddRegions(set, region, factor);
    if (factor == 1) {
        set.trunkKelo = BusiestKelo(region);
        return set;
    }
    AddHubKelos(set, Cp("ИК-250"));
    AddTrunk(set, factor, {Cp("ИК-250"), Cp("ИК-256"), Cp("МЕРСЕДЕС-1"), Cp("ИК-260М")});
    NameUnnamedKelos(set);
    return set;
}
