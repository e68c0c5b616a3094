#include "KeloStartupSource.h"

#include "KeloDBBuiltInExport.h"
#include "KeloDBConnectionClass.h"
#include "KeloDBDataClass.h"
#include "KeloDBOpen.h"
#include "KeloDBPlanCopy.h"
#include "KeloDemoDataClass.h"
#include "KeloMessageBoxes.h"
#include "KeloPGConnectionClass.h"
#include "KeloPGDataClass.h"
#include "KeloPGOpen.h"
#include "KeloPGPlanCopy.h"

#include <exception>
#include <filesystem>
#include <stdexcept>

namespace {

QString Quoted(const std::string& path) {
    return QStringLiteral("«%1»").arg(QString::fromLocal8Bit(path));
}

QString OpenError(const KeloDBOpenResultType& opened, const std::string& path) {
    switch (opened.status) {
    case KeloDBOpenStatusType::NotKeloDatabase:
        return QStringLiteral("Файл %1 не является базой данных Kelo.").arg(Quoted(path));
    case KeloDBOpenStatusType::Damaged:
        return QStringLiteral("База данных %1 повреждена (%2).")
            .arg(Quoted(path), QString::fromStdString(opened.detail));
    case KeloDBOpenStatusType::NewerVersion:
        return QStringLiteral("База данных %1 создана более новой версией программы.")
            .arg(Quoted(path));
    default:
        return QStringLiteral("Не удаётся открыть базу данных %1: %2.")
            .arg(Quoted(path), QString::fromStdString(opened.detail));
    }
}

// A plan on a server. The messages name host and database, never the connection string,
// which may carry the password.
KeloStartupSourceType OpenServerSource(const std::string& conninfo) {
    KeloStartupSourceType result;
    const KeloPGOpenResultType opened = KeloPGOpen(conninfo);
    const QString detail = QString::fromLocal8Bit(opened.detail);
    switch (opened.status) {
    case KeloPGOpenStatusType::Ok:
        result.source = KeloDataPtrClass(new KeloPGDataClass(opened.connection, {}));
        return result;
    case KeloPGOpenStatusType::ForeignTables:
        result.error = QStringLiteral("База данных на сервере содержит таблицы другой программы "
                                      "и оставлена без изменений (%1).")
                           .arg(detail);
        return result;
    case KeloPGOpenStatusType::NewerVersion:
        result.error = QStringLiteral("План на сервере создан более новой версией программы (%1).")
                           .arg(detail);
        return result;
    default:
        result.error = QStringLiteral("Не удаётся открыть план на сервере: %1.").arg(detail);
        return result;
    }
}

} // namespace

KeloStartupSourceType OpenStartupSource(const std::string& databaseFile, int busyTimeoutMs,
                                        bool readOnly) {
    KeloStartupSourceType result;
    if (databaseFile.empty()) {
        result.source = MakeBuiltInSource();
        return result;
    }
    if (KeloPGIsConnInfo(databaseFile))
        return OpenServerSource(databaseFile);
    std::error_code ignored;
    if (!readOnly && !std::filesystem::exists(databaseFile, ignored) &&
        !std::filesystem::is_symlink(databaseFile, ignored)) {
        try {
            KeloDBWriteBuiltInDataSet(databaseFile);
        } catch (const std::exception& error) {
            result.error = QStringLiteral("Не удаётся создать базу данных %1: %2.")
                               .arg(Quoted(databaseFile), QString::fromLocal8Bit(error.what()));
            return result;
        }
    }
    KeloDBOpenResultType opened =
        KeloDBOpen(databaseFile, busyTimeoutMs,
                   readOnly ? KeloDBOpenModeType::ReadOnly : KeloDBOpenModeType::ReadWrite);
    if (opened.status != KeloDBOpenStatusType::Ok) {
        result.error = OpenError(opened, databaseFile);
        return result;
    }
    // A command that only reads sees one snapshot throughout, and takes the file's lock once
    // rather than once per statement.
    if (readOnly) {
        try {
            opened.connection->Execute("BEGIN");
        } catch (const std::exception& error) {
            result.error = QStringLiteral("Не удаётся открыть базу данных %1: %2.")
                               .arg(Quoted(databaseFile), QString::fromStdString(error.what()));
            return result;
        }
    }
    result.source = KeloDataPtrClass(new KeloDBDataClass(opened.connection, {}));
    result.readFailure = [connection = opened.connection] { return connection->GetFailure(); };
    return result;
}

KeloDataPtrClass OpenStartupSourceOrReport(const std::string& databaseFile) {
    KeloStartupSourceType startup = OpenStartupSource(databaseFile);
    if (startup.source.IsNull())
        KeloShowError(startup.error);
    return startup.source;
}

std::string DescribeStore(const std::string& store) {
    return IsServerStore(store) ? KeloPGDescribeConnInfo(store) : "\"" + store + "\"";
}

bool IsServerStore(const std::string& store) {
    return KeloPGIsConnInfo(store);
}

void ReadStorePlan(const std::string& store, KeloPlanWriterClass& writer) {
    if (IsServerStore(store)) {
        {
            KeloPGConnectionClass probe(store);
            if (KeloPGTableNames(probe).empty())
                throw std::runtime_error(probe.Describe() + " holds no plan");
        }
        const KeloPGOpenResultType opened = KeloPGOpen(store, false);
        if (opened.status != KeloPGOpenStatusType::Ok)
            throw std::runtime_error(opened.detail);
        KeloPGReadPlan(*opened.connection, writer);
        return;
    }
    const KeloDBOpenResultType opened = KeloDBOpen(store);
    if (opened.status != KeloDBOpenStatusType::Ok)
        throw std::runtime_error(opened.detail.empty() ? "not a Kelo database" : opened.detail);
    KeloDBReadPlan(*opened.connection, writer);
}

void WriteNewStorePlan(const std::string& store,
                       const std::function<void(KeloPlanWriterClass&)>& fill) {
    if (IsServerStore(store)) {
        KeloPGWriteNewPlan(store, fill);
        return;
    }
    KeloDBPlanWriterClass writer(store);
    fill(writer);
}
