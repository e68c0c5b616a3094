#pragma once

#include "KeloDataClass.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

/// Optional interface of a store several planners share: which kelos others saved lately.
class KeloChangeFeedClass {
public:
    virtual ~KeloChangeFeedClass() = default;
    // Numbers of the kelos created, changed or deleted since the last call (the first call
    // only takes note of the present state). Cheap when nothing happened: the store is asked
    // for the kelos' versions only after it signals a change.
    virtual std::vector<std::string> TakeChangedKelos() = 0;
};

/// The change feed of a source, or null when it has none.
inline KeloChangeFeedClass* KeloFindChangeFeed(KeloDataPtrClass source) {
    return source.IsNull() ? nullptr : dynamic_cast<KeloChangeFeedClass*>(&*source);
}

/// The kelos whose version differs between two looks at a store (number -> version), and
/// those only in one of them; `before` becomes `now`.
inline std::vector<std::string> KeloDiffVersions(std::map<std::string, std::int64_t>& before,
                                                 std::map<std::string, std::int64_t> now) {
    std::vector<std::string> changed;
    for (const auto& [number, version] : now)
        if (const auto found = before.find(number);
            found == before.end() || found->second != version)
            changed.push_back(number);
    for (const auto& [number, version] : before)
        if (!now.count(number))
            changed.push_back(number);
    before = std::move(now);
    return changed;
}
