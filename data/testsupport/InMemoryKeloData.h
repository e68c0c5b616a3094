#pragma once

#include "KeloDataClass.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

/// Plain description of a small data set for tests, written in a few lines of test code.
/// Texts are Windows-1251 bytes like in the real data; ASCII codes and names are fine.
struct InMemoryDataSet {
    struct Stop {
        std::string code;
        std::string name;
    };
    struct Link {
        std::string from;
        std::string to;
        float distance = 0;
    };
    struct Bus {
        std::string model;
        std::string category;
        std::int32_t capacity = 0;
    };
    struct Row {
        std::string code;
        KeloTimeType arrival;
        KeloTimeType stay;
    };
    struct Kelo {
        std::string number;
        std::string name;
        std::string bus;
        std::vector<Row> rows;
    };

    std::vector<Stop> stops;
    std::vector<Link> links;
    std::vector<Bus> buses;
    std::vector<Kelo> kelos;

    // Adds both directions of a link with the same distance, like the shipped data.
    void AddLinkBothWays(const std::string& a, const std::string& b, float distance);
};

/// Writable KeloDataClass over an InMemoryDataSet, for tests of the layers above. It also
/// counts every call by operation name ("FindKelo", "GetName", "HasLink", ...) so a test can
/// prove what a layer asked below and how often. Entity objects share the data set, so they
/// stay valid after the source is released, and writes are visible to every object.
class InMemoryKeloDataClass : public KeloDataClass {
public:
    struct State {
        InMemoryDataSet data;
        std::map<std::string, int> calls;
        bool canCreate = true;
        bool readOnly = false;
        int Calls(const std::string& operation) const;
        InMemoryDataSet::Kelo* FindKelo(const std::string& number);
    };

    explicit InMemoryKeloDataClass(InMemoryDataSet data);

    std::shared_ptr<State> GetState() const { return state; }
    // Convenience for tests: call counters of the shared state.
    int Calls(const std::string& operation) const { return state->Calls(operation); }
    void ResetCalls() { state->calls.clear(); }
    // When false, CreateKelo answers an empty handle like the built-in read-only source.
    void SetCanCreate(bool value) { state->canCreate = value; }
    // When true, every write is accepted and ignored (creating ones answer an empty handle),
    // like the built-in source; calls are still counted.
    void SetReadOnly(bool value) { state->readOnly = value; }

    KeloKeloSetPtrClass GetKeloSet() override;
    KeloStopSetPtrClass GetStopSet() override;
    KeloTopologyPtrClass GetTopology() override;
    KeloKeloPtrClass FindKelo(const std::string& number) override;
    KeloStopPtrClass FindStop(const std::string& code) override;
    KeloBusPtrClass FindBus(const std::string& model) override;
    KeloKeloPtrClass CreateKelo(const std::string& number) override;
    void DeleteKelo(const std::string& number) override;

private:
    std::shared_ptr<State> state;
};

/// Makes a handle to a new in-memory source; `spy` receives a plain pointer for counters.
KeloDataPtrClass MakeInMemorySource(InMemoryDataSet data, InMemoryKeloDataClass** spy = nullptr);

/// Builds a timetable row from "HH:MM" texts; an empty text means an empty time, and a
/// stay is given in minutes (-1 for empty).
InMemoryDataSet::Row MakeRow(const std::string& code, const std::string& arrival, int stay);
