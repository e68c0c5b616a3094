#include "KeloPGOpen.h"

#include "KeloDBBuiltInExport.h"
#include "KeloPGConnectionClass.h"
#include "KeloPGPlanCopy.h"
#include "KeloSchema.h"

#include <algorithm>

namespace {

/// The shared schema steps over one server connection; the version lives in a one-row table.
class KeloPGSchemaStoreClass : public KeloSchemaStoreClass {
public:
    explicit KeloPGSchemaStoreClass(KeloPGConnectionClass& connection) : connection(connection) {}

    const KeloSchemaDialectType& GetDialect() const override { return KeloPGDialect(); }
    void BeginSchemaChange() override {
        connection.Execute("BEGIN; LOCK TABLE kelo_schema IN ACCESS EXCLUSIVE MODE");
    }
    void CommitSchemaChange() override { connection.Execute("COMMIT"); }
    void RollbackSchemaChange() override {
        if (connection.IsInTransaction())
            connection.Execute("ROLLBACK");
    }
    std::int64_t ReadSchemaVersion() override {
        const KeloPGResultClass rows = connection.Query("SELECT version FROM kelo_schema");
        return rows.Rows() == 1 ? rows.Int(0, 0) : 0;
    }
    void WriteSchemaVersion(std::int64_t version) override {
        connection.Query("UPDATE kelo_schema SET version = $1", KeloPGParamsClass().Int(version));
    }
    void ExecuteSchemaSql(const std::string& sql) override { connection.Execute(sql); }

private:
    KeloPGConnectionClass& connection;
};

KeloPGOpenResultType Failure(KeloPGOpenStatusType status, std::string detail) {
    KeloPGOpenResultType result;
    result.status = status;
    result.detail = std::move(detail);
    return result;
}

bool IsKeloPlan(const std::vector<std::string>& tables) {
    const std::vector<std::string>& ours = KeloSchemaTableNames();
    if (std::find(tables.begin(), tables.end(), "kelo_schema") == tables.end())
        return false;
    return std::all_of(tables.begin(), tables.end(), [&](const std::string& table) {
        return table == "kelo_schema" || std::find(ours.begin(), ours.end(), table) != ours.end();
    });
}

} // namespace

std::vector<std::string> KeloPGTableNames(KeloPGConnectionClass& connection) {
    const KeloPGResultClass rows =
        connection.Query("SELECT table_name::text FROM information_schema.tables "
                         "WHERE table_schema = current_schema() ORDER BY 1");
    std::vector<std::string> names;
    for (int r = 0; r < rows.Rows(); ++r)
        names.push_back(rows.Bytes(r, 0));
    return names;
}

KeloPGOpenResultType KeloPGOpen(const std::string& conninfo, bool fillBuiltIn) {
    std::shared_ptr<KeloPGConnectionClass> connection;
    try {
        connection = std::make_shared<KeloPGConnectionClass>(conninfo);
    } catch (const std::exception& error) {
        return Failure(KeloPGOpenStatusType::CannotConnect, error.what());
    }
    KeloPGOpenResultType result;
    try {
        connection->Execute("BEGIN");
        connection->Execute(KeloPGCreateLockSql);
        const std::vector<std::string> tables = KeloPGTableNames(*connection);
        if (tables.empty()) {
            KeloPGPlanWriterClass writer(*connection);
            if (fillBuiltIn)
                KeloWriteBuiltInPlan(writer);
            else
                writer.Commit();
            result.created = true;
        } else if (!IsKeloPlan(tables)) {
            connection->Execute("ROLLBACK");
            return Failure(KeloPGOpenStatusType::ForeignTables,
                           connection->Describe() + " holds tables of another program");
        }
        connection->Execute("COMMIT");
        KeloPGSchemaStoreClass store(*connection);
        KeloSchemaUpgrade(store);
    } catch (const KeloSchemaErrorClass& error) {
        return Failure(error.IsNewer() ? KeloPGOpenStatusType::NewerVersion
                                       : KeloPGOpenStatusType::Failed,
                       connection->Describe() + ": " + error.what());
    } catch (const std::exception& error) {
        return Failure(KeloPGOpenStatusType::Failed, connection->Describe() + ": " + error.what());
    }
    result.status = KeloPGOpenStatusType::Ok;
    result.connection = std::move(connection);
    return result;
}
