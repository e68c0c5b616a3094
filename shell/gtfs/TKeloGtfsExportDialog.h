#pragma once

#include "KeloDataClass.h"

#include <QDate>
#include <QDialog>
#include <QString>

#include <optional>

class QDateEdit;
class QLineEdit;

/// What the planner chose for a feed export. The operator is asked for only when the plan
/// stores none.
struct KeloGtfsExportChoiceType {
    QString file;
    QDate start;
    QDate end;
    bool askAgency = false;
    QString agencyName;
    QString agencyTimezone;
    QString agencyUrl;
};

/// "Экспорт в GTFS": the file, the days the plan runs and, where needed, the operator.
class TKeloGtfsExportDialog : public QDialog {
    Q_OBJECT
public:
    // The choice made, or nothing when the planner cancelled.
    static std::optional<KeloGtfsExportChoiceType> Ask(QWidget* owner,
                                                       const KeloGtfsExportChoiceType& initial);

private:
    TKeloGtfsExportDialog(QWidget* owner, const KeloGtfsExportChoiceType& initial);
    void BrowseFile();
    void OkClick();
    KeloGtfsExportChoiceType Choice() const;

    bool askAgency;
    QLineEdit* fileEdit = nullptr;
    QDateEdit* startEdit = nullptr;
    QDateEdit* endEdit = nullptr;
    QLineEdit* agencyNameEdit = nullptr;
    QLineEdit* agencyTimezoneEdit = nullptr;
    QLineEdit* agencyUrlEdit = nullptr;
};

/// The export command of the windows: reads the saved plan of `source`, asks for the
/// choices, writes the feed with a progress dialog that can cancel, and tells how it went.
void KeloExportGtfsFromWindow(QWidget* owner, KeloDataPtrClass source);
