#include "KeloGtfsImporterClass.h"

#include "Cp1251.h"
#include "KeloDBIntegrityCheck.h"
#include "KeloGtfsBusKind.h"
#include "KeloGtfsDistance.h"
#include "KeloGtfsErrorClass.h"
#include "KeloGtfsFeedTablesClass.h"
#include "KeloGtfsNumber.h"
#include "KeloGtfsStopCodes.h"
#include "KeloGtfsTime.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr std::int32_t NoTime = -1;
// Longest number base in bytes: the lists show numbers in a narrow column.
constexpr std::size_t MaxNumberBase = 12;
constexpr std::uint64_t ProgressEvery = 1 << 16;
// Roads wind: stops' straight-line distance is about this much shorter than the road's.
constexpr double DetourFactor = 1.2;
constexpr std::int32_t MaxTripSeconds = (24 * 60 - 1) * 60;
const std::string StopTimesFile = "stop_times.txt";

/// One row of stop_times.txt of a trip of the day, kept small: a 5-million-row feed fits in
/// 140 MB, and sorting the rows groups them by trip whatever the file's order.
struct StopTimeType {
    std::uint32_t trip;
    std::uint32_t sequence;
    std::uint32_t stop;
    std::int32_t arrival; // seconds, NoTime when empty
    std::int32_t departure;
    float distance; // shape_dist_traveled, NaN when empty
    std::uint32_t line;
};

/// One kelo to write: a trip of the day, or one departure of a frequency-based trip.
struct KeloPlanType {
    std::uint32_t trip;
    std::int32_t offset; // seconds added to the trip's times
    std::int32_t start;  // first departure, for the order of suffixes
    std::size_t first;   // rows[first, first + count)
    std::uint32_t count;
    std::string base;
    std::string number;
};

std::int32_t FloorDiv(std::int32_t value, std::int32_t by) {
    return value >= 0 ? value / by : -((-value + by - 1) / by);
}

std::uint64_t DeparturesOf(const KeloGtfsFeedTablesClass::Trip& trip) {
    if (trip.frequencies.empty())
        return 1;
    std::uint64_t count = 0;
    for (const auto& f : trip.frequencies)
        count +=
            static_cast<std::uint64_t>((std::int64_t{f.end} - f.start + f.headway - 1) / f.headway);
    return count;
}

std::optional<std::int32_t> BusiestDayOf(const KeloGtfsFeedTablesClass& tables) {
    std::vector<std::uint64_t> weights(tables.calendar.GetServiceCount(), 0);
    for (const auto& trip : tables.trips)
        weights[trip.service] += DeparturesOf(trip);
    return tables.calendar.BusiestDay(weights);
}

[[noreturn]] void FailStopTime(std::uint32_t line, const std::string& message) {
    throw KeloGtfsErrorClass(StopTimesFile, line, message);
}

std::string TrimmedNumberBase(std::string bytes) {
    if (bytes.size() > MaxNumberBase)
        bytes.resize(MaxNumberBase);
    while (!bytes.empty() && bytes.back() == ' ')
        bytes.pop_back();
    return bytes;
}

/// The import of one feed, step by step.
class ImportRun {
public:
    ImportRun(const KeloGtfsImportOptionsType& options, KeloPlanWriterClass& sink)
        : options(options), sink(sink), feed(options.feed), tables(feed) {}

    KeloGtfsImportSummaryType Run() {
        ChooseDay();
        ReadStopTimes();
        GroupTrips();
        PlanKelos();
        ChooseDistanceUnit();
        Write();
        return summary;
    }

private:
    void Progress(const std::string& table, std::uint64_t rows) {
        if (options.progress)
            options.progress(table, rows);
    }

    void ChooseDay() {
        auto& calendar = tables.calendar;
        if (options.serviceDay) {
            summary.day = *options.serviceDay;
        } else {
            const std::optional<std::int32_t> busiest = BusiestDayOf(tables);
            if (!busiest)
                throw KeloGtfsErrorClass("no trips of the feed run on any day");
            summary.day = *busiest;
        }
        std::vector<char> serviceRuns(calendar.GetServiceCount());
        for (std::uint32_t s = 0; s < serviceRuns.size(); ++s)
            serviceRuns[s] = calendar.Runs(s, summary.day);
        runs.assign(tables.trips.size(), false);
        bool any = false;
        for (std::size_t t = 0; t < tables.trips.size(); ++t)
            any |= runs[t] = serviceRuns[tables.trips[t].service] != 0;
        if (!any)
            throw KeloGtfsErrorClass("no trips run on " + FormatGtfsDate(summary.day));
    }

    void ReadStopTimes() {
        KeloGtfsCsvReaderClass reader(feed.Open(StopTimesFile), StopTimesFile);
        const int tripColumn = reader.RequireColumn("trip_id");
        const int stopColumn = reader.RequireColumn("stop_id");
        const int sequenceColumn = reader.RequireColumn("stop_sequence");
        const int arrivalColumn = reader.RequireColumn("arrival_time");
        const int departureColumn = reader.RequireColumn("departure_time");
        const int distanceColumn = reader.FindColumn("shape_dist_traveled");
        std::string lastTrip;
        std::uint32_t lastTripIndex = 0;
        std::uint64_t count = 0;
        auto time = [&reader](int column) {
            const std::string_view text = reader.Field(column);
            if (text.empty())
                return NoTime;
            const std::optional<std::int32_t> seconds = ParseGtfsTime(text);
            if (!seconds)
                reader.Fail("\"" + std::string(text) + "\" is not a time as HH:MM:SS");
            return *seconds;
        };
        while (reader.Next()) {
            if (++count % ProgressEvery == 0)
                Progress(StopTimesFile, count);
            // Rows of one trip mostly come together: look the trip up once per run of rows.
            const std::string_view tripId = reader.Field(tripColumn);
            if (count == 1 || tripId != lastTrip) {
                const auto found = tables.tripIndex.find(tripId);
                if (found == tables.tripIndex.end())
                    reader.Fail("unknown trip \"" + std::string(tripId) + "\"");
                lastTrip.assign(tripId);
                lastTripIndex = found->second;
            }
            const std::string_view stopId = reader.Field(stopColumn);
            const auto stop = tables.stopIndex.find(stopId);
            if (stop == tables.stopIndex.end())
                reader.Fail("unknown stop \"" + std::string(stopId) + "\"");
            const std::string_view sequenceText = reader.Field(sequenceColumn);
            std::uint32_t sequence = 0;
            const auto [end, error] = std::from_chars(
                sequenceText.data(), sequenceText.data() + sequenceText.size(), sequence);
            if (sequenceText.empty() || error != std::errc() ||
                end != sequenceText.data() + sequenceText.size())
                reader.Fail("stop_sequence \"" + std::string(sequenceText) +
                            "\" is not a whole number");
            const std::int32_t arrival = time(arrivalColumn);
            const std::int32_t departure = time(departureColumn);
            float distance = std::nanf("");
            if (const std::string_view text = reader.Field(distanceColumn); !text.empty()) {
                const std::optional<double> value = ParseGtfsNumber(text);
                if (!value || *value < 0 || *value > FLT_MAX)
                    reader.Fail("shape_dist_traveled \"" + std::string(text) +
                                "\" is not a distance");
                distance = static_cast<float>(*value);
            }
            if (!runs[lastTripIndex])
                continue;
            rows.push_back(StopTimeType{lastTripIndex, sequence, stop->second, arrival, departure,
                                        distance, static_cast<std::uint32_t>(reader.GetLine())});
        }
        Progress(StopTimesFile, count);
    }

    // Sorts the day's rows by trip and sequence, checks each trip's times and fills the
    // times a feed may leave out between timed stops.
    void GroupTrips() {
        std::sort(rows.begin(), rows.end(), [](const StopTimeType& a, const StopTimeType& b) {
            return a.trip != b.trip ? a.trip < b.trip : a.sequence < b.sequence;
        });
        tripFirst.assign(tables.trips.size(), 0);
        tripCount.assign(tables.trips.size(), 0);
        for (std::size_t begin = 0; begin < rows.size();) {
            std::size_t end = begin + 1;
            while (end < rows.size() && rows[end].trip == rows[begin].trip)
                ++end;
            CheckTrip(begin, end);
            tripFirst[rows[begin].trip] = begin;
            tripCount[rows[begin].trip] = static_cast<std::uint32_t>(end - begin);
            begin = end;
        }
    }

    void CheckTrip(std::size_t begin, std::size_t end) {
        const std::string& id = tables.trips[rows[begin].trip].id;
        for (std::size_t i = begin; i < end; ++i) {
            StopTimeType& row = rows[i];
            if (i > begin && row.sequence == rows[i - 1].sequence)
                FailStopTime(std::max(row.line, rows[i - 1].line),
                             "stop_sequence " + std::to_string(row.sequence) +
                                 " appears twice in trip \"" + id + "\"");
            if (row.arrival == NoTime)
                row.arrival = row.departure;
            if (row.departure == NoTime)
                row.departure = row.arrival;
        }
        if (end - begin < 2)
            return;
        if (rows[begin].departure == NoTime)
            FailStopTime(rows[begin].line, "the first stop of trip \"" + id + "\" has no time");
        if (rows[end - 1].arrival == NoTime)
            FailStopTime(rows[end - 1].line, "the last stop of trip \"" + id + "\" has no time");
        // Stops without times are spread evenly between the timed stops around them.
        std::size_t timed = begin;
        for (std::size_t i = begin + 1; i < end; ++i) {
            if (rows[i].arrival == NoTime)
                continue;
            const std::int64_t from = rows[timed].departure, to = rows[i].arrival;
            const std::int64_t steps = static_cast<std::int64_t>(i - timed);
            for (std::size_t k = timed + 1; k < i; ++k)
                rows[k].arrival = rows[k].departure = static_cast<std::int32_t>(
                    from + (to - from) * static_cast<std::int64_t>(k - timed) / steps);
            timed = i;
        }
        // A kelo's timetable is one day on the 24-hour clock: a longer trip would lose days.
        // Whole minutes of 23:59 and more can already round to a full day.
        if (rows[end - 1].arrival - rows[begin].arrival >= MaxTripSeconds)
            FailStopTime(rows[end - 1].line,
                         "trip \"" + id +
                             "\" lasts 23:59 or longer, more than one day's timetable");
        for (std::size_t i = begin; i < end; ++i) {
            if (rows[i].departure < rows[i].arrival)
                FailStopTime(rows[i].line, "departure_time lies before arrival_time");
            if (i > begin && rows[i].arrival < rows[i - 1].departure)
                FailStopTime(rows[i].line,
                             "arrival_time lies before the departure from the stop before");
        }
    }

    std::string NumberBaseOf(const KeloGtfsFeedTablesClass::Trip& trip) {
        const auto& route = tables.routes[trip.route];
        const KeloGtfsTextType* text = !trip.shortName.bytes.empty()    ? &trip.shortName
                                       : !route.shortName.bytes.empty() ? &route.shortName
                                                                        : nullptr;
        if (text) {
            baseReplaced[text->bytes] = text->replaced;
            return TrimmedNumberBase(text->bytes);
        }
        const Cp1251EncodeResult id = Utf8ToCp1251(route.id);
        baseReplaced[id.bytes] = static_cast<std::uint32_t>(id.unmappable.size());
        return TrimmedNumberBase(id.bytes);
    }

    // One kelo per trip of the day and per departure of a frequency-based trip; numbers from
    // the trip's or route's short name, with a suffix in order of departure where shared.
    void PlanKelos() {
        for (std::uint32_t t = 0; t < tables.trips.size(); ++t) {
            if (!runs[t])
                continue;
            if (tripCount[t] < 2) {
                ++summary.skippedTrips;
                continue;
            }
            const auto& trip = tables.trips[t];
            const std::size_t first = tripFirst[t];
            const std::int32_t start = rows[first].departure;
            const std::string base = NumberBaseOf(trip);
            if (trip.frequencies.empty()) {
                plans.push_back(KeloPlanType{t, 0, start, first, tripCount[t], base, {}});
                continue;
            }
            for (const auto& f : trip.frequencies)
                for (std::int32_t departure = f.start; departure < f.end; departure += f.headway)
                    plans.push_back(KeloPlanType{
                        t, departure - start, departure, first, tripCount[t], base, {}});
        }
        if (plans.empty())
            throw KeloGtfsErrorClass("no trip with two or more stops runs on " +
                                     FormatGtfsDate(summary.day));
        std::stable_sort(plans.begin(), plans.end(),
                         [](const KeloPlanType& a, const KeloPlanType& b) {
                             return a.base != b.base ? a.base < b.base : a.start < b.start;
                         });
        std::unordered_set<std::string> used;
        for (std::size_t i = 0; i < plans.size(); ++i) {
            const bool shared = (i > 0 && plans[i - 1].base == plans[i].base) ||
                                (i + 1 < plans.size() && plans[i + 1].base == plans[i].base);
            if (!shared && !plans[i].base.empty())
                used.insert(plans[i].number = plans[i].base);
        }
        for (std::size_t begin = 0; begin < plans.size();) {
            std::size_t end = begin + 1;
            while (end < plans.size() && plans[end].base == plans[begin].base)
                ++end;
            if (end - begin > 1 || plans[begin].base.empty()) {
                // Zero-padded so that the lists sort them in order of departure.
                const std::size_t width = std::to_string(end - begin).size();
                std::size_t k = 1;
                for (std::size_t i = begin; i < end; ++i) {
                    std::string number;
                    do {
                        std::string suffix = std::to_string(k++);
                        suffix.insert(0, width > suffix.size() ? width - suffix.size() : 0, '0');
                        number = plans[i].base.empty() ? suffix : plans[i].base + "-" + suffix;
                    } while (used.count(number) != 0);
                    used.insert(plans[i].number = number);
                }
            }
            begin = end;
        }
        for (const KeloPlanType& plan : plans)
            for (std::uint32_t i = 0; i < plan.count; ++i)
                stopUsed[rows[plan.first + i].stop] = true;
    }

    // shape_dist_traveled counts in the feed's own unit: measured on the shapes, or else on
    // the stops' straight-line distances.
    void ChooseDistanceUnit() {
        bool anyDistance = false;
        double units = 0, straightKm = 0;
        for (std::size_t i = 1; i < rows.size(); ++i) {
            const StopTimeType& a = rows[i - 1];
            const StopTimeType& b = rows[i];
            if (a.trip != b.trip || std::isnan(a.distance) || std::isnan(b.distance))
                continue;
            anyDistance = true;
            const auto& sa = tables.stops[a.stop];
            const auto& sb = tables.stops[b.stop];
            if (sa.hasPosition && sb.hasPosition && b.distance > a.distance) {
                units += b.distance - a.distance;
                straightKm += GreatCircleKm(sa.latitude, sa.longitude, sb.latitude, sb.longitude);
            }
        }
        if (!anyDistance)
            return;
        std::optional<double> perKm = MeasureShapeUnitsPerKm(feed);
        if (!perKm && straightKm > 0.05)
            perKm = units / straightKm / DetourFactor;
        if (perKm && *perKm > 0)
            unit = NearestGtfsDistanceUnit(*perKm);
    }

    float LinkDistance(const StopTimeType& a, const StopTimeType& b) {
        double km = 0;
        if (unit && !std::isnan(a.distance) && !std::isnan(b.distance) &&
            b.distance >= a.distance) {
            km = (b.distance - a.distance) / unit->perKm;
            if (!(km <= KeloDBMaxLinkKm))
                FailStopTime(b.line, "shape_dist_traveled gives " + std::to_string(km) +
                                         " km from the stop before, more than any road");
            ++shapeLinks;
        } else {
            const auto& sa = tables.stops[a.stop];
            const auto& sb = tables.stops[b.stop];
            for (const auto* s : {&sa, &sb})
                if (!s->hasPosition)
                    throw KeloGtfsErrorClass("stops.txt", s->line,
                                             "stop \"" + s->id +
                                                 "\" has no position to measure "
                                                 "its distance from");
            km = GreatCircleKm(sa.latitude, sa.longitude, sb.latitude, sb.longitude);
            ++straightLinks;
        }
        return static_cast<float>(std::round(km * 1000) / 1000); // to the metre
    }

    bool StopWritten(std::uint32_t s) const { return tables.stops[s].boardingPlace || stopUsed[s]; }

    void Write() {
        Progress("writing", 0);
        // Bus models, one per route type in use.
        std::vector<std::string> routeModel(tables.routes.size());
        std::unordered_set<std::string> models;
        for (const KeloPlanType& plan : plans) {
            const std::uint32_t r = tables.trips[plan.trip].route;
            if (!routeModel[r].empty())
                continue;
            const KeloGtfsBusKindType kind = KeloGtfsBusKindOfRouteType(tables.routes[r].type);
            routeModel[r] = Utf8ToCp1251(kind.model).bytes;
            if (models.insert(routeModel[r]).second)
                sink.AddBus(routeModel[r], Utf8ToCp1251(kind.category).bytes, 0);
        }

        std::vector<bool> written(tables.stops.size());
        for (std::uint32_t s = 0; s < tables.stops.size(); ++s)
            written[s] = StopWritten(s);
        const std::vector<std::string> codes =
            KeloGtfsStopCodes(tables, written, summary.replacedCharacters);
        std::vector<std::string> names(tables.stops.size());
        for (std::uint32_t s = 0; s < tables.stops.size(); ++s) {
            if (!StopWritten(s))
                continue;
            const auto& stop = tables.stops[s];
            names[s] = stop.name.bytes.empty() ? codes[s] : stop.name.bytes;
            summary.replacedCharacters += stop.name.replaced;
            sink.AddStop(codes[s], names[s]);
            if (stop.hasPosition)
                sink.SetStopPosition(codes[s], stop.latitude, stop.longitude);
            ++summary.stops;
        }

        // Links: each pair of consecutive stops once, both ways with one distance.
        std::unordered_set<std::uint64_t> linked;
        std::uint32_t lastTrip = UINT32_MAX;
        for (const KeloPlanType& plan : plans) {
            if (plan.trip == lastTrip)
                continue; // departures of one frequency-based trip share their stops
            lastTrip = plan.trip;
            for (std::uint32_t i = 1; i < plan.count; ++i) {
                const StopTimeType& a = rows[plan.first + i - 1];
                const StopTimeType& b = rows[plan.first + i];
                if (a.stop == b.stop)
                    continue;
                const std::uint64_t key = static_cast<std::uint64_t>(std::min(a.stop, b.stop))
                                              << 32 |
                                          std::max(a.stop, b.stop);
                if (!linked.insert(key).second)
                    continue;
                const float distance = LinkDistance(a, b);
                sink.AddLink(codes[a.stop], codes[b.stop], distance);
                summary.links += 2;
            }
        }
        summary.distanceSource = !unit || shapeLinks == 0 ? "great-circle"
                                 : straightLinks == 0     ? "shape_dist_traveled in " + unit->name
                                                          : "shape_dist_traveled in " + unit->name +
                                                            ", great-circle where missing";

        for (const KeloPlanType& plan : plans) {
            const StopTimeType& first = rows[plan.first];
            const StopTimeType& last = rows[plan.first + plan.count - 1];
            sink.AddKelo(plan.number, names[first.stop] + " - " + names[last.stop],
                         routeModel[tables.trips[plan.trip].route]);
            const auto& route = tables.routes[tables.trips[plan.trip].route];
            sink.SetKeloFeedDetails(
                KeloFeedRouteType{route.id, route.feedShortName, route.feedLongName, route.type},
                tables.trips[plan.trip].id);
            for (std::uint32_t i = 0; i < plan.count; ++i) {
                const StopTimeType& row = rows[plan.first + i];
                const std::int32_t arrival = FloorDiv(row.arrival + plan.offset, 60);
                // The kelo's day wrap reads times past midnight from the 24-hour clock.
                const KeloTimeType clock(((arrival % 1440) + 1440) % 1440);
                KeloTimeType stay;
                if (i + 1 < plan.count)
                    stay = KeloTimeType(FloorDiv(row.departure + plan.offset, 60) - arrival);
                sink.AddEntry(codes[row.stop], clock, stay);
            }
            ++summary.kelos;
            if ((summary.rows + plan.count) / ProgressEvery != summary.rows / ProgressEvery)
                Progress("writing", summary.rows + plan.count);
            summary.rows += plan.count;
        }
        for (const auto& entry : baseReplaced)
            summary.replacedCharacters += entry.second;
        WriteAgency();
        sink.Commit();
    }

    // The first operator of agency.txt; a feed without one leaves it to the export.
    void WriteAgency() {
        if (!feed.Has("agency.txt"))
            return;
        KeloGtfsCsvReaderClass reader(feed.Open("agency.txt"), "agency.txt");
        const int name = reader.FindColumn("agency_name");
        const int url = reader.FindColumn("agency_url");
        const int timezone = reader.FindColumn("agency_timezone");
        const int language = reader.FindColumn("agency_lang");
        if (reader.Next() && !reader.Field(name).empty() && !reader.Field(timezone).empty())
            sink.SetAgency(KeloFeedAgencyType{
                std::string(reader.Field(name)), std::string(reader.Field(url)),
                std::string(reader.Field(timezone)), std::string(reader.Field(language))});
    }

    const KeloGtfsImportOptionsType& options;
    KeloPlanWriterClass& sink;
    KeloGtfsFeedClass feed;
    KeloGtfsFeedTablesClass tables;
    KeloGtfsImportSummaryType summary;
    std::vector<bool> runs;
    std::vector<StopTimeType> rows;
    std::vector<std::size_t> tripFirst;
    std::vector<std::uint32_t> tripCount;
    std::vector<KeloPlanType> plans;
    std::vector<bool> stopUsed = std::vector<bool>(tables.stops.size(), false);
    std::unordered_map<std::string, std::uint32_t> baseReplaced;
    std::optional<KeloGtfsDistanceUnitType> unit;
    std::uint64_t shapeLinks = 0;
    std::uint64_t straightLinks = 0;
};

} // namespace

KeloGtfsImportSummaryType KeloGtfsImporterClass::Run(const KeloGtfsImportOptionsType& options,
                                                     KeloPlanWriterClass& sink) {
    return ImportRun(options, sink).Run();
}

std::optional<std::int32_t> KeloGtfsImporterClass::BusiestDay(const std::string& feed) {
    const KeloGtfsFeedClass opened(feed);
    return BusiestDayOf(KeloGtfsFeedTablesClass(opened));
}
