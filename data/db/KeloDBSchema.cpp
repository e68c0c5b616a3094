#include "KeloDBSchema.h"

#include "KeloDBConnectionClass.h"

#include <string>

namespace {

/// The shared schema steps over one SQLite connection.
class KeloDBSchemaStoreClass : public KeloSchemaStoreClass {
public:
    explicit KeloDBSchemaStoreClass(KeloDBConnectionClass& connection) : connection(connection) {}

    const KeloSchemaDialectType& GetDialect() const override { return KeloDBDialect(); }
    // IMMEDIATE: a second program upgrading at the same time waits and then finds it done.
    void BeginSchemaChange() override { connection.Execute("BEGIN IMMEDIATE"); }
    void CommitSchemaChange() override { connection.Execute("COMMIT"); }
    void RollbackSchemaChange() override {
        if (connection.IsInTransaction())
            connection.Execute("ROLLBACK");
    }
    std::int64_t ReadSchemaVersion() override { return connection.QueryInt("PRAGMA user_version"); }
    // The version is a number, never a value from outside: PRAGMA takes no parameters.
    void WriteSchemaVersion(std::int64_t version) override {
        connection.Execute(("PRAGMA user_version = " + std::to_string(version)).c_str());
    }
    void ExecuteSchemaSql(const std::string& sql) override { connection.Execute(sql.c_str()); }

private:
    KeloDBConnectionClass& connection;
};

} // namespace

const KeloSchemaDialectType& KeloDBDialect() {
    static const KeloSchemaDialectType dialect{"INTEGER PRIMARY KEY", "BLOB", "INTEGER",
                                               " WITHOUT ROWID"};
    return dialect;
}

void KeloDBCreateTables(KeloDBConnectionClass& connection) {
    connection.Execute(KeloSchemaBaseTables(KeloDBDialect()).c_str());
    KeloDBSchemaStoreClass store(connection);
    KeloSchemaApplySteps(store, 1);
}

void KeloDBCreateIndexes(KeloDBConnectionClass& connection) {
    connection.Execute(KeloSchemaBaseIndexes(KeloDBDialect()).c_str());
}

void KeloDBStampVersion(KeloDBConnectionClass& connection) {
    connection.Execute(("PRAGMA application_id = " + std::to_string(KeloDBApplicationId) +
                        "; PRAGMA user_version = " + std::to_string(KeloDBSchemaVersion))
                           .c_str());
}

std::int64_t KeloDBUpgradeSchema(KeloDBConnectionClass& connection) {
    KeloDBSchemaStoreClass store(connection);
    return KeloSchemaUpgrade(store);
}
