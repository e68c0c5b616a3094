#pragma once

#include "KeloDataClass.h"
#include "KeloFeedPlan.h"

#include <optional>
#include <string>

/// Optional interface of a source that keeps, for each kelo, the feed route it runs on. A kelo
/// given a route here becomes a trip of its own: its stored trip id goes, and an export
/// derives one, so two kelos never share a trip id.
class KeloKeloRouteDataClass {
public:
    virtual ~KeloKeloRouteDataClass() = default;
    // None for a kelo without a route, an unknown number, or a layer whose source keeps none.
    virtual std::optional<KeloFeedRouteType> GetKeloRoute(const std::string& number) = 0;
    // Gives the kelo this route (none clears it) and drops its trip id. False when nothing
    // was kept because the source keeps no routes.
    virtual bool SetKeloRoute(const std::string& number,
                              const std::optional<KeloFeedRouteType>& route) = 0;
};

/// The route interface of a source, or null when it has none.
inline KeloKeloRouteDataClass* KeloFindKeloRoutes(KeloDataPtrClass source) {
    return source.IsNull() ? nullptr : dynamic_cast<KeloKeloRouteDataClass*>(&*source);
}
