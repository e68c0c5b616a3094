// The editing commands of the diagram document: each calls the rules of editing/src and is
// recorded as one undoable step.
#include "KeloDiagramDocumentClass.h"

#include "KeloCachedUpdateDataClass.h"
#include "KeloChartEditRules.h"
#include "KeloCopy.h"
#include "KeloTimetableArithmetic.h"
#include "KeloTimetableCommands.h"

#include <algorithm>

KeloKeloPtrClass KeloDiagramDocumentClass::MakeCopy(const std::string& number,
                                                    const KeloCopyRequestType& copy) {
    KeloKeloPtrClass source = FindKelo(number);
    // Two kelos of one number could not be told apart; the copy dialog refuses them too.
    if (source.IsNull() || copy.number.empty() || IndexOf(copy.number) >= 0)
        return {};
    KeloKeloPtrClass target = stack.editBuffer->CreateKelo(copy.number);
    target->SetName(copy.name);
    CopyKeloContent(*target, *source);
    CopyKeloRoute(stack.editBuffer, number, copy.number);
    return target;
}

KeloDocumentChangeType
KeloDiagramDocumentClass::MoveKelo(const std::string& number, std::int32_t startMinutes,
                                   const std::optional<KeloCopyRequestType>& copy) {
    std::vector<std::string> touched{number};
    if (copy)
        touched.push_back(copy->number);
    return RunStep({KeloDocumentStepKind::Move, number}, touched, [&]() -> std::string {
        KeloKeloPtrClass target = copy ? MakeCopy(number, *copy) : FindKelo(number);
        if (target.IsNull())
            return selected;
        ShiftKeloSchedule(*target->GetSchedule(), startMinutes);
        return target->GetNumber();
    });
}

KeloDocumentChangeType
KeloDiagramDocumentClass::InvertKelo(const std::string& number, std::int32_t startMinutes,
                                     KeloInvertQuestionsClass& questions,
                                     const std::optional<KeloCopyRequestType>& copy) {
    std::vector<std::string> touched{number};
    if (copy)
        touched.push_back(copy->number);
    return RunStep({KeloDocumentStepKind::Invert, number}, touched, [&]() -> std::string {
        KeloKeloPtrClass target = copy ? MakeCopy(number, *copy) : FindKelo(number);
        if (target.IsNull())
            return selected;
        KeloKeloSchedulePtrClass schedule = target->GetSchedule();
        if (InvertKeloSchedule(*schedule, *stack.editBuffer->GetTopology(), questions))
            ShiftKeloSchedule(*schedule, startMinutes);
        return target->GetNumber();
    });
}

KeloDocumentChangeType KeloDiagramDocumentClass::CopyKelo(const std::string& number,
                                                          const KeloCopyRequestType& copy,
                                                          std::int32_t startMinutes) {
    return RunStep({KeloDocumentStepKind::Copy, number}, {number, copy.number},
                   [&]() -> std::string {
                       KeloKeloPtrClass target = MakeCopy(number, copy);
                       if (target.IsNull())
                           return selected;
                       ShiftKeloSchedule(*target->GetSchedule(), startMinutes);
                       return target->GetNumber();
                   });
}

KeloDocumentChangeType KeloDiagramDocumentClass::DeleteKelo(const std::string& number,
                                                            const std::string& nextSelected) {
    return RunStep({KeloDocumentStepKind::Delete, number}, {number}, [&]() -> std::string {
        if (IndexOf(number) < 0)
            return selected;
        stack.editBuffer->DeleteKelo(number);
        return nextSelected == number ? std::string() : nextSelected;
    });
}

KeloDocumentChangeType
KeloDiagramDocumentClass::RunScheduleStep(KeloDocumentStepKind kind, const std::string& number,
                                          const std::function<bool(KeloKeloScheduleClass&)>& edit) {
    return RunStep({kind, number}, {number}, [&]() -> std::string {
        if (KeloKeloPtrClass kelo = FindKelo(number); !kelo.IsNull())
            edit(*kelo->GetSchedule());
        return number;
    });
}

KeloDocumentChangeType KeloDiagramDocumentClass::SetEntryTimes(const std::string& number,
                                                               std::int32_t index,
                                                               KeloTimeType arrival,
                                                               KeloTimeType stay) {
    return RunScheduleStep(KeloDocumentStepKind::ChangeEntry, number,
                           [&](KeloKeloScheduleClass& schedule) {
                               return KeloSetEntryTimes(schedule, index, arrival, stay);
                           });
}

KeloDocumentChangeType KeloDiagramDocumentClass::InsertStop(const std::string& number,
                                                            std::int32_t index,
                                                            const std::string& code) {
    return RunScheduleStep(
        KeloDocumentStepKind::InsertStop, number, [&](KeloKeloScheduleClass& schedule) {
            return KeloInsertTimetableStop(schedule, *stack.editBuffer->GetTopology(), index, code);
        });
}

KeloDocumentChangeType KeloDiagramDocumentClass::AppendStop(const std::string& number,
                                                            const std::string& code) {
    return RunScheduleStep(
        KeloDocumentStepKind::AppendStop, number,
        [&](KeloKeloScheduleClass& schedule) { return KeloAppendTimetableStop(schedule, code); });
}

KeloDocumentChangeType KeloDiagramDocumentClass::RemoveStop(const std::string& number,
                                                            std::int32_t index) {
    return RunScheduleStep(
        KeloDocumentStepKind::RemoveStop, number, [&](KeloKeloScheduleClass& schedule) {
            return KeloRemoveTimetableStop(schedule, *stack.editBuffer->GetTopology(), index);
        });
}

KeloDocumentChangeType KeloDiagramDocumentClass::RecalculateAtSpeed(const std::string& number,
                                                                    std::int32_t index,
                                                                    double speed) {
    return RunScheduleStep(
        KeloDocumentStepKind::Recalculate, number, [&](KeloKeloScheduleClass& schedule) {
            return KeloRecalculateAtSpeed(schedule, *stack.editBuffer->GetTopology(), index, speed);
        });
}

KeloDocumentChangeType
KeloDiagramDocumentClass::ApplyNestedEdits(const std::string& number,
                                           KeloCachedUpdateDataClass& nested,
                                           std::vector<std::string>* heldBack) {
    std::vector<std::string> touched{number};
    for (int i = 0; i < nested.GetChangeCount(); ++i) {
        KeloDataCUChangeKind kind;
        std::string changed;
        nested.GetChange(i, kind, changed);
        if (changed != number)
            touched.push_back(changed);
    }
    return RunStep({KeloDocumentStepKind::EditTimetable, number}, touched, [&]() -> std::string {
        std::vector<std::string> held = nested.ApplyUpdates();
        if (heldBack != nullptr)
            *heldBack = std::move(held);
        return number;
    });
}

KeloDocumentCopiesResultType
KeloDiagramDocumentClass::MakeProposedCopies(KeloDocumentStepKind kind, const std::string& number,
                                             const std::vector<std::int32_t>& starts,
                                             bool keepSelection) {
    KeloDocumentCopiesResultType result;
    result.copies = std::int32_t(starts.size());
    const std::int32_t index = IndexOf(number);
    if (index < 0) {
        result.refusal = KeloCopiesRefusalType::NoKelo;
        return result;
    }
    KeloKeloSetPtrClass kelos = stack.editBuffer->GetKeloSet();
    if (KeloFirstArrival(*kelos->GetItem(index)->GetSchedule()).IsEmpty()) {
        result.refusal = KeloCopiesRefusalType::NoStart;
        return result;
    }
    if (starts.empty()) {
        result.refusal = KeloCopiesRefusalType::NoStartTime;
        return result;
    }
    const std::optional<KeloCopyProposalType> proposal = ProposeCopyNumber(*kelos, index);
    const std::vector<std::string> numbers =
        ProposeCopyNumbers(*kelos, index, std::int32_t(starts.size()));
    // Every number is checked before anything is made, so a series is made whole or not at all.
    const bool taken = std::any_of(numbers.begin(), numbers.end(),
                                   [this](const std::string& n) { return IndexOf(n) >= 0; });
    if (!proposal || numbers.size() != starts.size() || taken) {
        result.refusal = KeloCopiesRefusalType::NoProposal;
        return result;
    }
    const std::string name = KeloCopyName(*proposal, false);
    std::vector<std::string> touched{number};
    touched.insert(touched.end(), numbers.begin(), numbers.end());
    result.change = RunStep({kind, number}, touched, [&]() -> std::string {
        for (std::size_t i = 0; i < starts.size(); ++i) {
            KeloKeloPtrClass copy = MakeCopy(number, {numbers[i], name});
            ShiftKeloSchedule(*copy->GetSchedule(), starts[i]);
        }
        return keepSelection ? selected : numbers.back();
    });
    return result;
}

KeloDocumentCopiesResultType KeloDiagramDocumentClass::CopyKeloAt(const std::string& number,
                                                                  std::int32_t startMinutes) {
    return MakeProposedCopies(KeloDocumentStepKind::Copy, number, {KeloWrapIntoDay(startMinutes)},
                              false);
}

KeloDocumentCopiesResultType KeloDiagramDocumentClass::MakeSeries(const std::string& number,
                                                                  std::int32_t first,
                                                                  std::int32_t last,
                                                                  std::int32_t interval) {
    const std::int32_t count = KeloSeriesCount(first, last, interval);
    if (count > KeloSeriesMaxCopies) {
        KeloDocumentCopiesResultType refused;
        refused.refusal = KeloCopiesRefusalType::TooMany;
        refused.copies = count;
        return refused;
    }
    return MakeProposedCopies(KeloDocumentStepKind::Series, number,
                              KeloSeriesStarts(first, last, interval), true);
}

KeloDocumentChangeType KeloDiagramDocumentClass::NudgeKelo(const std::string& number,
                                                           std::int32_t minutes) {
    return RunStep(
        {KeloDocumentStepKind::Move, number}, {number},
        [&]() -> std::string {
            if (KeloKeloPtrClass kelo = FindKelo(number); !kelo.IsNull()) {
                KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
                const KeloTimeType first = KeloFirstArrival(*schedule);
                if (!first.IsEmpty())
                    ShiftKeloSchedule(*schedule,
                                      KeloWrapIntoDay(first.GetTotalMinutes() + minutes));
            }
            return number;
        },
        true);
}
