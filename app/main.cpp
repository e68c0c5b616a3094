#include "KeloCheckCommand.h"
#include "KeloCommandLine.h"
#include "KeloDBOpen.h"
#include "KeloErrorReport.h"
#include "KeloExportCommand.h"
#include "KeloGtfsExportCommand.h"
#include "KeloGtfsImportCommand.h"
#include "KeloSettingsFile.h"
#include "KeloStartupSource.h"
#include "TKeloMainFrame.h"
#include "TKeloMessageModule.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

// Exit status of every refusal of the command line.
constexpr int RefusedExitCode = 2;

int RunInteractive(int argc, char** argv, const KeloCommandLineType& options) {
    QApplication app(argc, argv);
    try {
        QApplication::setApplicationName("Kelo");
        // No display name: the platform would add it to every caption, and the main
        // window's caption already begins with the program's name.
        // Every text of ours is Russian, so Qt's own buttons and dialogs ("Yes", "Cancel",
        // the file dialog) speak Russian too, whatever the locale.
        QTranslator qtTexts;
        if (qtTexts.load(QStringLiteral("qtbase_ru"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QApplication::installTranslator(&qtTexts);

        // Without options the planner's own plan opens, so saved work is there next time.
        const KeloStartupSourceType startup =
            options.demo               ? OpenStartupSource("")
            : options.database.empty() ? OpenPlannersPlan()
                                       : OpenStartupSourceCheckingBehind(options.database);
        if (!ReportStartupError(startup))
            return KeloStartupRefusedExitCode;
        auto mainFrame = std::make_unique<TKeloMainFrame>(startup);
        TKeloMessageModule messageModule(&app);
        SetSettingsFileNameProvider(MakeSettingsFileName);

        mainFrame->showMaximized();
        // The planner meets the kelo choice first, over the empty main window.
        mainFrame->DoFlightDiagramActionExecute();
        // Should the list not have been shown, the check is waited for here.
        if (!mainFrame->TrustPlan())
            return KeloStartupRefusedExitCode;
        mainFrame->setAttribute(Qt::WA_QuitOnClose);
        if (mainFrame->isVisible())
            app.exec();
        mainFrame.reset();
    } catch (const std::exception& error) {
        ShowExceptionError(error);
    } catch (...) {
        ShowCurrentExceptionError();
    }
    return 0;
}

// Writes the diagram without a window, so without a display unless the user chose a
// platform.
int RunExport(int argc, char** argv, const KeloCommandLineType& options) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        // No error box here: a refused database is one line on standard error.
        // The export only reads: the file stays as it is, byte for byte.
        const KeloStartupSourceType opened =
            OpenStartupSource(options.database, KeloDBDefaultBusyTimeoutMs, true);
        if (opened.source.IsNull()) {
            std::cerr << "kelo: " << opened.error.toStdString() << "\n";
            return RefusedExitCode;
        }
        return RunDiagramExport(options.exportNumber, options.exportFile, opened.source, std::cerr,
                                opened.readFailure);
    } catch (const std::exception& error) {
        std::cerr << "kelo: the export failed: " << error.what() << "\n";
        return 1;
    }
}

// Lists the clashes of a line; opens no window and needs no display.
int RunCheck(const KeloCommandLineType& options) {
    try {
        const KeloStartupSourceType opened = OpenStartupSource(options.database);
        if (opened.source.IsNull()) {
            std::cerr << "kelo: " << opened.error.toStdString() << "\n";
            return RefusedExitCode;
        }
        return RunClashCheck(options.checkNumber, options.minimumInterval, opened.source, std::cout,
                             std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "kelo: the check failed: " << error.what() << "\n";
        return RefusedExitCode;
    }
}

// Writes the plan as a feed; needs neither a window nor a display.
int RunGtfsExport(const KeloCommandLineType& options) {
    const KeloStartupSourceType opened = OpenStartupSource(options.database);
    if (opened.source.IsNull()) {
        std::cerr << "kelo: " << opened.error.toStdString() << "\n";
        return RefusedExitCode;
    }
    const KeloGtfsExportRequestType request{
        options.exportGtfs,     options.startDate, options.endDate,       options.agencyName,
        options.agencyTimezone, options.agencyUrl, options.agencyLanguage};
    return RunKeloGtfsExportCommand(opened.source, request, std::cout, std::cerr);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const KeloCommandLineParseType parsed = ParseKeloCommandLine(arguments);
    if (!parsed.error.empty()) {
        std::cerr << "kelo: " << parsed.error << " (see kelo --help)\n";
        return RefusedExitCode;
    }
    const KeloCommandLineType& options = parsed.options;
    if (options.help) {
        std::cout << KeloCommandLineUsage();
        return 0;
    }
    // Each option is wired in by its own command below; the import opens no window.
    if (options.WantsCopy())
        return RunKeloCopyDatabaseCommand(options.copyFrom, options.copyTo, std::cout, std::cerr);
    if (options.WantsImport())
        return RunKeloGtfsImportIntoStore(options.importFeed, options.database, options.serviceDate,
                                          std::cout, std::cerr);
    if (options.WantsExport())
        return RunExport(argc, argv, options);
    if (options.WantsCheck())
        return RunCheck(options);
    if (options.WantsGtfsExport())
        return RunGtfsExport(options);
    return RunInteractive(argc, argv, options);
}
