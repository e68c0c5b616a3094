#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

/// Non-visual holder of a window's texts, fetched by 0-based position. Each window keeps
/// one, named "ZoStringStorage", as a child so it lives and dies with the window.
class TZoStringStorage : public QObject {
    Q_OBJECT
public:
    explicit TZoStringStorage(QObject* owner = nullptr);
    TZoStringStorage(const QStringList& lines, QObject* owner);

    // The component's own list; assigning copies the given texts over its content.
    const QStringList& Lines() const { return lines; }
    QStringList& Lines() { return lines; }
    void SetLines(const QStringList& value) { lines = value; }

    // The text at `index`, or an empty text when there is none.
    QString Line(int index) const { return lines.value(index); }

    const QString& Str() const { return str; }
    void SetStr(const QString& value) { str = value; }

private:
    QStringList lines;
    QString str;
};
