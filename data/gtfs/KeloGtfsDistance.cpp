#include "KeloGtfsDistance.h"

#include "KeloGtfsCsvReaderClass.h"
#include "KeloGtfsIdMap.h"
#include "KeloGtfsNumber.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace {

constexpr double EarthRadiusKm = 6371.0088;
constexpr double Pi = 3.14159265358979323846;
// Shapes measured for the unit: enough to outvote a few odd ones, few enough to stay small.
constexpr std::size_t SampledShapes = 200;

bool ParseDouble(std::string_view text, double& value) {
    const std::optional<double> number = ParseGtfsNumber(text);
    value = number.value_or(0);
    return number.has_value();
}

} // namespace

double GreatCircleKm(double latitude1, double longitude1, double latitude2, double longitude2) {
    const double toRad = Pi / 180;
    const double dLat = (latitude2 - latitude1) * toRad;
    const double dLon = (longitude2 - longitude1) * toRad;
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2) +
                     std::cos(latitude1 * toRad) * std::cos(latitude2 * toRad) *
                         std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * EarthRadiusKm * std::asin(std::min(1.0, std::sqrt(a)));
}

KeloGtfsDistanceUnitType NearestGtfsDistanceUnit(double unitsPerKm) {
    static const KeloGtfsDistanceUnitType Units[] = {
        {"kilometres", 1}, {"metres", 1000}, {"miles", 0.621371}, {"feet", 3280.84}};
    const KeloGtfsDistanceUnitType* best = &Units[0];
    for (const auto& unit : Units)
        if (std::abs(std::log(unitsPerKm / unit.perKm)) <
            std::abs(std::log(unitsPerKm / best->perKm)))
            best = &unit;
    return *best;
}

std::optional<double> MeasureShapeUnitsPerKm(const KeloGtfsFeedClass& feed) {
    if (!feed.Has("shapes.txt"))
        return std::nullopt;
    KeloGtfsCsvReaderClass reader(feed.Open("shapes.txt"), "shapes.txt");
    const int idColumn = reader.RequireColumn("shape_id");
    const int latColumn = reader.RequireColumn("shape_pt_lat");
    const int lonColumn = reader.RequireColumn("shape_pt_lon");
    const int sequenceColumn = reader.RequireColumn("shape_pt_sequence");
    const int distColumn = reader.FindColumn("shape_dist_traveled");
    if (distColumn < 0)
        return std::nullopt;
    // The points of the first shapes met; rows need not be in shape or sequence order.
    KeloGtfsIdMapType sampled;
    std::vector<std::vector<std::tuple<double, double, double, double>>> points;
    while (reader.Next()) {
        const std::string_view id = reader.Field(idColumn);
        auto found = sampled.find(id);
        if (found == sampled.end()) {
            if (sampled.size() == SampledShapes)
                continue;
            found =
                sampled.emplace(std::string(id), static_cast<std::uint32_t>(points.size())).first;
            points.emplace_back();
        }
        double sequence = 0, lat = 0, lon = 0, dist = 0;
        if (!ParseDouble(reader.Field(sequenceColumn), sequence) ||
            !ParseDouble(reader.Field(latColumn), lat) ||
            !ParseDouble(reader.Field(lonColumn), lon) || std::abs(lat) > 90 || std::abs(lon) > 180)
            reader.Fail("shape_pt_sequence, shape_pt_lat and shape_pt_lon must be numbers");
        if (const std::string_view text = reader.Field(distColumn); text.empty())
            dist = std::nan("");
        else if (!ParseDouble(text, dist) || dist < 0)
            reader.Fail("shape_dist_traveled \"" + std::string(text) + "\" is not a distance");
        points[found->second].emplace_back(sequence, lat, lon, dist);
    }
    double lengthKm = 0, units = 0;
    for (auto& shape : points) {
        std::sort(shape.begin(), shape.end());
        double length = 0, low = HUGE_VAL, high = -HUGE_VAL;
        for (std::size_t i = 0; i < shape.size(); ++i) {
            const auto& [sequence, lat, lon, dist] = shape[i];
            if (i > 0)
                length +=
                    GreatCircleKm(std::get<1>(shape[i - 1]), std::get<2>(shape[i - 1]), lat, lon);
            if (!std::isnan(dist)) {
                low = std::min(low, dist);
                high = std::max(high, dist);
            }
        }
        // Shapes too short to tell metres from feet say nothing.
        if (high > low && length > 0.05) {
            lengthKm += length;
            units += high - low;
        }
    }
    if (lengthKm <= 0)
        return std::nullopt;
    return units / lengthKm;
}
