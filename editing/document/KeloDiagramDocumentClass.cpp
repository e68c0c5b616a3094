#include "KeloDiagramDocumentClass.h"

#include "KeloCachedUpdateDataClass.h"

#include <algorithm>
#include <set>

KeloDiagramDocumentClass::KeloDiagramDocumentClass(KeloDataPtrClass bottom,
                                                   std::vector<std::string> lineStopCodes,
                                                   std::string selectedNumber)
    : lineStopCodes(std::move(lineStopCodes)),
      stack(MakeTripDiagramDataStack(std::move(bottom), this->lineStopCodes)),
      selected(std::move(selectedNumber)) {}

std::vector<std::string> KeloDiagramDocumentClass::KeloNumbers() {
    std::vector<std::string> numbers;
    KeloKeloSetPtrClass kelos = stack.editBuffer->GetKeloSet();
    const std::int32_t count = kelos->GetCount();
    numbers.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (std::int32_t i = 0; i < count; ++i)
        numbers.push_back(kelos->GetItem(i)->GetNumber());
    return numbers;
}

std::int32_t KeloDiagramDocumentClass::IndexOf(const std::string& number) {
    return number.empty() ? -1 : stack.editBufferObject->IndexOfKelo(number);
}

KeloKeloPtrClass KeloDiagramDocumentClass::FindKelo(const std::string& number) {
    // Only kelos of the set: the buffer still finds deleted ones by number.
    return IndexOf(number) < 0 ? KeloKeloPtrClass() : stack.editBuffer->FindKelo(number);
}

KeloDocumentKeloEntryType KeloDiagramDocumentClass::Entry(const std::string& number) const {
    auto found = entries.find(number);
    return found == entries.end() ? KeloDocumentKeloEntryType() : found->second;
}

void KeloDiagramDocumentClass::SetEntry(const std::string& number,
                                        const KeloDocumentKeloEntryType& entry) {
    entries[number] = entry;
}

void KeloDiagramDocumentClass::SetVisible(const std::string& number, bool visible) {
    auto found = entries.find(number);
    if (found != entries.end())
        found->second.visible = visible;
    else if (!visible)
        entries[number].visible = false; // the default entry is visible: keep only the others
}

int KeloDiagramDocumentClass::Subscribe(ObserverType observer) {
    observers.emplace(nextObserver, std::move(observer));
    return nextObserver++;
}

void KeloDiagramDocumentClass::Unsubscribe(int id) {
    observers.erase(id);
}

void KeloDiagramDocumentClass::Notify(const KeloDocumentChangeType& change) {
    if (change.IsEmpty())
        return;
    for (const auto& [id, observer] : observers)
        observer(change);
}

namespace {

// The change from one set of kelo states to another of the same numbers.
KeloDocumentChangeType ChangeBetween(const std::vector<KeloDataCUKeloStateType>& from,
                                     const std::vector<KeloDataCUKeloStateType>& to) {
    KeloDocumentChangeType change;
    for (std::size_t i = 0; i < from.size() && i < to.size(); ++i) {
        const bool wasListed = from[i].setAt >= 0;
        const bool isListed = to[i].setAt >= 0;
        if (!wasListed && isListed)
            change.added.push_back(to[i].number);
        else if (wasListed && !isListed)
            change.removed.push_back(to[i].number);
        else if (wasListed && !(from[i] == to[i]))
            change.changed.push_back(to[i].number);
    }
    return change;
}

std::map<std::string, KeloDocumentKeloEntryType>
EntriesOf(const std::map<std::string, KeloDocumentKeloEntryType>& entries,
          const std::vector<std::string>& numbers) {
    std::map<std::string, KeloDocumentKeloEntryType> taken;
    for (const std::string& number : numbers)
        if (auto found = entries.find(number); found != entries.end())
            taken.emplace(number, found->second);
    return taken;
}

} // namespace

KeloDocumentChangeType KeloDiagramDocumentClass::RunStep(KeloDocumentStepNameType name,
                                                         const std::vector<std::string>& touched,
                                                         const std::function<std::string()>& action,
                                                         bool nudge) {
    KeloCachedUpdateDataClass& buffer = *stack.editBufferObject;
    KeloDocumentStepType step;
    step.name = std::move(name);
    step.before = buffer.TakeKeloStates(touched);
    step.entriesBefore = EntriesOf(entries, touched);
    step.selectedBefore = selected;
    std::string selection;
    try {
        selection = action();
    } catch (...) {
        // A command that fails half-way leaves nothing behind.
        buffer.RestoreKeloStates(step.before);
        throw;
    }
    step.after = buffer.TakeKeloStates(touched);
    if (step.after == step.before)
        return {};
    KeloDocumentChangeType change = ChangeBetween(step.before, step.after);
    // A kelo that comes into the set is shown, whatever an earlier kelo of its number was.
    for (const std::string& number : change.added)
        entries[number] = KeloDocumentKeloEntryType();
    selected = selection;
    change.selected = selected;
    step.entriesAfter = EntriesOf(entries, touched);
    step.selectedAfter = selected;
    if (nudge)
        history.PushNudge(std::move(step));
    else
        history.Push(std::move(step));
    Notify(change);
    return change;
}

KeloDocumentChangeType
KeloDiagramDocumentClass::Restore(const std::vector<KeloDataCUKeloStateType>& from,
                                  const std::vector<KeloDataCUKeloStateType>& to,
                                  const std::map<std::string, KeloDocumentKeloEntryType>& restored,
                                  const std::string& selection) {
    stack.editBufferObject->RestoreKeloStates(to);
    for (const KeloDataCUKeloStateType& state : to) {
        if (auto found = restored.find(state.number); found != restored.end())
            entries[state.number] = found->second;
        else
            entries.erase(state.number);
    }
    selected = selection;
    KeloDocumentChangeType change = ChangeBetween(from, to);
    change.selected = selected;
    Notify(change);
    return change;
}

KeloDocumentChangeType KeloDiagramDocumentClass::Undo() {
    const KeloDocumentStepType* step = history.TakeUndo();
    if (step == nullptr)
        return {};
    return Restore(step->after, step->before, step->entriesBefore, step->selectedBefore);
}

KeloDocumentChangeType KeloDiagramDocumentClass::Redo() {
    const KeloDocumentStepType* step = history.TakeRedo();
    if (step == nullptr)
        return {};
    return Restore(step->before, step->after, step->entriesAfter, step->selectedAfter);
}

namespace {

// What a save showed of the kelo set: the kelos that came or went, the saved ones that stay,
// or a reset when the kelos that stay changed their order.
KeloDocumentChangeType SaveChange(const std::vector<std::string>& before,
                                  const std::vector<std::string>& after,
                                  const std::vector<std::string>& saved) {
    KeloDocumentChangeType change;
    const std::set<std::string> was(before.begin(), before.end());
    const std::set<std::string> is(after.begin(), after.end());
    std::vector<std::string> stayedBefore;
    std::vector<std::string> stayedAfter;
    for (const std::string& number : before)
        (is.count(number) != 0 ? stayedBefore : change.removed).push_back(number);
    for (const std::string& number : after)
        (was.count(number) != 0 ? stayedAfter : change.added).push_back(number);
    if (stayedBefore != stayedAfter) {
        change.added.clear();
        change.removed.clear();
        change.reset = true;
        return change;
    }
    for (const std::string& number : saved)
        if (was.count(number) != 0 && is.count(number) != 0)
            change.changed.push_back(number);
    return change;
}

} // namespace

KeloDocumentSaveResultType KeloDiagramDocumentClass::Save(const std::vector<bool>& chosen) {
    KeloCachedUpdateDataClass& buffer = *stack.editBufferObject;
    KeloDocumentSaveResultType result;
    // Whatever the save does, the steps recorded describe a buffer that is no more.
    history.Clear();
    std::vector<std::string> saved;
    bool onlyModified = true;
    for (int i = 0; i < buffer.GetChangeCount(); ++i) {
        KeloDataCUChangeKind kind = Modified;
        std::string number;
        buffer.GetChange(i, kind, number);
        onlyModified = onlyModified && kind == Modified;
        if (std::size_t(i) < chosen.size() && chosen[std::size_t(i)])
            saved.push_back(number);
    }
    // Timetable changes alone leave the kelo set as it is: listing it (a read per kelo
    // below) is needed only when kelos came or went.
    const std::vector<std::string> before =
        onlyModified ? std::vector<std::string>() : KeloNumbers();
    result.outcome =
        KeloSaveInTransaction(KeloFindTransaction(stack.bottom), *stack.cacheObject, buffer,
                              [&] { result.applied = buffer.ApplySelectedUpdates(chosen); });
    // Only the saved kelos are read again; the others are as they were shown.
    if (onlyModified)
        result.change.changed = saved;
    else
        result.change = SaveChange(before, KeloNumbers(), saved);
    if (IndexOf(selected) < 0)
        selected.clear();
    result.change.selected = selected;
    Notify(result.change);
    return result;
}

KeloDocumentChangeType KeloDiagramDocumentClass::Discard() {
    history.Clear();
    stack.editBufferObject->CancelUpdates();
    if (IndexOf(selected) < 0)
        selected.clear();
    KeloDocumentChangeType change;
    change.reset = true;
    change.selected = selected;
    Notify(change);
    return change;
}
