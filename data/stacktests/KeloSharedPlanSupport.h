#pragma once

// Two planners on one plan, over any store with versions: the stack a diagram window builds,
// and a race of two processes saving overlapping kelos, shared by the file and server tests.
#include "KeloCacheDataClass.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloKeloRouteDataClass.h"
#include "KeloTransactionalSave.h"
#include "KeloVersionedDataClass.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

/// Cache and edit buffer over a bottom source, as a diagram window stacks them.
struct KeloPlannerType {
    explicit KeloPlannerType(KeloDataPtrClass source) : bottom(std::move(source)) {
        cacheObject = new KeloCacheDataClass(bottom);
        cache = KeloDataPtrClass(cacheObject);
        bufferObject = new KeloCachedUpdateDataClass(cache);
        buffer = KeloDataPtrClass(bufferObject);
    }
    std::string Name(const std::string& number) { return buffer->FindKelo(number)->GetName(); }
    // Saves every change as the window does; `outcome` tells whether the transaction held.
    KeloDataCUApplyResultType SaveAll() {
        KeloDataCUApplyResultType result;
        const std::vector<bool> all(std::size_t(bufferObject->GetChangeCount()), true);
        outcome = KeloSaveInTransaction(KeloFindTransaction(bottom), *cacheObject, *bufferObject,
                                        [&] { result = bufferObject->ApplySelectedUpdates(all); });
        return result;
    }
    std::int64_t StoredVersion(const std::string& number) {
        return KeloFindVersioned(bottom)->GetKeloVersion(number);
    }

    KeloDataPtrClass bottom, cache, buffer;
    KeloCacheDataClass* cacheObject;
    KeloCachedUpdateDataClass* bufferObject;
    KeloSaveOutcomeType outcome;
};

// Two processes save overlapping pairs of kelos 200 times each. Every save writes or holds
// back; each write raises the kelo's version by one from the version its planner read, so the
// versions logged per kelo run 2, 3, ... without gap or repeat, and the stored name is the one
// written last in that order: no save overwrote another unseen.
inline void KeloRaceTwoPlanners(const std::function<KeloDataPtrClass()>& open,
                                const std::filesystem::path& logDir, int rounds = 200) {
    std::vector<std::string> kelos;
    {
        KeloKeloSetPtrClass all = KeloPlannerType(open()).buffer->GetKeloSet();
        for (std::int32_t i = 0; kelos.size() < 4; ++i)
            kelos.push_back(all->GetItem(i)->GetNumber());
    }
    pid_t children[2];
    for (int p = 0; p < 2; ++p) {
        children[p] = ::fork();
        ASSERT_GE(children[p], 0);
        if (children[p] != 0)
            continue;
        int status = 0;
        {
            KeloPlannerType planner(open());
            std::ofstream log(logDir / ("log" + std::to_string(p)));
            for (int round = 0; round < rounds && status == 0; ++round) {
                // Built up in steps: GCC 12 warns falsely (-Wrestrict) on the chained form.
                std::string name = "p";
                name += std::to_string(p);
                name += '-';
                name += std::to_string(round);
                const std::string pair[] = {kelos[(round + p) % 4], kelos[(round + p + 1) % 4]};
                for (const std::string& number : pair)
                    planner.buffer->FindKelo(number)->SetName(name);
                const KeloDataCUApplyResultType result = planner.SaveAll();
                if (!planner.outcome.saved)
                    status = 2;
                for (const std::string& number : pair) {
                    bool held = false;
                    for (const KeloDataCUHeldBackType& kelo : result.heldBack)
                        if (kelo.number == number) {
                            held = true;
                            status = kelo.changedByOther ? status : 3;
                            planner.bufferObject->DiscardKelo(number);
                        }
                    if (!held)
                        log << number << ' ' << planner.cacheObject->GetKeloVersion(number) << ' '
                            << name << '\n';
                }
                if (planner.bufferObject->GetChangeCount() != 0)
                    status = 4;
            }
        }
        ::_exit(status);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }

    std::map<std::string, std::map<std::int64_t, std::string>> written;
    int writes = 0;
    for (int p = 0; p < 2; ++p) {
        std::ifstream log(logDir / ("log" + std::to_string(p)));
        std::string number, name;
        std::int64_t version = 0;
        while (log >> number >> version >> name) {
            EXPECT_TRUE(written[number].emplace(version, name).second)
                << number << " version " << version << " written twice";
            ++writes;
        }
    }
    EXPECT_GT(writes, rounds); // most saves went through
    KeloPlannerType check(open());
    for (const std::string& number : kelos) {
        const auto& versions = written[number];
        std::int64_t expected = 2;
        for (const auto& [version, name] : versions)
            EXPECT_EQ(version, expected++) << number;
        ASSERT_FALSE(versions.empty());
        EXPECT_EQ(check.StoredVersion(number), versions.rbegin()->first);
        EXPECT_EQ(check.Name(number), versions.rbegin()->second);
    }
}

// Routes go down through buffer and cache with the kelo's other changes: a copy takes its
// original's route and no trip id, a step taken back takes its route along, and a number
// deleted and created again starts without one. `a` and `b` are kelos of the store.
inline void KeloExpectRoutesCarried(KeloDataPtrClass store, const std::string& a,
                                    const std::string& b) {
    const KeloFeedRouteType routeA{"RA", "a", "route a", 3}, routeB{"RB", "", "", 700};
    KeloPlannerType planner(store);
    KeloKeloRouteDataClass* routes = KeloFindKeloRoutes(planner.buffer);
    ASSERT_TRUE(routes && KeloFindKeloRoutes(store));
    routes->SetKeloRoute(a, routeA);
    routes->SetKeloRoute(b, routeB);
    EXPECT_EQ(KeloFindKeloRoutes(store)->GetKeloRoute(a), std::nullopt); // not saved yet
    ASSERT_TRUE(planner.SaveAll().heldBack.empty());
    EXPECT_EQ(KeloFindKeloRoutes(store)->GetKeloRoute(a), routeA);

    planner.buffer->CreateKelo("COPY")->SetName("copy");
    routes->SetKeloRoute("COPY", routes->GetKeloRoute(a));
    const auto before = planner.bufferObject->TakeKeloStates({"UNDONE"});
    planner.buffer->CreateKelo("UNDONE")->SetName("undone");
    routes->SetKeloRoute("UNDONE", routeB);
    planner.bufferObject->RestoreKeloStates(before);
    planner.buffer->DeleteKelo(b);
    planner.buffer->CreateKelo(b)->SetName("again");
    EXPECT_EQ(routes->GetKeloRoute(b), std::nullopt);
    ASSERT_TRUE(planner.SaveAll().heldBack.empty());
    ASSERT_TRUE(planner.outcome.saved);

    KeloKeloRouteDataClass* stored = KeloFindKeloRoutes(store);
    EXPECT_EQ(stored->GetKeloRoute("COPY"), routeA);
    EXPECT_EQ(stored->GetKeloRoute(b), std::nullopt);
    EXPECT_TRUE(store->FindKelo("UNDONE").IsNull());
    for (const KeloFeedKeloType& kelo : KeloReadFeedPlan(store).kelos) {
        if (kelo.number == "COPY" || kelo.number == a) {
            EXPECT_EQ(kelo.tripId, "") << kelo.number;
        }
    }
}
