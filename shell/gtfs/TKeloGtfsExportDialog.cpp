#include "TKeloGtfsExportDialog.h"

#include "KeloQtText.h"

#include "KeloGtfsExporterClass.h"
#include "KeloMessageBoxes.h"
#include "TZoWaitCursor.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>

#include <exception>

namespace {

QDateEdit* MakeDateEdit(QWidget* parent, const char* name, QDate date) {
    auto* edit = new QDateEdit(date, parent);
    edit->setObjectName(name);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat("dd.MM.yyyy");
    return edit;
}

QLineEdit* MakeLineEdit(QWidget* parent, const char* name, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    return edit;
}

std::int32_t DayOf(QDate date) {
    return static_cast<std::int32_t>(QDate(1970, 1, 1).daysTo(date));
}

QDate DateOf(std::int32_t day) {
    return QDate(1970, 1, 1).addDays(day);
}

std::string Utf8(const QString& text) {
    return text.trimmed().toStdString();
}

// The refusal in the planner's words.
QString RefusalText(const KeloGtfsExportErrorClass& error, const QString& file) {
    QStringList names;
    for (const std::string& name : error.names)
        names << QString::fromStdString(name);
    switch (error.kind) {
    case KeloGtfsExportRefusalType::NoPositionAtAll:
        return U("У остановок плана нет координат, а без них расписание не выгрузить в GTFS. "
                 "Во встроенном наборе данных координат нет: выгрузить можно план, "
                 "импортированный из GTFS.");
    case KeloGtfsExportRefusalType::StopsWithoutPosition: {
        QString text = U("Без координат расписание не выгрузить в GTFS, а их нет у %1 "
                         "остановок: %2")
                           .arg(error.count)
                           .arg(names.join(", "));
        if (error.count > static_cast<std::uint64_t>(names.size()))
            text += U(" и ещё %1").arg(error.count - static_cast<std::uint64_t>(names.size()));
        return text + ".";
    }
    case KeloGtfsExportRefusalType::NoAgency:
        return U("В плане не указан перевозчик.");
    case KeloGtfsExportRefusalType::BadTimeZone:
        return U("Часовой пояс «%1» неизвестен.").arg(names.value(0));
    case KeloGtfsExportRefusalType::NoTrips:
        return U("В плане нет рейсов со временем хотя бы на двух остановках.");
    case KeloGtfsExportRefusalType::BadDates:
        return U("Дата окончания раньше даты начала.");
    case KeloGtfsExportRefusalType::Unwritable:
        return U("Не удаётся записать файл «%1»: %2.").arg(file, names.value(0));
    }
    return QString::fromStdString(error.what());
}

} // namespace

TKeloGtfsExportDialog::TKeloGtfsExportDialog(QWidget* owner,
                                             const KeloGtfsExportChoiceType& initial)
    : QDialog(owner), askAgency(initial.askAgency) {
    setObjectName("KeloGtfsExportDialog");
    setWindowTitle(U("Экспорт в GTFS"));
    auto* form = new QFormLayout(this);
    fileEdit = MakeLineEdit(this, "FileEdit", initial.file);
    auto* browse = new QPushButton("...", this);
    browse->setObjectName("BrowseButton");
    connect(browse, &QPushButton::clicked, this, &TKeloGtfsExportDialog::BrowseFile);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileEdit, 1);
    fileRow->addWidget(browse);
    form->addRow(U("Файл:"), fileRow);
    startEdit = MakeDateEdit(this, "StartDateEdit", initial.start);
    endEdit = MakeDateEdit(this, "EndDateEdit", initial.end);
    form->addRow(U("Действует с:"), startEdit);
    form->addRow(U("по:"), endEdit);
    if (askAgency) {
        agencyNameEdit = MakeLineEdit(this, "AgencyNameEdit", initial.agencyName);
        agencyTimezoneEdit = MakeLineEdit(this, "AgencyTimezoneEdit", initial.agencyTimezone);
        agencyUrlEdit = MakeLineEdit(this, "AgencyUrlEdit", initial.agencyUrl);
        form->addRow(U("Перевозчик:"), agencyNameEdit);
        form->addRow(U("Часовой пояс:"), agencyTimezoneEdit);
        form->addRow(U("Сайт:"), agencyUrlEdit);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("Buttons");
    connect(buttons, &QDialogButtonBox::accepted, this, &TKeloGtfsExportDialog::OkClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    resize(480, sizeHint().height());
}

void TKeloGtfsExportDialog::BrowseFile() {
    const QString file = QFileDialog::getSaveFileName(this, U("Экспорт в GTFS"), fileEdit->text(),
                                                      U("Архив GTFS (*.zip)"));
    if (!file.isEmpty())
        fileEdit->setText(file.endsWith(".zip", Qt::CaseInsensitive) ? file : file + ".zip");
}

void TKeloGtfsExportDialog::OkClick() {
    // Only what the planner can mend here; the export itself checks the rest.
    if (fileEdit->text().trimmed().isEmpty())
        return KeloShowError(U("Не указан файл."), this);
    if (askAgency && (agencyNameEdit->text().trimmed().isEmpty() ||
                      agencyTimezoneEdit->text().trimmed().isEmpty() ||
                      agencyUrlEdit->text().trimmed().isEmpty()))
        return KeloShowError(U("В плане не указан перевозчик: укажите его название, часовой пояс "
                               "(например, Europe/Kyiv) и сайт."),
                             this);
    accept();
}

KeloGtfsExportChoiceType TKeloGtfsExportDialog::Choice() const {
    KeloGtfsExportChoiceType choice;
    choice.file = fileEdit->text().trimmed();
    choice.start = startEdit->date();
    choice.end = endEdit->date();
    choice.askAgency = askAgency;
    if (askAgency) {
        choice.agencyName = agencyNameEdit->text().trimmed();
        choice.agencyTimezone = agencyTimezoneEdit->text().trimmed();
        choice.agencyUrl = agencyUrlEdit->text().trimmed();
    }
    return choice;
}

std::optional<KeloGtfsExportChoiceType>
TKeloGtfsExportDialog::Ask(QWidget* owner, const KeloGtfsExportChoiceType& initial) {
    TKeloGtfsExportDialog dialog(owner, initial);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

void KeloExportGtfsFromWindow(QWidget* owner, KeloDataPtrClass source) {
    KeloFeedPlanType plan;
    try {
        TZoWaitCursor wait;
        plan = KeloReadFeedPlan(source);
    } catch (const std::exception& error) {
        return KeloShowError(
            U("Не удаётся прочитать план: %1.").arg(QString::fromLocal8Bit(error.what())), owner);
    }
    KeloGtfsExportChoiceType initial;
    initial.start = DateOf(KeloGtfsLocalToday());
    initial.end = DateOf(KeloGtfsSameDayNextYear(KeloGtfsLocalToday()));
    initial.askAgency = !plan.agency.has_value();
    const std::optional<KeloGtfsExportChoiceType> choice =
        TKeloGtfsExportDialog::Ask(owner, initial);
    if (!choice)
        return;

    KeloGtfsExportOptionsType options;
    options.file = QFile::encodeName(choice->file).toStdString();
    options.startDay = DayOf(choice->start);
    options.endDay = DayOf(choice->end);
    if (choice->askAgency)
        options.agency = KeloFeedAgencyType{
            Utf8(choice->agencyName), Utf8(choice->agencyUrl), Utf8(choice->agencyTimezone), {}};
    QProgressDialog progress(U("Экспорт в GTFS..."), U("Отмена"), 0, 1000, owner);
    progress.setObjectName("KeloGtfsExportProgress");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    options.progress = [&progress](std::uint64_t done, std::uint64_t total) {
        progress.setValue(static_cast<int>(total ? done * 1000 / total : 1000));
        return !progress.wasCanceled();
    };
    KeloGtfsExportSummaryType summary;
    try {
        summary = KeloGtfsExporterClass().Run(plan, options);
    } catch (const KeloGtfsExportErrorClass& error) {
        progress.reset();
        return KeloShowError(RefusalText(error, choice->file), owner);
    }
    progress.reset();
    if (summary.cancelled)
        return;
    QString text = U("В файл «%1» записано рейсов: %2, остановок: %3.")
                       .arg(choice->file)
                       .arg(summary.trips)
                       .arg(summary.stops);
    if (summary.skippedKelos)
        text += U(" Без времени хотя бы на двух остановках пропущено рейсов: %1.")
                    .arg(summary.skippedKelos);
    KeloShowInformation(text, owner);
}
