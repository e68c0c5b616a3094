#pragma once

#include <QString>

#include <functional>

/// Full name of the settings file: "KeloDemo.ini" in the folder "Kelo" of the user's
/// temporary directory (QDir::tempPath(), which follows TMPDIR). Computed afresh at every
/// call; the folder is created when neither a file nor a folder of that name exists, and a
/// failure to create it is ignored.
QString MakeSettingsFileName();

/// Installs the provider of the settings file name that every form storage asks when it
/// opens the file. Start-up installs MakeSettingsFileName; an empty function restores it.
void SetSettingsFileNameProvider(std::function<QString()> provider);

/// The settings file name from the installed provider (MakeSettingsFileName by default).
QString KeloSettingsFileName();
