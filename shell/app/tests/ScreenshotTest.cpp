#include "KeloDemoDataClass.h"
#include "ModalAnswer.h"
#include "TKeloMainFrame.h"
#include "TKeloSimpleKeloDataSetViewForm.h"
#include "TKeloTripDiagramForm.h"
#include "TempDirSandbox.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

// Writes pictures of the running program into the build tree, to be looked at by a person:
// the main window with a diagram window for 02П, and one for the busiest built-in line.
TEST(Screenshots, MainWindowWithDiagramWindows) {
    kelo_test::TempDirSandbox sandbox;
    TKeloMainFrame frame;
    frame.resize(1280, 900);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));

    // The busiest line: the kelo whose line offers the most kelos.
    KeloDataPtrClass source = MakeBuiltInSource();
    KeloKeloSetPtrClass kelos = source->GetKeloSet();
    std::string busiest;
    int most = 0;
    for (int i = 0; i < kelos->GetCount(); ++i) {
        const std::string number = kelos->GetItem(i)->GetNumber();
        const int offered =
            MakeBuiltInSource(TKeloMainFrame::LineOfKelo(source, number))->GetKeloSet()->GetCount();
        if (offered > most) {
            most = offered;
            busiest = number;
        }
    }
    ASSERT_GE(most, 12);

    for (const std::string& number : {std::string("02\xCF"), busiest}) {
        kelo_test::WhenModal<TKeloSimpleKeloDataSetViewForm> choose([&](auto* choice) {
            for (int i = 0; i < choice->RowCount(); ++i)
                if (choice->Row(i)->CaptionBytes() == number)
                    choice->ListView->setCurrentItem(choice->Row(i));
            choice->accept();
        });
        frame.DoFlightDiagramActionExecute();
    }
    const auto children = frame.MdiArea()->subWindowList();
    ASSERT_EQ(children.size(), 2);

    for (int i = 0; i < 2; ++i) {
        children[i]->showMaximized();
        frame.MdiArea()->setActiveSubWindow(children[i]);
        QApplication::processEvents();
        const QString name = QString("kelo-main-window-%1.png").arg(i == 0 ? "02P" : "busiest");
        EXPECT_TRUE(frame.grab().save(name)) << name.toStdString();
    }
}
