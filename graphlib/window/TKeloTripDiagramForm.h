#pragma once

#include "KeloDataClass.h"
#include "KeloDiagramDocumentClass.h"
#include "TKeloTripKeloMoveDialogForm.h"
#include "TripDiagramClass.h"
#include "TripDiagramHostClass.h"
#include "TripDiagramKeloDragClass.h"
#include "ZoCanvasClass.h"

#include <QPixmap>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

struct KeloDataCUApplyResultType;
class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QPushButton;
class QScrollArea;
class QSplitter;
class QTreeView;
class QTreeWidget;
class TKeloListOrderProxyModel;
class TKeloTripDiagramClashPanel;
class TKeloTripDiagramKeloListModel;
class TKeloTripDiagramForm;
class TKeloTripKeloMoveDialogForm;
class TZoFormStorage;
class TZoStringStorage;
class TripDiagramPaintBox;
class ZoCanvasTileCacheClass;
class ZoQtDrawingSurfaceClass;

/// Passes presses on chart items to the diagram window: a kelo's line selects the kelo, a
/// stop's name or grid line moves the time axis to that stop.
class TKeloTripDiagramCanvasEventHandlerClass : public ZoCanvasEventHandlerClass {
public:
    explicit TKeloTripDiagramCanvasEventHandlerClass(TKeloTripDiagramForm& form) : form(form) {}
    void OnItemMouseDown(std::uint32_t id, int button, std::int32_t x, std::int32_t y) override;

private:
    TKeloTripDiagramForm& form;
};

/// The MDI child in which the planner works on one line: the time-distance chart above, and
/// below it the selected kelo's details, the mouse hints, the save / discard buttons, the
/// list of the line's kelos and the selected kelo's timetable. Owns its own data stack
/// through the diagram; two windows of the same line never share data.
class TKeloTripDiagramForm : public QWidget, private TripDiagramHostClass {
    Q_OBJECT
public:
    // The line over the bottom data source the caller chose (the one start-up chose, or a
    // test's).
    TKeloTripDiagramForm(QWidget* owner, const std::string& keloNumber,
                         const std::vector<std::string>& lineStopCodes, KeloDataPtrClass bottom);
    ~TKeloTripDiagramForm() override;

    TripDiagramClass& Diagram() { return *diagram; }
    // The window's editing document: every edit goes through it.
    KeloDiagramDocumentClass& Document() { return *document; }
    TripDiagramDisplayStateType& State() { return diagram->State(); }
    KeloDataPtrClass EditBuffer() const { return diagram->GetEditBuffer(); }

    // Selects the kelo of this number (none for ""), as a click on its row or line does.
    void SelectKelo(const std::string& number);
    // Selection and refresh, as the lists, the chart and later the editing commands use them.
    void ApplyKeloSelection();
    // The same when nothing but the selected kelo changed: the picture redoes two kelos.
    void ApplyKeloSelectionChange();
    void RefreshKeloDetails();
    void ApplyStopSelection();
    void FillKeloList();
    // The list row of a kelo as the list shows it, invalid when it has none.
    QModelIndex FindKeloListItem(const std::string& number) const;
    void FillTimetableList(int index);
    void RefreshKeloTimes();
    QString KeloTimeAtSelectedStop(KeloKeloPtrClass kelo);
    void OpenKeloChoice();
    void OpenTimetableDialog(int index);
    // The reports of the chart popup menu, on the edit buffer (TKeloTripDiagramFormReports.cpp).
    void PrintTripInfoMenuItemClick();
    void PrintStopInfoMenuItemClick();

    // The kelo commands of the kelo list's popup menu; each acts on the selected row's kelo.
    void KeloMoveActionExecute();
    void KeloInvertActionExecute();
    void KeloCopyActionExecute();
    void KeloDeleteActionExecute();
    // Runs the copy dialog for the kelo at `index`: the number and name the planner gave,
    // nothing when no copy is to be made.
    std::optional<KeloCopyRequestType> AskCopyNumberAndName(const std::string& number,
                                                            bool inverted);

    // "Отменить действие" and "Повторить действие" (Ctrl+Z; Ctrl+Y or Ctrl+Shift+Z).
    void UndoActionExecute();
    void RedoActionExecute();
    // Shows what a command, an undo or a redo changed: each kelo that came, went or changed
    // gets its own row added, removed or rewritten and its lines redrawn, and the new
    // selection is shown and, where drawn, scrolled into view (a save leaves the scroll).
    void ApplyDocumentChange(const KeloDocumentChangeType& change, bool scrollToSelected = true);
    QAction* UndoAction() const { return undoAction; }
    QAction* RedoAction() const { return redoAction; }

    // "Сохранить" and "Отменить". SaveChanges is the whole save: review, the one write of
    // the chosen changes below, refresh and the closing message.
    void OkButtonClick() { SaveChanges(); }
    void CancelButtonClick() { DiscardChanges(); }
    void SaveChanges();
    void DiscardChanges();
    // Shows the kelos other planners saved since the last look, read afresh; a kelo with a
    // change waiting in this window keeps what the window shows. Run by a timer.
    void RefreshOthersChanges();
    // Tells which kelos another planner saved meanwhile and lets the planner drop or reload
    // them.
    void ResolveChangedByOther(const KeloDataCUApplyResultType& result);
    // Lays the window out again after the buffer or the cache changed beneath the document.
    void ShowChangesFromBelow();
    // Over a plan that cannot be written, "Сохранить" shows `reason` and writes nothing.
    void SetSaveRefusal(const QString& reason) { saveRefusal = reason; }
    // A text shown over the chart, for a chart that has nothing to draw and says why.
    void ShowChartNotice(const QString& text);
    QPushButton* SaveButton() const { return okButton; }
    QPushButton* DiscardButton() const { return cancelButton; }

    // Kelo list sort key: column index + 1, negative for descending.
    int KeloListSortKey() const;
    void KeloListViewColumnClick(int column);

    // Chart mouse handling in paint-area coordinates; `globalX` follows the screen so that
    // dragging moves the picture with the mouse even while the paint area scrolls under it.
    void ChartPaintBoxMouseDown(Qt::MouseButton button, int x, int y,
                                Qt::KeyboardModifiers modifiers = {});
    void ChartPaintBoxMouseMove(int x, int y);
    void ChartPaintBoxMouseUp(Qt::MouseButton button, int x, int y);
    // Paints `area` of the chart: the background from kept tiles, the kelos over it.
    void ChartPaintBoxPaint(QPainter& painter, const QRegion& area);
    void OnChartItemMouseDown(std::uint32_t id, int button);

    // Planning on the chart itself (TKeloTripDiagramFormDrag.cpp): Ctrl and the left button
    // on a kelo's line pick it up (with Shift, a copy of it), the line follows the mouse and
    // the release moves or copies it; Esc or the right button put it back. Ctrl with the
    // arrows nudges the selected kelo. The series command lays copies at an interval.
    bool BeginKeloDrag(int x, int y, bool copy);
    void FollowKeloDrag(int x);
    void DropKeloDrag();
    void CancelKeloDrag();
    // Keys pressed on the chart; false when they are not the chart's own.
    bool ChartPaintBoxKeyPress(int key, Qt::KeyboardModifiers modifiers);
    // True once after the right click that put a dragged kelo back: it opens no menu.
    bool TakeDragCancelClick();
    const TripDiagramKeloDragClass& KeloDrag() const { return keloDrag; }
    // While a kelo is dragged, the chart under it comes from the picture taken at the
    // pick-up; false when `area` needs the scene painted.
    bool PaintUnderKeloDrag(QPainter& painter, const QRect& area);
    void KeloSeriesActionExecute();

    // The options dialog (TKeloTripDiagramFormOptions.cpp).
    void SetupMenuItemClick();
    // Printouts and picture files of the chart (TKeloTripDiagramFormPrint.cpp). The part on
    // screen goes as pixels (the rectangle copied is returned, empty when the printer did not
    // start); the whole chart and the files go as vectors. ExportDiagram gives "" or the
    // reason of a failure.
    void PrintDiagramMenuItemClick(bool whole);
    QRect PrintDiagram(QPrinter& printer);
    bool PrintWholeDiagram(QPrinter& printer);
    void SaveDiagramImage();
    QString ExportDiagram(const QString& fileName);

    TripDiagramPaintBox* ChartPaintBox() const { return paintBox; }
    QScrollArea* ChartScrollBox() const { return scrollBox; }
    QTreeView* KeloListView() const { return keloListView; }
    // The rows of the kelo list by kelo number, and the same sorted as the list shows them.
    TKeloTripDiagramKeloListModel* KeloListModel() const { return keloListModel; }
    TKeloListOrderProxyModel* KeloListProxy() const { return keloListProxy; }
    // Kelo number of a row of the list as shown.
    std::string KeloNumberOfRow(const QModelIndex& index) const;
    QTreeWidget* TimetableListView() const { return timetableListView; }
    QMenu* ChartPopupMenu() const { return chartPopupMenu; }
    QMenu* KeloListViewPopupMenu() const { return keloListPopupMenu; }
    // The clash panel and its menu item (TKeloTripDiagramFormClashes.cpp).
    TKeloTripDiagramClashPanel* ClashPanel() const { return clashPanel; }
    QAction* ShowClashesAction() const { return clashAction; }
    void ShowClash(const TimetableClashType& clash);
    // Colour of the kelo of a list row, for the colour square; black for a row without one.
    QColor KeloColorOfRow(const QModelIndex& index) const;
    // The size a new window opens at (an MDI area sizes a new child by it).
    QSize sizeHint() const override { return DefaultSize; }
    static constexpr QSize DefaultSize{1050, 620};

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Both selection refreshes: the whole picture rebuilt without `changedKelos`, else only
    // the kelos selected before and now and those listed.
    void ShowSelectedKelo(const std::vector<int>* changedKelos);
    void Construct(const std::string& keloNumber, const std::vector<std::string>& lineStopCodes,
                   const KeloDataPtrClass* bottom);
    void CreateControls();
    QWidget* CreateInfoPanel();
    void CreateChartPopupMenu();
    void CreateKeloListPopupMenu();
    void CreateReportCommands();
    void FormCreate();
    void FillInfoPanel(bool showZeroCapacity);
    void KeloListViewChange(const std::string& number, bool checked);
    void KeloListViewSelectItem();
    void SelectKeloListRow(const std::string& number);
    void CreateKeloList();

    // Ticks or clears a kelo in the chart's entries and in the document's table.
    void SetKeloVisible(const std::string& number, bool visible);
    // The chart's entries in the order of the view's kelo set, from the document's table,
    // and the positions of the kelos there.
    void RebuildKeloEntries();
    // Where the chart draws a kelo (its position in the view's kelo set), -1 for none.
    std::int32_t ChartPosition(const std::string& number) const;
    void CreateUndoActions();
    void UpdateUndoActions();
    QString StepText(const KeloDocumentStepNameType& step) const;
    // Kelo number of the selected list row, or "".
    std::string SelectedRowNumber() const;
    // Brings the kelo's start into view when it is drawn.
    void ScrollToShownKelo(const std::string& number);
    // The start-time dialog for the kelo at `selected`, made once and kept hidden between
    // commands (showing a made window again is much quicker).
    std::optional<KeloStartTimeAnswerType> AskStartTime(int caption, bool offerCopy,
                                                        const std::string& selected);
    // The start-time dialog of move and invert with the copy it may ask for; false when the
    // planner stepped back.
    bool AskStartAndCopy(const std::string& selected, int caption, bool inverted, int& startMinutes,
                         std::optional<KeloCopyRequestType>& copy);
    std::string KeloNumberAt(int index) const;
    void CreateClashPanel();
    // Reads every clash of the line again (a new window, another planner's save).
    void RefreshClashPanel();
    // Brings the clashes up to date after a document step, from the kelos it touched.
    void FollowClashes(const KeloDocumentChangeType& change);
    void UpdateHints(int x, int y);
    void ToggleGrid();
    void ToggleDirection(bool forward);
    void ToggleInOutMarks();
    void ToggleMonoColor();

    // TripDiagramHostClass
    std::int32_t GetPaintAreaClientWidth() override;
    std::int32_t GetPaintAreaClientHeight() override;
    void SetPaintAreaClientSize(std::int32_t width, std::int32_t height) override;
    std::int32_t GetChartScrollAreaClientHeight() override;
    void GetHorizScroll(bool& visible, std::int32_t& position, std::int32_t& range) override;
    void SetHorizScrollPosition(std::int32_t position) override;
    void GetVertScroll(bool& visible, std::int32_t& position, std::int32_t& range) override;
    void SetVertScrollPosition(std::int32_t position) override;
    void SetZoomMenuTicks(const std::array<bool, 7>& ticked) override;
    void SetShowForwardTicked(bool ticked) override;
    void SetShowBackwardTicked(bool ticked) override;
    void SetShowGridTicked(bool ticked) override;
    void SetShowInOutMarksTicked(bool ticked) override;
    void SetMonoColorTicked(bool ticked) override;
    void BeginKeloListUpdate() override;
    void SetKeloListCheck(std::int32_t keloIndex, bool checked) override;
    void EndKeloListUpdate() override;
    void InvalidatePaintArea() override;
    void InvalidatePaintRects(const std::vector<ZoRectType>& rects) override;

    std::unique_ptr<ZoQtDrawingSurfaceClass> measureSurface;
    std::unique_ptr<ZoCanvasTileCacheClass> chartTiles;
    std::unique_ptr<KeloDiagramDocumentClass> document;
    std::unique_ptr<TripDiagramClass> diagram;
    std::unique_ptr<TKeloTripDiagramCanvasEventHandlerClass> canvasHandler;
    std::vector<std::string> stopNames; // names of the line's stops, for the hints
    std::string shownSelected;          // the kelo whose row and lines show it selected
    // Kelo number to position in the view's kelo set: made from the document, never shifted.
    std::unordered_map<std::string, std::int32_t> chartPositions;
    std::vector<std::string> chartNumbers; // the same, position to number

    QScrollArea* scrollBox = nullptr;
    TripDiagramPaintBox* paintBox = nullptr;
    QSplitter* horizSplitter = nullptr;
    QWidget* editPanel = nullptr;
    QTreeView* keloListView = nullptr;
    TKeloTripDiagramKeloListModel* keloListModel = nullptr;
    TKeloListOrderProxyModel* keloListProxy = nullptr;
    QTreeWidget* timetableListView = nullptr;
    QSplitter* groupToTimetableSplitter = nullptr;
    QLabel* busModelValue = nullptr;
    QLabel* busCapacityValue = nullptr;
    QLabel* pathLengthValue = nullptr;
    QLabel* pathTimeValue = nullptr;
    QLabel* hintTimeValue = nullptr;
    QLabel* hintToValue = nullptr;
    QLabel* hintFromValue = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QMenu* chartPopupMenu = nullptr;
    QMenu* keloListPopupMenu = nullptr;
    std::vector<QAction*> zoomActions;
    QAction* gridAction = nullptr;
    QAction* forwardAction = nullptr;
    QAction* backwardAction = nullptr;
    QAction* inOutMarksAction = nullptr;
    QAction* monoColorAction = nullptr;
    QAction* undoAction = nullptr;
    QAction* redoAction = nullptr;
    TZoStringStorage* stringStorage = nullptr;
    TZoFormStorage* formStorage = nullptr;
    TKeloTripKeloMoveDialogForm* startTimeDialog = nullptr;

    QString saveRefusal;
    bool keloListRebuilding = false;
    int lastMouseX = 0;
    int lastMouseY = 0;
    bool dragging = false;
    bool scrolledOnFirstShow = false;
    TripDiagramKeloDragClass keloDrag;
    bool keloDragCopy = false;
    QPixmap dragSnapshot; // the visible chart at the pick-up, at dragSnapshotArea
    QRect dragSnapshotArea;
    bool dragCancelClick = false;
    // Set while a change made on the chart is shown: the chart stays where the planner works.
    bool holdChartScroll = false;
    TKeloTripDiagramClashPanel* clashPanel = nullptr;
    QAction* clashAction = nullptr;
};
