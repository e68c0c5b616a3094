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

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <exception>
#include <filesystem>
#include <future>
#include <stdexcept>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

QString Quoted(const std::string& path) {
    return QStringLiteral("«%1»").arg(QString::fromLocal8Bit(path));
}

QString PlanName(const std::string& file) {
    return QDir::toNativeSeparators(QFileInfo(QString::fromLocal8Bit(file)).absoluteFilePath());
}

// The store's own words stay in brackets after a Russian sentence: they are what a
// technician needs, and the sentence is what the planner needs.
QString Reason(const std::string& detail) {
    return detail.empty() ? QString() : QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(detail));
}

QString OpenError(const KeloDBOpenResultType& opened, const std::string& path) {
    std::error_code ignored;
    switch (opened.status) {
    case KeloDBOpenStatusType::NotKeloDatabase:
        return QStringLiteral("Файл %1 не является базой данных Kelo.").arg(Quoted(path));
    case KeloDBOpenStatusType::Damaged:
        return QStringLiteral("База данных %1 повреждена%2.")
            .arg(Quoted(path), Reason(opened.detail));
    case KeloDBOpenStatusType::NewerVersion:
        return QStringLiteral("База данных %1 создана более новой версией программы.")
            .arg(Quoted(path));
    default:
        if (fs::is_directory(path, ignored))
            return QStringLiteral("Не удаётся открыть базу данных %1: это папка, а не файл. "
                                  "Укажите файл базы данных%2.")
                .arg(Quoted(path), Reason(opened.detail));
        return QStringLiteral("Не удаётся открыть базу данных %1: файл недоступен для чтения "
                              "или занят другой программой%2.")
            .arg(Quoted(path), Reason(opened.detail));
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
        result.planName = QString::fromStdString(KeloPGDescribeConnInfo(conninfo));
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

QString CreateError(const std::string& path, const std::string& detail) {
    std::error_code ignored;
    const fs::path folder = fs::absolute(fs::path(path), ignored).parent_path();
    if (!fs::is_directory(folder, ignored))
        return QStringLiteral("Не удаётся создать базу данных %1: папки %2 нет. "
                              "Укажите файл в существующей папке%3.")
            .arg(Quoted(path), Quoted(folder.string()), Reason(detail));
    return QStringLiteral("Не удаётся создать базу данных %1: в папку %2 нельзя записать "
                          "файл%3.")
        .arg(Quoted(path), Quoted(folder.string()), Reason(detail));
}

// A file nobody has written yet holds nothing to lose: it is set up like a missing one.
bool IsMissingOrEmpty(const std::string& path) {
    std::error_code error;
    if (fs::is_symlink(path, error))
        return false;
    if (!fs::exists(path, error))
        return !error;
    return fs::is_regular_file(path, error) && fs::file_size(path, error) == 0 && !error;
}

KeloStartupSourceType Failed(QString error) {
    KeloStartupSourceType result;
    result.error = std::move(error);
    return result;
}

QString SettingsFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("Kelo.ini"));
}

KeloStartupSourceType OpenSource(const std::string& databaseFile, int busyTimeoutMs, bool readOnly,
                                 KeloDBOpenCheckType check) {
    KeloStartupSourceType result;
    if (databaseFile.empty()) {
        result.source = MakeBuiltInSource();
        result.planName = QStringLiteral("встроенные данные");
        result.saveRefusal =
            QStringLiteral("Встроенные данные изменить нельзя, поэтому изменения не сохранены. "
                           "Чтобы сохранять работу, запустите Kelo без --demo или укажите "
                           "файл плана: kelo --database ФАЙЛ.");
        return result;
    }
    if (KeloPGIsConnInfo(databaseFile))
        return OpenServerSource(databaseFile);
    // A command that only reads never makes a file.
    if (!readOnly && IsMissingOrEmpty(databaseFile)) {
        std::error_code ignored;
        // The builder never replaces a file; an empty one goes first.
        if (fs::exists(databaseFile, ignored) && !fs::remove(databaseFile, ignored))
            return Failed(CreateError(databaseFile, "cannot remove the empty file"));
        try {
            KeloDBWriteBuiltInDataSet(databaseFile);
        } catch (const std::exception& error) {
            return Failed(CreateError(databaseFile, error.what()));
        }
    }
    KeloDBOpenResultType opened =
        KeloDBOpen(databaseFile, busyTimeoutMs,
                   readOnly ? KeloDBOpenModeType::ReadOnly : KeloDBOpenModeType::ReadWrite, check);
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
    result.file = databaseFile;
    result.planName = PlanName(databaseFile);
    if (!readOnly && ::access(databaseFile.c_str(), W_OK) != 0)
        result.saveRefusal =
            QStringLiteral("План %1 открыт только для просмотра: файл защищён от записи, "
                           "поэтому изменения не сохранены. Разрешите запись в файл или "
                           "откройте другой план.")
                .arg(Quoted(databaseFile));
    if (check == KeloDBOpenCheckType::Deferred) {
        // Started after the opening, which may have upgraded the file: the check reads what
        // the planner will work on.
        std::shared_future<KeloDBOpenResultType> whole =
            std::async(std::launch::async, KeloDBCheckWhole, databaseFile, busyTimeoutMs).share();
        result.awaitWholeCheck = [whole, databaseFile] {
            const KeloDBOpenResultType& checked = whole.get();
            return checked.status == KeloDBOpenStatusType::Ok ? QString()
                                                              : OpenError(checked, databaseFile);
        };
    }
    return result;
}

} // namespace

KeloStartupSourceType OpenStartupSource(const std::string& databaseFile, int busyTimeoutMs,
                                        bool readOnly) {
    return OpenSource(databaseFile, busyTimeoutMs, readOnly, KeloDBOpenCheckType::Whole);
}

KeloStartupSourceType OpenStartupSourceCheckingBehind(const std::string& databaseFile) {
    return OpenSource(databaseFile, KeloDBDefaultBusyTimeoutMs, false,
                      KeloDBOpenCheckType::Deferred);
}

KeloStartupSourceType OpenPlannersPlan() {
    const std::string remembered = RememberedPlanFile();
    std::error_code ignored;
    // A remembered plan that has gone (a removed disk) is not made anew: the default is.
    if (!remembered.empty() && fs::exists(remembered, ignored)) {
        KeloStartupSourceType result = OpenStartupSource(remembered);
        if (!result.source.IsNull())
            return result;
    }
    const std::string file = DefaultPlanFile();
    QDir().mkpath(QFileInfo(QString::fromLocal8Bit(file)).absolutePath());
    KeloStartupSourceType result = OpenStartupSource(file);
    if (!result.source.IsNull())
        RememberPlanFile(file);
    return result;
}

KeloStartupSourceType CreatePlanFile(const std::string& file) {
    if (!IsMissingOrEmpty(file))
        return Failed(QStringLiteral("Файл %1 уже существует. Новый план создаётся только в новом "
                                     "файле: укажите другое имя.")
                          .arg(Quoted(file)));
    return OpenStartupSource(file);
}

std::string DefaultPlanFile() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(folder).filePath(QStringLiteral("plan.db")).toLocal8Bit().toStdString();
}

std::string RememberedPlanFile() {
    const QSettings settings(SettingsFile(), QSettings::IniFormat);
    return settings.value(QStringLiteral("Plan/File")).toString().toLocal8Bit().toStdString();
}

void RememberPlanFile(const std::string& file) {
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Plan/File"), PlanName(file));
}

KeloDataPtrClass OpenStartupSourceOrReport(const std::string& databaseFile) {
    KeloStartupSourceType startup = OpenStartupSource(databaseFile);
    ReportStartupError(startup);
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

bool ReportStartupError(const KeloStartupSourceType& startup) {
    if (startup.source.IsNull())
        KeloShowError(startup.error);
    return !startup.source.IsNull();
}
