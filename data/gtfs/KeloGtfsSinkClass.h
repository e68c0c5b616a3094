#pragma once

#include "KeloFeedPlan.h"
#include "KeloTimeType.h"

#include <cstdint>
#include <string>

/// Where an import writes its network. Calls come in this order: every bus model, every stop,
/// every link (each pair of stops once, one distance for both directions), then each kelo followed
/// by its entries in travel order, and Commit last. Texts are Windows-1251 bytes. An import that is
/// refused never calls Commit; the sink then keeps nothing.
class KeloGtfsSinkClass {
public:
    virtual ~KeloGtfsSinkClass() = default;
    virtual void AddBus(const std::string& model, const std::string& category,
                        std::int32_t capacity) = 0;
    virtual void AddStop(const std::string& code, const std::string& name) = 0;
    virtual void AddLink(const std::string& codeA, const std::string& codeB, float distance) = 0;
    virtual void AddKelo(const std::string& number, const std::string& name,
                         const std::string& busModel) = 0;
    // An entry of the kelo added last.
    virtual void AddEntry(const std::string& stopCode, KeloTimeType arrival, KeloTimeType stay) = 0;
    // What an export needs back, each right after what it belongs to was added: the stop's
    // position, the kelo's route and trip id (of the kelo added last), and the operator
    // before Commit. A sink that keeps no such details ignores them.
    virtual void SetStopPosition(const std::string& /*code*/, double /*latitude*/,
                                 double /*longitude*/) {}
    virtual void SetKeloFeedDetails(const KeloFeedRouteType& /*route*/,
                                    const std::string& /*tripId*/) {}
    virtual void SetAgency(const KeloFeedAgencyType& /*agency*/) {}
    virtual void Commit() = 0;
};
