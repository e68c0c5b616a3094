#include "KeloGtfsFeedChecker.h"

#include "KeloGtfsCsvReaderClass.h"
#include "KeloGtfsFeedClass.h"
#include "KeloGtfsTime.h"

#include <filesystem>
#include <map>
#include <set>

namespace {

struct TableRule {
    const char* file;
    std::vector<const char*> required; // fields every row fills
    const char* id;                    // unique per row, or null
};

const TableRule Rules[] = {
    {"agency.txt", {"agency_name", "agency_url", "agency_timezone"}, "agency_id"},
    {"stops.txt", {"stop_id", "stop_name", "stop_lat", "stop_lon"}, "stop_id"},
    {"routes.txt", {"route_id", "route_type"}, "route_id"},
    {"trips.txt", {"route_id", "service_id", "trip_id"}, "trip_id"},
    {"stop_times.txt", {"trip_id", "stop_id", "stop_sequence"}, nullptr},
    {"calendar.txt",
     {"service_id", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday",
      "start_date", "end_date"},
     "service_id"},
};

using RowType = std::map<std::string, std::string>;

std::vector<RowType> ReadTable(const KeloGtfsFeedClass& feed, const TableRule& rule,
                               std::vector<std::string>& problems) {
    std::vector<RowType> rows;
    KeloGtfsCsvReaderClass reader(feed.Open(rule.file), rule.file);
    std::map<std::string, int> columns;
    for (const char* name : rule.required) {
        columns[name] = reader.FindColumn(name);
        if (columns[name] < 0)
            problems.push_back(std::string(rule.file) + " lacks " + name);
    }
    for (const char* name : {"route_short_name", "route_long_name", "arrival_time",
                             "departure_time", "agency_id", "stop_code"})
        columns[name] = reader.FindColumn(name);
    std::set<std::string> ids;
    while (reader.Next()) {
        RowType row;
        for (const auto& [name, column] : columns)
            row[name] = std::string(reader.Field(column));
        for (const char* name : rule.required)
            if (row[name].empty())
                problems.push_back(std::string(rule.file) + " line " +
                                   std::to_string(reader.GetLine()) + " has no " + name);
        if (rule.id && !ids.insert(row[rule.id]).second)
            problems.push_back(std::string(rule.file) + ": " + rule.id + " \"" + row[rule.id] +
                               "\" twice");
        rows.push_back(std::move(row));
    }
    return rows;
}

std::set<std::string> Ids(const std::vector<RowType>& rows, const char* field) {
    std::set<std::string> ids;
    for (const RowType& row : rows)
        ids.insert(row.at(field));
    return ids;
}

void CheckReferences(const std::vector<RowType>& rows, const char* file, const char* field,
                     const std::set<std::string>& targets, std::vector<std::string>& problems) {
    for (const RowType& row : rows)
        if (!row.at(field).empty() && !targets.count(row.at(field)))
            problems.push_back(std::string(file) + ": " + field + " \"" + row.at(field) +
                               "\" resolves to nothing");
}

bool IsTimeZone(const std::string& name) {
    return !name.empty() && name.find("..") == std::string::npos &&
           std::filesystem::is_regular_file("/usr/share/zoneinfo/" + name);
}

void CheckTrips(const std::vector<RowType>& stopTimes, const std::set<std::string>& tripIds,
                std::vector<std::string>& problems) {
    std::map<std::string, std::vector<const RowType*>> byTrip;
    for (const RowType& row : stopTimes)
        byTrip[row.at("trip_id")].push_back(&row);
    for (const std::string& trip : tripIds)
        if (byTrip[trip].size() < 2)
            problems.push_back("trip \"" + trip + "\" has fewer than two stop times");
    for (const auto& [trip, rows] : byTrip) {
        long lastSequence = -1;
        std::int32_t lastTime = -1;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const long sequence = std::stol(rows[i]->at("stop_sequence"));
            if (sequence <= lastSequence)
                problems.push_back("trip \"" + trip + "\": stop_sequence does not increase");
            lastSequence = sequence;
            for (const char* field : {"arrival_time", "departure_time"}) {
                const std::string& text = rows[i]->at(field);
                if (text.empty()) {
                    if (i == 0 || i + 1 == rows.size())
                        problems.push_back("trip \"" + trip + "\": no time at an end");
                    continue;
                }
                const std::optional<std::int32_t> time = ParseGtfsTime(text);
                if (!time || *time < lastTime)
                    problems.push_back("trip \"" + trip + "\": time " + text + " goes back");
                if (time)
                    lastTime = *time;
            }
        }
    }
}

} // namespace

std::vector<std::string> CheckGtfsFeed(const std::string& path) {
    std::vector<std::string> problems;
    KeloGtfsFeedClass feed(path);
    std::map<std::string, std::vector<RowType>> tables;
    for (const TableRule& rule : Rules) {
        if (!feed.Has(rule.file)) {
            problems.push_back(std::string("no ") + rule.file);
            continue;
        }
        // No byte-order mark: some planners read it into the first column's name.
        char head[3] = {};
        if (feed.Open(rule.file)->Read(head, 3) == 3 && std::string(head, 3) == "\xEF\xBB\xBF")
            problems.push_back(std::string(rule.file) + " starts with a byte-order mark");
        tables[rule.file] = ReadTable(feed, rule, problems);
    }
    if (!problems.empty())
        return problems;
    for (const RowType& agency : tables["agency.txt"])
        if (!IsTimeZone(agency.at("agency_timezone")))
            problems.push_back("\"" + agency.at("agency_timezone") + "\" is not a time zone");
    for (const RowType& route : tables["routes.txt"])
        if (route.at("route_short_name").empty() && route.at("route_long_name").empty())
            problems.push_back("route \"" + route.at("route_id") + "\" has no name");
    CheckReferences(tables["routes.txt"], "routes.txt", "agency_id",
                    Ids(tables["agency.txt"], "agency_id"), problems);
    CheckReferences(tables["trips.txt"], "trips.txt", "route_id",
                    Ids(tables["routes.txt"], "route_id"), problems);
    CheckReferences(tables["trips.txt"], "trips.txt", "service_id",
                    Ids(tables["calendar.txt"], "service_id"), problems);
    const std::set<std::string> tripIds = Ids(tables["trips.txt"], "trip_id");
    CheckReferences(tables["stop_times.txt"], "stop_times.txt", "trip_id", tripIds, problems);
    CheckReferences(tables["stop_times.txt"], "stop_times.txt", "stop_id",
                    Ids(tables["stops.txt"], "stop_id"), problems);
    CheckTrips(tables["stop_times.txt"], tripIds, problems);
    return problems;
}
