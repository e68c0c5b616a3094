#include "Cp1251.h"
#include "KeloChooseKelo.h"
#include "KeloDemoDataClass.h"
#include "KeloGtfsFeedChecker.h"
#include "KeloGtfsImportCommand.h"
#include "KeloStartupSource.h"
#include "ModalAnswer.h"
#include "TKeloGtfsExportDialog.h"
#include "TKeloGtfsImportDialog.h"
#include "TKeloMainFrame.h"
#include "TKeloSimpleKeloDataSetViewForm.h"
#include "TKeloTripDiagramForm.h"
#include "TempDirSandbox.h"

#include <QAction>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>

#include <gtest/gtest.h>

#include <sstream>

namespace {

void Trigger(QWidget* window, const char* action) {
    QAction* item = window->findChild<QAction*>(action);
    ASSERT_NE(item, nullptr) << action;
    item->trigger();
}

void PressOk(QDialog* dialog) {
    dialog->findChild<QDialogButtonBox*>("Buttons")->button(QDialogButtonBox::Ok)->click();
}

// The import dialog filled in as the planner does: the feed, then the new plan file.
void AnswerImport(TKeloGtfsImportDialog* dialog, const QString& plan, QDate* offered) {
    auto* feed = dialog->findChild<QLineEdit*>("FeedEdit");
    feed->setText(KELO_GTFS_FIXTURE);
    emit feed->editingFinished();
    *offered = dialog->findChild<QDateEdit*>("ServiceDayEdit")->date();
    dialog->findChild<QLineEdit*>("PlanEdit")->setText(plan);
    PressOk(dialog);
}

TEST(KeloGtfsWindow, AFeedImportedFromTheMenuOpensAsTheNewPlan) {
    kelo_test::TempDirSandbox sandbox;
    const QString plan = QDir(sandbox.Path()).filePath("plan.db");
    TKeloMainFrame frame(MakeBuiltInSource());
    QDate offered;
    int kelosOffered = 0;
    {
        kelo_test::WhenModal<TKeloGtfsImportDialog> answer(
            [&](auto* dialog) { AnswerImport(dialog, plan, &offered); });
        kelo_test::WhenModal<TKeloSimpleKeloDataSetViewForm> choose([&](auto* choice) {
            kelosOffered = choice->RowCount();
            choice->reject();
        });
        Trigger(&frame, "DoImportGtfsMenuItem");
    }
    EXPECT_EQ(offered, QDate(2026, 1, 1)); // the busiest day of the small feed
    EXPECT_TRUE(QFileInfo::exists(plan));
    EXPECT_EQ(kelosOffered, 6);
}

// Presses "Отмена" of every progress dialog as soon as it shows, before any work is done.
class CancelOnShowType : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* progress = qobject_cast<QProgressDialog*>(watched);
            progress && event->type() == QEvent::Show) {
            progress->cancel();
            ++cancelled;
        }
        return false;
    }
    int cancelled = 0;
};

TEST(KeloGtfsWindow, ACancelledImportLeavesNoFile) {
    kelo_test::TempDirSandbox sandbox;
    const QString plan = QDir(sandbox.Path()).filePath("plan.db");
    TKeloMainFrame frame(MakeBuiltInSource());
    QDate offered;
    kelo_test::WhenModal<TKeloGtfsImportDialog> answer(
        [&](auto* dialog) { AnswerImport(dialog, plan, &offered); });
    // Were the import not cancelled, the new plan's kelo choice would open.
    bool choiceOpened = false;
    kelo_test::WhenModal<TKeloSimpleKeloDataSetViewForm> choose([&](auto* choice) {
        choiceOpened = true;
        choice->reject();
    });
    CancelOnShowType cancel;
    qApp->installEventFilter(&cancel);
    Trigger(&frame, "DoImportGtfsMenuItem");
    qApp->removeEventFilter(&cancel);
    EXPECT_EQ(cancel.cancelled, 1);
    EXPECT_FALSE(choiceOpened);
    EXPECT_EQ(QDir(sandbox.Path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList());
}

// An imported plan leaves from the main window and from a diagram window; the built-in
// data is refused with its reason, and no file appears.
TEST(KeloGtfsWindow, ThePlanIsExportedFromBothMenusAndTheBuiltInDataIsRefused) {
    kelo_test::TempDirSandbox sandbox;
    const std::string database = QDir(sandbox.Path()).filePath("plan.db").toStdString();
    std::ostringstream out, err;
    ASSERT_EQ(RunKeloGtfsImportCommand(KELO_GTFS_FIXTURE, database, "", out, err), 0);
    TKeloMainFrame frame(OpenStartupSource(database).source);
    auto exportTo = [&](QWidget* window, const char* action, const QString& zip) {
        kelo_test::WhenModal<TKeloGtfsExportDialog> answer([&](TKeloGtfsExportDialog* dialog) {
            dialog->findChild<QLineEdit*>("FileEdit")->setText(zip);
            PressOk(dialog);
        });
        kelo_test::MessageBoxAnswer notice;
        Trigger(window, action);
        return notice.Count() ? notice.Last().text : QString();
    };
    const QString fromMain = QDir(sandbox.Path()).filePath("main.zip");
    EXPECT_TRUE(exportTo(&frame, "DoExportGtfsMenuItem", fromMain)
                    .contains(QString::fromUtf8("рейсов: 6")));
    EXPECT_EQ(CheckGtfsFeed(fromMain.toStdString()), std::vector<std::string>());

    {
        kelo_test::WhenModal<TKeloSimpleKeloDataSetViewForm> choose(
            [](auto* choice) { ChooseKelo(choice, Utf8ToCp1251("02П-1").bytes); });
        frame.DoFlightDiagramActionExecute();
    }
    ASSERT_EQ(frame.MdiArea()->subWindowList().size(), 1);
    QWidget* diagram = frame.MdiArea()->subWindowList()[0]->widget();
    const QString fromDiagram = QDir(sandbox.Path()).filePath("diagram.zip");
    exportTo(diagram, "ExportGtfsMenuItem", fromDiagram);
    EXPECT_EQ(CheckGtfsFeed(fromDiagram.toStdString()), std::vector<std::string>());

    TKeloMainFrame builtIn(MakeBuiltInSource());
    const QString refusedZip = QDir(sandbox.Path()).filePath("built-in.zip");
    kelo_test::WhenModal<TKeloGtfsExportDialog> answer([&](TKeloGtfsExportDialog* dialog) {
        dialog->findChild<QLineEdit*>("FileEdit")->setText(refusedZip);
        dialog->findChild<QLineEdit*>("AgencyNameEdit")->setText("Kelo");
        dialog->findChild<QLineEdit*>("AgencyTimezoneEdit")->setText("Europe/Kyiv");
        dialog->findChild<QLineEdit*>("AgencyUrlEdit")->setText("https://example.org");
        PressOk(dialog);
    });
    kelo_test::MessageBoxAnswer refusal;
    Trigger(&builtIn, "DoExportGtfsMenuItem");
    ASSERT_EQ(refusal.Count(), 1);
    EXPECT_EQ(refusal.Last().icon, QMessageBox::Critical);
    EXPECT_TRUE(refusal.Last().text.contains(QString::fromUtf8("Во встроенном наборе данных")));
    EXPECT_FALSE(QFileInfo::exists(refusedZip));
}

} // namespace
