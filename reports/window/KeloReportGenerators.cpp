#include "KeloReportGenerators.h"

#include "KeloMessageBoxes.h"
#include "KeloQtText.h"
#include "StopInfoReport.h"
#include "TKeloReportPreViewForm.h"
#include "TripInfoReport.h"

#include <QDir>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryFile>

#include <functional>
#include <sstream>

namespace {

// Writes the report into a fresh temporary file, opens the preview on it and lets the file
// go; every way of failing ends in the one message with no window and no file left.
TKeloReportPreViewForm* RunReport(const QString& caption,
                                  const std::function<bool(std::ostream&)>& write, QMdiArea* area) {
    TKeloReportPreViewForm* preview = nullptr;
    QWidget* owner = nullptr; // what closes the preview: its sub-window, or itself
    try {
        // An empty path means the temporary folder does not exist; never fall back to "/".
        const QString folder = QDir::tempPath();
        QTemporaryFile file(folder + QStringLiteral("/TTmpXXXXXX"));
        std::ostringstream text;
        bool ok = !folder.isEmpty() && file.open() && write(text);
        if (ok) {
            // The size check catches a short write (a full disk) that a buffered flush hides.
            const std::string bytes = text.str();
            ok = file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()) &&
                 file.flush() && file.size() == qint64(bytes.size());
        }
        file.close();
        if (ok) {
            preview = new TKeloReportPreViewForm();
            owner = preview;
            preview->setWindowTitle(caption);
            if (area != nullptr) {
                owner = area->addSubWindow(preview);
                owner->setAttribute(Qt::WA_DeleteOnClose);
            }
            if (!OpenReportPreview(preview, file.fileName())) {
                delete owner;
                owner = nullptr;
                preview = nullptr;
            }
        }
        // The temporary file goes with `file` here, whether the run succeeded or not.
    } catch (...) {
        delete owner;
        preview = nullptr;
    }
    if (preview == nullptr)
        KeloShowError(QString::fromUtf8("Ошибка формирования отчета"),
                      area != nullptr ? area->window() : nullptr);
    return preview;
}

std::string DecimalSeparator() {
    std::string separator;
    KeloFromQString(QLocale().decimalPoint(), separator);
    return separator;
}

} // namespace

TKeloReportPreViewForm* GenerateStopInfoReport(KeloDataPtrClass data, const std::string& stopCode,
                                               const std::string& stopName, QMdiArea* area) {
    const QString caption = QString::fromUtf8("Станционное расписание по остановочному пункту ") +
                            KeloToQString(stopName.empty() ? stopCode : stopName);
    return RunReport(
        caption, [&](std::ostream& file) { return WriteStopInfoReport(file, data, stopCode); },
        area);
}

TKeloReportPreViewForm* GenerateTripInfoReport(KeloDataPtrClass data, const std::string& keloNumber,
                                               const std::string& keloName, QMdiArea* area) {
    const QString caption = QString::fromUtf8("Информация по рейсу ") +
                            KeloToQString(keloName.empty() ? keloNumber : keloName);
    const std::string separator = DecimalSeparator();
    return RunReport(
        caption,
        [&](std::ostream& file) { return WriteTripInfoReport(file, data, keloNumber, separator); },
        area);
}
