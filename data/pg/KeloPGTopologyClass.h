#pragma once

#include "KeloDataClass.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class KeloPGConnectionClass;

/// Distances from the link table on the server, the same in both directions.
class KeloPGTopologyClass : public KeloTopologyClass {
public:
    explicit KeloPGTopologyClass(std::shared_ptr<KeloPGConnectionClass> connection)
        : connection(std::move(connection)) {}

    bool HasLink(const std::string& codeA, const std::string& codeB) override;
    // 0 when the stops are not linked.
    float GetDistance(const std::string& codeA, const std::string& codeB) override;

private:
    std::shared_ptr<KeloPGConnectionClass> connection;
};

/// Every stop in the order they were added, read in one query when first asked.
class KeloPGStopSetClass : public KeloStopSetClass {
public:
    explicit KeloPGStopSetClass(std::shared_ptr<KeloPGConnectionClass> connection)
        : connection(std::move(connection)) {}

    std::int32_t GetCount() override;
    KeloStopPtrClass GetItem(std::int32_t index) override;

private:
    void Load();

    std::shared_ptr<KeloPGConnectionClass> connection;
    std::vector<std::pair<std::string, std::string>> stops;
    bool loaded = false;
};
