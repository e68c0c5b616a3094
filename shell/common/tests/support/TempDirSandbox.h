#pragma once

// Points the user's temporary directory (TMPDIR, which QDir::tempPath() follows) and data
// folder (XDG_DATA_HOME, where the planner's plan is kept) into a fresh folder for the
// lifetime of the object, so the settings file and plan of a test are its own and the real
// ones are never touched. Header-only; link the kelo_gui_test_support target.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace kelo_test {

class TempDirSandbox {
public:
    TempDirSandbox()
        : hadOld(qEnvironmentVariableIsSet("TMPDIR")), old(qgetenv("TMPDIR")),
          hadOldData(qEnvironmentVariableIsSet("XDG_DATA_HOME")),
          oldData(qgetenv("XDG_DATA_HOME")) {
        qputenv("TMPDIR", QFile::encodeName(dir.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(DataFolder()));
    }
    ~TempDirSandbox() {
        Restore("TMPDIR", hadOld, old);
        Restore("XDG_DATA_HOME", hadOldData, oldData);
    }
    TempDirSandbox(const TempDirSandbox&) = delete;
    TempDirSandbox& operator=(const TempDirSandbox&) = delete;

    bool IsValid() const { return dir.isValid(); }
    // The folder that now serves as the temporary directory.
    QString Path() const { return dir.path(); }
    // Where the settings file lies inside it.
    QString SettingsFolder() const { return dir.path() + QStringLiteral("/Kelo"); }
    QString SettingsFile() const { return SettingsFolder() + QStringLiteral("/KeloDemo.ini"); }
    // The user's data folder of the test.
    QString DataFolder() const { return dir.path() + QStringLiteral("/share"); }

private:
    static void Restore(const char* name, bool had, const QByteArray& value) {
        if (had)
            qputenv(name, value);
        else
            qunsetenv(name);
    }

    // Created under the real temporary directory before TMPDIR is changed.
    QTemporaryDir dir;
    bool hadOld;
    QByteArray old;
    bool hadOldData;
    QByteArray oldData;
};

} // namespace kelo_test
