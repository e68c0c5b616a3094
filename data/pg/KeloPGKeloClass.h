#pragma once

#include "KeloDataClass.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class KeloPGConnectionClass;

/// One kelo row on the server, known by its id. Reads ask the server each time; distance and
/// average speed come from its timetable and the links. A kelo deleted meanwhile reads as
/// empty and takes no writes.
class KeloPGKeloClass : public KeloKeloClass {
public:
    KeloPGKeloClass(std::shared_ptr<KeloPGConnectionClass> connection, std::int64_t id,
                    std::string number);

    std::string GetNumber() override { return number; }
    std::string GetName() override;
    KeloKeloSchedulePtrClass GetSchedule() override;
    KeloBusPtrClass GetBus() override;
    float GetAverageSpeed() override;
    float GetDistance() override;
    void SetName(const std::string& name) override;
    // An empty model leaves the kelo without a bus; an unknown model is not taken.
    void SetBus(const std::string& model) override;

private:
    struct LegType {
        KeloTimeType departure;
        KeloTimeType next;
        float km;
    };
    std::vector<LegType> Legs();

    std::shared_ptr<KeloPGConnectionClass> connection;
    std::int64_t id;
    std::string number;
};

/// The kelo set of one query: the numbers found then, each looked up again when asked for.
class KeloPGKeloSetClass : public KeloKeloSetClass {
public:
    KeloPGKeloSetClass(std::shared_ptr<KeloPGConnectionClass> connection,
                       std::vector<std::pair<std::int64_t, std::string>> kelos);

    std::int32_t GetCount() override { return static_cast<std::int32_t>(kelos.size()); }
    // Empty handle for an index outside the set; a kelo deleted since reads as empty.
    KeloKeloPtrClass GetItem(std::int32_t index) override;

private:
    std::shared_ptr<KeloPGConnectionClass> connection;
    std::vector<std::pair<std::int64_t, std::string>> kelos;
};
