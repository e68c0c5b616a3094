#include "KeloStartupSource.h"

#include "KeloDBBuiltInExport.h"
#include "KeloDBConnectionClass.h"
#include "KeloDBDataClass.h"
#include "KeloDBOpen.h"
#include "KeloDemoDataClass.h"
#include "KeloMessageBoxes.h"

#include <exception>
#include <filesystem>

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

} // namespace

KeloStartupSourceType OpenStartupSource(const std::string& databaseFile, int busyTimeoutMs,
                                        bool readOnly) {
    KeloStartupSourceType result;
    if (databaseFile.empty()) {
        result.source = MakeBuiltInSource();
        return result;
    }
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
