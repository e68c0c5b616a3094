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
#include <unordered_map>
#include <vector>

class KeloPGConnectionClass;

/// Data source over a Kelo plan kept by a PostgreSQL server, with the same tables as the
/// SQLite file. Every read asks the server; every write goes to it at once, or into the open
/// transaction. Offers all kelos, or with a stop selection those with at least two calls at
/// the selected stops; look-ups by key always search everything.
class KeloPGDataClass : public KeloDataClass,
                        public KeloTransactionClass,
                        public KeloSelectableDataClass,
                        public KeloVersionedDataClass,
                        public KeloChangeFeedClass,
                        public KeloFeedPlanSourceClass,
                        public KeloKeloRouteDataClass {
public:
    KeloPGDataClass(std::shared_ptr<KeloPGConnectionClass> connection,
                    std::vector<std::string> selection);

    KeloKeloSetPtrClass GetKeloSet() override;
    KeloStopSetPtrClass GetStopSet() override;
    KeloTopologyPtrClass GetTopology() override;
    KeloKeloPtrClass FindKelo(const std::string& number) override;
    KeloStopPtrClass FindStop(const std::string& code) override;
    KeloBusPtrClass FindBus(const std::string& model) override;
    // Empty handle when the number is taken (or empty).
    KeloKeloPtrClass CreateKelo(const std::string& number) override;
    void DeleteKelo(const std::string& number) override;

    bool BeginTransaction() override;
    bool CommitTransaction() override;
    void RollbackTransaction() override;
    std::string GetTransactionError() override;
    // The server waits for row locks itself; a save is never locked out.
    bool WasLockedOut() override { return false; }

    std::int64_t GetKeloVersion(const std::string& number) override;
    bool ClaimKelo(const std::string& number, std::int64_t readVersion) override;
    void ReloadKelo(const std::string&) override {}

    // Every save notifies the other sessions; versions are read only after a notification.
    std::vector<std::string> TakeChangedKelos() override;

    KeloDataPtrClass SelectStops(const std::vector<std::string>& stopCodes) override;

    // Every kelo, whatever the selection, from one snapshot. Throws KeloPGErrorClass.
    KeloFeedPlanType ReadFeedPlan() override;

    std::optional<KeloFeedRouteType> GetKeloRoute(const std::string& number) override;
    // Always true: a failed write is noted on the connection, and the next read shows it.
    bool SetKeloRoute(const std::string& number,
                      const std::optional<KeloFeedRouteType>& route) override;

private:
    std::shared_ptr<KeloPGConnectionClass> connection;
    std::vector<std::string> selection;
    std::string transactionError;
    // Row ids of kelos by number, as the last kelo list found them: FindKelo is asked for
    // every part of every kelo a window shows, and a round trip each would add up. A number
    // the feed names as changed, or one deleted or created here, is looked up again.
    std::unordered_map<std::string, std::int64_t> knownIds;
    bool listening = false;
    std::uint64_t seenNotifications = 0;
    std::map<std::string, std::int64_t> seenVersions;
};
