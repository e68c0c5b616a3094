#include "TShortTimePicker.h"

#include "FormatShortTime.h"
#include "KeloUnhandledError.h"

#include <QFocusEvent>
#include <QMouseEvent>

namespace {

// Index of the last character that differs between two texts of equal length, or -1.
int LastChangedPosition(const QString& before, const QString& after) {
    if (before.size() != after.size())
        return -1;
    for (int i = static_cast<int>(after.size()) - 1; i >= 0; --i) {
        if (before[i] != after[i])
            return i;
    }
    return -1;
}

int NumberOrMinusOne(const QString& digits) {
    bool ok = false;
    const int value = digits.toInt(&ok);
    return ok ? value : -1;
}

} // namespace

TShortTimePicker::TShortTimePicker(QWidget* parent) : QLineEdit(parent), Time(0, 0) {
    // Two digits, the colon, two digits; blank positions show as 0. The text always holds
    // the colon, so the parts keep their places while the planner types.
    setInputMask(QStringLiteral("99:99;0"));
    handledText = displayText();
    connect(this, &QLineEdit::textChanged, this, &TShortTimePicker::TimeChange);
}

ShortTimeCheckType TShortTimePicker::NormaliseShortTime(const QString& text, int caret) {
    ShortTimeCheckType result{text, caret, false, QTime()};
    QString s = text;
    s.replace(QLatin1Char(' '), QLatin1Char('0'));
    if (s.size() < 5)
        return result;
    QString hours = s.mid(0, 2);
    const QChar separator = s[2];
    QString minutes = s.mid(3, 2);
    // The digit just typed is kept as the units digit behind a leading zero.
    if (caret >= 1 && caret <= 2 && NumberOrMinusOne(hours) > 23) {
        hours = QStringLiteral("0") + s[caret - 1];
        --caret;
    }
    if (caret >= 4 && caret <= 5 && NumberOrMinusOne(minutes) > 59) {
        minutes = QStringLiteral("0") + s[caret - 1];
        --caret;
    }
    result.text = hours + separator + minutes;
    result.caret = caret;
    const int h = NumberOrMinusOne(hours);
    const int m = NumberOrMinusOne(minutes);
    if (h >= 0 && h <= 23 && m >= 0 && m <= 59) {
        result.valid = true;
        result.time = QTime(h, m);
    }
    return result;
}

bool TShortTimePicker::CheckTime() {
    const QString current = displayText();
    int caret = cursorPosition();
    // The mask moves the caret over the colon as soon as the second hour digit is typed;
    // the hour rule wants the caret just behind that digit.
    if (caret == 3 && LastChangedPosition(handledText, current) == 1)
        caret = 2;
    handledText = current;

    const ShortTimeCheckType checked = NormaliseShortTime(current, caret);
    if (checked.text != current) {
        ++rewrites;
        handledText = checked.text;
        setText(checked.text); // handled once more by TimeChange, which finds it valid
        setCursorPosition(checked.caret);
    }
    // Hours or minutes out of range with the caret elsewhere: no time of day can be formed,
    // so Time keeps its previous value.
    if (!checked.valid)
        return false;
    Time = checked.time;
    return true;
}

void TShortTimePicker::TimeChange() {
    const int rewritesBefore = rewrites;
    const bool valid = CheckTime();
    // A text CheckTime put back has been handled, and reported, by its own pass already.
    if (rewrites != rewritesBefore)
        return;
    if (!valid) {
        KeloReportUnhandledError(
            QString::fromUtf8("\"%1\" не является правильным временем").arg(displayText()));
        return;
    }
    emit OnTimeChange();
}

void TShortTimePicker::SetTime(const QTime& time) {
    Time = time.isValid() ? QTime(time.hour(), time.minute()) : QTime(0, 0);
    setText(FormatShortTime(Time));
}

void TShortTimePicker::SetTimeByString(const QString& text) {
    const int hours = NumberOrMinusOne(text.mid(0, 2));
    const int minutes = NumberOrMinusOne(text.mid(3, 2));
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59)
        return;
    SetTime(QTime(hours, minutes));
}

void TShortTimePicker::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    switch (event->reason()) {
    case Qt::MouseFocusReason:
        // The press that follows places the caret; the release selects.
        selectOnRelease = true;
        break;
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        // A masked line edit would only put the caret at the first blank.
        selectAll();
        break;
    default:
        break;
    }
}

void TShortTimePicker::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    // A drag that chose part of the text keeps that choice.
    if (selectOnRelease && !hasSelectedText())
        selectAll();
    selectOnRelease = false;
}
