#pragma once

#include <QLineEdit>
#include <QString>
#include <QTime>

/// Result of normalising the text of a time field at a given caret position.
struct ShortTimeCheckType {
    QString text;       // the text to show
    int caret = 0;      // where the caret goes
    bool valid = false; // text holds a time of day (hours 0..23, minutes 0..59)
    QTime time;         // that time, seconds 0, when valid
};

/// Hours:minutes entry field. The mask keeps two digits, a colon and two digits, with
/// blank positions shown as 0; after every change the text is normalised, `Time` follows
/// it and OnTimeChange is emitted. Read the value with GetTime(): text() drops the blanks.
class TShortTimePicker : public QLineEdit {
    Q_OBJECT
public:
    explicit TShortTimePicker(QWidget* parent = nullptr);

    void SetTime(const QTime& time);
    QTime GetTime() const { return Time; }
    // "HH:MM": sets the time when both parts are numbers within the day; otherwise
    // leaves the control as it is, without a message.
    void SetTimeByString(const QString& text);

    // Normalises the text at the current caret and updates Time (see NormaliseShortTime).
    // Answers false when the text holds no time of day; Time then keeps its value.
    bool CheckTime();

    // The rule of CheckTime on a text and a caret, without a control: blanks read as 0;
    // a two-digit part out of range while the caret stands just behind one of its digits
    // becomes "0" + the digit before the caret, and the caret steps back by one.
    static ShortTimeCheckType NormaliseShortTime(const QString& text, int caret);

protected:
    // Focus by Tab or by a click selects the whole text, so typed digits become the time.
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

signals:
    // Emitted after every change of the text once it has been normalised into a time. A
    // change that leaves no time of day (hours above 23 or minutes above 59 where the caret
    // does not stand) is reported through KeloReportUnhandledError instead.
    void OnTimeChange();

private:
    void TimeChange();

    QTime Time;
    // The text as last handled, to tell which position an edit changed.
    QString handledText;
    // Counts the texts CheckTime put back, so one edit is reported once.
    int rewrites = 0;
    // The click that gave the focus selects all once it is released.
    bool selectOnRelease = false;
};
