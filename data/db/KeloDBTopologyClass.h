#pragma once

#include "KeloDataClass.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class KeloDBConnectionClass;

/// Distances from the link table, the same in both directions.
class KeloDBTopologyClass : public KeloTopologyClass {
public:
    explicit KeloDBTopologyClass(std::shared_ptr<KeloDBConnectionClass> connection);

    bool HasLink(const std::string& codeA, const std::string& codeB) override;
    // 0 when the stops are not linked.
    float GetDistance(const std::string& codeA, const std::string& codeB) override;

private:
    std::shared_ptr<KeloDBConnectionClass> connection;
};

/// Every stop in the order they were added, read once when first asked.
class KeloDBStopSetClass : public KeloStopSetClass {
public:
    explicit KeloDBStopSetClass(std::shared_ptr<KeloDBConnectionClass> connection);

    std::int32_t GetCount() override;
    // Empty handle for an index outside the set.
    KeloStopPtrClass GetItem(std::int32_t index) override;

private:
    void Load();

    std::shared_ptr<KeloDBConnectionClass> connection;
    std::vector<std::pair<std::string, std::string>> stops;
    bool loaded = false;
};
