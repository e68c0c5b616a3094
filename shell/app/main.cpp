#include "KeloErrorReport.h"
#include "KeloSettingsFile.h"
#include "TKeloMainFrame.h"
#include "TKeloMessageModule.h"

#include <QApplication>

#include <exception>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    try {
        QApplication::setApplicationName("Kelo");
        QApplication::setApplicationDisplayName("Kelo");

        auto mainFrame = std::make_unique<TKeloMainFrame>();
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
