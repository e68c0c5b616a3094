#include "TKeloMainFrame.h"
#include "InMemoryKeloData.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloChoiceRules.h"
#include "KeloChooseKelo.h"
#include "KeloDemoDataClass.h"
#include "ModalAnswer.h"
#include "TKeloAboutForm.h"
#include "TKeloDiagramChangesForm.h"
#include "TKeloSimpleKeloDataSetViewForm.h"
#include "TKeloTripDiagramForm.h"
#include "TempDirSandbox.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const std::string Kelo02P = "02\xCF"; // 02П

QList<TKeloTripDiagramForm*> DiagramWindows(TKeloMainFrame& frame) {
    QList<TKeloTripDiagramForm*> forms;
    for (QMdiSubWindow* child : frame.MdiArea()->subWindowList())
        if (auto* form = qobject_cast<TKeloTripDiagramForm*>(child->widget()))
            forms.append(form);
    return forms;
}

class TKeloMainFrameTest : public testing::Test {
protected:
    kelo_test::TempDirSandbox sandbox;
};

} // namespace

TEST_F(TKeloMainFrameTest, ChoiceOffersEveryKeloByNameAndCancelLeavesTheFrameEmpty) {
    TKeloMainFrame frame(MakeBuiltInSource());
    frame.showMaximized();
    int rows = 0;
    int sortColumn = 0;
    bool ordered = true;
    bool noneSelected = false;
    kelo_test::WhenModal<TKeloSimpleKeloDataSetViewForm> cancel([&](auto* choice) {
        rows = choice->RowCount();
        sortColumn = choice->SortColumn();
        noneSelected = choice->SelectedRow() == nullptr;
        for (int i = 1; i < choice->RowCount(); ++i)
            ordered = ordered && KeloTextCompare(choice->Row(i - 1)->NameBytes(),
                                                 choice->Row(i)->NameBytes()) <= 0;
        choice->reject();
    });
    frame.DoFlightDiagramActionExecute();
    EXPECT_TRUE(cancel.Done());
    EXPECT_EQ(rows, 176);
    EXPECT_EQ(sortColumn, 2);
    EXPECT_TRUE(ordered);
    EXPECT_TRUE(noneSelected);
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(frame.isVisible());
}

TEST_F(TKeloMainFrameTest, ChoosingAKeloOpensItsLineAndTwiceGivesTwoIndependentWindows) {
    TKeloMainFrame frame(MakeBuiltInSource());
    frame.showMaximized();
    {
        kelo_test::WhenModal<TKeloSimpleKeloDataSetViewForm> choose(
            [](auto* choice) { ChooseKelo(choice, Kelo02P); });
        frame.DoFlightDiagramActionExecute();
    }
    {
        kelo_test::WhenModal<TKeloSimpleKeloDataSetViewForm> choose(
            [](auto* choice) { ChooseKelo(choice, Kelo02P); });
        frame.findChild<QAction*>("DoFlightDiagramMenuItem")->trigger();
    }
    const auto forms = DiagramWindows(frame);
    ASSERT_EQ(forms.size(), 2);
    TKeloTripDiagramForm* first = forms[0];
    TKeloTripDiagramForm* second = forms[1];
    EXPECT_EQ(first->TimetableListView()->topLevelItemCount(), 9);
    EXPECT_EQ(first->KeloListView()->model()->rowCount(),
              first->EditBuffer()->GetKeloSet()->GetCount());
    EXPECT_EQ(first->Diagram().GetLineStopCodes().size(), 9u);
    EXPECT_EQ(first->Diagram().GetLineStopCodes().front(), "050100");
    EXPECT_EQ(first->Diagram().GetLineStopCodes().back(), "054947");
    EXPECT_NE(first->EditBuffer()->FindKelo(Kelo02P)->GetName(), "CHANGED");
    first->EditBuffer()->FindKelo(Kelo02P)->SetName("CHANGED");
    EXPECT_NE(second->EditBuffer()->FindKelo(Kelo02P)->GetName(), "CHANGED");
}

TEST_F(TKeloMainFrameTest, CloseAsksAndNoKeepsEverythingOpen) {
    TKeloMainFrame frame(MakeBuiltInSource());
    frame.show();
    {
        kelo_test::WhenModal<TKeloSimpleKeloDataSetViewForm> choose(
            [](auto* choice) { ChooseKelo(choice, Kelo02P); });
        frame.DoFlightDiagramActionExecute();
    }
    {
        kelo_test::MessageBoxAnswer no(QMessageBox::No);
        frame.findChild<QAction*>("SessionExitMenuItem")->trigger();
        ASSERT_EQ(no.Count(), 1);
        EXPECT_EQ(no.Last().title, "Kelo");
        EXPECT_EQ(no.Last().text, QString::fromUtf8("Завершить работу приложения?"));
        EXPECT_EQ(no.Last().icon, QMessageBox::Question);
        EXPECT_EQ(no.Last().buttons, QMessageBox::Yes | QMessageBox::No);
    }
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(DiagramWindows(frame).size(), 1);
    {
        kelo_test::MessageBoxAnswer yes(QMessageBox::Yes);
        EXPECT_TRUE(frame.close());
        EXPECT_EQ(yes.Count(), 1);
    }
    EXPECT_FALSE(frame.isVisible());
}

TEST_F(TKeloMainFrameTest, MenusHaveTheirInitialStates) {
    TKeloMainFrame frame(MakeBuiltInSource());
    auto menu = [&](const char* name) { return frame.findChild<QMenu*>(name); };
    ASSERT_NE(menu("ReportsMenuItem"), nullptr);
    EXPECT_FALSE(menu("ReportsMenuItem")->menuAction()->isEnabled());
    EXPECT_FALSE(menu("DataBaseMenuItem")->menuAction()->isEnabled());
    EXPECT_FALSE(menu("SetupMenuItem")->menuAction()->isVisible());
    EXPECT_FALSE(frame.findChild<QAction*>("DoFlightDiagramWizardMenuItem")->isEnabled());
    EXPECT_FALSE(frame.findChild<QAction*>("SessionCurrentDateMenuItem")->isVisible());
    EXPECT_TRUE(frame.findChild<QAction*>("HelpUserGuideMenuItem")->isEnabled());
    EXPECT_EQ(frame.findChild<QAction*>("DoFlightDiagramMenuItem")->text(),
              QString::fromUtf8("Диаграмма рейсов"));
    QStringList captions;
    for (QAction* action : frame.menuBar()->actions())
        if (action->isVisible())
            captions << action->text();
    EXPECT_EQ(captions, QStringList({QString::fromUtf8("&Сеанс"), QString::fromUtf8("&Работа"),
                                     QString::fromUtf8("О&тчеты"), QString::fromUtf8("&База"),
                                     QString::fromUtf8("О&кна"), QString::fromUtf8("&Справка")}));
}

TEST_F(TKeloMainFrameTest, StatusBarShowsHintsDateAndTime) {
    TKeloMainFrame frame(MakeBuiltInSource());
    frame.resize(900, 500);
    frame.show();
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(frame.PanelText(2)).hasMatch())
        << frame.PanelText(2).toStdString();
    EXPECT_TRUE(frame.PanelText(1).contains(QString::number(QDate::currentDate().year())));

    QStatusTipEvent tip(QString::fromUtf8("short|Диграммы существующих рейсов"));
    QApplication::sendEvent(&frame, &tip);
    EXPECT_EQ(frame.PanelText(0), QString::fromUtf8("Диграммы существующих рейсов"));
    QStatusTipEvent plain(QString::fromUtf8("Выход из задачи"));
    QApplication::sendEvent(&frame, &plain);
    EXPECT_EQ(frame.PanelText(0), QString::fromUtf8("Выход из задачи"));

    // Under every locale the date reads in Russian month and weekday names.
    {
        const QDate today = QDate::currentDate();
        const char* months[] = {"январ", "феврал", "март",    "апрел",  "ма",    "июн",
                                "июл",   "август", "сентябр", "октябр", "ноябр", "декабр"};
        const char* days[] = {"понедельник", "вторник", "среда",      "четверг",
                              "пятница",     "суббота", "воскресенье"};
        const QString pattern =
            QString::fromUtf8("^%1 %2[а-я]* %3 \\(%4\\)$")
                .arg(today.toString("dd"), QString::fromUtf8(months[today.month() - 1]))
                .arg(today.year())
                .arg(QString::fromUtf8(days[today.dayOfWeek() - 1]));
        EXPECT_TRUE(QRegularExpression(pattern).match(frame.PanelText(1)).hasMatch())
            << frame.PanelText(1).toStdString();
    }
}

TEST_F(TKeloMainFrameTest, KeepsItsSizeThroughClockTicksAndShowsDateAndClock) {
    TKeloMainFrame frame(MakeBuiltInSource());
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    const QSize firstStart(654, 480);
    EXPECT_EQ(frame.size(), firstStart);
    // A long hint must not widen the window either.
    QStatusTipEvent tip(QString(400, QLatin1Char('W')));
    QApplication::sendEvent(&frame, &tip);
    QTest::qWait(1600); // three ticks of the clock
    EXPECT_EQ(frame.size(), firstStart);

    for (const QSize asked : {QSize(900, 600), QSize(500, 400), QSize(1000, 500)}) {
        frame.resize(asked);
        QTest::qWait(600);
        EXPECT_EQ(frame.size(), asked);
        auto panels =
            frame.statusBar()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_EQ(panels.size(), 3);
        const QRect visible = frame.rect();
        for (QLabel* panel : {panels[1], panels[2]}) {
            const QRect onWindow(panel->mapTo(&frame, QPoint(0, 0)), panel->size());
            EXPECT_TRUE(visible.contains(onWindow))
                << asked.width() << " " << panel->text().toStdString();
            EXPECT_TRUE(panel->isVisible());
        }
        EXPECT_EQ(panels[1]->width(), 250);
        EXPECT_EQ(panels[2]->width(), 100);
        // Panel 0 takes the rest, less only the bar's own margins and gaps.
        const int rest = frame.statusBar()->width() - 250 - 100;
        EXPECT_LE(panels[0]->width(), rest);
        EXPECT_GE(panels[0]->width(), rest - 20);
        EXPECT_LT(panels[0]->geometry().right(), panels[1]->geometry().left());
    }
}

TEST_F(TKeloMainFrameTest, FirstStartIsCentredOnTheDesktop) {
    TKeloMainFrame frame(MakeBuiltInSource());
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((frame.geometry().center() - desktop.center()).manhattanLength(), 1);
    EXPECT_EQ(frame.size(), QSize(654, 480));
}

TEST_F(TKeloMainFrameTest, AboutWindowShowsTitleAndClosesWithOk) {
    TKeloMainFrame frame(MakeBuiltInSource());
    frame.show();
    QSize size;
    QString title;
    bool versionHidden = false;
    kelo_test::WhenModal<TKeloAboutForm> close([&](TKeloAboutForm* about) {
        size = about->size();
        title = about->windowTitle();
        versionHidden = !about->findChild<QLabel*>("VersionLabel")->isVisible();
        about->findChild<QPushButton*>("CloseButton")->click();
    });
    frame.findChild<QAction*>("HelpAboutMenuItem")->trigger();
    EXPECT_TRUE(close.Done());
    EXPECT_EQ(size, QSize(375, 254));
    EXPECT_EQ(title, QString::fromUtf8("О программе"));
    EXPECT_TRUE(versionHidden);
    EXPECT_EQ(TKeloAboutForm::MakeAboutPicture().size(), QSize(97, 245));
}

TEST_F(TKeloMainFrameTest, WindowMenuListsChildrenAndArrangesThem) {
    TKeloMainFrame frame(MakeBuiltInSource());
    frame.resize(1200, 800);
    frame.show();
    for (int i = 0; i < 2; ++i) {
        kelo_test::WhenModal<TKeloSimpleKeloDataSetViewForm> choose(
            [](auto* choice) { ChooseKelo(choice, Kelo02P); });
        frame.DoFlightDiagramActionExecute();
    }
    QMenu* windows = frame.findChild<QMenu*>("WindowMenuItem");
    emit windows->aboutToShow();
    int listed = 0;
    for (QAction* action : windows->actions())
        listed += action->text().contains(QString::fromUtf8("Диаграмма рейсов")) ? 1 : 0;
    EXPECT_EQ(listed, 2);
    frame.findChild<QAction*>("WindowTileVertMenuItem")->trigger();
    const auto children = frame.MdiArea()->subWindowList();
    ASSERT_EQ(children.size(), 2);
    EXPECT_EQ(children[0]->geometry().top(), children[1]->geometry().top());
    EXPECT_NE(children[0]->geometry().left(), children[1]->geometry().left());
    frame.findChild<QAction*>("WindowMinimizeAllMenuItem")->trigger();
    EXPECT_TRUE(children[0]->isMinimized());
    EXPECT_TRUE(children[1]->isMinimized());

    // Icons dragged about come back to a row along the bottom, side by side.
    children[0]->move(300, 200);
    children[1]->move(310, 210);
    frame.findChild<QAction*>("WindowArrangeMenuItem")->trigger();
    const int bottom = frame.MdiArea()->viewport()->height();
    EXPECT_EQ(children[0]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(children[1]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(children[0]->x(), 0);
    EXPECT_EQ(children[1]->x(), children[0]->width());
}

namespace {

TKeloTripDiagramForm* OpenDiagramOf(TKeloMainFrame& frame, const std::string& number) {
    kelo_test::WhenModal<TKeloSimpleKeloDataSetViewForm> choose(
        [&](auto* choice) { ChooseKelo(choice, number); });
    frame.DoFlightDiagramActionExecute();
    return DiagramWindows(frame).isEmpty() ? nullptr : DiagramWindows(frame).last();
}

} // namespace

TEST_F(TKeloMainFrameTest, WorkIsOfferedForSavingOnCloseAndAnotherPlanOpensWithoutRestart) {
    const std::string first = QDir(sandbox.Path()).filePath("first.db").toStdString();
    TKeloMainFrame frame(OpenStartupSource(first));
    frame.show();
    EXPECT_EQ(frame.windowTitle(), "Kelo - first.db");
    TKeloTripDiagramForm* form = OpenDiagramOf(frame, Kelo02P);
    ASSERT_NE(form, nullptr);
    form->EditBuffer()->FindKelo(Kelo02P)->SetName("RENAMED");
    {
        kelo_test::MessageBoxAnswer cancel(QMessageBox::Cancel);
        EXPECT_FALSE(frame.SwitchPlan(first + ".other", true));
        ASSERT_EQ(cancel.Count(), 1);
        EXPECT_EQ(cancel.Last().text, QString::fromUtf8("Сохранить изменения?"));
        EXPECT_EQ(cancel.Last().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    }
    EXPECT_EQ(DiagramWindows(frame).size(), 1);
    {
        // Да runs the save: the review is confirmed, the notice that follows is closed.
        kelo_test::MessageBoxAnswer yes(QMessageBox::Yes);
        kelo_test::WhenModal<TKeloDiagramChangesForm> review(
            [](auto* dialog) { dialog->accept(); });
        const std::string second = QDir(sandbox.Path()).filePath("second.db").toStdString();
        EXPECT_TRUE(frame.SwitchPlan(second, true));
        EXPECT_TRUE(review.Done());
    }
    EXPECT_TRUE(DiagramWindows(frame).isEmpty());
    EXPECT_EQ(frame.windowTitle(), "Kelo - second.db");
    EXPECT_EQ(QFileInfo(QString::fromStdString(RememberedPlanFile())).fileName(), "second.db");
    EXPECT_EQ(OpenStartupSource(first).source->FindKelo(Kelo02P)->GetName(), "RENAMED");
}

TEST_F(TKeloMainFrameTest, TheBuiltInDataRefusesToSaveAndNamesTheWayToKeepWork) {
    TKeloMainFrame frame(OpenStartupSource(""));
    frame.show();
    TKeloTripDiagramForm* form = OpenDiagramOf(frame, Kelo02P);
    ASSERT_NE(form, nullptr);
    form->EditBuffer()->FindKelo(Kelo02P)->SetName("RENAMED");
    kelo_test::MessageBoxAnswer ok(QMessageBox::Ok);
    form->SaveButton()->click();
    ASSERT_EQ(ok.Count(), 1);
    EXPECT_EQ(ok.Last().icon, QMessageBox::Critical);
    EXPECT_TRUE(ok.Last().text.contains("--database")) << ok.Last().text.toStdString();
    EXPECT_EQ(form->Diagram().GetEditBufferObject().GetChangeCount(), 1);
}

TEST_F(TKeloMainFrameTest, AKeloWithoutStopsOpensAChartThatSaysSoWithThatKeloAlone) {
    KeloStartupSourceType plan =
        OpenStartupSource(QDir(sandbox.Path()).filePath("plan.db").toStdString());
    KeloKeloSchedulePtrClass schedule = plan.source->FindKelo("100")->GetSchedule();
    while (schedule->GetCount() > 0)
        schedule->RemoveStop(0);
    TKeloMainFrame frame(plan);
    frame.show();
    TKeloTripDiagramForm* form = OpenDiagramOf(frame, "100");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->EditBuffer()->GetKeloSet()->GetCount(), 1);
    auto* notice = form->findChild<QLabel*>("ChartNoticeLabel");
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->text().contains(QString::fromUtf8("нет остановок")));
}
