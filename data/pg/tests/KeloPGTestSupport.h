#pragma once

#include "KeloDBTestSupport.h"
#include "KeloDataClass.h"
#include "KeloPGConnectionClass.h"
#include "KeloPGDataClass.h"
#include "KeloPGOpen.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

// Server tests run inside pg_virtualenv, which points libpq at a throw-away server through
// PGHOST, PGPORT, PGUSER and PGPASSWORD; without it they are skipped.
inline bool KeloPGServerAvailable() {
    return std::getenv("PGHOST") && std::getenv("PGPORT");
}

#define KELO_REQUIRE_SERVER()                                                                      \
    if (!KeloPGServerAvailable())                                                                  \
    GTEST_SKIP() << "no PostgreSQL server (run inside pg_virtualenv)"

/// A fresh, empty database on the test server, dropped with the object.
class KeloPGTestDatabaseType {
public:
    KeloPGTestDatabaseType() {
        static std::atomic<int> counter{0};
        name = "kelo_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
        KeloPGConnectionClass admin("dbname=postgres");
        admin.Execute("CREATE DATABASE " + name);
    }
    ~KeloPGTestDatabaseType() {
        try {
            KeloPGConnectionClass admin("dbname=postgres");
            admin.Execute("DROP DATABASE IF EXISTS " + name + " WITH (FORCE)");
        } catch (const std::exception&) {
            // A stopped server drops nothing; its cluster goes with pg_virtualenv.
        }
    }
    std::string ConnInfo() const { return "dbname=" + name; }
    std::string name;
};

/// A server database holding the built-in data set, for the contract suite; `keep` drops it.
inline KeloDataPtrClass KeloPGOpenTestSource(KeloDBTempDirType&, std::shared_ptr<void>& keep) {
    auto database = std::make_shared<KeloPGTestDatabaseType>();
    keep = database;
    KeloPGOpenResultType opened = KeloPGOpen(database->ConnInfo());
    EXPECT_EQ(opened.status, KeloPGOpenStatusType::Ok) << opened.detail;
    return opened.connection ? KeloDataPtrClass(new KeloPGDataClass(opened.connection, {}))
                             : KeloDataPtrClass();
}
