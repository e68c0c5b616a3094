// The editing commands of the diagram document: each calls the rules of editing/src and is
// recorded as one undoable step.
#include "KeloDiagramDocumentClass.h"

#include "KeloCachedUpdateDataClass.h"
#include "KeloCopy.h"
#include "KeloTimetableArithmetic.h"
#include "KeloTimetableCommands.h"

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
