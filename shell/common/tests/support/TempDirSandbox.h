#pragma once

// Points the user's temporary directory (TMPDIR, which QDir::tempPath() follows) at a fresh
// folder for the lifetime of the object, so the settings file of a test is its own and the
// real one is never touched. Header-only; link the kelo_gui_test_support target.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace kelo_test {

class TempDirSandbox {
public:
    TempDirSandbox() : hadOld(qEnvironmentVariableIsSet("TMPDIR")), old(qgetenv("TMPDIR")) {
        qputenv("TMPDIR", QFile::encodeName(dir.path()));
    }
    ~TempDirSandbox() {
        if (hadOld)
            qputenv("TMPDIR", old);
        else
            qunsetenv("TMPDIR");
    }
    TempDirSandbox(const TempDirSandbox&) = delete;
    TempDirSandbox& operator=(const TempDirSandbox&) = delete;

    bool IsValid() const { return dir.isValid(); }
    // The folder that now serves as the temporary directory.
    QString Path() const { return dir.path(); }
    // Where the settings file lies inside it.
    QString SettingsFolder() const { return dir.path() + QStringLiteral("/Kelo"); }
    QString SettingsFile() const { return SettingsFolder() + QStringLiteral("/KeloDemo.ini"); }

private:
    // Created under the real temporary directory before TMPDIR is changed.
    QTemporaryDir dir;
    bool hadOld;
    QByteArray old;
};

} // namespace kelo_test
