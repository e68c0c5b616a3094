#pragma once

#include "KeloDataClass.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/// What a copy of a kelo is offered: its number and the names of its end stops.
struct KeloCopyProposalType {
    std::string number;
    std::string firstStopName;
    std::string lastStopName;
};

/// Proposes "~" + number + "(" + (highest copy number in use + 1) + ")" for a copy of the kelo
/// at `index`, a leading "~" of its own number dropped: 100 -> ~100(2), ~100(2) -> ~100(2)(2).
/// Nothing when the kelo has no timetable or a copy number in use is not a whole number.
std::optional<KeloCopyProposalType> ProposeCopyNumber(KeloKeloSetClass& kelos, std::int32_t index);

/// The numbers `count` copies of the kelo at `index`, made one after another, are proposed in
/// turn: ~100(2), ~100(3), ... Empty when a copy number in use is not a whole number.
std::vector<std::string> ProposeCopyNumbers(KeloKeloSetClass& kelos, std::int32_t index,
                                            std::int32_t count);

/// What is wrong with a kelo number as typed, if anything.
enum class KeloTypedNumberProblemType { None, Empty, OuterBlanks, ControlCharacter };

/// The rule for a typed kelo number: not empty, no blank at either end ("02П " would be a
/// second kelo that looks like the first), no control character.
KeloTypedNumberProblemType CheckTypedKeloNumber(const std::string& number);

/// True when the text holds a control byte (below 0x20, or 0x7F).
bool HasControlBytes(const std::string& text);

/// The name offered for a copy: "first - last", or "last - first" for an inverted copy.
std::string KeloCopyName(const KeloCopyProposalType& proposal, bool inverted);

/// Position of the first kelo with that number, or -1.
std::int32_t FindKeloIndex(KeloKeloSetClass& kelos, const std::string& number);

/// Gives the target the source's bus (when it has one) and replaces its timetable by a copy
/// of the source's.
void CopyKeloContent(KeloKeloClass& target, KeloKeloClass& source);

/// Gives the kelo `target` the feed route of `source` (none when that has none), where the
/// data keeps routes. The copy is a trip of its own: it takes no trip id along.
void CopyKeloRoute(KeloDataPtrClass data, const std::string& source, const std::string& target);
