#include "TKeloMessageModule.h"

#include "TZoStringStorage.h"

#include <QStringList>

TKeloMessageModule* KeloMessageModule = nullptr;

namespace {

QStringList MessageTable() {
    // Positions 0 and 2 hold no message this program shows.
    return {QString(),
            QString::fromUtf8("Недостаточно данных для выполнения операции.Будете добавлять "
                              "необходимую информацию?"),
            QString(),
            QString::fromUtf8("Для выполнения данной операции необходимо выполнить пункт "
                              "\"Регламент базы данных\"")};
}

} // namespace

TKeloMessageModule::TKeloMessageModule(QObject* owner) : QObject(owner) {
    setObjectName(QStringLiteral("KeloMessageModule"));
    ZoStringStorage = new TZoStringStorage(MessageTable(), this);
    if (KeloMessageModule == nullptr)
        KeloMessageModule = this;
}

TKeloMessageModule::~TKeloMessageModule() {
    if (KeloMessageModule == this)
        KeloMessageModule = nullptr;
}

QString TKeloMessageModule::Message(int position) const {
    return ZoStringStorage->Line(position);
}

QString KeloSharedMessage(int position) {
    if (KeloMessageModule != nullptr)
        return KeloMessageModule->Message(position);
    return MessageTable().value(position);
}
