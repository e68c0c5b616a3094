#include "TKeloGtfsImportDialog.h"

#include "KeloQtText.h"

#include "KeloDBPlanCopy.h"
#include "KeloGtfsErrorClass.h"
#include "KeloGtfsImporterClass.h"
#include "KeloMessageBoxes.h"
#include "TZoWaitCursor.h"

#include <QApplication>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>

#include <exception>

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

/// Thrown out of the import's progress report when the planner cancels.
struct ImportCancelledType {};

} // namespace

TKeloGtfsImportDialog::TKeloGtfsImportDialog(QWidget* owner) : QDialog(owner) {
    setObjectName("KeloGtfsImportDialog");
    setWindowTitle(U("Импорт GTFS"));
    auto* form = new QFormLayout(this);

    feedEdit = new QLineEdit(this);
    feedEdit->setObjectName("FeedEdit");
    connect(feedEdit, &QLineEdit::editingFinished, this, &TKeloGtfsImportDialog::OfferBusiestDay);
    QPushButton* zipButton = MakeButton(this, "FeedZipButton", U("Архив..."));
    connect(zipButton, &QPushButton::clicked, this, [this] { BrowseFeed(false); });
    QPushButton* folderButton = MakeButton(this, "FeedFolderButton", U("Папка..."));
    connect(folderButton, &QPushButton::clicked, this, [this] { BrowseFeed(true); });
    auto* feedRow = new QHBoxLayout;
    feedRow->addWidget(feedEdit, 1);
    feedRow->addWidget(zipButton);
    feedRow->addWidget(folderButton);
    form->addRow(U("Расписание GTFS:"), feedRow);

    dayEdit = new QDateEdit(QDate::currentDate(), this);
    dayEdit->setObjectName("ServiceDayEdit");
    dayEdit->setCalendarPopup(true);
    dayEdit->setDisplayFormat("dd.MM.yyyy");
    dayNote = new QLabel(this);
    dayNote->setObjectName("ServiceDayNote");
    auto* dayRow = new QHBoxLayout;
    dayRow->addWidget(dayEdit);
    dayRow->addWidget(dayNote, 1);
    form->addRow(U("День:"), dayRow);

    planEdit = new QLineEdit(this);
    planEdit->setObjectName("PlanEdit");
    QPushButton* planButton = MakeButton(this, "PlanButton", "...");
    connect(planButton, &QPushButton::clicked, this, &TKeloGtfsImportDialog::BrowsePlan);
    auto* planRow = new QHBoxLayout;
    planRow->addWidget(planEdit, 1);
    planRow->addWidget(planButton);
    form->addRow(U("Новый план:"), planRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("Buttons");
    connect(buttons, &QDialogButtonBox::accepted, this, &TKeloGtfsImportDialog::OkClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    resize(560, sizeHint().height());
}

void TKeloGtfsImportDialog::BrowseFeed(bool folder) {
    const QString feed =
        folder ? QFileDialog::getExistingDirectory(this, U("Папка с расписанием GTFS"))
               : QFileDialog::getOpenFileName(this, U("Архив с расписанием GTFS"), QString(),
                                              U("Архив GTFS (*.zip)"));
    if (feed.isEmpty())
        return;
    feedEdit->setText(feed);
    OfferBusiestDay();
}

void TKeloGtfsImportDialog::BrowsePlan() {
    const QString plan = QFileDialog::getSaveFileName(this, U("Новый план"), planEdit->text(),
                                                      U("План Kelo (*.db)"));
    if (!plan.isEmpty())
        planEdit->setText(plan);
}

void TKeloGtfsImportDialog::OfferBusiestDay() {
    const QString feed = feedEdit->text().trimmed();
    if (feed.isEmpty() || feed == offeredFor)
        return;
    offeredFor = feed;
    try {
        TZoWaitCursor wait;
        if (const std::optional<std::int32_t> day =
                KeloGtfsImporterClass::BusiestDay(QFile::encodeName(feed).toStdString())) {
            dayEdit->setDate(QDate(1970, 1, 1).addDays(*day));
            dayNote->setText(U("больше всего рейсов"));
            return;
        }
        dayNote->setText(U("рейсы не ходят ни в один день"));
    } catch (const std::exception& error) {
        // Ok names the fault again; here the note only says why no day is offered.
        dayNote->setText(QString::fromStdString(error.what()));
    }
}

void TKeloGtfsImportDialog::OkClick() {
    OfferBusiestDay();
    if (feedEdit->text().trimmed().isEmpty())
        return KeloShowError(U("Не указано расписание GTFS."), this);
    const QString plan = planEdit->text().trimmed();
    if (plan.isEmpty())
        return KeloShowError(U("Не указан файл нового плана."), this);
    if (QFileInfo::exists(plan) || QFileInfo(plan).isSymLink())
        return KeloShowError(
            U("Файл «%1» уже существует: импорт создаёт только новый план.").arg(plan), this);
    accept();
}

std::optional<KeloGtfsImportChoiceType> TKeloGtfsImportDialog::Ask(QWidget* owner) {
    TKeloGtfsImportDialog dialog(owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return KeloGtfsImportChoiceType{dialog.feedEdit->text().trimmed(), dialog.dayEdit->date(),
                                    dialog.planEdit->text().trimmed()};
}

std::optional<std::string> KeloImportGtfsFromWindow(QWidget* owner) {
    const std::optional<KeloGtfsImportChoiceType> choice = TKeloGtfsImportDialog::Ask(owner);
    if (!choice)
        return std::nullopt;
    const std::string plan = QFile::encodeName(choice->plan).toStdString();
    QProgressDialog progress(U("Импорт GTFS..."), U("Отмена"), 0, 0, owner);
    progress.setObjectName("KeloGtfsImportProgress");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.show();
    KeloGtfsImportOptionsType options;
    options.feed = QFile::encodeName(choice->feed).toStdString();
    options.serviceDay = static_cast<std::int32_t>(QDate(1970, 1, 1).daysTo(choice->day));
    options.progress = [&progress](const std::string& table, std::uint64_t rows) {
        progress.setLabelText(
            table == "writing"
                ? U("Запись плана: строк расписания %1").arg(rows)
                : U("Чтение %1: строк %2").arg(QString::fromStdString(table)).arg(rows));
        QApplication::processEvents();
        if (progress.wasCanceled())
            throw ImportCancelledType();
    };
    try {
        // A cancel or a refusal unwinds the sink before its Commit, which removes its file.
        KeloDBPlanWriterClass sink(plan);
        KeloGtfsImporterClass().Run(options, sink);
    } catch (const ImportCancelledType&) {
        return std::nullopt;
    } catch (const std::exception& error) {
        progress.reset();
        KeloShowError(U("Импорт не выполнен: %1").arg(QString::fromStdString(error.what())), owner);
        return std::nullopt;
    }
    return plan;
}
