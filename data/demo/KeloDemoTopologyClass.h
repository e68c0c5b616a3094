#pragma once

#include "KeloDataClass.h"
#include "KeloDemoTables.h"

/// Distances of the demonstration link table, for ordered pairs of stop codes.
class KeloDemoTopologyClass : public KeloTopologyClass {
public:
    explicit KeloDemoTopologyClass(const KeloDemoRootType& root);

    bool HasLink(const std::string& codeA, const std::string& codeB) override;
    // 0 when there is no link from A to B.
    float GetDistance(const std::string& codeA, const std::string& codeB) override;

private:
    const KeloDemoLinkRecordType* links;
    std::int32_t linkCount;
};
