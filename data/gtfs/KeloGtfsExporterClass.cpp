#include "KeloGtfsExporterClass.h"

#include "Cp1251.h"
#include "KeloGtfsBusKind.h"
#include "KeloGtfsTime.h"

#include <zip.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr std::size_t NamedStops = 10;
constexpr std::uint64_t ProgressEvery = 4096;
const std::string ServiceId = "PLAN";
const std::string AgencyId = "1";

/// One table of the feed being written, as CSV text in UTF-8.
class CsvTableType {
public:
    explicit CsvTableType(std::initializer_list<const char*> header) {
        for (const char* name : header)
            Field(name);
        EndRow();
    }
    CsvTableType& Field(std::string_view text) {
        if (!atRowStart)
            text_ += ',';
        atRowStart = false;
        if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
            text_ += text;
            return *this;
        }
        text_ += '"';
        for (char c : text) {
            if (c == '"')
                text_ += '"';
            text_ += c;
        }
        text_ += '"';
        return *this;
    }
    void EndRow() {
        text_ += "\r\n";
        atRowStart = true;
    }
    std::string& Text() { return text_; }

private:
    std::string text_;
    bool atRowStart = true;
};

std::string Number(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

// Seconds after the start of the service day as GTFS writes them: hours run on past 24.
std::string FeedTime(std::int64_t minutes) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:00", static_cast<long long>(minutes / 60),
                  static_cast<long long>(minutes % 60));
    return buffer;
}

std::string UniqueId(const std::string& base, std::unordered_set<std::string>& used) {
    std::string id = base.empty() ? std::string("kelo") : base;
    for (int suffix = 2; used.count(id); ++suffix)
        id = (base.empty() ? std::string("kelo") : base) + "-" + std::to_string(suffix);
    used.insert(id);
    return id;
}

struct TripTimesType {
    std::vector<std::optional<std::pair<std::int64_t, std::int64_t>>> times; // arrival, departure
};

// Minutes since the start of the first day; each time earlier than the event before it lies
// on the next day, so the times never decrease. Empty entries between stay empty.
std::optional<TripTimesType> TimesOf(const KeloFeedKeloType& kelo) {
    if (kelo.entries.size() < 2 || kelo.entries.front().arrival.IsEmpty() ||
        kelo.entries.back().arrival.IsEmpty())
        return std::nullopt;
    TripTimesType result;
    std::int64_t day = 0;
    std::int64_t last = 0;
    for (const KeloFeedEntryType& entry : kelo.entries) {
        if (entry.arrival.IsEmpty()) {
            result.times.emplace_back();
            continue;
        }
        const std::int64_t clock = ((entry.arrival.GetTotalMinutes() % 1440) + 1440) % 1440;
        std::int64_t arrival = clock + day;
        while (arrival < last) {
            day += 1440;
            arrival += 1440;
        }
        const std::int64_t stay = entry.stay.IsEmpty() ? 0 : entry.stay.GetTotalMinutes();
        last = arrival + std::max<std::int64_t>(stay, 0);
        result.times.emplace_back(std::make_pair(arrival, last));
    }
    return result;
}

std::string DirectoryOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

[[noreturn]] void Unwritable(const std::string& file, const std::string& reason) {
    throw KeloGtfsExportErrorClass(KeloGtfsExportRefusalType::Unwritable,
                                   "cannot write " + file + ": " + reason, {reason});
}

void CheckWritable(const std::string& file) {
    std::error_code ignored;
    if (file.empty())
        Unwritable(file, "no file name");
    if (std::filesystem::is_directory(file, ignored))
        Unwritable(file, "it is a folder");
    const std::string folder = DirectoryOf(file);
    if (!std::filesystem::is_directory(folder, ignored))
        Unwritable(file, "the folder does not exist");
    if (::access(folder.c_str(), W_OK) != 0 ||
        (std::filesystem::exists(file, ignored) && ::access(file.c_str(), W_OK) != 0))
        Unwritable(file, std::strerror(EACCES));
}

/// The tables of one export, written into a zip beside the target and renamed into place.
class ExportRun {
public:
    ExportRun(const KeloFeedPlanType& plan, const KeloGtfsExportOptionsType& options)
        : plan(plan), options(options) {}

    KeloGtfsExportSummaryType Run() {
        if (options.endDay < options.startDay)
            throw KeloGtfsExportErrorClass(KeloGtfsExportRefusalType::BadDates,
                                           "the end date lies before the start date");
        CheckWritable(options.file);
        // Positions first: without them no operator given on the command line would help.
        PlanTrips();
        CheckPositions();
        const KeloFeedAgencyType agency = ChooseAgency();
        WriteAgency(agency);
        WriteCalendar();
        WriteStops();
        WriteRoutesAndTrips();
        if (!WriteStopTimes()) {
            summary.cancelled = true;
            return summary;
        }
        WriteZip();
        return summary;
    }

private:
    KeloFeedAgencyType ChooseAgency() const {
        const std::optional<KeloFeedAgencyType>& agency =
            plan.agency ? plan.agency : options.agency;
        if (!agency || agency->name.empty())
            throw KeloGtfsExportErrorClass(
                KeloGtfsExportRefusalType::NoAgency,
                "the plan names no operator: give one with --agency-name, --agency-timezone "
                "and --agency-url");
        if (!KeloGtfsIsTimeZone(agency->timezone))
            throw KeloGtfsExportErrorClass(KeloGtfsExportRefusalType::BadTimeZone,
                                           "\"" + agency->timezone + "\" is not a time zone",
                                           {agency->timezone});
        return *agency;
    }

    void PlanTrips() {
        stopUsed.assign(plan.stops.size(), false);
        for (std::size_t k = 0; k < plan.kelos.size(); ++k) {
            std::optional<TripTimesType> times = TimesOf(plan.kelos[k]);
            if (!times) {
                ++summary.skippedKelos;
                continue;
            }
            trips.push_back(k);
            tripTimes.push_back(std::move(*times));
            for (const KeloFeedEntryType& entry : plan.kelos[k].entries)
                stopUsed[entry.stop] = true;
            totalEntries += plan.kelos[k].entries.size();
        }
        if (trips.empty())
            throw KeloGtfsExportErrorClass(KeloGtfsExportRefusalType::NoTrips,
                                           "no kelo has two stops with times");
    }

    void CheckPositions() const {
        std::vector<std::string> names;
        std::uint64_t missing = 0, used = 0;
        for (std::size_t s = 0; s < plan.stops.size(); ++s) {
            if (!stopUsed[s])
                continue;
            ++used;
            const KeloFeedStopType& stop = plan.stops[s];
            if (stop.latitude && stop.longitude)
                continue;
            if (++missing <= NamedStops)
                names.push_back(Cp1251ToUtf8(stop.code) + " " + Cp1251ToUtf8(stop.name));
        }
        if (missing == 0)
            return;
        if (missing == used)
            throw KeloGtfsExportErrorClass(
                KeloGtfsExportRefusalType::NoPositionAtAll,
                "no stop of the plan has coordinates, and a feed needs them; the built-in data "
                "set has none: import a GTFS feed (kelo --import-gtfs) to export a plan",
                std::move(names), missing);
        std::string message = std::to_string(missing) + " stops have no coordinates: ";
        for (std::size_t i = 0; i < names.size(); ++i)
            message += (i ? ", " : "") + names[i];
        if (missing > names.size())
            message += " and " + std::to_string(missing - names.size()) + " more";
        throw KeloGtfsExportErrorClass(KeloGtfsExportRefusalType::StopsWithoutPosition, message,
                                       std::move(names), missing);
    }

    void WriteAgency(const KeloFeedAgencyType& agency) {
        CsvTableType table{"agency_id", "agency_name", "agency_url", "agency_timezone",
                           "agency_lang"};
        table.Field(AgencyId).Field(agency.name).Field(agency.url).Field(agency.timezone);
        table.Field(agency.language).EndRow();
        files.emplace_back("agency.txt", std::move(table.Text()));
    }

    void WriteCalendar() {
        CsvTableType table{"service_id", "monday",   "tuesday", "wednesday",  "thursday",
                           "friday",     "saturday", "sunday",  "start_date", "end_date"};
        table.Field(ServiceId);
        for (int weekday = 0; weekday < 7; ++weekday)
            table.Field("1");
        table.Field(FormatGtfsDate(options.startDay)).Field(FormatGtfsDate(options.endDay));
        table.EndRow();
        files.emplace_back("calendar.txt", std::move(table.Text()));
    }

    void WriteStops() {
        CsvTableType table{"stop_id", "stop_code", "stop_name", "stop_lat", "stop_lon"};
        stopIds.resize(plan.stops.size());
        for (std::size_t s = 0; s < plan.stops.size(); ++s) {
            if (!stopUsed[s])
                continue;
            const KeloFeedStopType& stop = plan.stops[s];
            stopIds[s] = Cp1251ToUtf8(stop.code);
            const std::string name = stop.name.empty() ? stopIds[s] : Cp1251ToUtf8(stop.name);
            table.Field(stopIds[s]).Field(stopIds[s]).Field(name);
            table.Field(Number(*stop.latitude)).Field(Number(*stop.longitude)).EndRow();
            ++summary.stops;
        }
        files.emplace_back("stops.txt", std::move(table.Text()));
    }

    void WriteRoutesAndTrips() {
        // Stored ids first, so that a derived one never takes a stored one's place.
        std::unordered_set<std::string> routeIdsUsed, tripIdsUsed;
        std::unordered_map<std::string, std::uint32_t> tripIdUses;
        for (std::size_t k : trips) {
            const KeloFeedKeloType& kelo = plan.kelos[k];
            if (kelo.route)
                routeIdsUsed.insert(kelo.route->id);
            if (!kelo.tripId.empty())
                ++tripIdUses[kelo.tripId];
        }
        for (const auto& [id, uses] : tripIdUses)
            if (uses == 1)
                tripIdsUsed.insert(id);

        CsvTableType routes{"route_id", "agency_id", "route_short_name", "route_long_name",
                            "route_type"};
        CsvTableType tripTable{"route_id", "service_id", "trip_id", "trip_short_name",
                               "trip_headsign"};
        std::unordered_set<std::string> routesWritten;
        tripIds.reserve(trips.size());
        for (std::size_t k : trips) {
            const KeloFeedKeloType& kelo = plan.kelos[k];
            const std::string number = Cp1251ToUtf8(kelo.number);
            std::string routeId;
            if (kelo.route) {
                routeId = kelo.route->id;
                if (routesWritten.insert(routeId).second) {
                    const bool named =
                        !kelo.route->shortName.empty() || !kelo.route->longName.empty();
                    routes.Field(routeId).Field(AgencyId);
                    routes.Field(named ? kelo.route->shortName : number)
                        .Field(kelo.route->longName);
                    routes.Field(std::to_string(kelo.route->type)).EndRow();
                }
            } else {
                // One route per kelo number for kelos that came from no feed.
                routeId = UniqueId(number, routeIdsUsed);
                routes.Field(routeId).Field(AgencyId).Field(number).Field(Cp1251ToUtf8(kelo.name));
                routes.Field(std::to_string(KeloGtfsRouteTypeOfBus(kelo.busModel))).EndRow();
                routesWritten.insert(routeId);
            }
            const bool ownId = !kelo.tripId.empty() && tripIdUses[kelo.tripId] == 1;
            tripIds.push_back(ownId ? kelo.tripId : UniqueId(number, tripIdsUsed));
            tripTable.Field(routeId).Field(ServiceId).Field(tripIds.back()).Field(number);
            tripTable.Field(Cp1251ToUtf8(kelo.name)).EndRow();
        }
        summary.routes = routesWritten.size();
        summary.trips = trips.size();
        files.emplace_back("routes.txt", std::move(routes.Text()));
        files.emplace_back("trips.txt", std::move(tripTable.Text()));
    }

    bool WriteStopTimes() {
        CsvTableType table{"trip_id", "arrival_time", "departure_time", "stop_id", "stop_sequence"};
        table.Text().reserve(totalEntries * 40);
        std::uint64_t done = 0;
        for (std::size_t t = 0; t < trips.size(); ++t) {
            const KeloFeedKeloType& kelo = plan.kelos[trips[t]];
            for (std::size_t i = 0; i < kelo.entries.size(); ++i) {
                const auto& times = tripTimes[t].times[i];
                table.Field(tripIds[t]);
                table.Field(times ? FeedTime(times->first) : std::string());
                table.Field(times ? FeedTime(times->second) : std::string());
                table.Field(stopIds[kelo.entries[i].stop]).Field(std::to_string(i + 1)).EndRow();
                if (++done % ProgressEvery == 0 && options.progress &&
                    !options.progress(done, totalEntries))
                    return false;
            }
        }
        summary.stopTimes = done;
        files.emplace_back("stop_times.txt", std::move(table.Text()));
        return !options.progress || options.progress(done, totalEntries);
    }

    void WriteZip() {
        const std::string& file = options.file;
        const std::string temp = file + ".part-" + std::to_string(::getpid());
        auto removeTemp = [&temp] {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
        };
        int error = 0;
        zip_t* archive = zip_open(temp.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        if (!archive) {
            zip_error_t detail;
            zip_error_init_with_code(&detail, error);
            const std::string reason = zip_error_strerror(&detail);
            zip_error_fini(&detail);
            Unwritable(file, reason);
        }
        for (const auto& [name, text] : files) {
            zip_source_t* source = zip_source_buffer(archive, text.data(), text.size(), 0);
            const zip_int64_t index =
                source ? zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
            // The fastest deflate: the tables are repetitive, so it packs them nearly as
            // small, in a third of the time.
            if (index < 0 || zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                                      ZIP_CM_DEFLATE, 1) < 0) {
                if (source && index < 0)
                    zip_source_free(source);
                const std::string reason = zip_strerror(archive);
                zip_discard(archive);
                removeTemp();
                Unwritable(file, reason);
            }
        }
        if (zip_close(archive) != 0) {
            const std::string reason = zip_strerror(archive);
            zip_discard(archive);
            removeTemp();
            Unwritable(file, reason);
        }
        const int fd = ::open(temp.c_str(), O_RDONLY);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
        if (std::rename(temp.c_str(), file.c_str()) != 0) {
            const std::string reason = std::strerror(errno);
            removeTemp();
            Unwritable(file, reason);
        }
    }

    const KeloFeedPlanType& plan;
    const KeloGtfsExportOptionsType& options;
    KeloGtfsExportSummaryType summary;
    std::vector<bool> stopUsed;
    std::vector<std::string> stopIds;
    std::vector<std::size_t> trips; // indexes of the exported kelos
    std::vector<TripTimesType> tripTimes;
    std::vector<std::string> tripIds;
    std::uint64_t totalEntries = 0;
    std::vector<std::pair<std::string, std::string>> files;
};

} // namespace

KeloGtfsExportSummaryType KeloGtfsExporterClass::Run(const KeloFeedPlanType& plan,
                                                     const KeloGtfsExportOptionsType& options) {
    return ExportRun(plan, options).Run();
}

bool KeloGtfsIsTimeZone(const std::string& name) {
    if (name.empty() || name.front() == '/' || name.size() > 64)
        return false;
    for (std::size_t begin = 0; begin <= name.size();) {
        const std::size_t end = std::min(name.find('/', begin), name.size());
        const std::string_view part(name.data() + begin, end - begin);
        if (part.empty() || part == "." || part == "..")
            return false;
        for (char c : part)
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-' && c != '+')
                return false;
        begin = end + 1;
    }
    std::error_code ignored;
    return std::filesystem::is_regular_file("/usr/share/zoneinfo/" + name, ignored);
}

std::int32_t KeloGtfsLocalToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    const std::chrono::year_month_day date{
        std::chrono::year(local.tm_year + 1900),
        std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
        std::chrono::day(static_cast<unsigned>(local.tm_mday))};
    return std::chrono::sys_days(date).time_since_epoch().count();
}

std::int32_t KeloGtfsSameDayNextYear(std::int32_t day) {
    const std::chrono::year_month_day date{std::chrono::sys_days(std::chrono::days(day))};
    std::chrono::year_month_day next = date + std::chrono::years(1);
    if (!next.ok())
        next = std::chrono::year_month_day_last(next.year(),
                                                std::chrono::month_day_last(next.month()));
    return std::chrono::sys_days(next).time_since_epoch().count();
}
