#include "KeloCopy.h"

#include "KeloKeloRouteDataClass.h"

#include <charconv>
#include <utility>

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// A whole number with an optional sign, as the planner may have typed it.
std::optional<std::int32_t> ParseWholeNumber(const std::string& text) {
    std::size_t start = !text.empty() && text[0] == '+' ? 1 : 0;
    // "+-5" is no whole number: a sign may stand only once.
    if (start == 1 && (text.size() < 2 || text[1] < '0' || text[1] > '9'))
        return std::nullopt;
    std::int32_t value = 0;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    auto [end, error] = std::from_chars(first, last, value);
    if (first == last || error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

// "2)(3": the copy number of a copy's own copy. It belongs to another family of copies and
// must not make the proposal for this one fail.
bool IsNestedCopy(const std::string& inner) {
    const std::size_t close = inner.find(")(");
    return close != std::string::npos && ParseWholeNumber(inner.substr(0, close)).has_value();
}

} // namespace

namespace {

// The prefix "~" + number + "(" of the kelo's copies and the highest copy number in use
// among them (1 when none); nothing when a copy number in use is not a whole number.
std::optional<std::pair<std::string, std::int64_t>> HighestCopyNumber(KeloKeloSetClass& kelos,
                                                                      std::int32_t index) {
    const std::int32_t count = kelos.GetCount();
    if (index < 0 || index >= count)
        return std::nullopt;
    std::string own = kelos.GetItem(index)->GetNumber();
    if (StartsWith(own, "~"))
        own.erase(0, 1);
    const std::string prefix = "~" + own + "(";

    // Compared as unsigned: a negative copy number counts as larger than every positive one.
    std::uint32_t highest = 1;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string number = kelos.GetItem(i)->GetNumber();
        if (number.size() <= prefix.size() || !StartsWith(number, prefix) || number.back() != ')')
            continue;
        const std::string inner = number.substr(prefix.size(), number.size() - prefix.size() - 1);
        if (IsNestedCopy(inner))
            continue;
        const std::optional<std::int32_t> k = ParseWholeNumber(inner);
        if (!k)
            return std::nullopt;
        if (std::uint32_t(*k) > highest)
            highest = std::uint32_t(*k);
    }
    return std::make_pair(prefix, std::int64_t(std::int32_t(highest)));
}

} // namespace

std::optional<KeloCopyProposalType> ProposeCopyNumber(KeloKeloSetClass& kelos, std::int32_t index) {
    const auto highest = HighestCopyNumber(kelos, index);
    if (!highest)
        return std::nullopt;
    KeloKeloSchedulePtrClass schedule = kelos.GetItem(index)->GetSchedule();
    const std::int32_t entries = schedule->GetCount();
    if (entries == 0)
        return std::nullopt;
    KeloCopyProposalType proposal;
    proposal.number = highest->first + std::to_string(highest->second + 1) + ")";
    proposal.firstStopName = schedule->GetItem(0)->GetStop()->GetName();
    proposal.lastStopName = schedule->GetItem(entries - 1)->GetStop()->GetName();
    return proposal;
}

std::vector<std::string> ProposeCopyNumbers(KeloKeloSetClass& kelos, std::int32_t index,
                                            std::int32_t count) {
    std::vector<std::string> numbers;
    const auto highest = HighestCopyNumber(kelos, index);
    if (!highest)
        return numbers;
    for (std::int32_t i = 1; i <= count; ++i)
        numbers.push_back(highest->first + std::to_string(highest->second + i) + ")");
    return numbers;
}

std::string KeloCopyName(const KeloCopyProposalType& proposal, bool inverted) {
    return inverted ? proposal.lastStopName + " - " + proposal.firstStopName
                    : proposal.firstStopName + " - " + proposal.lastStopName;
}

std::int32_t FindKeloIndex(KeloKeloSetClass& kelos, const std::string& number) {
    const std::int32_t count = kelos.GetCount();
    for (std::int32_t i = 0; i < count; ++i)
        if (kelos.GetItem(i)->GetNumber() == number)
            return i;
    return -1;
}

void CopyKeloContent(KeloKeloClass& target, KeloKeloClass& source) {
    KeloBusPtrClass bus = source.GetBus();
    if (!bus.IsNull())
        target.SetBus(bus->GetModel());
    KeloKeloSchedulePtrClass to = target.GetSchedule();
    for (std::int32_t i = to->GetCount(); i > 0; --i)
        to->RemoveStop(i - 1);
    KeloKeloSchedulePtrClass from = source.GetSchedule();
    const std::int32_t count = from->GetCount();
    for (std::int32_t i = 0; i < count; ++i) {
        KeloStopSchedulePtrClass entry = from->GetItem(i);
        KeloStopSchedulePtrClass added = to->AppendStop(entry->GetStop()->GetCode());
        if (added.IsNull())
            continue;
        added->SetArrival(entry->GetArrival());
        added->SetStay(entry->GetStay());
    }
}

void CopyKeloRoute(KeloDataPtrClass data, const std::string& source, const std::string& target) {
    if (KeloKeloRouteDataClass* routes = KeloFindKeloRoutes(data))
        routes->SetKeloRoute(target, routes->GetKeloRoute(source));
}

bool HasControlBytes(const std::string& text) {
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F)
            return true;
    return false;
}

KeloTypedNumberProblemType CheckTypedKeloNumber(const std::string& number) {
    if (number.empty())
        return KeloTypedNumberProblemType::Empty;
    if (HasControlBytes(number))
        return KeloTypedNumberProblemType::ControlCharacter;
    if (number.front() == ' ' || number.back() == ' ')
        return number.find_first_not_of(' ') == std::string::npos
                   ? KeloTypedNumberProblemType::Empty
                   : KeloTypedNumberProblemType::OuterBlanks;
    return KeloTypedNumberProblemType::None;
}
