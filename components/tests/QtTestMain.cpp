#include "KeloBuiltInTestSupport.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Tests drive real widgets; without a display they run on the offscreen platform.
    KeloUseHeadlessPlatform();
    // Qt's own dialogs keep state in the user's config folder behind a lock file; test
    // programs running side by side (one of them under a file-size limit) must not share it.
    QTemporaryDir configHome;
    if (configHome.isValid())
        qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kelo");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
