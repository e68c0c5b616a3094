// The diagram window's "Сохранить" and "Отменить": review of the buffered changes, saving
// the chosen ones below or dropping them all, and the refresh that follows.

#include "TKeloTripDiagramForm.h"

#include "KeloCacheDataClass.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloChangeFeedClass.h"
#include "KeloErrorReport.h"
#include "KeloMessageBoxes.h"
#include "KeloQtText.h"
#include "KeloTransactionalSave.h"
#include "TKeloDiagramChangesForm.h"
#include "TZoStringStorage.h"
#include "TZoWaitCursor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScrollArea>
#include <QTreeWidget>

#include <algorithm>

namespace {

// One sentence per kelo another planner saved since this window read it.
QString ChangedByOtherMessage(const KeloDataCUApplyResultType& result) {
    QStringList lines;
    for (const KeloDataCUHeldBackType& kelo : result.heldBack)
        if (kelo.changedByOther)
            lines << QString::fromUtf8("Рейс %1 изменен другим пользователем. Изменения этого "
                                       "рейса не записаны.")
                         .arg(KeloToQString(kelo.number));
    return lines.join("\n");
}

QString HeldBackMessage(const KeloDataCUApplyResultType& result) {
    QStringList numbers;
    QStringList written;
    for (const KeloDataCUHeldBackType& kelo : result.heldBack) {
        if (kelo.changedByOther)
            continue;
        numbers << KeloToQString(kelo.number);
        QStringList parts;
        if (kelo.created)
            parts << QString::fromUtf8("создан пустой рейс");
        if (kelo.nameWritten)
            parts << QString::fromUtf8("название");
        if (kelo.busWritten)
            parts << QString::fromUtf8("автобус");
        if (kelo.scheduleWritten)
            parts << QString::fromUtf8("часть расписания");
        if (!parts.isEmpty())
            written << QString::fromUtf8("Рейс №%1: записано: %2.")
                           .arg(KeloToQString(kelo.number), parts.join(", "));
    }
    QString text = QString::fromUtf8("Не удалось сохранить изменения рейсов: %1.\n"
                                     "Эти изменения остаются несохранёнными в окне.")
                       .arg(numbers.join(", "));
    if (!written.isEmpty())
        text += QString::fromUtf8("\n\nЧасть изменений всё же записана:\n") + written.join("\n");
    return text;
}

} // namespace

void TKeloTripDiagramForm::SaveChanges() {
    KeloCachedUpdateDataClass& buffer = diagram->GetEditBufferObject();
    if (buffer.GetChangeCount() == 0) {
        KeloShowInformation(stringStorage->Line(6), this);
        return;
    }
    if (!saveRefusal.isEmpty()) {
        KeloShowError(saveRefusal, this);
        return;
    }
    TKeloDiagramChangesForm review(this);
    const std::optional<std::vector<bool>> answer =
        review.Ask(stringStorage->Line(4), buffer, false);
    if (!answer)
        return;
    const std::vector<bool>& chosen = *answer;
    if (std::none_of(chosen.begin(), chosen.end(), [](bool ticked) { return ticked; })) {
        KeloShowInformation(QString::fromUtf8("Не выбрано ни одного изменения: сохранять нечего."),
                            this);
        return;
    }

    KeloDataCUApplyResultType result;
    KeloSaveOutcomeType outcome;
    try {
        TZoWaitCursor wait;
        // Over a source with transactions the chosen changes are written all or none.
        const KeloDocumentSaveResultType saved = document->Save(chosen);
        result = saved.applied;
        outcome = saved.outcome;
        // Only the saved kelos' rows and lines are redone; the details are shown afresh.
        ApplyDocumentChange(saved.change, false);
        FillInfoPanel(true);
    } catch (const std::exception& error) {
        KeloDocumentChangeType everything;
        everything.reset = true;
        everything.selected = document->Selected();
        ApplyDocumentChange(everything);
        ShowExceptionError(error, this);
        return;
    }
    if (!outcome.saved)
        KeloShowError((outcome.lockedOut
                           ? QString::fromUtf8("Не удалось сохранить изменения: база данных "
                                               "занята другой программой.\n")
                           : QString::fromUtf8("Не удалось сохранить изменения (%1).\n")
                                 .arg(QString::fromStdString(outcome.error))) +
                          QString::fromUtf8("Ничего не записано; изменения остаются "
                                            "несохранёнными в окне, их можно сохранить ещё раз."),
                      this);
    else if (result.heldBack.empty())
        KeloShowInformation(stringStorage->Line(8), this);
    else if (!result.AnyChangedByOther())
        KeloShowError(HeldBackMessage(result), this);
    else
        ResolveChangedByOther(result);
}

void TKeloTripDiagramForm::ResolveChangedByOther(const KeloDataCUApplyResultType& result) {
    QString text = ChangedByOtherMessage(result);
    if (const QString other = HeldBackMessage(result);
        std::any_of(result.heldBack.begin(), result.heldBack.end(),
                    [](const KeloDataCUHeldBackType& kelo) { return !kelo.changedByOther; }))
        text += "\n\n" + other;
    text += QString::fromUtf8("\n\n«Отбросить» возвращает эти рейсы к записанному другим "
                              "пользователем. «Обновить» показывает записанное, но оставляет "
                              "ваши изменения: при следующем сохранении они заменят его.");
    // Standard buttons under our own captions, so the answer is told by its standard role.
    QMessageBox box(QMessageBox::Warning, KeloApplicationTitle(), text,
                    QMessageBox::Discard | QMessageBox::Retry | QMessageBox::Ignore, this);
    box.button(QMessageBox::Discard)->setText(QString::fromUtf8("Отбросить"));
    box.button(QMessageBox::Retry)->setText(QString::fromUtf8("Обновить"));
    box.button(QMessageBox::Ignore)->setText(QString::fromUtf8("Оставить"));
    box.setDefaultButton(QMessageBox::Ignore);
    const int answer = box.exec();
    if (answer != QMessageBox::Discard && answer != QMessageBox::Retry)
        return;
    KeloCachedUpdateDataClass& buffer = diagram->GetEditBufferObject();
    for (const KeloDataCUHeldBackType& kelo : result.heldBack) {
        if (!kelo.changedByOther)
            continue;
        if (answer == QMessageBox::Discard)
            buffer.DiscardKelo(kelo.number);
        else
            buffer.ReloadKelo(kelo.number);
    }
    ShowChangesFromBelow();
}

void TKeloTripDiagramForm::ShowChangesFromBelow() {
    // The undo history stays: a step brings back a change with the version it was read at,
    // so a later save still holds it back rather than overwrite another planner's work.
    KeloDocumentChangeType everything;
    everything.reset = true;
    everything.selected = document->Selected();
    ApplyDocumentChange(everything);
}

void TKeloTripDiagramForm::RefreshOthersChanges() {
    KeloChangeFeedClass* feed = KeloFindChangeFeed(diagram->GetBottom());
    // Not in the middle of a modal command: the lists must not change under it.
    if (!feed || QApplication::activeModalWidget() != nullptr)
        return;
    const std::vector<std::string> changed = feed->TakeChangedKelos();
    if (changed.empty())
        return;
    KeloCachedUpdateDataClass& buffer = diagram->GetEditBufferObject();
    KeloCacheDataClass& cache = diagram->GetCacheObject();
    for (const std::string& number : changed)
        if (!buffer.HasChange(number))
            cache.ReloadKelo(number);
    cache.RefreshKeloSet();
    ShowChangesFromBelow();
}

void TKeloTripDiagramForm::DiscardChanges() {
    KeloCachedUpdateDataClass& buffer = diagram->GetEditBufferObject();
    if (buffer.GetChangeCount() == 0) {
        KeloShowInformation(stringStorage->Line(6), this);
        return;
    }
    QMessageBox ask(QMessageBox::Question, KeloApplicationTitle(), stringStorage->Line(3),
                    QMessageBox::Yes | QMessageBox::No, this);
    ask.setDefaultButton(QMessageBox::No);
    if (ask.exec() != QMessageBox::Yes) {
        // The list only shows what would go: its boxes cannot be changed.
        TKeloDiagramChangesForm review(this);
        if (!review.Ask(stringStorage->Line(5), buffer, true))
            return;
    }
    ApplyDocumentChange(document->Discard());
}
