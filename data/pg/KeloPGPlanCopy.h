#pragma once

#include "KeloPGConnectionClass.h"
#include "KeloPlanWriterClass.h"
#include "KeloSchema.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

class KeloPGConnectionClass;

/// How PostgreSQL spells the words the shared schema leaves open.
const KeloSchemaDialectType& KeloPGDialect();

/// Writes a plan into an empty database inside the connection's open transaction: the
/// constructor makes the tables of the current version, Commit adds the indexes. The caller
/// commits the transaction, so the plan appears whole or not at all.
class KeloPGPlanWriterClass : public KeloPlanWriterClass {
public:
    explicit KeloPGPlanWriterClass(KeloPGConnectionClass& connection);

    void AddBus(const std::string& model, const std::string& category,
                std::int32_t capacity) override;
    void AddStop(const std::string& code, const std::string& name) override;
    void AddLink(const std::string& codeA, const std::string& codeB, float distance) override;
    void AddKelo(const std::string& number, const std::string& name,
                 const std::string& busModel) override;
    void AddEntry(const std::string& stopCode, KeloTimeType arrival, KeloTimeType stay) override;
    void SetStopPosition(const std::string& code, double latitude, double longitude) override;
    void SetKeloFeedDetails(const std::optional<KeloFeedRouteType>& route,
                            const std::string& tripId) override;
    void SetAgency(const KeloFeedAgencyType& agency) override;
    void Commit() override;

private:
    // A stop or kelo is inserted only when the next call needs its id, so the details that
    // follow it go in the same statement rather than in an update of their own.
    struct PendingStopType {
        std::string code, name;
        std::optional<double> latitude, longitude;
    };
    struct PendingKeloType {
        std::string number, name;
        std::int64_t bus = -1; // none
        std::optional<KeloFeedRouteType> route;
        std::string tripId;
    };
    void FlushStop();
    void FlushKelo();

    std::int64_t Id(const std::unordered_map<std::string, std::int64_t>& ids,
                    const std::string& key, const char* what) const;

    KeloPGConnectionClass& connection;
    std::unordered_map<std::string, std::int64_t> buses, stops;
    // Entries go in batches of many rows per statement: one round trip per row would
    // dominate copying a large plan.
    void FlushEntries();

    std::optional<PendingStopType> pendingStop;
    std::optional<PendingKeloType> pendingKelo;
    std::int64_t kelo = -1; // id of the kelo added last, once inserted
    std::int64_t nextSeq = 0;
    KeloPGParamsClass pending;
    int pendingRows = 0;
};

/// Reads the whole plan on the server into `writer` in one read transaction, each table in
/// one statement, and commits the writer.
void KeloPGReadPlan(KeloPGConnectionClass& connection, KeloPlanWriterClass& writer);

/// Writes a new plan into the empty database `conninfo` names, all of it in one transaction
/// or nothing. Throws (naming host and database only) when the database is not empty.
void KeloPGWriteNewPlan(const std::string& conninfo,
                        const std::function<void(KeloPlanWriterClass&)>& fill);
