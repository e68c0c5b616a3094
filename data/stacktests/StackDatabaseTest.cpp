// The whole stack over a database: saves that survive reopening, saves that fail as a whole.
#include "Cp1251.h"
#include "KeloCacheDataClass.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloDBBuiltInExport.h"
#include "KeloDBConnectionClass.h"
#include "KeloDBDataClass.h"
#include "KeloDBOpen.h"
#include "KeloDemoDataClass.h"
#include "KeloSelectableDataClass.h"
#include "KeloTransactionalSave.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <set>
#include <sys/mman.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string Cp(std::string_view utf8) {
    return Utf8ToCp1251(utf8).bytes;
}

const std::string Kelo02P = Cp("02П");

std::vector<std::string> Codes(KeloKeloPtrClass kelo) {
    std::vector<std::string> codes;
    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    for (std::int32_t i = 0; i < schedule->GetCount(); ++i)
        codes.push_back(schedule->GetItem(i)->GetStop()->GetCode());
    return codes;
}

// Cache and edit buffer over a database source, as a diagram window stacks them.
struct DatabaseStack {
    DatabaseStack(const std::string& path, int busyTimeoutMs = 2000) {
        KeloDBOpenResultType opened = KeloDBOpen(path, busyTimeoutMs);
        EXPECT_EQ(opened.status, KeloDBOpenStatusType::Ok) << opened.detail;
        connection = opened.connection;
        bottom = KeloDataPtrClass(new KeloDBDataClass(connection, {}));
        cacheObject = new KeloCacheDataClass(bottom);
        cache = KeloDataPtrClass(cacheObject);
        bufferObject = new KeloCachedUpdateDataClass(cache);
        buffer = KeloDataPtrClass(bufferObject);
    }

    KeloSaveOutcomeType Save() {
        return KeloSaveInTransaction(KeloFindTransaction(bottom), *cacheObject, *bufferObject,
                                     [&] { heldBack = bufferObject->ApplyUpdates(); });
    }

    std::shared_ptr<KeloDBConnectionClass> connection;
    KeloDataPtrClass bottom, cache, buffer;
    KeloCacheDataClass* cacheObject;
    KeloCachedUpdateDataClass* bufferObject;
    std::vector<std::string> heldBack;
};

class StackDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kelo-stack-XXXXXX").string();
        dir = ::mkdtemp(pattern.data());
        path = (dir / "plan.db").string();
        KeloDBWriteBuiltInDataSet(path);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::filesystem::path dir;
    std::string path;
};

TEST_F(StackDatabaseTest, SavedChangesAreThereWhenTheFileIsOpenedAgain) {
    {
        DatabaseStack stack(path);
        KeloKeloPtrClass created = stack.buffer->CreateKelo("NEW1");
        created->SetName(Cp("НОВЫЙ"));
        created->SetBus(Cp("ПАЗ-672"));
        for (const char* code : {"050100", "050157"})
            created->GetSchedule()->AppendStop(code)->SetArrival(KeloTimeType(6, 30));
        stack.buffer->DeleteKelo("100");
        KeloKeloPtrClass kelo = stack.buffer->FindKelo(Kelo02P);
        kelo->SetName(Cp("ПЕРЕИМЕНОВАН"));
        kelo->SetBus(Cp("ИК-260М"));
        KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
        schedule->RemoveStop(1);
        schedule->InsertStop(2, "050101")->SetStay(KeloTimeType(4));
        schedule->GetItem(0)->SetArrival(KeloTimeType(7, 45));
        const KeloSaveOutcomeType outcome = stack.Save();
        ASSERT_TRUE(outcome.saved) << outcome.error;
        EXPECT_TRUE(stack.heldBack.empty());
        EXPECT_EQ(stack.bufferObject->GetChangeCount(), 0);
    }
    DatabaseStack again(path);
    KeloDataPtrClass& source = again.bottom;
    EXPECT_TRUE(source->FindKelo("100").IsNull());
    EXPECT_EQ(source->GetKeloSet()->GetCount(), 176);
    KeloKeloPtrClass created = source->FindKelo("NEW1");
    ASSERT_FALSE(created.IsNull());
    EXPECT_EQ(created->GetName(), Cp("НОВЫЙ"));
    EXPECT_EQ(created->GetBus()->GetModel(), Cp("ПАЗ-672"));
    EXPECT_EQ(Codes(created), (std::vector<std::string>{"050100", "050157"}));
    EXPECT_EQ(created->GetSchedule()->GetItem(1)->GetArrival(), KeloTimeType(6, 30));
    KeloKeloPtrClass kelo = source->FindKelo(Kelo02P);
    EXPECT_EQ(kelo->GetName(), Cp("ПЕРЕИМЕНОВАН"));
    EXPECT_EQ(kelo->GetBus()->GetModel(), Cp("ИК-260М"));
    KeloKeloPtrClass original = MakeBuiltInSource()->FindKelo(Kelo02P);
    std::vector<std::string> expected = Codes(original);
    expected.erase(expected.begin() + 1);
    expected.insert(expected.begin() + 2, "050101");
    EXPECT_EQ(Codes(kelo), expected);
    EXPECT_EQ(kelo->GetSchedule()->GetItem(0)->GetArrival(), KeloTimeType(7, 45));
    EXPECT_EQ(kelo->GetSchedule()->GetItem(2)->GetStay(), KeloTimeType(4));
    EXPECT_EQ(kelo->GetSchedule()->GetItem(3)->GetArrival(),
              original->GetSchedule()->GetItem(3)->GetArrival());
}

TEST_F(StackDatabaseTest, ALockedDatabaseKeepsTheChangesInTheBufferToBeSavedAgain) {
    DatabaseStack stack(path, 100);
    stack.buffer->FindKelo(Kelo02P)->SetName("LOCKED OUT");
    stack.buffer->DeleteKelo("100");
    {
        // Another program holds the write lock past the busy timeout.
        KeloDBConnectionClass other(path, KeloDBConnectionClass::ModeType::OpenExisting, 0);
        other.Execute("BEGIN IMMEDIATE");
        const KeloSaveOutcomeType outcome = stack.Save();
        EXPECT_FALSE(outcome.saved);
        EXPECT_TRUE(outcome.lockedOut) << outcome.error;
        EXPECT_EQ(stack.bufferObject->GetChangeCount(), 2);
        EXPECT_EQ(stack.buffer->FindKelo(Kelo02P)->GetName(), "LOCKED OUT");
        other.Execute("ROLLBACK");
    }
    EXPECT_FALSE(stack.bottom->FindKelo("100").IsNull());
    ASSERT_TRUE(stack.Save().saved);
    EXPECT_EQ(stack.bottom->FindKelo(Kelo02P)->GetName(), "LOCKED OUT");
    EXPECT_TRUE(stack.bottom->FindKelo("100").IsNull());
}

TEST_F(StackDatabaseTest, AWriteFailingMidSaveUndoesTheWholeSaveAndTheCacheForgetsIt) {
    DatabaseStack stack(path);
    stack.connection->Execute(
        "CREATE TRIGGER refuse BEFORE UPDATE OF name ON kelo "
        "WHEN NEW.name = CAST('BAD' AS BLOB) BEGIN SELECT RAISE(ABORT, 'refused'); END");
    const std::string oldName = stack.bottom->FindKelo(Kelo02P)->GetName();
    // Read through the cache first, so it holds the old timetable and name.
    EXPECT_EQ(stack.cache->FindKelo(Kelo02P)->GetSchedule()->GetCount(), 9);
    KeloKeloPtrClass kelo = stack.buffer->FindKelo(Kelo02P);
    kelo->SetName("GOOD");
    kelo->GetSchedule()->RemoveStop(0);
    stack.buffer->DeleteKelo("100");
    stack.buffer->FindKelo("03\xCF")->SetName("BAD");

    const KeloSaveOutcomeType outcome = stack.Save();
    EXPECT_FALSE(outcome.saved);
    EXPECT_NE(outcome.error.find("refused"), std::string::npos) << outcome.error;
    EXPECT_FALSE(outcome.lockedOut);
    // Nothing reached the file, the cache shows the file, the buffer still has everything.
    EXPECT_EQ(stack.bottom->FindKelo(Kelo02P)->GetName(), oldName);
    EXPECT_FALSE(stack.bottom->FindKelo("100").IsNull());
    EXPECT_EQ(stack.cache->FindKelo(Kelo02P)->GetName(), oldName);
    EXPECT_EQ(stack.cache->FindKelo(Kelo02P)->GetSchedule()->GetCount(), 9);
    EXPECT_EQ(stack.cache->GetKeloSet()->GetCount(), 176);
    EXPECT_EQ(stack.bufferObject->GetChangeCount(), 3);
    EXPECT_EQ(stack.buffer->FindKelo(Kelo02P)->GetName(), "GOOD");
    EXPECT_EQ(stack.buffer->FindKelo(Kelo02P)->GetSchedule()->GetCount(), 8);
    EXPECT_EQ(stack.buffer->GetKeloSet()->GetCount(), 175);

    // Once the refused change is mended, the same buffer saves.
    stack.buffer->FindKelo("03\xCF")->SetName("FINE");
    ASSERT_TRUE(stack.Save().saved);
    DatabaseStack again(path);
    EXPECT_EQ(again.bottom->FindKelo(Kelo02P)->GetName(), "GOOD");
    EXPECT_EQ(again.bottom->FindKelo(Kelo02P)->GetSchedule()->GetCount(), 8);
    EXPECT_EQ(again.bottom->FindKelo("03\xCF")->GetName(), "FINE");
}

std::string RoundName(int round) {
    std::string name = "R";
    name += std::to_string(round);
    return name;
}

// Shared between a saving child and the parent that kills it: whether the child is inside a
// save, and how long one round of its changes and their save takes.
struct SaveProbeType {
    std::atomic<int> inSave{0};
    std::atomic<std::int64_t> roundMicroseconds{0};
};

// Saves rounds of changes over every kelo until killed: each round renames every kelo to
// "R<round>" and sets the first arrival of each to the round's minute.
[[noreturn]] void SaveRoundsUntilKilled(const std::string& path, int readyPipe,
                                        SaveProbeType& probe) {
    DatabaseStack stack(path);
    for (int round = 1;; ++round) {
        const auto start = std::chrono::steady_clock::now();
        KeloKeloSetPtrClass kelos = stack.buffer->GetKeloSet();
        for (std::int32_t i = 0; i < kelos->GetCount(); ++i) {
            KeloKeloPtrClass kelo = kelos->GetItem(i);
            kelo->SetName(RoundName(round));
            kelo->GetSchedule()->GetItem(0)->SetArrival(KeloTimeType(round % 1440));
        }
        probe.inSave.store(1);
        const bool saved = stack.Save().saved;
        probe.inSave.store(0);
        if (!saved)
            ::_exit(3);
        if (round == 1) {
            probe.roundMicroseconds.store(std::chrono::duration_cast<std::chrono::microseconds>(
                                              std::chrono::steady_clock::now() - start)
                                              .count());
            if (::write(readyPipe, "x", 1) != 1)
                ::_exit(4);
        }
    }
}

// The file after a kill holds the state of one whole round.
void ExpectOneWholeRound(const std::string& path) {
    DatabaseStack after(path);
    KeloDBStatementClass check(after.connection->GetHandle(), "PRAGMA integrity_check");
    ASSERT_TRUE(check.Step());
    EXPECT_EQ(check.ColumnBytes(0), "ok");
    EXPECT_EQ(after.connection->QueryInt("SELECT count(*) FROM entry"), 2139);
    EXPECT_EQ(after.connection->QueryInt("SELECT count(*) FROM stop"), 441);
    std::set<std::string> names;
    std::set<std::int32_t> arrivals;
    KeloKeloSetPtrClass kelos = after.bottom->GetKeloSet();
    ASSERT_EQ(kelos->GetCount(), 176);
    for (std::int32_t i = 0; i < kelos->GetCount(); ++i) {
        names.insert(kelos->GetItem(i)->GetName());
        arrivals.insert(
            kelos->GetItem(i)->GetSchedule()->GetItem(0)->GetArrival().GetTotalMinutes());
    }
    ASSERT_EQ(names.size(), 1u);
    ASSERT_EQ(arrivals.size(), 1u);
    EXPECT_EQ(*names.begin(), RoundName(*arrivals.begin()));
}

TEST_F(StackDatabaseTest, AProgramKilledInTheMiddleOfASaveLeavesOneWholeState) {
    void* page = ::mmap(nullptr, sizeof(SaveProbeType), PROT_READ | PROT_WRITE,
                        MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(page, MAP_FAILED);
    SaveProbeType* probe = std::construct_at(static_cast<SaveProbeType*>(page));
    // Each kill lands at a random moment of a round. The rounds go on until a few kills
    // landed inside a save, which is most of a round, however fast the build.
    std::mt19937 random(27);
    int rounds = 0, midSave = 0;
    for (; rounds < 8 || (midSave < 3 && rounds < 64); ++rounds) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        probe->inSave.store(0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            SaveRoundsUntilKilled(path, ready[1], *probe);
        }
        ::close(ready[1]);
        char byte;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1) << "the child never saved";
        ::close(ready[0]);
        const auto period = static_cast<std::uint64_t>(probe->roundMicroseconds.load()) + 1;
        std::this_thread::sleep_for(std::chrono::microseconds(random() % period));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "child ended by itself: " << status;
        midSave += probe->inSave.load();
        ExpectOneWholeRound(path);
    }
    ::munmap(page, sizeof(SaveProbeType));
    std::cout << "kills inside a save: " << midSave << " of " << rounds << "\n";
    EXPECT_GE(midSave, 3);
}

} // namespace
