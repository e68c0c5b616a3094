#include "TZoStringStorage.h"

#include <gtest/gtest.h>

TEST(ZoStringStorage, NewTableIsEmpty) {
    TZoStringStorage storage;
    EXPECT_TRUE(storage.Lines().isEmpty());
    EXPECT_TRUE(storage.Str().isEmpty());
    EXPECT_EQ(storage.objectName(), "ZoStringStorage");
}

TEST(ZoStringStorage, AssignedListIsACopyReadByPosition) {
    TZoStringStorage storage;
    QStringList texts{"a", "b", "c", QString::fromUtf8("Не выбран рейс")};
    storage.SetLines(texts);
    texts[3] = "changed";
    EXPECT_EQ(storage.Lines().size(), 4);
    EXPECT_EQ(storage.Line(3), QString::fromUtf8("Не выбран рейс"));
    EXPECT_TRUE(storage.Line(4).isEmpty());
    EXPECT_TRUE(storage.Line(-1).isEmpty());
    storage.SetLines({"x"});
    EXPECT_EQ(storage.Lines(), QStringList{"x"});
}

TEST(ZoStringStorage, LivesWithItsOwner) {
    QObject owner;
    auto* storage = new TZoStringStorage({"one"}, &owner);
    EXPECT_EQ(owner.findChild<TZoStringStorage*>("ZoStringStorage"), storage);
    storage->SetStr("free text");
    EXPECT_EQ(storage->Str(), "free text");
}
