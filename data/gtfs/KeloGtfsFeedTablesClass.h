#pragma once

#include "KeloGtfsCalendarClass.h"
#include "KeloGtfsFeedClass.h"
#include "KeloGtfsIdMap.h"
#include "KeloGtfsText.h"

#include <cstdint>
#include <string>
#include <vector>

/// The small tables of a feed, read whole: routes, stops, trips, services and frequencies.
/// stop_times.txt and shapes.txt are streamed by the importer.
class KeloGtfsFeedTablesClass {
public:
    struct Route {
        std::string id;
        KeloGtfsTextType shortName;
        int type = 3;
        std::string feedShortName; // UTF-8 as the feed has them, handed back by an export
        std::string feedLongName;
    };
    struct Stop {
        std::string id;
        std::string code; // feed stop_code, UTF-8, may be empty
        KeloGtfsTextType name;
        double latitude = 0;
        double longitude = 0;
        bool hasPosition = false;
        bool boardingPlace = true; // location_type 0 or empty
        std::uint64_t line = 0;    // in stops.txt
    };
    struct Frequency {
        std::int32_t start = 0; // seconds
        std::int32_t end = 0;
        std::int32_t headway = 0;
    };
    struct Trip {
        std::string id;
        std::uint32_t route = 0;
        std::uint32_t service = 0;
        KeloGtfsTextType shortName;
        std::vector<Frequency> frequencies;
    };

    // Reads every table but stop_times.txt and shapes.txt; refuses what is missing or broken.
    explicit KeloGtfsFeedTablesClass(const KeloGtfsFeedClass& feed);

    std::vector<Route> routes;
    std::vector<Stop> stops;
    std::vector<Trip> trips;
    KeloGtfsIdMapType routeIndex;
    KeloGtfsIdMapType stopIndex;
    KeloGtfsIdMapType tripIndex;
    KeloGtfsCalendarClass calendar;

private:
    void ReadRoutes(const KeloGtfsFeedClass& feed);
    void ReadStops(const KeloGtfsFeedClass& feed);
    void ReadTrips(const KeloGtfsFeedClass& feed);
    void ReadFrequencies(const KeloGtfsFeedClass& feed);
};
