#pragma once

#include <QStringList>
#include <QWidget>

#include <string>

class QPlainTextEdit;
class QPrinter;
class QToolBar;
class QToolButton;

/// Read-only view of one text report as an MDI child: fixed-pitch lines without wrapping,
/// saved as a Windows-1251 text file with CR LF ends, or printed. Keeps its own copy of the
/// text; the file it was loaded from may go at once.
class TKeloReportPreViewForm : public QWidget {
    Q_OBJECT
public:
    explicit TKeloReportPreViewForm(QWidget* parent = nullptr);
    // The initial size, which an MDI sub-window takes over.
    QSize sizeHint() const override;

    // Lines of the report as shown.
    const QStringList& Lines() const { return lines; }
    // Replaces the text with the lines of Windows-1251 bytes (ends LF, CR LF or CR).
    void SetReportBytes(const std::string& bytes);
    // Writes the lines whole or not at all; throws std::runtime_error when that fails,
    // leaving any file of that name as it was.
    void SaveToFile(const QString& fileName) const;
    // Prints the text as one document with an empty title.
    void PrintTo(QPrinter& printer) const;
    // Shows the window, in its MDI area when it has one, and brings it to the front.
    void ShowAndActivate();

    void SaveToolButtonClick();
    void PrintToolButtonClick();

    QToolBar* ToolBar = nullptr;
    QToolButton* SaveToolButton = nullptr;
    QToolButton* PrintToolButton = nullptr;
    QPlainTextEdit* RichEdit = nullptr;

private:
    QStringList lines;
};

/// Loads a report file into `window` and shows it. A missing or unreadable file gives the
/// message "Ошибка доступа к файлу " with its name, leaves the window as it was and
/// returns false.
bool OpenReportPreview(TKeloReportPreViewForm* window, const QString& fileName);
