#include "FormatShortTime.h"

QString FormatShortTime(const QTime& time) {
    // An invalid QTime has no hour; it stands for no time at all, shown like midnight.
    if (!time.isValid())
        return QStringLiteral("00:00");
    return QString::asprintf("%02u:%02u", static_cast<unsigned>(time.hour()),
                             static_cast<unsigned>(time.minute()));
}
