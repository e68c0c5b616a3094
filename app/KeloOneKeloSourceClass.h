#pragma once

#include "KeloDataClass.h"
#include "KeloTransactionClass.h"

#include <string>

/// Offers one kelo of another source and passes everything else to it, its transactions
/// included. A kelo without stops lies on no line, so its window is opened over this.
class KeloOneKeloSourceClass : public KeloDataClass, public KeloTransactionClass {
public:
    KeloOneKeloSourceClass(KeloDataPtrClass inner, std::string number);

    KeloKeloSetPtrClass GetKeloSet() override;
    KeloStopSetPtrClass GetStopSet() override { return inner->GetStopSet(); }
    KeloTopologyPtrClass GetTopology() override { return inner->GetTopology(); }
    KeloKeloPtrClass FindKelo(const std::string& key) override { return inner->FindKelo(key); }
    KeloStopPtrClass FindStop(const std::string& code) override { return inner->FindStop(code); }
    KeloBusPtrClass FindBus(const std::string& model) override { return inner->FindBus(model); }
    KeloKeloPtrClass CreateKelo(const std::string& key) override { return inner->CreateKelo(key); }
    void DeleteKelo(const std::string& key) override { inner->DeleteKelo(key); }

    bool BeginTransaction() override;
    bool CommitTransaction() override;
    void RollbackTransaction() override;
    std::string GetTransactionError() override;
    bool WasLockedOut() override;

private:
    KeloDataPtrClass inner;
    KeloTransactionClass* transaction; // the inner source's, or null
    std::string number;
};
