#include "KeloOneKeloSourceClass.h"

#include <utility>

namespace {

// The set of that one kelo while the source below still has it.
class KeloOneKeloSetClass : public KeloKeloSetClass {
public:
    KeloOneKeloSetClass(KeloDataPtrClass inner, std::string number)
        : inner(std::move(inner)), number(std::move(number)) {}
    std::int32_t GetCount() override { return inner->FindKelo(number).IsNull() ? 0 : 1; }
    KeloKeloPtrClass GetItem(std::int32_t index) override {
        return index == 0 ? inner->FindKelo(number) : KeloKeloPtrClass();
    }

private:
    KeloDataPtrClass inner;
    std::string number;
};

} // namespace

KeloOneKeloSourceClass::KeloOneKeloSourceClass(KeloDataPtrClass inner, std::string number)
    : inner(std::move(inner)), transaction(KeloFindTransaction(this->inner)),
      number(std::move(number)) {}

KeloKeloSetPtrClass KeloOneKeloSourceClass::GetKeloSet() {
    return KeloKeloSetPtrClass(new KeloOneKeloSetClass(inner, number));
}

bool KeloOneKeloSourceClass::BeginTransaction() {
    return transaction == nullptr || transaction->BeginTransaction();
}

bool KeloOneKeloSourceClass::CommitTransaction() {
    return transaction == nullptr || transaction->CommitTransaction();
}

void KeloOneKeloSourceClass::RollbackTransaction() {
    if (transaction != nullptr)
        transaction->RollbackTransaction();
}

std::string KeloOneKeloSourceClass::GetTransactionError() {
    return transaction == nullptr ? std::string() : transaction->GetTransactionError();
}

bool KeloOneKeloSourceClass::WasLockedOut() {
    return transaction != nullptr && transaction->WasLockedOut();
}
