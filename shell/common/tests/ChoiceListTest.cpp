#include "Cp1251.h"
#include "InMemoryKeloData.h"
#include "KeloChoiceRules.h"
#include "ModalAnswer.h"
#include "TKeloSimpleKeloDataSetViewForm.h"
#include "TKeloSimpleStopDataSetViewForm.h"
#include "TZoFormStorage.h"
#include "TempDirSandbox.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using kelo_test::MessageBoxAnswer;
using kelo_test::TempDirSandbox;
using kelo_test::WhenModal;

namespace {

std::string Cp(const char* utf8) {
    return Utf8ToCp1251(utf8).bytes;
}

std::vector<std::string> Captions(const TKeloSimpleDataSetViewForm& form) {
    std::vector<std::string> captions;
    for (int i = 0; i < form.RowCount(); ++i)
        captions.push_back(form.Row(i)->CaptionBytes());
    return captions;
}

void ClickHeader(TKeloSimpleDataSetViewForm& form, int column) {
    QHeaderView* header = form.ListView->header();
    const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

InMemoryDataSet KelosAndStops() {
    InMemoryDataSet data;
    data.stops = {{"100200", Cp("Винница")}, {"100100", Cp("Бар")}, {"100300", Cp("Агрономичное")}};
    data.kelos = {{"02\xCF", Cp("ВИННИЦА 1 - КАЛИНОВКА"), "", {}}, // 02П
                  {"10", Cp("АГРОНОМИЧНОЕ - БАР"), "", {}},
                  {"100", Cp("БАР - ВИННИЦА"), "", {}}};
    return data;
}

class ChoiceList : public testing::Test {
protected:
    TempDirSandbox sandbox; // the windows keep their placement in a private settings file
};

} // namespace

TEST(ChoiceText, LatinLettersFoldOthersCompareByCodePageValue) {
    EXPECT_EQ(KeloTextCompare("a1", "A1"), 0);
    EXPECT_LT(KeloTextCompare("abc", "ABD"), 0);
    // Cyrillic а (0xE0) and А (0xC0) differ; upper case comes first.
    EXPECT_GT(KeloTextCompare(Cp("а"), Cp("А")), 0);
    EXPECT_NE(KeloTextCompare(Cp("б"), Cp("Б")), 0);
    // A prefix comes first; bytes are unsigned, so Cyrillic follows Latin and digits.
    EXPECT_LT(KeloTextCompare("10", "100"), 0);
    EXPECT_GT(KeloTextCompare("100", "10"), 0);
    EXPECT_LT(KeloTextCompare("Z", Cp("А")), 0);
    EXPECT_LT(KeloTextCompare("", "0"), 0);
    EXPECT_EQ(KeloTextCompare("", ""), 0);
    // Only a-z fold: '_' (0x5F) lies between the two Latin cases and so follows both.
    EXPECT_GT(KeloTextCompare("_", "Z"), 0);
    EXPECT_GT(KeloTextCompare("_", "a"), 0);
    EXPECT_LT(KeloTextCompare(Cp("Ё"), Cp("А")), 0); // 0xA8 before 0xC0
}

TEST(ChoiceText, SortColumnFollowsHeaderClicks) {
    EXPECT_EQ(KeloNextSortColumn(2, 0), 1);
    EXPECT_EQ(KeloNextSortColumn(1, 0), -1);
    EXPECT_EQ(KeloNextSortColumn(-1, 0), 1);
    EXPECT_EQ(KeloNextSortColumn(-1, 1), 2);
    EXPECT_EQ(KeloNextSortColumn(-2, 1), 2);
}

TEST_F(ChoiceList, OpensOrderedByNameAndFollowsTheHeader) {
    TKeloSimpleKeloDataSetViewForm form;
    form.AddRow("100", Cp("Б"));
    form.AddRow("a1", Cp("а"));
    form.AddRow("10", Cp("А"));
    form.AddRow("A1", Cp("В"));
    form.show();
    EXPECT_EQ(form.SortColumn(), 2);
    // By name: А (0xC0), Б (0xC1), В (0xC2), а (0xE0).
    EXPECT_EQ(Captions(form), (std::vector<std::string>{"10", "100", "A1", "a1"}));

    ClickHeader(form, 0); // "Код", ascending; a1 and A1 are equal and keep their order
    EXPECT_EQ(form.SortColumn(), 1);
    EXPECT_EQ(Captions(form), (std::vector<std::string>{"10", "100", "A1", "a1"}));
    ClickHeader(form, 0); // descending
    EXPECT_EQ(form.SortColumn(), -1);
    const std::vector<std::string> descending = Captions(form);
    EXPECT_EQ(descending[2], "100");
    EXPECT_EQ(descending[3], "10");
    ClickHeader(form, 1); // "Название", ascending again
    EXPECT_EQ(form.SortColumn(), 2);
    EXPECT_EQ(Captions(form), (std::vector<std::string>{"10", "100", "A1", "a1"}));
    ClickHeader(form, 1);
    EXPECT_EQ(Captions(form), (std::vector<std::string>{"a1", "A1", "100", "10"}));
}

// Rows added in one pass take the places they would take one by one: equal names keep the
// order they came in, after the rows already there.
TEST_F(ChoiceList, RowsAddedTogetherOrderAsRowsAddedOneByOne) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"5", "b"}, {"4", "a"}, {"3", "b"}, {"2", Cp("А")}, {"1", "a"}, {"0", "B"}};
    TKeloSimpleKeloDataSetViewForm one, together;
    one.AddRow("9", "b");
    together.AddRow("9", "b");
    for (const auto& [code, name] : rows)
        one.AddRow(code, name);
    together.AddRows(rows);
    EXPECT_EQ(Captions(together), Captions(one));
    EXPECT_EQ(Captions(together), (std::vector<std::string>{"4", "1", "9", "5", "3", "0", "2"}));
}

TEST_F(ChoiceList, SelectionSurvivesResorting) {
    TKeloSimpleStopDataSetViewForm form;
    form.AddRow("3", "c");
    form.AddRow("1", "b");
    form.AddRow("2", "a");
    form.show();
    form.SelectRow(1); // "1", name b
    ClickHeader(form, 0);
    EXPECT_EQ(form.SelectedCode(), "1");
    EXPECT_EQ(form.ListView->selectionModel()->selectedRows().size(), 1);
}

TEST_F(ChoiceList, KeloListIsFilledFromTheDataSource) {
    InMemoryKeloDataClass* spy = nullptr;
    TKeloSimpleKeloDataSetViewForm form(MakeInMemorySource(KelosAndStops(), &spy));
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Выбор рейса"));
    ASSERT_EQ(form.RowCount(), 3);
    // Ordered by name: АГРОНОМИЧНОЕ, БАР, ВИННИЦА.
    EXPECT_EQ(form.Row(0)->text(0), "10");
    EXPECT_EQ(form.Row(0)->text(1), QString::fromUtf8("АГРОНОМИЧНОЕ - БАР"));
    EXPECT_EQ(form.Row(2)->text(0), QString::fromUtf8("02П"));
    EXPECT_EQ(form.Row(2)->CaptionBytes(), "02\xCF");
    EXPECT_EQ(form.ListView->model()->headerData(0, Qt::Horizontal).toString(),
              QString::fromUtf8("Код"));
    EXPECT_EQ(form.ListView->model()->headerData(1, Qt::Horizontal).toString(),
              QString::fromUtf8("Название"));
    EXPECT_EQ(form.ListView->columnWidth(0), 100);
    EXPECT_EQ(form.ListView->columnWidth(1), 400);
    EXPECT_EQ(form.SelectedRow(), nullptr);
    EXPECT_EQ(form.CancelButton->text(), QString::fromUtf8("Отмена"));
    EXPECT_EQ(form.OkButton->text(), "Ok");
}

TEST_F(ChoiceList, ChosenKeloComesBackAsItsNumber) {
    TKeloSimpleKeloDataSetViewForm form(MakeInMemorySource(KelosAndStops()));
    WhenModal<TKeloSimpleKeloDataSetViewForm> choose([](TKeloSimpleKeloDataSetViewForm* shown) {
        shown->SelectRow(2);
        shown->OkButton->click();
    });
    ASSERT_EQ(form.exec(), QDialog::Accepted);
    EXPECT_EQ(form.SelectedNumber(), "02\xCF");
}

TEST_F(ChoiceList, DoubleClickOnAKeloChoosesIt) {
    TKeloSimpleKeloDataSetViewForm form(MakeInMemorySource(KelosAndStops()));
    WhenModal<TKeloSimpleKeloDataSetViewForm> choose([](TKeloSimpleKeloDataSetViewForm* shown) {
        QWidget* rows = shown->ListView->viewport();
        const QRect row = shown->ListView->visualRect(shown->RowIndex(2));
        QTest::mouseClick(rows, Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(rows, Qt::LeftButton, {}, row.center());
    });
    ASSERT_EQ(form.exec(), QDialog::Accepted);
    EXPECT_EQ(form.SelectedNumber(), "02\xCF");
}

TEST_F(ChoiceList, StopListIsFilledFromTheDataSource) {
    TKeloSimpleStopDataSetViewForm form(MakeInMemorySource(KelosAndStops()));
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Выбор остановочного пункта"));
    ASSERT_EQ(form.RowCount(), 3);
    EXPECT_EQ(form.Row(0)->CaptionBytes(), "100300");
    EXPECT_EQ(form.Row(2)->CaptionBytes(), "100200");
}

TEST_F(ChoiceList, OkWithoutSelectionIsRefusedInBothLists) {
    const QString refusal = QString::fromUtf8("Не выбран рейс");
    auto check = [&](TKeloSimpleDataSetViewForm& form) {
        form.AddRow("1", "one");
        MessageBoxAnswer answer(QMessageBox::Ok);
        bool stayedOpen = false;
        bool listFocused = false;
        WhenModal<TKeloSimpleDataSetViewForm> press([&](TKeloSimpleDataSetViewForm* shown) {
            shown->OkButton->click(); // refused
            stayedOpen = shown->isVisible();
            listFocused = shown->focusWidget() == shown->ListView;
            shown->SelectRow(0);
            shown->OkButton->click();
        });
        EXPECT_EQ(form.exec(), QDialog::Accepted);
        EXPECT_TRUE(stayedOpen);
        EXPECT_TRUE(listFocused);
        ASSERT_EQ(answer.Count(), 1);
        EXPECT_EQ(answer.Last().title, "Kelo");
        EXPECT_EQ(answer.Last().text, refusal);
        EXPECT_EQ(answer.Last().icon, QMessageBox::Critical);
        EXPECT_EQ(answer.Last().buttons, QMessageBox::Ok);
        EXPECT_EQ(form.SelectedCaption(), "1");
    };
    TKeloSimpleKeloDataSetViewForm kelos;
    check(kelos);
    TKeloSimpleStopDataSetViewForm stops;
    check(stops);
}

TEST_F(ChoiceList, CancelEscapeAndCloseBoxAlwaysClose) {
    MessageBoxAnswer answer;
    TKeloSimpleKeloDataSetViewForm form;
    form.AddRow("1", "one");
    {
        WhenModal<TKeloSimpleKeloDataSetViewForm> cancel(
            [](TKeloSimpleKeloDataSetViewForm* shown) { shown->CancelButton->click(); });
        EXPECT_EQ(form.exec(), QDialog::Rejected);
    }
    {
        WhenModal<TKeloSimpleKeloDataSetViewForm> escape(
            [](TKeloSimpleKeloDataSetViewForm* shown) { QTest::keyClick(shown, Qt::Key_Escape); });
        EXPECT_EQ(form.exec(), QDialog::Rejected);
    }
    {
        WhenModal<TKeloSimpleKeloDataSetViewForm> closeBox(
            [](TKeloSimpleKeloDataSetViewForm* shown) { shown->close(); });
        EXPECT_EQ(form.exec(), QDialog::Rejected);
    }
    EXPECT_EQ(answer.Count(), 0);
}

TEST_F(ChoiceList, ButtonsStayAtTheRightEdge) {
    TKeloSimpleStopDataSetViewForm form;
    form.show();
    EXPECT_EQ(form.size(), QSize(517, 273));
    EXPECT_EQ(form.Panel->height(), 41);
    EXPECT_EQ(form.ListView->geometry(), QRect(0, 0, 517, 232));
    for (int width : {517, 400, 300, 800}) {
        form.resize(width, 273);
        const int panelWidth = form.Panel->width();
        EXPECT_EQ(form.CancelButton->geometry(), QRect(panelWidth - 85, 8, 75, 25)) << width;
        EXPECT_EQ(form.OkButton->geometry(), QRect(panelWidth - 170, 8, 75, 25)) << width;
    }
}

TEST_F(ChoiceList, OnlyThePlacementIsKept) {
    {
        TKeloSimpleKeloDataSetViewForm form;
        form.AddRow("1", "one");
        WhenModal<TKeloSimpleKeloDataSetViewForm> move([](TKeloSimpleKeloDataSetViewForm* shown) {
            shown->setGeometry(50, 60, 600, 350);
            shown->ListView->header()->resizeSection(0, 160);
            shown->CancelButton->click();
        });
        form.exec();
    }
    TKeloSimpleKeloDataSetViewForm again;
    QRect seen;
    int column = 0;
    WhenModal<TKeloSimpleKeloDataSetViewForm> look([&](TKeloSimpleKeloDataSetViewForm* shown) {
        seen = shown->geometry();
        column = shown->ListView->columnWidth(0);
        shown->reject();
    });
    again.exec();
    EXPECT_EQ(seen, QRect(50, 60, 600, 350));
    EXPECT_EQ(column, 100);
    EXPECT_EQ(again.SortColumn(), 2);
    // The stop choice has a section of its own.
    TKeloSimpleStopDataSetViewForm stops;
    stops.show();
    EXPECT_EQ(stops.size(), QSize(517, 273));
}

TEST(ProcessForm, FixedFrameWithOkAndCancel) {
    TKeloSimpleProcessForm form;
    form.show();
    EXPECT_EQ(form.size(), QSize(517, 273));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.OkButton->geometry(), QRect(352, 8, 75, 25));
    EXPECT_EQ(form.CancelButton->geometry(), QRect(432, 8, 75, 25));
    EXPECT_EQ(form.CancelButton->text(), "Cancel");
    EXPECT_TRUE(form.OkButton->isDefault());
    EXPECT_EQ(form.Bevel->geometry(), QRect(0, 0, 517, 232));
}
