#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// One description of the Kelo tables for every store. The SQL below is written once, with a
// few words that differ between engines left as tokens ({ID}, {BYTES}, {INT},
// {WITHOUT_ROWID}); each store renders it in its own dialect. A new database is made from the
// base tables of version 1 and then the same steps that upgrade an older one, so the two paths
// cannot drift apart.

/// How one engine spells the tokens of the shared schema text.
struct KeloSchemaDialectType {
    std::string id;           // an integer key the store numbers itself
    std::string bytes;        // Windows-1251 texts kept as raw bytes
    std::string integer;      // a 64-bit integer
    std::string withoutRowid; // table option for tables keyed by other columns
};

/// One schema change from version `from` to `from + 1`.
struct KeloSchemaStepType {
    std::int64_t from;
    std::string sql;
};

/// Schema version this program writes and reads.
inline constexpr std::int64_t KeloSchemaVersion = 3;

/// The tables of version 1, without their secondary indexes.
std::string KeloSchemaBaseTables(const KeloSchemaDialectType& dialect);
/// The secondary indexes of version 1 (made after a bulk load, which is faster).
std::string KeloSchemaBaseIndexes(const KeloSchemaDialectType& dialect);
/// The steps from version 1 up to KeloSchemaVersion, in order.
const std::vector<KeloSchemaStepType>& KeloSchemaSteps();
/// The text with the dialect's words in place of the tokens.
std::string KeloSchemaRender(std::string_view sql, const KeloSchemaDialectType& dialect);
/// The names of the Kelo tables; a database holding any other table is not a Kelo plan.
const std::vector<std::string>& KeloSchemaTableNames();

/// A schema the program cannot work with: newer than it knows, or a step that failed.
class KeloSchemaErrorClass : public std::runtime_error {
public:
    KeloSchemaErrorClass(const std::string& message, bool newer)
        : std::runtime_error(message), newer(newer) {}
    bool IsNewer() const { return newer; }

private:
    bool newer;
};

/// A store the schema steps run on. Every call throws (any std::exception) on failure.
class KeloSchemaStoreClass {
public:
    virtual ~KeloSchemaStoreClass() = default;
    virtual const KeloSchemaDialectType& GetDialect() const = 0;
    // Starts a write transaction that keeps other writers out until it ends.
    virtual void BeginSchemaChange() = 0;
    virtual void CommitSchemaChange() = 0;
    virtual void RollbackSchemaChange() = 0;
    virtual std::int64_t ReadSchemaVersion() = 0;
    virtual void WriteSchemaVersion(std::int64_t version) = 0;
    virtual void ExecuteSchemaSql(const std::string& sql) = 0;
};

/// Runs the steps from `from` to the current version in the caller's open transaction (a new
/// database being filled), writing the version reached.
void KeloSchemaApplySteps(KeloSchemaStoreClass& store, std::int64_t from);
/// Brings an existing database up to the current version in place, each step in its own
/// transaction, so an interrupted upgrade leaves a whole older version. A newer version is
/// refused before anything is written (KeloSchemaErrorClass with IsNewer). Returns the
/// version the database had.
std::int64_t KeloSchemaUpgrade(KeloSchemaStoreClass& store);
