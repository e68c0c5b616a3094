#include "TZoStringStorage.h"

TZoStringStorage::TZoStringStorage(QObject* owner) : QObject(owner) {
    setObjectName(QStringLiteral("ZoStringStorage"));
}

TZoStringStorage::TZoStringStorage(const QStringList& lines, QObject* owner)
    : TZoStringStorage(owner) {
    this->lines = lines;
}
