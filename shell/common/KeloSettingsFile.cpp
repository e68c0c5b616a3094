#include "KeloSettingsFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

std::function<QString()>& Provider() {
    static std::function<QString()> provider;
    return provider;
}

} // namespace

QString MakeSettingsFileName() {
    QString dir = QDir::tempPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    dir += QStringLiteral("Kelo");
    if (!QFileInfo::exists(dir))
        QDir().mkdir(dir);
    return dir + QLatin1Char('/') + QStringLiteral("KeloDemo") + QStringLiteral(".ini");
}

void SetSettingsFileNameProvider(std::function<QString()> provider) {
    Provider() = std::move(provider);
}

QString KeloSettingsFileName() {
    const std::function<QString()>& provider = Provider();
    return provider ? provider() : MakeSettingsFileName();
}
