// The diagram window's side of the timetable dialog.
#include "TKeloTripDiagramForm.h"

#include "KeloCachedUpdateDataClass.h"
#include "KeloMessageBoxes.h"
#include "KeloQtText.h"
#include "TKeloTripTimeTableDialogForm.h"
#include "TZoStringStorage.h"

#include <QStringList>

void TKeloTripDiagramForm::OpenTimetableDialog(int index) {
    KeloDataPtrClass buffer = diagram->GetEditBuffer();
    KeloKeloSetPtrClass kelos = buffer->GetKeloSet();
    if (index < 0 || index >= kelos->GetCount())
        return;
    KeloKeloPtrClass kelo = kelos->GetItem(index);

    // The dialog edits a buffer of its own over the window's, so "Отмена" drops everything.
    auto* nested = new KeloCachedUpdateDataClass(buffer);
    KeloDataPtrClass nestedHandle(nested);
    bool accepted = false;
    {
        // Goes before the nested buffer: it holds objects of that buffer.
        TKeloTripTimeTableDialogForm dialog(this);
        dialog.setWindowTitle(
            dialog.ZoStringStorage->Line(TKeloTripTimeTableDialogForm::CaptionText) +
            KeloToQString(kelo->GetNumber() + " " + kelo->GetName()));
        if (!dialog.SetKelo(index, nestedHandle))
            return;
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted) {
        nested->CancelUpdates();
        return;
    }
    // Whatever was done inside the dialog is one step.
    std::vector<std::string> held;
    const KeloDocumentChangeType change =
        document->ApplyNestedEdits(kelo->GetNumber(), *nested, &held);
    if (!held.empty()) {
        // One edit buffer over another takes every change; should it not, say so.
        QStringList numbers;
        for (const std::string& number : held)
            numbers << KeloToQString(number);
        KeloShowError(QString::fromUtf8("Изменения расписания не применены: ") +
                          numbers.join(QStringLiteral(", ")),
                      this);
    }
    ApplyDocumentChange(change);
}
