#include "KeloCopy.h"
#include "EditingTestSupport.h"

#include <gtest/gtest.h>

namespace {

KeloDataPtrClass SourceWithNumbers(const std::vector<std::string>& numbers) {
    InMemoryDataSet d;
    d.stops = {{"000001", "\xc2\xc8\xcd\xcd\xc8\xd6\xc0 1"},
               {"000002", "\xca\xc0\xcb\xc8\xcd\xce\xc2\xca\xc0"}};
    d.buses = {{"BUS", "CAT", 30}};
    for (const std::string& n : numbers)
        d.kelos.push_back(
            {n, "k", "BUS", {MakeRow("000001", "08:00", 0), MakeRow("000002", "09:00", -1)}});
    return MakeInMemorySource(d);
}

} // namespace

TEST(ProposeCopyNumber, NextFreeCopyNumberOrNothing) {
    struct Case {
        const char* name;
        std::vector<std::string> numbers;
        std::int32_t index;
        const char* expected; // nullptr: no proposal
    };
    const Case cases[] = {
        {"first copy", {"100"}, 0, "~100(2)"},
        {"after the highest", {"100", "~100(2)", "~100(7)"}, 0, "~100(8)"},
        {"copy of a copy", {"100", "~100(2)"}, 1, "~100(2)(2)"},
        {"a copy's copy does not block the original",
         {"100", "~100(2)", "~100(2)(2)"},
         0,
         "~100(3)"},
        {"not a whole number", {"100", "~100(x)"}, 0, nullptr},
        {"two signs are no whole number", {"100", "~100(+-5)"}, 0, nullptr},
        {"negative counts as the largest", {"100", "~100(-1)", "~100(5)"}, 0, "~100(0)"},
        {"other lines ignored", {"100", "~1000(9)", "~10(9)"}, 0, "~100(2)"},
        {"index out of range", {"100"}, 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeloDataPtrClass source = SourceWithNumbers(c.numbers);
        const auto proposal = ProposeCopyNumber(*source->GetKeloSet(), c.index);
        ASSERT_EQ(proposal.has_value(), c.expected != nullptr);
        if (proposal) {
            EXPECT_EQ(proposal->number, c.expected);
        }
    }
}

TEST(ProposeCopyNumber, NamesInBothDirectionsAndTheCopiedContent) {
    KeloDataPtrClass source = SourceWithNumbers({"100", "~100(2)"});
    const auto proposal = ProposeCopyNumber(*source->GetKeloSet(), 0);
    ASSERT_TRUE(proposal);
    EXPECT_EQ(KeloCopyName(*proposal, false),
              "\xc2\xc8\xcd\xcd\xc8\xd6\xc0 1 - \xca\xc0\xcb\xc8\xcd\xce\xc2\xca\xc0");
    EXPECT_EQ(KeloCopyName(*proposal, true),
              "\xca\xc0\xcb\xc8\xcd\xce\xc2\xca\xc0 - \xc2\xc8\xcd\xcd\xc8\xd6\xc0 1");
    EXPECT_EQ(FindKeloIndex(*source->GetKeloSet(), "~100(2)"), 1);
    EXPECT_EQ(FindKeloIndex(*source->GetKeloSet(), "~100(3)"), -1);

    KeloDataPtrClass line =
        MakeLineSource({MakeRow("000001", "08:00", 5), MakeRow("000002", "08:40", -1)});
    KeloKeloPtrClass target = line->CreateKelo("NEW");
    target->GetSchedule()->AppendStop("000004");
    CopyKeloContent(*target, *line->FindKelo("K"));
    EXPECT_EQ(Times(*target->GetSchedule()), (std::vector<std::string>{"A 08:00/5", "B 08:40/-"}));
    EXPECT_EQ(target->GetBus()->GetModel(), "BUS");
}

TEST(CheckTypedKeloNumber, RefusesEmptyBlankEndedAndControlCharacters) {
    const std::pair<const char*, KeloTypedNumberProblemType> cases[] = {
        {"02\xCF", KeloTypedNumberProblemType::None},
        {"7 1", KeloTypedNumberProblemType::None},
        {"", KeloTypedNumberProblemType::Empty},
        {"  ", KeloTypedNumberProblemType::Empty},
        {"02\xCF ", KeloTypedNumberProblemType::OuterBlanks},
        {" 02\xCF", KeloTypedNumberProblemType::OuterBlanks},
        {"02\t", KeloTypedNumberProblemType::ControlCharacter},
        {"0\x7F", KeloTypedNumberProblemType::ControlCharacter},
    };
    for (const auto& [number, expected] : cases)
        EXPECT_EQ(CheckTypedKeloNumber(number), expected) << number;
    EXPECT_TRUE(HasControlBytes("A\x01"
                                "B"));
    EXPECT_FALSE(HasControlBytes("\xC0\xC1 B"));
}
