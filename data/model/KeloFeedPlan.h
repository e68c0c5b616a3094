#pragma once

#include "KeloDataClass.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The whole plan as a feed export reads it, in one pass. Numbers, names, codes and models
// are Windows-1251 bytes like every other text of the data model; the feed's own values
// (route and trip ids, route names, the agency) are kept as the feed gave them, in UTF-8,
// so an export hands them back unchanged.

/// The operator of the plan.
struct KeloFeedAgencyType {
    std::string name;
    std::string url;
    std::string timezone; // "Europe/Kyiv"
    std::string language; // may be empty

    friend bool operator==(const KeloFeedAgencyType&, const KeloFeedAgencyType&) = default;
};

/// The route a kelo was imported from.
struct KeloFeedRouteType {
    std::string id;
    std::string shortName;
    std::string longName;
    std::int32_t type = 3;

    friend bool operator==(const KeloFeedRouteType&, const KeloFeedRouteType&) = default;
};

/// A stop with its position in degrees, where one is known.
struct KeloFeedStopType {
    std::string code;
    std::string name;
    std::optional<double> latitude;
    std::optional<double> longitude;

    friend bool operator==(const KeloFeedStopType&, const KeloFeedStopType&) = default;
};

/// One timetable entry; `stop` indexes KeloFeedPlanType::stops.
struct KeloFeedEntryType {
    std::uint32_t stop = 0;
    KeloTimeType arrival;
    KeloTimeType stay;

    friend bool operator==(const KeloFeedEntryType&, const KeloFeedEntryType&) = default;
};

/// One kelo with its timetable and, where it was imported, its route and trip id.
struct KeloFeedKeloType {
    std::string number;
    std::string name;
    std::string busModel; // empty when it has none
    std::optional<KeloFeedRouteType> route;
    std::string tripId; // empty when none is stored
    std::vector<KeloFeedEntryType> entries;

    friend bool operator==(const KeloFeedKeloType&, const KeloFeedKeloType&) = default;
};

/// Everything an export needs, read at one moment.
struct KeloFeedPlanType {
    std::vector<KeloFeedStopType> stops;
    std::vector<KeloFeedKeloType> kelos;
    std::optional<KeloFeedAgencyType> agency;

    friend bool operator==(const KeloFeedPlanType&, const KeloFeedPlanType&) = default;
};

/// Optional interface of a bottom source that stores what a feed export needs and reads the
/// whole plan in bulk.
class KeloFeedPlanSourceClass {
public:
    virtual ~KeloFeedPlanSourceClass() = default;
    virtual KeloFeedPlanType ReadFeedPlan() = 0;
};

/// The plan of any source: in bulk where the source offers it, else kelo by kelo through
/// the data interfaces (then without positions, routes or agency). Only the stops of
/// timetables are listed then.
KeloFeedPlanType KeloReadFeedPlan(KeloDataPtrClass source);
