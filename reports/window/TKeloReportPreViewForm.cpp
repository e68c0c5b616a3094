#include "TKeloReportPreViewForm.h"

#include "KeloErrorReport.h"
#include "KeloMessageBoxes.h"

#include "KeloQtText.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QStyle>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace {

// The leading tab of every report line indents by this many characters, as a margin.
constexpr int TabStopColumns = 4;

// What keeps the columns is equal advances. Some monospace faces (Noto Sans Mono) do not
// say they are fixed-pitch, so the advances are measured rather than the flag trusted.
bool HasEqualAdvances(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal narrow = metrics.horizontalAdvance(QLatin1Char('i'));
    return narrow > 0 && narrow == metrics.horizontalAdvance(QLatin1Char('W')) &&
           narrow == metrics.horizontalAdvance(QLatin1Char('0'));
}

QFont SizedFont(QFont font) {
    font.setPixelSize(13);
    font.setStyleHint(QFont::Monospace);
    return font;
}

// The report font; where it is missing, the system's own fixed font, and where that is not
// monospace after all, the first installed family that is.
QFont ReportFont() {
    QFont font = SizedFont(QFont(QStringLiteral("Lucida Console")));
    if (QFontInfo(font).family() == font.family() && HasEqualAdvances(font))
        return font;
    const QFont system = SizedFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    if (HasEqualAdvances(system))
        return system;
    for (const QString& family : QFontDatabase::families()) {
        font = SizedFont(QFont(family));
        if (QFontInfo(font).family() == family && HasEqualAdvances(font))
            return font;
    }
    return system;
}

QToolButton* ToolButton(const char* name, const char* caption, const char* hint, const QIcon& icon,
                        QToolBar* bar) {
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setText(U(caption));
    button->setToolTip(U(hint));
    button->setStatusTip(U(hint));
    button->setIcon(icon);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setFixedHeight(23);
    bar->addWidget(button);
    return button;
}

} // namespace

TKeloReportPreViewForm::TKeloReportPreViewForm(QWidget* parent) : QWidget(parent) {
    setObjectName("KeloReportPreViewForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(U("Просмотр формы: "));
    resize(688, 453);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ToolBar = new QToolBar(this);
    ToolBar->setObjectName("ToolBar");
    ToolBar->setFixedHeight(28);
    SaveToolButton = ToolButton("SaveToolButton", "Сохранить", "Сохранить форму на диске",
                                style()->standardIcon(QStyle::SP_DialogSaveButton), ToolBar);
    ToolBar->addSeparator();
    PrintToolButton = ToolButton("PrintToolButton", "Печать", "Распечатать форму",
                                 QIcon::fromTheme(QStringLiteral("document-print"),
                                                  style()->standardIcon(QStyle::SP_FileIcon)),
                                 ToolBar);
    layout->addWidget(ToolBar);

    RichEdit = new QPlainTextEdit(this);
    RichEdit->setObjectName("RichEdit");
    RichEdit->setReadOnly(true);
    RichEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit->setFont(ReportFont());
    RichEdit->document()->setDefaultFont(RichEdit->font());
    RichEdit->setTabStopDistance(TabStopColumns *
                                 RichEdit->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    layout->addWidget(RichEdit, 1);

    connect(SaveToolButton, &QToolButton::clicked, this,
            &TKeloReportPreViewForm::SaveToolButtonClick);
    connect(PrintToolButton, &QToolButton::clicked, this,
            &TKeloReportPreViewForm::PrintToolButtonClick);
}

QSize TKeloReportPreViewForm::sizeHint() const {
    return {688, 453};
}

void TKeloReportPreViewForm::SetReportBytes(const std::string& bytes) {
    lines.clear();
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        lines.append(KeloToQString(bytes.substr(start, end - start)));
        start = end + 1;
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n')
            ++start;
    }
    RichEdit->setPlainText(lines.join(QLatin1Char('\n')));
}

void TKeloReportPreViewForm::SaveToFile(const QString& fileName) const {
    std::string bytes;
    for (const QString& line : lines) {
        std::string encoded;
        KeloFromQString(line, encoded); // the lines came from Windows-1251, so all of them fit
        bytes += encoded + "\r\n";
    }
    // Unbuffered: a buffered flush lets a short write (a full disk) pass as success.
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
        file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()) && file.commit())
        return;
    const QString reason = file.errorString();
    file.cancelWriting();
    throw std::runtime_error(
        (U("Не удалось записать файл ") + QFileInfo(fileName).absoluteFilePath() + ": " + reason)
            .toStdString());
}

void TKeloReportPreViewForm::PrintTo(QPrinter& printer) const {
    // The screen font is sized in pixels, which on a printer would come out minute: print
    // the same face at the point size those pixels make on a 96 dpi screen.
    QFont font = RichEdit->font();
    font.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
    QTextDocument document;
    document.setDefaultFont(font);
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(TabStopColumns *
                              QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')));
    document.setDefaultTextOption(option);
    document.setPlainText(lines.join(QLatin1Char('\n')));
    printer.setDocName(QString());
    document.print(&printer);
}

void TKeloReportPreViewForm::ShowAndActivate() {
    if (auto* child = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        show();
        child->show();
        if (QMdiArea* area = child->mdiArea())
            area->setActiveSubWindow(child);
        return;
    }
    show();
    raise();
    activateWindow();
}

void TKeloReportPreViewForm::SaveToolButtonClick() {
    QFileDialog dialog(this, QString(), QString(), U("Текстовые файлы (*.txt)"));
    dialog.setObjectName("SaveDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString fileName = QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
    try {
        SaveToFile(fileName);
    } catch (const std::exception& error) {
        // A mistyped folder is the planner's to fix, not an internal error.
        const QFileInfo info(fileName);
        KeloShowError(info.absoluteDir().exists()
                          ? QString::fromUtf8(error.what()) +
                                U("\nВыберите другую папку или другое имя файла.")
                          : U("Папки «%1» нет, поэтому отчёт не сохранён. Выберите "
                              "существующую папку.")
                                .arg(QDir::toNativeSeparators(info.absolutePath())),
                      this);
        return;
    }
    KeloShowInformation(U("Сформирован файл формы ") + fileName, this);
}

void TKeloReportPreViewForm::PrintToolButtonClick() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName("PrintDialog");
    if (dialog.exec() == QDialog::Accepted)
        PrintTo(printer);
}

bool OpenReportPreview(TKeloReportPreViewForm* window, const QString& fileName) {
    QFile file(fileName);
    if (!file.exists() || !file.open(QIODevice::ReadOnly)) {
        KeloShowError(QString::fromUtf8("Ошибка доступа к файлу ") + fileName, window);
        return false;
    }
    const QByteArray bytes = file.readAll();
    window->SetReportBytes(bytes.toStdString());
    window->ShowAndActivate();
    return true;
}
