#include "KeloGtfsStopCodes.h"

#include "Cp1251.h"
#include "KeloGtfsErrorClass.h"
#include "KeloGtfsFeedTablesClass.h"

#include <string_view>
#include <unordered_map>

std::vector<std::string> KeloGtfsStopCodes(const KeloGtfsFeedTablesClass& tables,
                                           const std::vector<bool>& written,
                                           std::uint64_t& replaced) {
    std::unordered_map<std::string_view, std::uint32_t> codeUses;
    for (const auto& stop : tables.stops)
        if (!stop.code.empty())
            ++codeUses[stop.code];
    std::vector<std::string> codes;
    codes.reserve(tables.stops.size());
    std::vector<const std::string*> labels; // the feed text each code came from
    std::unordered_map<std::string, std::uint32_t> owner;
    for (std::uint32_t s = 0; s < tables.stops.size(); ++s) {
        const auto& stop = tables.stops[s];
        bool byCode = !stop.code.empty() && codeUses[stop.code] == 1;
        if (byCode) {
            const auto other = tables.stopIndex.find(stop.code);
            byCode = other == tables.stopIndex.end() || other->second == s;
        }
        labels.push_back(byCode ? &stop.code : &stop.id);
        const Cp1251EncodeResult code = Utf8ToCp1251(*labels.back());
        codes.push_back(code.bytes);
        if (!written[s])
            continue;
        replaced += code.unmappable.size();
        // Letters the code page lacks all become "?", so distinct ids may meet.
        const auto [at, fresh] = owner.emplace(code.bytes, s);
        if (!fresh)
            throw KeloGtfsErrorClass("stops.txt", stop.line,
                                     "stop \"" + *labels.back() + "\" and stop \"" +
                                         *labels[at->second] +
                                         "\" get the same code in Windows-1251");
    }
    return codes;
}
