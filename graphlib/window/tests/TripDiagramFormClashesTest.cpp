// The planner shows the clash panel, moves a kelo onto and off a clash, and finds the list,
// the marks and the stored minimum interval following.
#include "EditingFlowSupport.h"
#include "ModalAnswer.h"
#include "TKeloTripDiagramClashPanel.h"
#include "TKeloTripKeloMoveDialogForm.h"
#include "TShortTimePicker.h"
#include "TempDirSandbox.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

using namespace editing_test;
using kelo_test::WhenModal;

namespace {

int MarkLines(TKeloTripDiagramForm& form) {
    const ZoCanvasClass& canvas = form.Diagram().GetCanvas();
    int marks = 0;
    for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id)
        if (const auto* line = dynamic_cast<const ZoCanvasItemLineClass*>(canvas.GetItem(id)))
            marks += line->color == TripDiagramClass::ClashMarkColor;
    return marks;
}

QStringList Rows(TKeloTripDiagramForm& form) {
    QStringList rows;
    QTreeWidget* list = form.ClashPanel()->ClashListView();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < 5; ++c)
            cells << list->topLevelItem(i)->text(c);
        rows << cells.join(';');
    }
    return rows;
}

void MoveStart(TKeloTripDiagramForm& form, const char* number, const char* time) {
    SelectRow(form, IndexOf(form, number));
    WhenModal<TKeloTripKeloMoveDialogForm> answer([time](auto* dialog) {
        dialog->TimeStartPicker->SetTimeByString(QString::fromLatin1(time));
        dialog->OkButton->click();
    });
    Trigger(form, "KeloMoveAction");
}

} // namespace

TEST(TripDiagramFormClashes, PanelMarksAndStoredIntervalFollowTheEdits) {
    kelo_test::TempDirSandbox sandbox;
    auto form = std::make_unique<TKeloTripDiagramForm>(nullptr, "F1", SmallLineCodes(),
                                                       MakeInMemorySource(SmallLine()));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_FALSE(form->ClashPanel()->isVisible());
    form->ChartPopupMenu()->findChild<QAction*>("ShowClashesMenuItem")->trigger();
    ASSERT_TRUE(form->ClashPanel()->isVisible());
    EXPECT_EQ(form->ClashPanel()->CountLabel()->text(), QString::fromUtf8("Конфликтов: 0"));
    EXPECT_EQ(MarkLines(*form), 0);

    // F2 now leaves ALPHA two minutes after F1 and reaches BRAVO first.
    MoveStart(*form, "F2", "08:02");
    EXPECT_EQ(Rows(*form), QStringList({QString::fromUtf8("интервал;ALPHA;08:07;F2;F1"),
                                        QString::fromUtf8("обгон;ALPHA;08:07;F2;F1")}));
    EXPECT_EQ(MarkLines(*form), 12 + 1);

    SelectRow(*form, IndexOf(*form, "F1"));
    QTreeWidget* list = form->ClashPanel()->ClashListView();
    emit list->itemDoubleClicked(list->topLevelItem(1), 0);
    EXPECT_EQ(form->State().selectedKelo, IndexOf(*form, "F2"));

    form->ClashPanel()->MinimumIntervalEdit()->setValue(0);
    EXPECT_EQ(Rows(*form).size(), 1);
    EXPECT_EQ(MarkLines(*form), 1);

    MoveStart(*form, "F2", "10:00");
    EXPECT_EQ(Rows(*form), QStringList());
    EXPECT_EQ(MarkLines(*form), 0);

    {
        // The moves are not saved; closing asks, and they are dropped.
        kelo_test::MessageBoxAnswer no(QMessageBox::No);
        form->close();
        EXPECT_EQ(no.Count(), 1);
    }
    form = std::make_unique<TKeloTripDiagramForm>(nullptr, "F1", SmallLineCodes(),
                                                  MakeInMemorySource(SmallLine()));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_EQ(form->ClashPanel()->MinimumInterval(), 0);
}
