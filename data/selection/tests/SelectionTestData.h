#pragma once

#include "InMemoryKeloData.h"

#include <string>
#include <vector>

// A line of five stops L1..L5 among others (X*), and kelos that meet it in different ways.
inline std::vector<std::string> LineSelection() {
    return {"L1", "L2", "L3", "L4", "L5"};
}

inline InMemoryDataSet SelectionTestData() {
    InMemoryDataSet d;
    for (const char* code : {"X1", "X2", "L1", "L2", "L3", "L4", "L5", "X3", "X4"})
        d.stops.push_back({code, std::string("name ") + code});
    d.AddLinkBothWays("L1", "L2", 10);
    d.AddLinkBothWays("L2", "L3", 20);
    d.AddLinkBothWays("L3", "L4", 30);
    d.AddLinkBothWays("L4", "L5", 40);
    d.buses = {{"BUS", "CAT", 40}};
    // Serves the whole line and nothing else.
    d.kelos.push_back(
        {"FULL",
         "full",
         "BUS",
         {MakeRow("L1", "08:00", 0), MakeRow("L2", "08:10", 2), MakeRow("L3", "08:30", 1),
          MakeRow("L4", "08:50", 1), MakeRow("L5", "09:10", -1)}});
    // Starts two stops before the line and ends at its last stop.
    d.kelos.push_back(
        {"BEFORE",
         "before",
         "BUS",
         {MakeRow("X1", "06:00", 0), MakeRow("X2", "06:30", 5), MakeRow("L1", "07:00", 3),
          MakeRow("L2", "07:20", 1), MakeRow("L5", "08:00", -1)}});
    // Leaves the line after L2, rejoins at L4, and goes on beyond L5.
    d.kelos.push_back(
        {"GAP",
         "gap",
         "BUS",
         {MakeRow("L1", "10:00", 0), MakeRow("L2", "10:10", 1), MakeRow("X3", "10:30", 1),
          MakeRow("L4", "10:50", 1), MakeRow("L5", "11:00", 1), MakeRow("X4", "11:30", -1)}});
    // Never touches the line.
    d.kelos.push_back(
        {"OFF", "off", "BUS", {MakeRow("X1", "12:00", 0), MakeRow("X2", "12:40", -1)}});
    // Runs the line backwards over midnight: 23:40 at L5 to 00:20 at L3.
    d.kelos.push_back(
        {"NIGHT",
         "night",
         "BUS",
         {MakeRow("L5", "23:40", 0), MakeRow("L4", "23:55", 5), MakeRow("L3", "00:20", -1)}});
    // Starts before the line and leaves it part-way, calling twice at L2 on the way.
    d.kelos.push_back(
        {"TWICE",
         "twice",
         "BUS",
         {MakeRow("X1", "14:00", 0), MakeRow("L2", "14:20", 1), MakeRow("L3", "14:40", 1),
          MakeRow("L2", "15:00", 1), MakeRow("X4", "15:40", -1)}});
    return d;
}
