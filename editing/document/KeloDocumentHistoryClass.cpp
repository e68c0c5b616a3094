#include "KeloDocumentHistoryClass.h"

#include "KeloChartEditRules.h"

namespace {

std::size_t StatesFootprint(const std::vector<KeloDataCUKeloStateType>& states) {
    std::size_t bytes = states.capacity() * sizeof(KeloDataCUKeloStateType);
    for (const KeloDataCUKeloStateType& state : states) {
        bytes += state.number.capacity() + state.record.number.capacity() +
                 state.record.name.capacity() + state.record.busModel.capacity() +
                 state.record.stops.capacity() * sizeof(KeloDataCUStopScheduleType);
        for (const KeloDataCUStopScheduleType& stop : state.record.stops)
            bytes += stop.stopCode.capacity();
    }
    return bytes;
}

std::size_t EntriesFootprint(const std::map<std::string, KeloDocumentKeloEntryType>& entries) {
    std::size_t bytes = 0;
    for (const auto& [number, entry] : entries)
        bytes += number.capacity() + sizeof(entry) + 4 * sizeof(void*);
    return bytes;
}

} // namespace

std::size_t KeloDocumentStepType::Footprint() const {
    return sizeof(*this) + name.number.capacity() + StatesFootprint(before) +
           StatesFootprint(after) + EntriesFootprint(entriesBefore) +
           EntriesFootprint(entriesAfter) + selectedBefore.capacity() + selectedAfter.capacity();
}

void KeloDocumentHistoryClass::Push(KeloDocumentStepType step) {
    undoSteps.push_back(std::move(step));
    redoSteps.clear();
    openNudge.clear();
}

void KeloDocumentHistoryClass::PushNudge(KeloDocumentStepType step) {
    const std::string number = step.name.number;
    if (!undoSteps.empty() && KeloNudgeJoins(openNudge, number)) {
        KeloDocumentStepType& last = undoSteps.back();
        last.after = std::move(step.after);
        last.entriesAfter = std::move(step.entriesAfter);
        last.selectedAfter = std::move(step.selectedAfter);
        redoSteps.clear();
    } else {
        Push(std::move(step));
    }
    openNudge = number;
}

std::optional<KeloDocumentStepNameType> KeloDocumentHistoryClass::UndoName() const {
    if (undoSteps.empty())
        return std::nullopt;
    return undoSteps.back().name;
}

std::optional<KeloDocumentStepNameType> KeloDocumentHistoryClass::RedoName() const {
    if (redoSteps.empty())
        return std::nullopt;
    return redoSteps.back().name;
}

const KeloDocumentStepType* KeloDocumentHistoryClass::TakeUndo() {
    if (undoSteps.empty())
        return nullptr;
    openNudge.clear();
    redoSteps.push_back(std::move(undoSteps.back()));
    undoSteps.pop_back();
    return &redoSteps.back();
}

const KeloDocumentStepType* KeloDocumentHistoryClass::TakeRedo() {
    if (redoSteps.empty())
        return nullptr;
    openNudge.clear();
    undoSteps.push_back(std::move(redoSteps.back()));
    redoSteps.pop_back();
    return &undoSteps.back();
}

void KeloDocumentHistoryClass::Clear() {
    openNudge.clear();
    undoSteps.clear();
    redoSteps.clear();
}

std::size_t KeloDocumentHistoryClass::Footprint() const {
    std::size_t bytes = 0;
    for (const KeloDocumentStepType& step : undoSteps)
        bytes += step.Footprint();
    for (const KeloDocumentStepType& step : redoSteps)
        bytes += step.Footprint();
    return bytes;
}
