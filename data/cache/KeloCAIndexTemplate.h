#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>

/// Position of each key in one of the cache's record vectors, so a look-up need not scan it.
/// The vectors never hold a key twice, so the position found is the one a scan finds.
template <typename Key, typename Hash = std::hash<Key>> class KeloCAIndexTemplate {
public:
    static constexpr std::size_t None = static_cast<std::size_t>(-1);

    std::size_t Find(const Key& key) const {
        const auto found = positions.find(key);
        return found == positions.end() ? None : found->second;
    }
    void Add(const Key& key, std::size_t position) { positions.emplace(key, position); }
    // After records were removed from the vector: positions from `keyOf` of each record.
    template <typename Records, typename KeyOf> void Rebuild(const Records& records, KeyOf keyOf) {
        positions.clear();
        for (std::size_t i = 0; i < records.size(); ++i)
            positions.emplace(keyOf(records[i]), i);
    }

private:
    std::unordered_map<Key, std::size_t, Hash> positions;
};

/// Hash of an ordered pair of stop codes.
struct KeloCACodePairHash {
    std::size_t operator()(const std::pair<std::string, std::string>& pair) const {
        const std::size_t a = std::hash<std::string>()(pair.first);
        return a ^ (std::hash<std::string>()(pair.second) + 0x9e3779b97f4a7c15ULL + (a << 6) +
                    (a >> 2));
    }
};
