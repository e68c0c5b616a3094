#pragma once

#include "KeloDBBuilderClass.h"
#include "KeloGtfsSinkClass.h"

#include <string>

/// Writes an import into a new Kelo database through the bulk builder: one transaction, the
/// file under its name only after Commit, nothing left behind otherwise.
class KeloGtfsDatabaseSinkClass : public KeloGtfsSinkClass {
public:
    // Refuses a path that already exists.
    explicit KeloGtfsDatabaseSinkClass(const std::string& path) : builder(path) {}

    void AddBus(const std::string& model, const std::string& category,
                std::int32_t capacity) override {
        builder.AddBus(model, category, capacity);
    }
    void AddStop(const std::string& code, const std::string& name) override {
        builder.AddStop(code, name);
    }
    void AddLink(const std::string& codeA, const std::string& codeB, float distance) override {
        builder.AddLink(codeA, codeB, distance);
    }
    void AddKelo(const std::string& number, const std::string& name,
                 const std::string& busModel) override {
        builder.AddKelo(number, name, busModel);
        kelo = number;
    }
    void AddEntry(const std::string& stopCode, KeloTimeType arrival, KeloTimeType stay) override {
        builder.AddEntry(kelo, stopCode, arrival, stay);
    }
    void SetStopPosition(const std::string& code, double latitude, double longitude) override {
        builder.SetStopPosition(code, latitude, longitude);
    }
    void SetKeloFeedDetails(const KeloFeedRouteType& route, const std::string& tripId) override {
        builder.SetKeloFeedDetails(kelo, route, tripId);
    }
    void SetAgency(const KeloFeedAgencyType& agency) override { builder.SetAgency(agency); }
    void Commit() override { builder.Commit(); }

private:
    KeloDBBuilderClass builder;
    std::string kelo; // the kelo added last
};
