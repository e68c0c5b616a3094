#include "KeloSettingsFile.h"
#include "TempDirSandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using kelo_test::TempDirSandbox;

TEST(SettingsFileName, FolderKeloInTheTemporaryDirectoryIsCreatedWhenMissing) {
    TempDirSandbox sandbox;
    ASSERT_TRUE(sandbox.IsValid());
    ASSERT_FALSE(QFileInfo::exists(sandbox.SettingsFolder()));
    const QString name = MakeSettingsFileName();
    EXPECT_EQ(QFileInfo(name).absoluteFilePath(),
              QFileInfo(sandbox.SettingsFile()).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(sandbox.SettingsFolder()).isDir());
    EXPECT_FALSE(QFileInfo::exists(name)); // the file itself is made by the first save

    // Removed meanwhile: made again at the next call.
    ASSERT_TRUE(QDir(sandbox.SettingsFolder()).removeRecursively());
    MakeSettingsFileName();
    EXPECT_TRUE(QFileInfo(sandbox.SettingsFolder()).isDir());
}

TEST(SettingsFileName, TrailingSeparatorOfTheTemporaryDirectoryIsNotDoubled) {
    TempDirSandbox sandbox;
    qputenv("TMPDIR", QFile::encodeName(sandbox.Path() + "/"));
    const QString name = MakeSettingsFileName();
    EXPECT_FALSE(name.contains("//"));
    EXPECT_TRUE(name.endsWith("/Kelo/KeloDemo.ini"));
}

TEST(SettingsFileName, AFileInTheWayIsLeftAlone) {
    TempDirSandbox sandbox;
    QFile blocker(sandbox.SettingsFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder");
    blocker.close();
    const QString name = MakeSettingsFileName();
    EXPECT_TRUE(name.endsWith("/Kelo/KeloDemo.ini"));
    EXPECT_TRUE(QFileInfo(sandbox.SettingsFolder()).isFile());
}

TEST(SettingsFileName, InstalledProviderIsAskedEachTime) {
    int calls = 0;
    SetSettingsFileNameProvider([&calls] {
        ++calls;
        return QStringLiteral("/somewhere/else.ini");
    });
    EXPECT_EQ(KeloSettingsFileName(), "/somewhere/else.ini");
    EXPECT_EQ(KeloSettingsFileName(), "/somewhere/else.ini");
    EXPECT_EQ(calls, 2);
    SetSettingsFileNameProvider({});
    TempDirSandbox sandbox;
    EXPECT_EQ(KeloSettingsFileName(), MakeSettingsFileName());
}
