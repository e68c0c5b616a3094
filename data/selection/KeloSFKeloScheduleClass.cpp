#include "KeloSFKeloScheduleClass.h"

#include "KeloAssert.h"

#include <algorithm>

KeloSFKeloScheduleClass::KeloSFKeloScheduleClass(KeloKeloSchedulePtrClass lower,
                                                 const std::vector<std::string>* selection)
    : Lower(std::move(lower)), Selection(selection) {
    BuildIndexMap();
}

void KeloSFKeloScheduleClass::BuildIndexMap() {
    IndexMap.clear();
    const std::int32_t count = Lower->GetCount();
    for (std::int32_t i = 0; i < count; ++i) {
        KeloStopSchedulePtrClass entry = Lower->GetItem(i);
        if (entry.IsNull())
            continue;
        // An entry whose stop the source does not know cannot lie on the line.
        KeloStopPtrClass stop = entry->GetStop();
        if (!stop.IsNull() && InSelection(stop->GetCode()))
            IndexMap.push_back(static_cast<std::uint32_t>(i));
    }
}

bool KeloSFKeloScheduleClass::InSelection(const std::string& code) const {
    return std::find(Selection->begin(), Selection->end(), code) != Selection->end();
}

bool KeloSFKeloScheduleClass::IsVisibleIndex(std::int32_t index) const {
    return index >= 0 && index < static_cast<std::int32_t>(IndexMap.size());
}

std::int32_t KeloSFKeloScheduleClass::GetCount() {
    return static_cast<std::int32_t>(IndexMap.size());
}

KeloStopSchedulePtrClass KeloSFKeloScheduleClass::GetItem(std::int32_t index) {
    KELO_ASSERT(IsVisibleIndex(index));
    return Lower->GetItem(static_cast<std::int32_t>(IndexMap[index]));
}

KeloStopSchedulePtrClass KeloSFKeloScheduleClass::AppendStop(const std::string& code) {
    const std::int32_t lowerCount = Lower->GetCount();
    KeloStopSchedulePtrClass entry = Lower->AppendStop(code);
    if (InSelection(code))
        IndexMap.push_back(static_cast<std::uint32_t>(lowerCount));
    return entry;
}

KeloStopSchedulePtrClass KeloSFKeloScheduleClass::InsertStop(std::int32_t index,
                                                             const std::string& code) {
    // Insert before the lower entry shown at `index`; past the view this appends below.
    KeloStopSchedulePtrClass entry =
        IsVisibleIndex(index) ? Lower->InsertStop(static_cast<std::int32_t>(IndexMap[index]), code)
                              : Lower->AppendStop(code);
    BuildIndexMap();
    return entry;
}

void KeloSFKeloScheduleClass::RemoveStop(std::int32_t index) {
    if (!IsVisibleIndex(index))
        return;
    Lower->RemoveStop(static_cast<std::int32_t>(IndexMap[index]));
    BuildIndexMap();
}

bool KeloSFKeloScheduleClass::HasHiddenBefore(std::int32_t index) {
    if (!IsVisibleIndex(index))
        return false;
    if (index == 0)
        return IndexMap[0] > 0;
    return IndexMap[index] != IndexMap[index - 1] + 1;
}

bool KeloSFKeloScheduleClass::HasHiddenAfter(std::int32_t index) {
    if (!IsVisibleIndex(index))
        return false;
    const std::int32_t last = static_cast<std::int32_t>(IndexMap.size()) - 1;
    if (index < last)
        return IndexMap[index] + 1 != IndexMap[index + 1];
    return static_cast<std::uint32_t>(Lower->GetCount()) != IndexMap[index] + 1;
}

KeloStopSchedulePtrClass KeloSFKeloScheduleClass::GetHiddenBefore(std::int32_t index) {
    if (!IsVisibleIndex(index))
        return {};
    const std::uint32_t lower = IndexMap[index];
    if (lower == 0 || lower >= static_cast<std::uint32_t>(Lower->GetCount()))
        return {};
    return Lower->GetItem(static_cast<std::int32_t>(lower - 1));
}

KeloStopSchedulePtrClass KeloSFKeloScheduleClass::GetHiddenAfter(std::int32_t index) {
    if (!IsVisibleIndex(index))
        return {};
    const std::uint32_t next = IndexMap[index] + 1;
    if (next >= static_cast<std::uint32_t>(Lower->GetCount()))
        return {};
    return Lower->GetItem(static_cast<std::int32_t>(next));
}
