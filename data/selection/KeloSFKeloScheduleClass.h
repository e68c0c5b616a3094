#pragma once

#include "KeloDataClass.h"

#include <cstdint>
#include <string>
#include <vector>

/// Timetable of a kelo restricted to the stops of one line. Only the entries whose stop
/// code occurs in the selection are visible, in the kelo's own order; an index map keeps
/// their positions in the lower timetable, so the view can tell where entries were left out.
/// The map is a snapshot: after a change made elsewhere, take a fresh timetable.
class KeloSFKeloScheduleClass : public KeloKeloScheduleClass {
public:
    KeloSFKeloScheduleClass(KeloKeloSchedulePtrClass lower,
                            const std::vector<std::string>* selection);

    std::int32_t GetCount() override;
    KeloStopSchedulePtrClass GetItem(std::int32_t index) override;
    KeloStopSchedulePtrClass AppendStop(const std::string& code) override;
    KeloStopSchedulePtrClass InsertStop(std::int32_t index, const std::string& code) override;
    void RemoveStop(std::int32_t index) override;

    // Whether lower entries were left out just before / just after visible entry `index`
    // (for the last visible entry: whether the kelo goes on beyond the line).
    virtual bool HasHiddenBefore(std::int32_t index);
    virtual bool HasHiddenAfter(std::int32_t index);
    // The lower entry just before / after visible entry `index`; empty at the ends of the
    // lower timetable and for indices outside the view.
    virtual KeloStopSchedulePtrClass GetHiddenBefore(std::int32_t index);
    virtual KeloStopSchedulePtrClass GetHiddenAfter(std::int32_t index);

private:
    void BuildIndexMap();
    bool InSelection(const std::string& code) const;
    bool IsVisibleIndex(std::int32_t index) const;

    KeloKeloSchedulePtrClass Lower;
    const std::vector<std::string>* Selection;
    std::vector<std::uint32_t> IndexMap;
};
