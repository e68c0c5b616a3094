#pragma once

#include "KeloCAIndexTemplate.h"
#include "KeloCacheTypes.h"
#include "KeloDataClass.h"

#include <string>
#include <vector>

/// Distances asked below at most once per ordered pair of stop codes; an answer of "no link"
/// is kept like any other.
class KeloCATopologyClass : public KeloTopologyClass {
public:
    explicit KeloCATopologyClass(KeloTopologyPtrClass lower);

    bool HasLink(const std::string& codeA, const std::string& codeB) override;
    float GetDistance(const std::string& codeA, const std::string& codeB) override;

private:
    const KeloCATopologyLinkType& Lookup(const std::string& codeA, const std::string& codeB);

    KeloTopologyPtrClass Lower;
    std::vector<KeloCATopologyLinkType> Links;
    KeloCAIndexTemplate<std::pair<std::string, std::string>, KeloCACodePairHash> Index;
};
