// The lists' plain text cells look as the style draws them: selected or not, cut short or not.
#include "TKeloPlainTextItemDelegate.h"

#include <QStyledItemDelegate>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

template <typename DelegateType> QImage ListPicture() {
    QTreeWidget list;
    list.setColumnCount(3);
    list.setRootIsDecorated(false);
    list.setItemDelegate(new DelegateType(&list)); // owned by the list
    list.resize(360, 140);
    list.setColumnWidth(0, 150);
    list.setColumnWidth(1, 60);
    for (const QStringList& texts :
         {QStringList{"БАР - ВИННИЦА 1", "11:00", "48,6"},
          QStringList{"ВИННИЦА 1 - МУРОВАННЫЕ КУРИЛОВЦЫ - [78Ж]", "10:05", "51,2"},
          QStringList{"", "7:30", ""}}) {
        auto* row = new QTreeWidgetItem(&list, texts);
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    list.setCurrentItem(list.topLevelItem(1));
    list.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&list));
    return list.viewport()->grab().toImage();
}

TEST(PlainTextItemDelegate, CellsLookAsTheStyleDrawsThem) {
    const QImage styled = ListPicture<QStyledItemDelegate>();
    const QImage plain = ListPicture<TKeloPlainTextItemDelegate>();
    ASSERT_EQ(styled.size(), plain.size());
    int differing = 0;
    for (int y = 0; y < styled.height(); ++y)
        for (int x = 0; x < styled.width(); ++x)
            differing += styled.pixel(x, y) != plain.pixel(x, y);
    EXPECT_EQ(differing, 0);
}

} // namespace
