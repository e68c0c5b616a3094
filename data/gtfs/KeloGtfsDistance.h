#pragma once

#include "KeloGtfsFeedClass.h"

#include <optional>
#include <string>

/// Great-circle distance in kilometres between two positions in degrees.
double GreatCircleKm(double latitude1, double longitude1, double latitude2, double longitude2);

/// A unit of shape_dist_traveled: its name and how many of it make a kilometre.
struct KeloGtfsDistanceUnitType {
    std::string name;
    double perKm = 1;
};

/// The unit nearest to `unitsPerKm` among kilometres, metres, miles and feet.
KeloGtfsDistanceUnitType NearestGtfsDistanceUnit(double unitsPerKm);

/// shape_dist_traveled units per kilometre measured on shapes.txt: the distance the shapes
/// give against the length of their points, over a sample of shapes. Nothing when the feed
/// has no shapes with distances.
std::optional<double> MeasureShapeUnitsPerKm(const KeloGtfsFeedClass& feed);
