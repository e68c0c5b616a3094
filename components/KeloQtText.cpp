#include "KeloQtText.h"

#include "Cp1251.h"
#include "KeloNumberText.h"
#include "KeloTimeType.h"

#include <stdexcept>

QString U(const char* text) {
    return QString::fromUtf8(text);
}

QString KeloToQString(const std::string& cp1251) {
    const std::string utf8 = Cp1251ToUtf8(cp1251);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

bool KeloFromQString(const QString& text, std::string& out, QString* rejected) {
    const QByteArray utf8 = text.toUtf8();
    Cp1251EncodeResult result = Utf8ToCp1251(std::string_view(utf8.constData(), utf8.size()));
    out = std::move(result.bytes);
    if (rejected != nullptr) {
        rejected->clear();
        for (char32_t cp : result.unmappable)
            rejected->append(QString::fromUcs4(&cp, 1));
    }
    return result.Ok();
}

QString KeloFormatDecimal(double value, int decimals, const QLocale& locale) {
    QString text = QString::fromLatin1(FormatDecimal(value, decimals, '.'));
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

QTime KeloTimeToPickerTime(const KeloTimeType& time) {
    // An older file may hold 24:10: it opens as the 00:10 it means.
    const QString text = KeloClockText(time);
    const QTime value = QTime::fromString(text, QStringLiteral("hh:mm"));
    if (!value.isValid()) {
        const QString reason =
            time.IsEmpty() ? QString::fromUtf8("Время не задано")
                           : QString::fromUtf8("«%1» — не время суток (00:00 … 23:59)").arg(text);
        throw std::invalid_argument(reason.toStdString());
    }
    return value;
}

QString KeloTimeText(const KeloTimeType& time) {
    return QString::fromLatin1(time.Format().c_str());
}

QString KeloClockText(const KeloTimeType& time) {
    return KeloTimeText(KeloTimeOfDay(time));
}
