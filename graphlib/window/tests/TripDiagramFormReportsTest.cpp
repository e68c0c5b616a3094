#include "KeloBuiltInTestSupport.h"
#include "KeloDemoDataClass.h"
#include "KeloQtText.h"
#include "TKeloReportPreViewForm.h"
#include "TKeloTripDiagramForm.h"
#include "TempDirSandbox.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <gtest/gtest.h>

namespace {

const std::string Kelo02P = "02\xCF"; // 02П

TKeloReportPreViewForm* NewestPreview(QMdiArea& area) {
    const auto children = area.subWindowList(QMdiArea::CreationOrder);
    return qobject_cast<TKeloReportPreViewForm*>(children.last()->widget());
}

// The planner edits a time in the window, then asks for both reports from the popup menu:
// they open in the MDI area beside the window and show the edited time.
TEST(TripDiagramFormReportsTest, ReportsShowTheEditsAndOpenBesideTheWindow) {
    kelo_test::TempDirSandbox sandbox;
    const std::vector<std::string> line = BuiltInLineOf(Kelo02P);

    QMdiArea area;
    auto* form = new TKeloTripDiagramForm(nullptr, Kelo02P, line, MakeBuiltInSource(line));
    area.addSubWindow(form)->setAttribute(Qt::WA_DeleteOnClose);
    ASSERT_NE(form->State().selectedKelo, -1);
    form->EditBuffer()->FindKelo(Kelo02P)->GetSchedule()->GetItem(1)->SetArrival(
        KeloTimeType(8, 17));
    form->State().selectedStop = 1;

    form->ChartPopupMenu()->findChild<QAction*>("PrintTripInfoMenuItem")->trigger();
    ASSERT_EQ(area.subWindowList().size(), 2);
    TKeloReportPreViewForm* trip = NewestPreview(area);
    ASSERT_NE(trip, nullptr);
    EXPECT_EQ(trip->windowTitle(), U("Информация по рейсу ВИННИЦА 1 - ВОЛОВОДОВКА#"));
    EXPECT_EQ(trip->Lines().at(7).mid(1, 33), U("ПИСАРЕВКА#           08:17  08:18"));

    form->ChartPopupMenu()->findChild<QAction*>("PrintStopInfoMenuItem")->trigger();
    ASSERT_EQ(area.subWindowList().size(), 3);
    TKeloReportPreViewForm* stop = NewestPreview(area);
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->windowTitle(), U("Станционное расписание по остановочному пункту ПИСАРЕВКА#"));
    EXPECT_TRUE(
        stop->Lines().contains(U("\t02П    ВИННИЦА 1 - ВОЛОВОДОВКА#         08:17  08:18  00:01")));
}

} // namespace
