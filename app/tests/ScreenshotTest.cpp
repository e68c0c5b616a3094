#include "KeloBuiltInTestSupport.h"
#include "KeloChooseKelo.h"
#include "KeloDemoDataClass.h"
#include "ModalAnswer.h"
#include "TKeloMainFrame.h"
#include "TKeloSimpleKeloDataSetViewForm.h"
#include "TKeloTripDiagramForm.h"
#include "TempDirSandbox.h"
#include "ZoQtDrawingSurfaceClass.h"

#include <QApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

// Pictures of the running program, written into the build tree for a person to look at and
// checked for what that person would look for: the main window with a diagram window for
// 02П, and one for the busiest built-in line.
TEST(Screenshots, MainWindowWithDiagramWindows) {
    kelo_test::TempDirSandbox sandbox;
    TKeloMainFrame frame(MakeBuiltInSource());
    frame.resize(1280, 900);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));

    // The busiest line: the kelo whose line offers the most kelos.
    const std::string busiest = BusiestBuiltInLine().number;
    ASSERT_GE(BusiestBuiltInLine().keloCount, 12);

    for (const std::string& number : {std::string("02\xCF"), busiest}) {
        kelo_test::WhenModal<TKeloSimpleKeloDataSetViewForm> choose(
            [&](auto* choice) { ChooseKelo(choice, number); });
        frame.DoFlightDiagramActionExecute();
    }
    const auto children = frame.MdiArea()->subWindowList();
    ASSERT_EQ(children.size(), 2);

    for (int i = 0; i < 2; ++i) {
        children[i]->showMaximized();
        frame.MdiArea()->setActiveSubWindow(children[i]);
        QApplication::processEvents();
        const QImage shot = frame.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString name = QString("kelo-main-window-%1.png").arg(i == 0 ? "02P" : "busiest");
        EXPECT_TRUE(shot.save(name)) << name.toStdString();

        // What a person checks first: the whole window, a real picture, the chosen kelo in
        // its colour, and the date and clock on show.
        EXPECT_EQ(shot.size(), frame.size() * frame.devicePixelRatio());
        QSet<QRgb> colours;
        for (int y = 0; y < shot.height(); y += 3)
            for (int x = 0; x < shot.width(); x += 3)
                colours.insert(shot.pixel(x, y));
        EXPECT_GT(colours.size(), 20) << name.toStdString();
        auto* form = qobject_cast<TKeloTripDiagramForm*>(children[i]->widget());
        ASSERT_NE(form, nullptr);
        const int selected = form->State().selectedKelo;
        ASSERT_GE(selected, 0);
        const QRgb colour = ZoColorToQColor(form->Diagram().KeloViews()[selected].color).rgb();
        EXPECT_NE(colour, ZoColorToQColor(form->Diagram().State().keloCommonColor).rgb());
        int selectedPixels = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                selectedPixels += (shot.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        EXPECT_GT(selectedPixels, 50) << name.toStdString();
        EXPECT_FALSE(frame.PanelText(1).isEmpty());
        EXPECT_FALSE(frame.PanelText(2).isEmpty());
    }
}
