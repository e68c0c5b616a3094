#pragma once

#include <cstdint>
#include <string>

/// A time of day or a duration in whole minutes, with one reserved value meaning "no time".
/// Knows nothing of days: callers step over midnight with DayWrapDuration.
class KeloTimeType {
public:
    static constexpr std::int32_t EmptyValue = 2147483647;

    KeloTimeType() = default;
    KeloTimeType(std::int32_t hours, std::int32_t minutes) : value(hours * 60 + minutes) {}
    explicit KeloTimeType(std::int32_t totalMinutes) : value(totalMinutes) {}

    std::int32_t GetTotalMinutes() const { return value; }
    std::int32_t GetHours() const { return value / 60; }
    std::int32_t GetMinutes() const { return value % 60; }
    bool IsEmpty() const { return value == EmptyValue; }
    bool IsZero() const { return value == 0; }
    void SetEmpty() { value = EmptyValue; }
    void SetZero() { value = 0; }

    // "%02d:%02d", or an empty text for an empty value; hours are not reduced modulo 24.
    std::string Format() const;

    // An empty operand leaves the left side unchanged.
    KeloTimeType& operator+=(const KeloTimeType& other);
    KeloTimeType& operator-=(const KeloTimeType& other);

    // An empty operand gives an empty result.
    friend KeloTimeType operator+(const KeloTimeType& a, const KeloTimeType& b);
    friend KeloTimeType operator-(const KeloTimeType& a, const KeloTimeType& b);

    // Empty sorts below every non-empty value; two empties are neither less nor greater.
    friend bool operator<(const KeloTimeType& a, const KeloTimeType& b);
    friend bool operator>(const KeloTimeType& a, const KeloTimeType& b);

    // Exact value equality (empty equals empty); used by tests and change detection.
    friend bool operator==(const KeloTimeType& a, const KeloTimeType& b) = default;

private:
    std::int32_t value = EmptyValue;
};

/// Departure from a stop: arrival plus stay, an empty stay counting as zero.
/// Empty when the arrival is empty.
KeloTimeType KeloDeparture(const KeloTimeType& arrival, const KeloTimeType& stay);

/// Duration from one event to the next with the day wrap: when `to` is smaller than
/// `from`, 1440 minutes are added to `to` once. Empty when either is empty.
KeloTimeType DayWrapDuration(const KeloTimeType& from, const KeloTimeType& to);

/// The time of day a time falls on: 24:10 is 00:10, -00:20 is 23:40. Empty stays empty.
/// What is stored as an arrival and shown as a clock time is always taken into the day.
KeloTimeType KeloTimeOfDay(const KeloTimeType& time);
