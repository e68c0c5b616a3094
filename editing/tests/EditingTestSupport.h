#pragma once

#include "InMemoryKeloData.h"
#include "KeloInversion.h"

#include <string>
#include <vector>

// A line A - B - C - D with links both ways (C-D only forwards) and one kelo "K" built from
// rows given by the test.
inline KeloDataPtrClass MakeLineSource(const std::vector<InMemoryDataSet::Row>& rows) {
    InMemoryDataSet d;
    d.stops = {{"000001", "A"}, {"000002", "B"}, {"000003", "C"}, {"000004", "D"}};
    d.buses = {{"BUS", "CAT", 30}};
    d.AddLinkBothWays("000001", "000002", 10);
    d.AddLinkBothWays("000002", "000003", 20);
    d.links.push_back({"000003", "000004", 5});
    d.kelos.push_back({"K", "k", "BUS", rows});
    return MakeInMemorySource(d);
}

// Arrival and stay texts of every entry, "HH:MM/stay" with "-" for empty.
inline std::vector<std::string> Times(KeloKeloScheduleClass& schedule) {
    std::vector<std::string> out;
    for (std::int32_t i = 0; i < schedule.GetCount(); ++i) {
        KeloStopSchedulePtrClass e = schedule.GetItem(i);
        const KeloTimeType a = e->GetArrival();
        const KeloTimeType s = e->GetStay();
        out.push_back(e->GetStop()->GetName() + " " + (a.IsEmpty() ? "-" : a.Format()) + "/" +
                      (s.IsEmpty() ? "-" : std::to_string(s.GetTotalMinutes())));
    }
    return out;
}

// Answers the inversion's questions as told and records what was asked.
struct ScriptedQuestions : KeloInvertQuestionsClass {
    bool answerYes = false;
    std::vector<std::string> asked;
    bool AskAddMissingData() override {
        asked.push_back("add data?");
        return answerYes;
    }
    void ShowDatabaseMaintenanceNeeded() override { asked.push_back("maintenance"); }
    void ShowMissingArrival(const std::string& stop) override {
        asked.push_back("no arrival " + stop);
    }
};
