#pragma once

#include "InMemoryKeloData.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloDiagramDocumentClass.h"

#include <string>
#include <vector>

// A line A - B - C - D, linked both ways except C -> D, with three kelos: two forward, one
// backward.
inline KeloDataPtrClass MakeDocumentSource() {
    InMemoryDataSet d;
    d.stops = {{"000001", "A"}, {"000002", "B"}, {"000003", "C"}, {"000004", "D"}};
    d.buses = {{"BUS", "CAT", 30}, {"VAN", "CAT", 12}};
    d.AddLinkBothWays("000001", "000002", 10);
    d.AddLinkBothWays("000002", "000003", 20);
    d.links.push_back({"000003", "000004", 5});
    d.kelos.push_back({"01",
                       "A - C",
                       "BUS",
                       {MakeRow("000001", "08:00", 5), MakeRow("000002", "08:40", 2),
                        MakeRow("000003", "09:30", -1)}});
    d.kelos.push_back({"02",
                       "A - D",
                       "VAN",
                       {MakeRow("000001", "10:00", 0), MakeRow("000003", "10:30", 1),
                        MakeRow("000004", "10:50", -1)}});
    d.kelos.push_back({"03",
                       "C - A",
                       "BUS",
                       {MakeRow("000003", "12:00", 3), MakeRow("000002", "12:30", 1),
                        MakeRow("000001", "13:00", -1)}});
    return MakeInMemorySource(d);
}

// Everything a planner can see of the buffer: every kelo in set order with its name, bus and
// timetable, then the change list.
inline std::vector<std::string> BufferSnapshot(KeloCachedUpdateDataClass& buffer) {
    std::vector<std::string> out;
    KeloKeloSetPtrClass kelos = buffer.GetKeloSet();
    for (std::int32_t i = 0; i < kelos->GetCount(); ++i) {
        KeloKeloPtrClass kelo = kelos->GetItem(i);
        KeloBusPtrClass bus = kelo->GetBus();
        std::string line =
            kelo->GetNumber() + "|" + kelo->GetName() + "|" + (bus.IsNull() ? "" : bus->GetModel());
        KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
        for (std::int32_t j = 0; j < schedule->GetCount(); ++j) {
            KeloStopSchedulePtrClass e = schedule->GetItem(j);
            line += " " + e->GetStop()->GetCode() + "@" +
                    std::to_string(e->GetArrival().GetTotalMinutes()) + "+" +
                    (e->GetStay().IsEmpty() ? "-" : std::to_string(e->GetStay().GetTotalMinutes()));
        }
        out.push_back(line);
    }
    for (int i = 0; i < buffer.GetChangeCount(); ++i) {
        KeloDataCUChangeKind kind;
        std::string number;
        buffer.GetChange(i, kind, number);
        out.push_back("change " + std::to_string(int(kind)) + " " + number);
    }
    return out;
}
