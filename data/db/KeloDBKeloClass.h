#pragma once

#include "KeloDataClass.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class KeloDBConnectionClass;

/// One kelo row, known by its row id. Reads ask the database each time; distance and average
/// speed come from its timetable and the links as for the built-in data. A kelo deleted
/// meanwhile reads as empty and takes no writes.
class KeloDBKeloClass : public KeloKeloClass {
public:
    KeloDBKeloClass(std::shared_ptr<KeloDBConnectionClass> connection, std::int64_t id,
                    std::string number);

    std::string GetNumber() override;
    std::string GetName() override;
    KeloKeloSchedulePtrClass GetSchedule() override;
    KeloBusPtrClass GetBus() override;
    float GetAverageSpeed() override;
    float GetDistance() override;
    void SetName(const std::string& name) override;
    // An empty model leaves the kelo without a bus; a model the database does not know is
    // not taken and the old bus stays.
    void SetBus(const std::string& model) override;

private:
    // Per leg (consecutive entries with a link between their stops): departure, next
    // arrival, km.
    struct LegType {
        KeloTimeType departure;
        KeloTimeType next;
        float km;
    };
    std::vector<LegType> Legs();

    std::shared_ptr<KeloDBConnectionClass> connection;
    std::int64_t id;
    std::string number;
};

/// The kelo set of one query: the numbers found then, each looked up again when asked for.
class KeloDBKeloSetClass : public KeloKeloSetClass {
public:
    KeloDBKeloSetClass(std::shared_ptr<KeloDBConnectionClass> connection,
                       std::vector<std::pair<std::int64_t, std::string>> kelos);

    std::int32_t GetCount() override;
    // Empty handle for an index outside the set or a kelo deleted since.
    KeloKeloPtrClass GetItem(std::int32_t index) override;

private:
    std::shared_ptr<KeloDBConnectionClass> connection;
    std::vector<std::pair<std::int64_t, std::string>> kelos;
};
