#include "KeloGtfsFeedTablesClass.h"

#include "KeloGtfsErrorClass.h"
#include "KeloGtfsNumber.h"
#include "KeloGtfsTime.h"

namespace {

// Route types in use stay below 2000; the bound only keeps the number an int.
constexpr std::int64_t MaxRouteType = 999999;
// A kelo every minute all day: more from one frequency line is a broken feed.
constexpr std::int64_t MaxKelosPerFrequency = 1440;

std::int32_t RequireTime(KeloGtfsCsvReaderClass& reader, int column) {
    const std::string_view text = reader.Field(column);
    const std::optional<std::int32_t> seconds = ParseGtfsTime(text);
    if (!seconds)
        reader.Fail("\"" + std::string(text) + "\" is not a time as HH:MM:SS");
    return *seconds;
}

template <typename Map>
std::uint32_t AddUnique(Map& index, std::string_view id, std::uint32_t number,
                        KeloGtfsCsvReaderClass& reader, const char* what) {
    if (id.empty())
        reader.Fail(std::string("the ") + what + " is empty");
    if (!index.emplace(std::string(id), number).second)
        reader.Fail(std::string("the ") + what + " \"" + std::string(id) + "\" appears twice");
    return number;
}

} // namespace

KeloGtfsFeedTablesClass::KeloGtfsFeedTablesClass(const KeloGtfsFeedClass& feed) {
    ReadRoutes(feed);
    ReadStops(feed);
    ReadTrips(feed);
    // A feed dates its services in calendar.txt, calendar_dates.txt or both.
    const bool hasCalendar = feed.Has("calendar.txt");
    const bool hasDates = feed.Has("calendar_dates.txt");
    if (!hasCalendar && !hasDates)
        throw KeloGtfsErrorClass("the feed has neither calendar.txt nor calendar_dates.txt");
    if (hasCalendar) {
        KeloGtfsCsvReaderClass reader(feed.Open("calendar.txt"), "calendar.txt");
        calendar.ReadCalendar(reader);
    }
    if (hasDates) {
        KeloGtfsCsvReaderClass reader(feed.Open("calendar_dates.txt"), "calendar_dates.txt");
        calendar.ReadCalendarDates(reader);
    }
    if (feed.Has("frequencies.txt"))
        ReadFrequencies(feed);
}

void KeloGtfsFeedTablesClass::ReadRoutes(const KeloGtfsFeedClass& feed) {
    KeloGtfsCsvReaderClass reader(feed.Open("routes.txt"), "routes.txt");
    const int idColumn = reader.RequireColumn("route_id");
    const int typeColumn = reader.RequireColumn("route_type");
    const int shortColumn = reader.FindColumn("route_short_name");
    const int longColumn = reader.FindColumn("route_long_name");
    while (reader.Next()) {
        Route route;
        route.id = reader.Field(idColumn);
        AddUnique(routeIndex, route.id, static_cast<std::uint32_t>(routes.size()), reader,
                  "route_id");
        const std::optional<std::int64_t> type =
            ParseGtfsWholeNumber(reader.Field(typeColumn), 0, MaxRouteType);
        if (!type)
            reader.Fail("route_type \"" + std::string(reader.Field(typeColumn)) +
                        "\" is not a route type");
        route.type = static_cast<int>(*type);
        route.shortName = ConvertGtfsText(reader.Field(shortColumn), reader);
        route.feedShortName = reader.Field(shortColumn);
        route.feedLongName = reader.Field(longColumn);
        routes.push_back(std::move(route));
    }
}

void KeloGtfsFeedTablesClass::ReadStops(const KeloGtfsFeedClass& feed) {
    KeloGtfsCsvReaderClass reader(feed.Open("stops.txt"), "stops.txt");
    const int idColumn = reader.RequireColumn("stop_id");
    const int nameColumn = reader.FindColumn("stop_name");
    const int codeColumn = reader.FindColumn("stop_code");
    const int latColumn = reader.FindColumn("stop_lat");
    const int lonColumn = reader.FindColumn("stop_lon");
    const int typeColumn = reader.FindColumn("location_type");
    while (reader.Next()) {
        Stop stop;
        stop.id = reader.Field(idColumn);
        AddUnique(stopIndex, stop.id, static_cast<std::uint32_t>(stops.size()), reader, "stop_id");
        stop.code = reader.Field(codeColumn);
        stop.name = ConvertGtfsText(reader.Field(nameColumn), reader);
        const std::string_view lat = reader.Field(latColumn);
        const std::string_view lon = reader.Field(lonColumn);
        if (!lat.empty() || !lon.empty()) {
            const std::optional<double> latitude = ParseGtfsNumber(lat);
            const std::optional<double> longitude = ParseGtfsNumber(lon);
            if (!latitude || !longitude || *latitude < -90 || *latitude > 90 || *longitude < -180 ||
                *longitude > 180)
                reader.Fail(std::string("stop_lat and stop_lon must be a position in degrees"));
            stop.latitude = *latitude;
            stop.longitude = *longitude;
            stop.hasPosition = true;
        }
        const std::string_view type = reader.Field(typeColumn);
        stop.boardingPlace = type.empty() || type == "0";
        stop.line = reader.GetLine();
        stops.push_back(std::move(stop));
    }
}

void KeloGtfsFeedTablesClass::ReadTrips(const KeloGtfsFeedClass& feed) {
    KeloGtfsCsvReaderClass reader(feed.Open("trips.txt"), "trips.txt");
    const int idColumn = reader.RequireColumn("trip_id");
    const int routeColumn = reader.RequireColumn("route_id");
    const int serviceColumn = reader.RequireColumn("service_id");
    const int shortColumn = reader.FindColumn("trip_short_name");
    while (reader.Next()) {
        Trip trip;
        trip.id = reader.Field(idColumn);
        AddUnique(tripIndex, trip.id, static_cast<std::uint32_t>(trips.size()), reader, "trip_id");
        const std::string_view route = reader.Field(routeColumn);
        const auto found = routeIndex.find(route);
        if (found == routeIndex.end())
            reader.Fail("unknown route \"" + std::string(route) + "\"");
        trip.route = found->second;
        trip.service = calendar.AddService(reader.Field(serviceColumn));
        trip.shortName = ConvertGtfsText(reader.Field(shortColumn), reader);
        trips.push_back(std::move(trip));
    }
}

void KeloGtfsFeedTablesClass::ReadFrequencies(const KeloGtfsFeedClass& feed) {
    KeloGtfsCsvReaderClass reader(feed.Open("frequencies.txt"), "frequencies.txt");
    const int tripColumn = reader.RequireColumn("trip_id");
    const int startColumn = reader.RequireColumn("start_time");
    const int endColumn = reader.RequireColumn("end_time");
    const int headwayColumn = reader.RequireColumn("headway_secs");
    while (reader.Next()) {
        const std::string_view id = reader.Field(tripColumn);
        const auto found = tripIndex.find(id);
        if (found == tripIndex.end())
            reader.Fail("unknown trip \"" + std::string(id) + "\"");
        Frequency frequency;
        frequency.start = RequireTime(reader, startColumn);
        frequency.end = RequireTime(reader, endColumn);
        const std::optional<std::int64_t> headway =
            ParseGtfsWholeNumber(reader.Field(headwayColumn), 1, INT32_MAX);
        if (!headway)
            reader.Fail("headway_secs must be a whole number of seconds above 0");
        frequency.headway = static_cast<std::int32_t>(*headway);
        if (frequency.end <= frequency.start)
            reader.Fail("end_time is not after start_time");
        const std::int64_t kelos =
            (std::int64_t{frequency.end} - frequency.start + *headway - 1) / *headway;
        if (kelos > MaxKelosPerFrequency)
            reader.Fail("the frequency makes " + std::to_string(kelos) + " kelos, more than " +
                        std::to_string(MaxKelosPerFrequency));
        trips[found->second].frequencies.push_back(frequency);
    }
}
