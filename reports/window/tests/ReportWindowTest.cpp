#include "InMemoryKeloData.h"
#include "KeloDemoDataClass.h"
#include "KeloQtText.h"
#include "KeloReportGenerators.h"
#include "ModalAnswer.h"
#include "TKeloErrorMessageDialogForm.h"
#include "TKeloReportPreViewForm.h"
#include "TempDirSandbox.h"

#include <QDir>
#include <QFileDialog>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolButton>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList TempReportFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("TTmp*")}, QDir::Files | QDir::Hidden);
}

QStringList GoldenLines(const char* name) {
    const QByteArray bytes = ReadAll(QStringLiteral(KELO_REPORTS_GOLDEN_DIR "/") + name);
    QStringList lines = KeloToQString(bytes.toStdString()).split(QLatin1Char('\n'));
    lines.removeLast(); // after the final LF
    return lines;
}

// Files may grow to `bytes` while this lives, as on a disk about to fill up; the limit binds
// every user, root included.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limited = old;
        limited.rlim_cur = bytes;
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previousHandler);
    }

private:
    rlimit old{};
    void (*previousHandler)(int) = nullptr;
};

InMemoryDataSet Unnamed() {
    InMemoryDataSet d;
    d.stops = {{"000001", "ALPHA"}, {"000002", ""}};
    d.AddLinkBothWays("000001", "000002", 5.1f);
    d.kelos = {{"K1",
                "",
                "",
                {{"000001", KeloTimeType(8, 0), KeloTimeType(0)},
                 {"000002", KeloTimeType(8, 10), KeloTimeType()}}}};
    return d;
}

TEST(ReportRunTest, StationTimetableOpensInTheMdiAreaAndLeavesNoFile) {
    kelo_test::TempDirSandbox sandbox;
    QMdiArea area;
    TKeloReportPreViewForm* preview = GenerateStopInfoReport(
        MakeBuiltInSource(), "050100", "\xC2\xC8\xCD\xCD\xC8\xD6\xC0 1", &area);
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(area.subWindowList().size(), 1);
    EXPECT_EQ(area.subWindowList().first()->widget(), preview);
    EXPECT_EQ(preview->windowTitle(),
              U("Станционное расписание по остановочному пункту ВИННИЦА 1"));
    EXPECT_EQ(preview->Lines(), GoldenLines("stop_050100.txt"));
    EXPECT_EQ(TempReportFiles(sandbox.Path()), QStringList());
}

TEST(ReportRunTest, CaptionsNameTheKeyWhenUnnamedAndDistancesFollowTheLocale) {
    kelo_test::TempDirSandbox sandbox;
    KeloDataPtrClass data(new InMemoryKeloDataClass(Unnamed()));
    std::unique_ptr<TKeloReportPreViewForm> stop(
        GenerateStopInfoReport(data, "000002", "", nullptr));
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->windowTitle(), U("Станционное расписание по остановочному пункту 000002"));

    for (const auto& [locale, distance] : {std::pair{QLocale(QLocale::Russian), "5,09999990463257"},
                                           {QLocale::c(), "5.09999990463257"}}) {
        QLocale::setDefault(locale);
        std::unique_ptr<TKeloReportPreViewForm> trip(
            GenerateTripInfoReport(data, "K1", "", nullptr));
        QLocale::setDefault(QLocale::system());
        ASSERT_NE(trip, nullptr);
        EXPECT_EQ(trip->windowTitle(), U("Информация по рейсу K1"));
        EXPECT_TRUE(trip->Lines().at(7).endsWith(QLatin1String(distance)))
            << trip->Lines().at(7).toStdString();
    }
    EXPECT_EQ(TempReportFiles(sandbox.Path()), QStringList());
}

TEST(ReportRunTest, FailuresShowTheMessageAndLeaveNothing) {
    kelo_test::TempDirSandbox sandbox;
    KeloDataPtrClass data(new InMemoryKeloDataClass(Unnamed()));
    const QString missingFolder = sandbox.Path() + QStringLiteral("/missing");
    const struct {
        const char* what;
        QString tempFolder;
        std::function<TKeloReportPreViewForm*(QMdiArea*)> run;
    } cases[] = {
        {"temporary folder cannot be written", missingFolder,
         [&](QMdiArea* area) { return GenerateStopInfoReport(data, "000001", "ALPHA", area); }},
        {"temporary file cut short by a full disk", sandbox.Path(),
         [&](QMdiArea* area) {
             FileSizeLimit limit(100);
             return GenerateStopInfoReport(MakeBuiltInSource(), "050100", "", area);
         }},
        {"unknown kelo", sandbox.Path(),
         [&](QMdiArea* area) { return GenerateTripInfoReport(data, "NONE", "", area); }},
        {"unknown stop", sandbox.Path(),
         [&](QMdiArea* area) { return GenerateStopInfoReport(data, "999999", "", area); }},
    };
    for (const auto& c : cases) {
        qputenv("TMPDIR", QFile::encodeName(c.tempFolder));
        QMdiArea area;
        kelo_test::MessageBoxAnswer answer(QMessageBox::Ok);
        EXPECT_EQ(c.run(&area), nullptr) << c.what;
        ASSERT_EQ(answer.Count(), 1) << c.what;
        EXPECT_EQ(answer.Last().text, U("Ошибка формирования отчета")) << c.what;
        EXPECT_EQ(answer.Last().title, QStringLiteral("Kelo")) << c.what;
        EXPECT_EQ(answer.Last().icon, QMessageBox::Critical) << c.what;
        EXPECT_TRUE(area.subWindowList().isEmpty()) << c.what;
        EXPECT_EQ(TempReportFiles(sandbox.Path()), QStringList()) << c.what;
    }
    EXPECT_FALSE(QDir(missingFolder).exists());
}

TEST(ReportPreviewTest, MissingFileLeavesTheWindowEmpty) {
    TKeloReportPreViewForm preview;
    kelo_test::MessageBoxAnswer answer(QMessageBox::Ok);
    EXPECT_FALSE(OpenReportPreview(&preview, QStringLiteral("/nonexistent/report.txt")));
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Last().text, U("Ошибка доступа к файлу /nonexistent/report.txt"));
    EXPECT_TRUE(preview.Lines().isEmpty());
    // The columns line up with or without Lucida Console, whatever the font says of itself.
    const QFontMetricsF metrics(preview.RichEdit->font());
    EXPECT_EQ(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));
    EXPECT_EQ(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('0'));
}

TEST(ReportPreviewTest, SavesCrLfWindows1251AndAddsTheExtension) {
    kelo_test::TempDirSandbox sandbox;
    TKeloReportPreViewForm preview;
    preview.SetReportBytes("\t\xC0\xC1\n\tB\r\n\rC"); // АБ, B, an empty line, C without an end
    EXPECT_EQ(preview.Lines(), QStringList({U("\tАБ"), U("\tB"), QString(), U("C")}));

    kelo_test::WhenModal<QFileDialog> save([&](QFileDialog* dialog) {
        kelo_test::AnswerFileDialog(dialog, sandbox.Path() + QStringLiteral("/report"));
    });
    kelo_test::MessageBoxAnswer answer(QMessageBox::Ok);
    preview.SaveToolButton->click();
    ASSERT_TRUE(save.Done());
    const QString saved = sandbox.Path() + QStringLiteral("/report.txt");
    EXPECT_EQ(ReadAll(saved), QByteArray("\t\xC0\xC1\r\n\tB\r\n\r\nC\r\n"));
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Last().text, U("Сформирован файл формы ") + saved);
    EXPECT_EQ(answer.Last().icon, QMessageBox::Information);
}

TEST(ReportPreviewTest, FailedSaveKeepsTheOldFileAndConfirmsNothing) {
    kelo_test::TempDirSandbox sandbox;
    const QString target = sandbox.Path() + QStringLiteral("/report.txt");
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    TKeloReportPreViewForm preview;
    preview.SetReportBytes(std::string(4000, 'x') + "\n");

    kelo_test::WhenModal<QFileDialog> save([&](QFileDialog* dialog) {
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
        kelo_test::AnswerFileDialog(dialog, target);
    });
    kelo_test::MessageBoxAnswer answer(QMessageBox::Ok);
    {
        FileSizeLimit limit(1000);
        preview.SaveToolButton->click();
    }
    // A plain refusal that says what to do, not an internal error.
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Last().icon, QMessageBox::Critical);
    EXPECT_TRUE(answer.Last().text.contains(U("другую папку"))) << answer.Last().text.toStdString();
    EXPECT_EQ(ReadAll(target), QByteArray("old"));
    EXPECT_EQ(QDir(sandbox.Path()).entryList(QDir::Files), QStringList({"report.txt"}));

    kelo_test::WhenModal<QFileDialog> missing([&](QFileDialog* dialog) {
        kelo_test::AnswerFileDialog(dialog, sandbox.Path() + QStringLiteral("/no/such/report"));
    });
    preview.SaveToolButton->click();
    ASSERT_EQ(answer.Count(), 2);
    EXPECT_TRUE(answer.Last().text.startsWith(U("Папки «"))) << answer.Last().text.toStdString();
}

TEST(ReportPreviewTest, ShortReportPrintsOnOnePage) {
    kelo_test::TempDirSandbox sandbox;
    std::unique_ptr<TKeloReportPreViewForm> preview(
        GenerateTripInfoReport(MakeBuiltInSource(), "100", "", nullptr));
    ASSERT_NE(preview, nullptr);
    const QString pdf = sandbox.Path() + QStringLiteral("/report.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    preview->PrintTo(printer);
    const QByteArray bytes = ReadAll(pdf);
    EXPECT_EQ(QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page[^s]")), 1);

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (Debian package poppler-utils) is missing: the printed text "
                        "is not checked";
    QProcess process;
    process.start(pdftotext, {pdf, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput()).simplified();
    EXPECT_TRUE(text.contains(preview->Lines().first().simplified())) << text.toStdString();
}

} // namespace
