#pragma once

#include "KeloFeedPlan.h"
#include "KeloTimeType.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

class KeloDBConnectionClass;

/// Fills a new Kelo database in one transaction. The file appears under its name only when
/// Commit succeeds; until then it is built beside it under a temporary name, which is
/// removed when the builder goes without a commit or a call fails. Texts are Windows-1251
/// bytes. Every failure throws KeloDBErrorClass (a std::runtime_error).
class KeloDBBuilderClass {
public:
    // Refuses a path that already exists.
    explicit KeloDBBuilderClass(const std::string& path);
    ~KeloDBBuilderClass();
    KeloDBBuilderClass(const KeloDBBuilderClass&) = delete;
    KeloDBBuilderClass& operator=(const KeloDBBuilderClass&) = delete;

    void AddBus(const std::string& model, const std::string& category = {},
                std::int32_t capacity = 0);
    void AddStop(const std::string& code, const std::string& name);
    // One distance for both directions; adding the same pair again (either way round)
    // replaces it. Both stops must have been added.
    void AddLink(const std::string& fromCode, const std::string& toCode, float km);
    // An empty bus leaves the kelo without one; otherwise the model must have been added.
    void AddKelo(const std::string& number, const std::string& name, const std::string& bus);
    // Appends an entry to the kelo's timetable; call in timetable order.
    void AddEntry(const std::string& keloNumber, const std::string& stopCode, KeloTimeType arrival,
                  KeloTimeType stay);
    // What a feed gave beyond the timetable: a stop's position, the operator, and a kelo's
    // route and original trip id. The stop and the kelo must have been added.
    void SetStopPosition(const std::string& code, double latitude, double longitude);
    void SetAgency(const KeloFeedAgencyType& agency);
    // No route and an empty trip id are stored as none.
    void SetKeloFeedDetails(const std::string& number,
                            const std::optional<KeloFeedRouteType>& route,
                            const std::string& tripId);
    // Writes the indexes and the version stamp, makes the file durable and gives it its name.
    // The builder takes no more calls afterwards.
    void Commit();

private:
    struct KeloSlotType {
        std::int64_t id;
        std::int64_t nextSeq;
    };

    std::int64_t StopId(const std::string& code) const;
    void CheckOpen() const;
    void Discard();

    std::string path;
    std::string tempPath;
    std::unique_ptr<KeloDBConnectionClass> connection;
    std::unordered_map<std::string, std::int64_t> buses;
    std::unordered_map<std::string, std::int64_t> stops;
    std::unordered_map<std::string, KeloSlotType> kelos;
};
