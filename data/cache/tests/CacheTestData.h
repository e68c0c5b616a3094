#pragma once

#include "InMemoryKeloData.h"

// Three stops in a row with links both ways, one stop without links, and two kelos.
inline InMemoryDataSet CacheTestData() {
    InMemoryDataSet d;
    d.stops = {{"000001", "ONE"}, {"000002", "TWO"}, {"000003", "THREE"}, {"000009", "LONELY"}};
    d.AddLinkBothWays("000001", "000002", 12);
    d.AddLinkBothWays("000002", "000003", 18);
    d.buses = {{"BUS", "CAT", 40}};
    d.kelos.push_back({"A",
                       "kelo a",
                       "BUS",
                       {MakeRow("000001", "08:00", 0), MakeRow("000002", "08:20", 5),
                        MakeRow("000003", "09:00", -1)}});
    d.kelos.push_back(
        {"B", "kelo b", "NOBUS", {MakeRow("000003", "23:30", 0), MakeRow("000001", "00:30", -1)}});
    return d;
}
