#pragma once

#include "KeloChangeFeedClass.h"
#include "KeloDataClass.h"
#include "KeloFeedPlan.h"
#include "KeloKeloRouteDataClass.h"
#include "KeloSelectableDataClass.h"
#include "KeloTransactionClass.h"
#include "KeloVersionedDataClass.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class KeloDBConnectionClass;

/// Data source over a Kelo database: every read asks the database through its indexes and
/// every write goes to it at once (or into the open transaction). Offers all kelos, or with
/// a stop selection those with at least two calls at the selected stops; look-ups by key
/// always search everything. Objects it hands out share the connection and stay valid.
class KeloDBDataClass : public KeloDataClass,
                        public KeloTransactionClass,
                        public KeloSelectableDataClass,
                        public KeloVersionedDataClass,
                        public KeloChangeFeedClass,
                        public KeloFeedPlanSourceClass,
                        public KeloKeloRouteDataClass {
public:
    KeloDBDataClass(std::shared_ptr<KeloDBConnectionClass> connection,
                    std::vector<std::string> selection);

    // Evaluated afresh on each call, so created and deleted kelos show.
    KeloKeloSetPtrClass GetKeloSet() override;
    KeloStopSetPtrClass GetStopSet() override;
    KeloTopologyPtrClass GetTopology() override;
    KeloKeloPtrClass FindKelo(const std::string& number) override;
    KeloStopPtrClass FindStop(const std::string& code) override;
    KeloBusPtrClass FindBus(const std::string& model) override;
    // Empty handle when the number is taken (or empty): numbers are unique.
    KeloKeloPtrClass CreateKelo(const std::string& number) override;
    // Removes the kelo with its timetable; an unknown number is ignored.
    void DeleteKelo(const std::string& number) override;

    bool BeginTransaction() override;
    bool CommitTransaction() override;
    void RollbackTransaction() override;
    std::string GetTransactionError() override;
    bool WasLockedOut() override;

    std::int64_t GetKeloVersion(const std::string& number) override;
    bool ClaimKelo(const std::string& number, std::int64_t readVersion) override;
    // Nothing is kept here: every read asks the database.
    void ReloadKelo(const std::string&) override {}

    // Another connection's commit moves `PRAGMA data_version`; only then are versions read.
    std::vector<std::string> TakeChangedKelos() override;

    KeloDataPtrClass SelectStops(const std::vector<std::string>& stopCodes) override;

    // Every kelo, whatever the selection, in one read transaction. Throws KeloDBErrorClass.
    KeloFeedPlanType ReadFeedPlan() override;

    std::optional<KeloFeedRouteType> GetKeloRoute(const std::string& number) override;
    // Always true: a failed write is noted on the connection, and the next read shows it.
    bool SetKeloRoute(const std::string& number,
                      const std::optional<KeloFeedRouteType>& route) override;

    /// Numbers of the offered kelos in the order they were added.
    std::vector<std::string> GetOfferedNumbers();

private:
    struct OfferedType {
        std::int64_t id;
        std::string number;
    };
    std::vector<OfferedType> Offered();

    std::shared_ptr<KeloDBConnectionClass> connection;
    std::vector<std::string> selection;
    std::string transactionError;
    bool lockedOut = false;
    std::int64_t dataVersion = -1;
    std::map<std::string, std::int64_t> seenVersions;
};
