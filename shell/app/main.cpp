#include "KeloCommandLine.h"
#include "KeloErrorReport.h"
#include "KeloSettingsFile.h"
#include "KeloStartupSource.h"
#include "TKeloMainFrame.h"
#include "TKeloMessageModule.h"

#include <QApplication>

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
        QApplication::setApplicationDisplayName("Kelo");

        KeloDataPtrClass source = OpenStartupSourceOrReport(options.database);
        if (source.IsNull())
            return KeloStartupRefusedExitCode;
        auto mainFrame = std::make_unique<TKeloMainFrame>(source);
        TKeloMessageModule messageModule(&app);
        SetSettingsFileNameProvider(MakeSettingsFileName);

        mainFrame->showMaximized();
        // The planner meets the kelo choice first, over the empty main window.
        mainFrame->DoFlightDiagramActionExecute();
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
    // Each option is wired in by its own command below.
    if (options.WantsImport() || options.WantsExport()) {
        std::cerr << "kelo: this option is not available in this build\n";
        return RefusedExitCode;
    }
    return RunInteractive(argc, argv, options);
}
