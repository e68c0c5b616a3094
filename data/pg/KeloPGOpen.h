#pragma once

#include <memory>
#include <string>
#include <vector>

class KeloPGConnectionClass;

/// How opening a Kelo plan on a PostgreSQL server went.
enum class KeloPGOpenStatusType {
    Ok,
    CannotConnect, // bad connection string, server unreachable, credentials refused
    ForeignTables, // the database holds tables that are not a Kelo plan
    NewerVersion,  // a plan of a newer Kelo
    Failed,        // creating or upgrading the plan failed
};

/// The result of KeloPGOpen: the connection when Ok, else the status and the reason (which
/// names host and database only, never the password).
struct KeloPGOpenResultType {
    KeloPGOpenStatusType status = KeloPGOpenStatusType::CannotConnect;
    std::string detail;
    std::shared_ptr<KeloPGConnectionClass> connection;
    bool created = false; // the database was empty and now holds the built-in data set
};

/// Connects, then: an empty database gets the Kelo tables and the built-in data set in one
/// transaction (`fillBuiltIn`; otherwise the tables only); an older Kelo plan is upgraded in
/// place; a newer one, or a database with other tables, is refused untouched.
KeloPGOpenResultType KeloPGOpen(const std::string& conninfo, bool fillBuiltIn = true);

/// Taken inside the transaction that fills an empty database: two programs filling one
/// database take turns, and the second finds it no longer empty.
inline constexpr const char* KeloPGCreateLockSql = "SELECT pg_advisory_xact_lock(4989769327)";

/// The tables in the connection's schema, for telling an empty database from a plan.
std::vector<std::string> KeloPGTableNames(KeloPGConnectionClass& connection);
