#pragma once

#include "ZoDrawingSurfaceClass.h"

#include <cstdint>

/// The display settings a planner tunes as one value: which kelos are shown, the grid, the
/// base speed and angle that fix the horizontal scale, the zoom and the colours.
struct TripDiagramDisplayOptionsType {
    bool showForward = true;
    bool showBackward = false;
    bool showInOutMarks = true;
    bool showGrid = true; // rows and hours together
    bool monoColor = true;
    float baseSpeed = 60;        // km/h
    std::int32_t baseAngle = 75; // degrees
    float zoom = 1;              // both axes
    ZoColorType gridColor = 0xE0E0E0;
    ZoColorType keloCommonColor = 0x808080;
    ZoColorType keloSelectedColor = 0xFF0000;

    friend bool operator==(const TripDiagramDisplayOptionsType&,
                           const TripDiagramDisplayOptionsType&) = default;
};

/// The first value of a display-options set that cannot be applied, or None.
enum class TripDiagramOptionsFaultType { None, BaseSpeed, BaseAngle, Zoom, Color };

/// Limits of the values; the zoom has no upper limit here because fitting a short line to
/// the window's height may ask for more than any typed percentage.
struct TripDiagramOptionsLimits {
    static constexpr float MinBaseSpeed = 1;
    static constexpr float MaxBaseSpeed = 120;
    static constexpr std::int32_t MinBaseAngle = 1;
    static constexpr std::int32_t MaxBaseAngle = 89;
};

// Checks the values in the order the options dialog asks for them.
TripDiagramOptionsFaultType CheckDisplayOptions(const TripDiagramDisplayOptionsType& options);
