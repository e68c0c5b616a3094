#pragma once

#include "KeloTimeType.h"
#include "TripSmartPtr.h"

#include <cstdint>
#include <string>

// The nine abstract data interfaces every data layer implements. Texts are Windows-1251
// bytes compared byte by byte; times are KeloTimeType minutes; distances are single-precision
// kilometres, speeds kilometres per hour. The order of the virtual operations is fixed.

class KeloDataClass;
class KeloKeloSetClass;
class KeloKeloClass;
class KeloKeloScheduleClass;
class KeloStopScheduleClass;
class KeloStopSetClass;
class KeloStopClass;
class KeloTopologyClass;
class KeloBusClass;

using KeloDataPtrClass = TripSmartPtrTemplate<KeloDataClass>;
using KeloKeloSetPtrClass = TripSmartPtrTemplate<KeloKeloSetClass>;
using KeloKeloPtrClass = TripSmartPtrTemplate<KeloKeloClass>;
using KeloKeloSchedulePtrClass = TripSmartPtrTemplate<KeloKeloScheduleClass>;
using KeloStopSchedulePtrClass = TripSmartPtrTemplate<KeloStopScheduleClass>;
using KeloStopSetPtrClass = TripSmartPtrTemplate<KeloStopSetClass>;
using KeloStopPtrClass = TripSmartPtrTemplate<KeloStopClass>;
using KeloTopologyPtrClass = TripSmartPtrTemplate<KeloTopologyClass>;
using KeloBusPtrClass = TripSmartPtrTemplate<KeloBusClass>;

/// Root of a data source: the entry point to kelos, stops, distances and bus models.
class KeloDataClass {
public:
    virtual ~KeloDataClass() = default;
    virtual KeloKeloSetPtrClass GetKeloSet() = 0;
    virtual KeloStopSetPtrClass GetStopSet() = 0;
    virtual KeloTopologyPtrClass GetTopology() = 0;
    virtual KeloKeloPtrClass FindKelo(const std::string& number) = 0;
    virtual KeloStopPtrClass FindStop(const std::string& code) = 0;
    virtual KeloBusPtrClass FindBus(const std::string& model) = 0;
    virtual KeloKeloPtrClass CreateKelo(const std::string& number) = 0;
    virtual void DeleteKelo(const std::string& number) = 0;
};

/// Distances for ordered pairs of stop codes.
class KeloTopologyClass {
public:
    virtual ~KeloTopologyClass() = default;
    virtual bool HasLink(const std::string& codeA, const std::string& codeB) = 0;
    virtual float GetDistance(const std::string& codeA, const std::string& codeB) = 0;
};

/// Indexed list of stops.
class KeloStopSetClass {
public:
    virtual ~KeloStopSetClass() = default;
    virtual std::int32_t GetCount() = 0;
    virtual KeloStopPtrClass GetItem(std::int32_t index) = 0;
};

/// Indexed list of kelos.
class KeloKeloSetClass {
public:
    virtual ~KeloKeloSetClass() = default;
    virtual std::int32_t GetCount() = 0;
    virtual KeloKeloPtrClass GetItem(std::int32_t index) = 0;
};

/// One scheduled bus service.
class KeloKeloClass {
public:
    virtual ~KeloKeloClass() = default;
    virtual std::string GetNumber() = 0;
    virtual std::string GetName() = 0;
    virtual KeloKeloSchedulePtrClass GetSchedule() = 0;
    virtual KeloBusPtrClass GetBus() = 0;
    virtual float GetAverageSpeed() = 0;
    virtual float GetDistance() = 0;
    // Departure at the first stop to arrival at the last, over midnight if need be; a zero
    // duration (never empty) when the times needed are missing.
    virtual KeloTimeType GetTravelTime();
    virtual void SetName(const std::string& name) = 0;
    virtual void SetBus(const std::string& model) = 0;
};

/// The ordered stop entries of one kelo, in travel order.
class KeloKeloScheduleClass {
public:
    virtual ~KeloKeloScheduleClass() = default;
    virtual std::int32_t GetCount() = 0;
    virtual KeloStopSchedulePtrClass GetItem(std::int32_t index) = 0;
    virtual KeloStopSchedulePtrClass AppendStop(const std::string& code) = 0;
    virtual KeloStopSchedulePtrClass InsertStop(std::int32_t index, const std::string& code) = 0;
    virtual void RemoveStop(std::int32_t index) = 0;
};

/// One entry of a timetable: the stop, the arrival and the stay.
class KeloStopScheduleClass {
public:
    virtual ~KeloStopScheduleClass() = default;
    virtual KeloStopPtrClass GetStop() = 0;
    virtual KeloTimeType GetArrival() = 0;
    virtual KeloTimeType GetStay() = 0;
    virtual void SetArrival(KeloTimeType arrival) = 0;
    virtual void SetStay(KeloTimeType stay) = 0;
};

/// A stop: six-digit code and display name.
class KeloStopClass {
public:
    virtual ~KeloStopClass() = default;
    virtual std::string GetCode() = 0;
    virtual std::string GetName() = 0;
};

/// A bus model: model text, category and number of seats.
class KeloBusClass {
public:
    virtual ~KeloBusClass() = default;
    virtual std::string GetModel() = 0;
    virtual std::string GetCategory() = 0;
    virtual std::int32_t GetCapacity() = 0;
};
