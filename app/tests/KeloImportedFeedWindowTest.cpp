#include "Cp1251.h"
#include "KeloChooseKelo.h"
#include "KeloGtfsImportCommand.h"
#include "KeloStartupSource.h"
#include "ModalAnswer.h"
#include "TKeloMainFrame.h"
#include "TKeloSimpleKeloDataSetViewForm.h"
#include "TKeloTripDiagramForm.h"
#include "TempDirSandbox.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <gtest/gtest.h>

#include <sstream>

// An imported feed opened as the planner opens a database: choose a kelo, get its line's
// diagram with every kelo of the day that serves it. The picture is left in the build tree.
TEST(KeloImportedFeedWindow, ChosenKeloOpensItsLineWithTheDaysKelos) {
    kelo_test::TempDirSandbox sandbox;
    const std::string database = QDir(sandbox.Path()).filePath("plan.db").toStdString();
    std::ostringstream out, err;
    ASSERT_EQ(RunKeloGtfsImportCommand(KELO_GTFS_FIXTURE, database, "", out, err), 0) << err.str();

    KeloDataPtrClass source = OpenStartupSource(database).source;
    ASSERT_FALSE(source.IsNull());
    TKeloMainFrame frame(source);
    frame.resize(1280, 800);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    const std::string chosen = Utf8ToCp1251("02П-1").bytes;
    int offered = 0;
    {
        kelo_test::WhenModal<TKeloSimpleKeloDataSetViewForm> choose([&](auto* choice) {
            offered = choice->RowCount();
            ChooseKelo(choice, chosen);
        });
        frame.DoFlightDiagramActionExecute();
    }
    EXPECT_EQ(offered, 6);
    ASSERT_EQ(frame.MdiArea()->subWindowList().size(), 1);
    QMdiSubWindow* child = frame.MdiArea()->subWindowList()[0];
    auto* form = qobject_cast<TKeloTripDiagramForm*>(child->widget());
    ASSERT_NE(form, nullptr);
    // The line 050100 - 050157 - 050101: the three 02П kelos and 101 serve two of its stops.
    EXPECT_EQ(form->Diagram().GetLineStopCodes(),
              (std::vector<std::string>{"050100", "050157", "050101"}));
    EXPECT_EQ(form->EditBuffer()->GetKeloSet()->GetCount(), 4);
    child->showMaximized();
    QApplication::processEvents();
    EXPECT_TRUE(frame.grab().save("kelo-imported-gtfs-line.png"));
}
