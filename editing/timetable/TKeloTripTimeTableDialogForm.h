#pragma once

#include "KeloDataClass.h"

#include <QDialog>

class QAction;
class QMenu;
class QPushButton;
class QTime;
class QTreeWidget;
class QTreeWidgetItem;
class TZoFormStorage;
class TZoStringStorage;

/// The timetable of one kelo, stop by stop: times of a stop, recalculation by a design speed,
/// moving and inverting the kelo, deleting, inserting and appending stops. Every edit goes
/// straight into the data source handed to SetKelo (the caller's short-lived edit buffer) and
/// shows in the list at once; the caller applies or drops that buffer after the dialog.
class TKeloTripTimeTableDialogForm : public QDialog {
    Q_OBJECT
public:
    // Columns of ChainListView.
    enum Column {
        NameColumn,
        CodeColumn,
        ArrivalColumn,
        DepartureColumn,
        StayColumn,
        SpeedColumn,
        DistanceColumn
    };
    // Positions in ZoStringStorage.
    enum Message {
        CaptionText,
        ChoiceCaption,
        MoveCaption,
        InvertCaption,
        CopyCaption,
        LongRunWarning
    };

    explicit TKeloTripTimeTableDialogForm(QWidget* owner = nullptr);
    ~TKeloTripTimeTableDialogForm() override;

    // Takes the kelo at `index` of `data` and fills the list; false when there is no such
    // kelo or a row cannot be made (the dialog is not to be shown then).
    bool SetKelo(int index, KeloDataPtrClass data);
    // Clears and refills the list from the timetable; false when a row could not be made.
    bool FillChainList();
    // Running time of the run from entry j to entry j + 1 at `speed` km/h; false when the run
    // is unknown. A run of a day or more is reported to the planner and reduced modulo 24 h.
    bool LegTimeAtSpeed(int j, double speed, KeloTimeType& duration);
    // The warning for a run of a day or more from entry j.
    void ShowLongRunWarning(int j);

    // Arrivals after entry k from runs at `speed`, starting at k's departure; ends at the
    // first unknown run. Entry k and the stays stay as they are.
    void RecalculateFrom(int k, double speed);

    void ChangeInfoActionExecute();
    void UpdateBySpeedActionExecute();
    void MoveActionExecute();
    void InvertActionExecute();
    void DeleteStopActionExecute();
    void InsertStopActionExecute();
    void AppendStopActionExecute();
    // Enables the items of ChainPopupMenu for the current list; runs before every opening.
    void ChainPopupMenuPopup();

    KeloKeloSchedulePtrClass Schedule() const { return schedule; }
    // Index of the selected row, or -1.
    int SelectedRow() const;
    void SelectRow(int row);

    QTreeWidget* ChainListView = nullptr;
    QWidget* Panel = nullptr;
    QPushButton* NextButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QMenu* ChainPopupMenu = nullptr;
    QAction* ChangeInfoAction = nullptr;
    QAction* UpdateBySpeedAction = nullptr;
    QAction* MoveAction = nullptr;
    QAction* InvertAction = nullptr;
    QAction* CopyAction = nullptr;
    QAction* DeleteStopAction = nullptr;
    QAction* InsertStopAction = nullptr;
    QAction* AppendStopAction = nullptr;
    TZoStringStorage* ZoStringStorage = nullptr;
    TZoFormStorage* FormStorage = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreatePopupMenu();
    void PanelResize();
    // Speed and distance of the run from row j to row j + 1; blank on the last row.
    void FillRunColumns(int j);
    QTreeWidgetItem* Row(int j) const;
    std::string StopCode(int j);
    // Asks for a start time in the start-time window, the picker set to the first arrival.
    bool AskStartTime(const QString& caption, QTime& start);
    // The first arrival offered as the new start, then the start-time dialog.
    bool AskNewStart(const QString& caption, QTime& start);
    // The stop chosen in the stop choice window, empty when the planner cancels.
    std::string ChooseStop();

    int keloIndex = -1;
    KeloDataPtrClass data;
    KeloKeloSetPtrClass keloSet;
    KeloStopSetPtrClass stopSet;
    KeloTopologyPtrClass topology;
    KeloKeloPtrClass kelo;
    KeloKeloSchedulePtrClass schedule;
};
