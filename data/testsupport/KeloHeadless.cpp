#include "KeloBuiltInTestSupport.h"

#include <QByteArray>
#include <QtGlobal>

// Apart from the built-in helpers, so that a program wanting only this links no tables.
void KeloUseHeadlessPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
