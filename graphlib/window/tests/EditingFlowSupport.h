#pragma once

// Shared by the editing flow tests and the random walk: a small line, kelo look-ups by
// number, and the buffer's change list as comparable pairs.

#include "InMemoryKeloData.h"
#include "KeloBuiltInTestSupport.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloCopy.h"
#include "KeloDemoDataClass.h"
#include "KeloListTestSupport.h"
#include "TKeloTripDiagramForm.h"

#include <QAction>
#include <QMenu>
#include <QTreeWidget>

#include <string>
#include <utility>
#include <vector>

namespace editing_test {

using ChangeList = std::vector<std::pair<int, std::string>>; // kind, number

inline InMemoryDataSet SmallLine() {
    InMemoryDataSet d;
    d.stops = {
        {"000001", "ALPHA"}, {"000002", "BRAVO"}, {"000003", "CHARLIE"}, {"000004", "DELTA"}};
    d.AddLinkBothWays("000001", "000002", 10);
    d.AddLinkBothWays("000002", "000003", 10);
    d.AddLinkBothWays("000003", "000004", 20);
    d.buses = {{"BUS-1", "CAT", 0}, {"BUS-2", "CAT", 42}};
    d.kelos.push_back({"F1",
                       "ALPHA - DELTA",
                       "BUS-1",
                       {MakeRow("000001", "08:00", 5), MakeRow("000002", "08:40", 2),
                        MakeRow("000003", "09:30", -1)}});
    d.kelos.push_back({"F2",
                       "ALPHA - CHARLIE",
                       "BUS-2",
                       {MakeRow("000001", "06:00", 5), MakeRow("000002", "06:20", 0),
                        MakeRow("000003", "06:40", -1)}});
    d.kelos.push_back({"B1",
                       "DELTA - ALPHA",
                       "BUS-2",
                       {MakeRow("000004", "17:00", 0), MakeRow("000003", "17:25", 1),
                        MakeRow("000002", "17:40", 1), MakeRow("000001", "17:55", -1)}});
    return d;
}

inline const std::vector<std::string>& SmallLineCodes() {
    static const std::vector<std::string> codes = {"000001", "000002", "000003", "000004"};
    return codes;
}

inline ChangeList Changes(TKeloTripDiagramForm& form) {
    KeloCachedUpdateDataClass& buffer = form.Diagram().GetEditBufferObject();
    ChangeList changes;
    for (int i = 0; i < buffer.GetChangeCount(); ++i) {
        KeloDataCUChangeKind kind = Modified;
        std::string number;
        buffer.GetChange(i, kind, number);
        changes.emplace_back(int(kind), number);
    }
    return changes;
}

inline int IndexOf(TKeloTripDiagramForm& form, const std::string& number) {
    return FindKeloIndex(*form.EditBuffer()->GetKeloSet(), number);
}

inline std::string NumberAt(TKeloTripDiagramForm& form, int index) {
    return form.EditBuffer()->GetKeloSet()->GetItem(index)->GetNumber();
}

// Selects the kelo's row the way the arrow keys do.
inline void SelectRow(TKeloTripDiagramForm& form, int index) {
    for (int i = 0; i < kelo_list_test::ListCount(form); ++i)
        if (kelo_list_test::ListKelo(form, i) == index)
            kelo_list_test::SetCurrentListRow(form, i);
}

inline void Trigger(TKeloTripDiagramForm& form, const char* action) {
    form.KeloListViewPopupMenu()->findChild<QAction*>(action)->trigger();
}

inline KeloTimeType FirstArrival(TKeloTripDiagramForm& form, const std::string& number) {
    return form.EditBuffer()->FindKelo(number)->GetSchedule()->GetItem(0)->GetArrival();
}

} // namespace editing_test
