#pragma once

#include "KeloFeedPlan.h"
#include "KeloTimeType.h"

#include <cstdint>
#include <optional>
#include <string>

/// Where a whole plan is written, by a copy between stores or by a feed import: every bus
/// model, every stop, every link (each pair once, one distance for both directions), then each
/// kelo followed by its entries in travel order, and Commit last. Texts are Windows-1251 bytes.
/// A writer dropped without Commit keeps nothing. Every failure throws (a std::exception).
class KeloPlanWriterClass {
public:
    virtual ~KeloPlanWriterClass() = default;
    virtual void AddBus(const std::string& model, const std::string& category,
                        std::int32_t capacity) = 0;
    virtual void AddStop(const std::string& code, const std::string& name) = 0;
    virtual void AddLink(const std::string& codeA, const std::string& codeB, float distance) = 0;
    virtual void AddKelo(const std::string& number, const std::string& name,
                         const std::string& busModel) = 0;
    // An entry of the kelo added last.
    virtual void AddEntry(const std::string& stopCode, KeloTimeType arrival, KeloTimeType stay) = 0;
    // What an export needs, each right after what it belongs to was added: the stop's
    // position, the route and trip id of the kelo added last (an empty id: none), and the
    // operator before Commit. Every writer must keep them: a copy without them cannot be
    // exported.
    virtual void SetStopPosition(const std::string& code, double latitude, double longitude) = 0;
    virtual void SetKeloFeedDetails(const std::optional<KeloFeedRouteType>& route,
                                    const std::string& tripId) = 0;
    virtual void SetAgency(const KeloFeedAgencyType& agency) = 0;
    virtual void Commit() = 0;
};

/// How many rows of each table went through a writer.
struct KeloPlanCountsType {
    std::int64_t buses = 0, stops = 0, links = 0, kelos = 0, entries = 0;
};

/// Passes everything on to another writer and counts it.
class KeloPlanCountingWriterClass : public KeloPlanWriterClass {
public:
    explicit KeloPlanCountingWriterClass(KeloPlanWriterClass& target) : target(target) {}

    void AddBus(const std::string& model, const std::string& category,
                std::int32_t capacity) override {
        target.AddBus(model, category, capacity);
        ++counts.buses;
    }
    void AddStop(const std::string& code, const std::string& name) override {
        target.AddStop(code, name);
        ++counts.stops;
    }
    void AddLink(const std::string& codeA, const std::string& codeB, float distance) override {
        target.AddLink(codeA, codeB, distance);
        ++counts.links;
    }
    void AddKelo(const std::string& number, const std::string& name,
                 const std::string& busModel) override {
        target.AddKelo(number, name, busModel);
        ++counts.kelos;
    }
    void AddEntry(const std::string& stopCode, KeloTimeType arrival, KeloTimeType stay) override {
        target.AddEntry(stopCode, arrival, stay);
        ++counts.entries;
    }
    void SetStopPosition(const std::string& code, double latitude, double longitude) override {
        target.SetStopPosition(code, latitude, longitude);
    }
    void SetKeloFeedDetails(const std::optional<KeloFeedRouteType>& route,
                            const std::string& tripId) override {
        target.SetKeloFeedDetails(route, tripId);
    }
    void SetAgency(const KeloFeedAgencyType& agency) override { target.SetAgency(agency); }
    void Commit() override { target.Commit(); }
    const KeloPlanCountsType& GetCounts() const { return counts; }

private:
    KeloPlanWriterClass& target;
    KeloPlanCountsType counts;
};
