#include "KeloTimeType.h"

#include <cstdio>

std::string KeloTimeType::Format() const {
    if (IsEmpty())
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", GetHours(), GetMinutes());
    return text;
}

KeloTimeType& KeloTimeType::operator+=(const KeloTimeType& other) {
    if (!IsEmpty() && !other.IsEmpty())
        value += other.value;
    return *this;
}

KeloTimeType& KeloTimeType::operator-=(const KeloTimeType& other) {
    if (!IsEmpty() && !other.IsEmpty())
        value -= other.value;
    return *this;
}

KeloTimeType operator+(const KeloTimeType& a, const KeloTimeType& b) {
    if (a.IsEmpty() || b.IsEmpty())
        return KeloTimeType();
    return KeloTimeType(a.value + b.value);
}

KeloTimeType operator-(const KeloTimeType& a, const KeloTimeType& b) {
    if (a.IsEmpty() || b.IsEmpty())
        return KeloTimeType();
    return KeloTimeType(a.value - b.value);
}

bool operator<(const KeloTimeType& a, const KeloTimeType& b) {
    if (b.IsEmpty())
        return false;
    if (a.IsEmpty())
        return true;
    return a.value < b.value;
}

bool operator>(const KeloTimeType& a, const KeloTimeType& b) {
    if (a.IsEmpty())
        return false;
    if (b.IsEmpty())
        return true;
    return a.value > b.value;
}

KeloTimeType KeloDeparture(const KeloTimeType& arrival, const KeloTimeType& stay) {
    KeloTimeType usedStay = stay;
    if (usedStay.IsEmpty())
        usedStay.SetZero();
    return arrival + usedStay;
}

KeloTimeType DayWrapDuration(const KeloTimeType& from, const KeloTimeType& to) {
    if (from.IsEmpty() || to.IsEmpty())
        return KeloTimeType();
    KeloTimeType end = to;
    if (end < from)
        end += KeloTimeType(24, 0);
    return end - from;
}

KeloTimeType KeloTimeOfDay(const KeloTimeType& time) {
    if (time.IsEmpty())
        return time;
    return KeloTimeType((time.GetTotalMinutes() % 1440 + 1440) % 1440);
}
