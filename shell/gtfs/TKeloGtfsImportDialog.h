#pragma once

#include <QDate>
#include <QDialog>
#include <QString>

#include <optional>

class QDateEdit;
class QLabel;
class QLineEdit;

/// What the planner chose for an import: the feed (a zip or a folder), the service day and
/// the new plan file.
struct KeloGtfsImportChoiceType {
    QString feed;
    QDate day;
    QString plan;
};

/// "Импорт GTFS": the feed, the day (the busiest day of a chosen feed is offered first) and
/// the new plan file, which must not exist yet.
class TKeloGtfsImportDialog : public QDialog {
    Q_OBJECT
public:
    // The choice made, or nothing when the planner cancelled.
    static std::optional<KeloGtfsImportChoiceType> Ask(QWidget* owner);

private:
    explicit TKeloGtfsImportDialog(QWidget* owner);
    void BrowseFeed(bool folder);
    void BrowsePlan();
    void OfferBusiestDay();
    void OkClick();

    QLineEdit* feedEdit = nullptr;
    QDateEdit* dayEdit = nullptr;
    QLabel* dayNote = nullptr;
    QLineEdit* planEdit = nullptr;
    QString offeredFor; // the feed whose busiest day is offered
};

/// The import command of the main window: asks, imports with a progress dialog that can
/// cancel (leaving no file), and gives the new plan file, or nothing when there is none.
std::optional<std::string> KeloImportGtfsFromWindow(QWidget* owner);
