#pragma once

#include "KeloDBBuilderClass.h"
#include "KeloPlanWriterClass.h"

#include <string>

class KeloDBConnectionClass;

/// Writes a plan (a copy of another store's, or a feed import) into a new Kelo database file
/// through the bulk builder: one transaction, the file under its name only after Commit,
/// nothing left behind otherwise. Refuses a path that already exists.
class KeloDBPlanWriterClass : public KeloPlanWriterClass {
public:
    explicit KeloDBPlanWriterClass(const std::string& path) : builder(path) {}

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
    void SetKeloFeedDetails(const std::optional<KeloFeedRouteType>& route,
                            const std::string& tripId) override {
        builder.SetKeloFeedDetails(kelo, route, tripId);
    }
    void SetAgency(const KeloFeedAgencyType& agency) override { builder.SetAgency(agency); }
    void Commit() override { builder.Commit(); }

private:
    KeloDBBuilderClass builder;
    std::string kelo; // the kelo added last
};

/// Reads the whole plan of an open Kelo database into `writer`, in one read transaction, each
/// table in one statement, and commits the writer.
void KeloDBReadPlan(KeloDBConnectionClass& connection, KeloPlanWriterClass& writer);
