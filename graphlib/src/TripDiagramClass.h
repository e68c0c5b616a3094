#pragma once

#include "KeloDataClass.h"
#include "KeloTransactionClass.h"
#include "TimetableClashIndexClass.h"
#include "TripDiagramDisplayOptionsType.h"
#include "TripDiagramHostClass.h"
#include "TripDiagramStopDistanceCacheClass.h"
#include "ZoCanvasClass.h"
#include "ZoDrawingSurfaceClass.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class KeloCacheDataClass;
class KeloCachedUpdateDataClass;

/// Display state of one kelo of the diagram, at the kelo's index in the view's kelo set.
struct TripDiagramKeloViewType {
    bool visible = true;
    ZoColorType color = 0x808080;
    int penStyle = ZoPenSolid;

    friend bool operator==(const TripDiagramKeloViewType&,
                           const TripDiagramKeloViewType&) = default;
};

/// The data stack of one diagram: the bottom source, the cache over it, the edit buffer over
/// the cache and the selection view of the line over the buffer. The handles own the layers;
/// the plain pointers reach the same objects as their classes.
struct TripDiagramDataStackType {
    KeloDataPtrClass bottom;
    KeloDataPtrClass cache;
    KeloCacheDataClass* cacheObject = nullptr;
    KeloDataPtrClass editBuffer;
    KeloCachedUpdateDataClass* editBufferObject = nullptr;
    KeloDataPtrClass view;
};

// Stacks the cache, the edit buffer and the view of the line on the given bottom source.
TripDiagramDataStackType MakeTripDiagramDataStack(KeloDataPtrClass bottomSource,
                                                  const std::vector<std::string>& lineStopCodes);

/// Display state of a diagram window, with the values of a new window.
struct TripDiagramDisplayStateType {
    std::int32_t selectedKelo = -1; // index into the view's kelo set, -1 = none
    std::int32_t selectedStop = 0;  // stop row the time axis is drawn at
    float timeScale = 0;            // pixels per hour at zoom 1
    float distanceScale = 1;        // pixels per kilometre at zoom 1
    float timeZoom = 1;             // always equal to distanceZoom
    float distanceZoom = 1;
    float baseSpeed = 60;        // km/h; with baseAngle fixes timeScale
    std::int32_t baseAngle = 75; // degrees, 1 to 89
    bool showStopGrid = true;
    bool showTimeGrid = true;
    bool showForward = true;
    bool showBackward = false;
    bool showInOutMarks = true;
    bool monoColor = true;
    ZoColorType gridColor = 0xE0E0E0;
    ZoColorType keloCommonColor = 0x808080;
    ZoColorType keloSelectedColor = 0xFF0000;
    std::int32_t labelWidth = 0; // widest stop name in pixels

    friend bool operator==(const TripDiagramDisplayStateType&,
                           const TripDiagramDisplayStateType&) = default;
};

/// The trip diagram of one line without its window: owns the data stack (the given source,
/// cache, edit buffer, selection view), the distance axis, the canvas and the display state,
/// and turns the timetables into a time-distance picture. Time runs left to right over one
/// day, the first stop of the line is at the bottom. Everything that touches a widget goes
/// through the host; the picture is drawn on the surface given at construction.
class TripDiagramClass {
public:
    // Colours of the multi-colour mode, by kelo index modulo 18.
    static constexpr std::array<ZoColorType, 18> Palette = {
        0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFF00FF, 0x00007F, 0x007F00, 0x7F0000,
        0x007F7F, 0x7F7F00, 0x7F007F, 0x007FFF, 0x00FF7F, 0xFF7F00, 0x7FFF00, 0xFF007F, 0x7F00FF};
    // Factors of the zoom menu items "25%" ... "500%", in menu order.
    static constexpr std::array<float, 7> ZoomMenuFactors = {0.25f, 0.5f, 0.75f, 1.0f,
                                                             1.5f,  2.0f, 5.0f};
    static constexpr const char* KeloIndexTag = "KeloIndex";
    static constexpr const char* StopIndexTag = "StopIndex";

    // `surface` measures texts and receives the paint of every rebuild; both outlive this.
    TripDiagramClass(TripDiagramHostClass& host, ZoDrawingSurfaceClass& surface);
    ~TripDiagramClass();
    TripDiagramClass(const TripDiagramClass&) = delete;
    TripDiagramClass& operator=(const TripDiagramClass&) = delete;

    // Builds the diagram of a new window: the data stack over `bottomSource` (the cache, the
    // edit buffer and the view stacked on it), the distance axis, the kelo view list with the
    // kelo `keloNumber` selected, the colours, the label width, the scales and the paint-area
    // size, zoom 1, forward kelos only. Does not build the scene: the window fills its kelo list
    // first, then calls BuildScene and ScrollToKelo(selectedKelo). The host's paint area must still
    // have its design height (297): the first vertical scale is derived from it.
    void Create(const std::string& keloNumber, const std::vector<std::string>& lineStopCodes,
                KeloDataPtrClass bottomSource);
    // The same over a stack made and owned elsewhere (the editing document's).
    void Create(const std::string& keloNumber, const std::vector<std::string>& lineStopCodes,
                const TripDiagramDataStackType& stack);

    // Display state and per-kelo view entries; the window reads and changes them directly
    // and then calls ApplyKeloColors / BuildScene as needed.
    TripDiagramDisplayStateType& State() { return state; }
    const TripDiagramDisplayStateType& State() const { return state; }
    std::vector<TripDiagramKeloViewType>& KeloViews() { return keloViews; }
    const std::vector<TripDiagramKeloViewType>& KeloViews() const { return keloViews; }
    // A kelo added to the set after creation gets an entry (visible, common colour, solid);
    // a deleted kelo's entry goes and those behind it move up, like the kelo indices.
    void AppendKeloView();
    void RemoveKeloView(std::int32_t keloIndex);

    // The edit buffer: every edit goes there; lists, info panel and reports read it.
    KeloDataPtrClass GetEditBuffer() const { return editBuffer; }
    // The same buffer as its class, for the change list, ApplyUpdates and CancelUpdates;
    // valid after Create.
    KeloCachedUpdateDataClass& GetEditBufferObject() { return *editBufferObject; }
    // The cache between the buffer and the bottom source; valid after Create.
    KeloCacheDataClass& GetCacheObject() { return *cacheObject; }
    // The bottom source's transaction interface; null when it has none (the built-in data).
    KeloTransactionClass* GetTransaction() const { return KeloFindTransaction(bottom); }
    // The source below the cache, as start-up chose it; valid after Create.
    KeloDataPtrClass GetBottom() const { return bottom; }
    // The selection view over the edit buffer: the picture reads it; same kelo indices.
    KeloDataPtrClass GetView() const { return view; }
    const TripDiagramStopDistanceCacheClass& GetDistanceCache() const { return distances; }
    const std::vector<std::string>& GetLineStopCodes() const { return lineStopCodes; }
    // Total length of the line in km.
    float GetLineLength() const { return distances.GetLength(); }
    ZoCanvasClass& GetCanvas() { return canvas; }
    TripDiagramHostClass& GetHost() { return host; }
    ZoDrawingSurfaceClass& GetSurface() { return surface; }

    // Pixel of a time of day in hours (0:00 at labelWidth + 20) and of a distance from the
    // first stop in km (the first stop 50 pixels above the paint area's bottom).
    std::int32_t TimeToX(double hours) const;
    std::int32_t DistanceToY(double km) const;

    // timeScale from baseSpeed, baseAngle and distanceScale; resizes the paint area's width.
    void UpdateTimeScale();
    // Colour of every view entry: mono-colour mode or the palette.
    void ApplyKeloColors();
    // Whether the kelo runs in the direction of the line (upwards in the picture).
    bool IsKeloForward(std::int32_t keloIndex);
    bool IsKeloForward(KeloKeloPtrClass kelo);
    // Visibility of all kelos of one direction, with the list check boxes and menu ticks;
    // they do not rebuild the scene.
    void ShowForwardKelos();
    void HideForwardKelos();
    void ShowBackwardKelos();
    void HideBackwardKelos();

    // The display settings now in force, as one value.
    TripDiagramDisplayOptionsType GetDisplayOptions() const;
    // Checks a whole set of display settings and, when every value is usable, applies what
    // differs (directions, marks, grid, colour mode and colours, then base speed and angle,
    // then the zoom), keeping the host's ticks in step, and rebuilds the scene once. A set
    // with a bad value changes nothing and names the first such value.
    TripDiagramOptionsFaultType ApplyDisplayOptions(const TripDiagramDisplayOptionsType& options);

    // Clears the canvas, adds all items for the current state, paints on the surface and
    // asks the host to repaint.
    void BuildScene();
    // The same scene as BuildScene after only the selected kelo changed, made by redoing the
    // items of the kelo selected before and of the one selected now; anything else changed
    // since the last BuildScene makes it call BuildScene.
    void UpdateSelectedKelo();
    // The same after the timetables of the kelos `changed` (indices) changed as well, with
    // the set of kelos and every display setting as they were.
    void UpdateKelos(const std::vector<std::int32_t>& changed);
    // Zoom factor for both axes; keeps the scroll positions in proportion, ticks the zoom
    // menu and rebuilds. A factor <= 0 only updates the ticks and rebuilds.
    void SetZoom(float factor);
    // Zoom so that the whole line fits the height of the chart's scroll area.
    void FitToHeight();
    // Scrolls so that the start of the kelo lies at the top-left of the visible area.
    void ScrollToKelo(std::int32_t keloIndex);
    // Changes whenever the static background of the scene (stop rows, grid, hour marks: the
    // canvas items below its background mark) is drawn differently from before.
    std::uint64_t GetBackgroundStamp() const { return backgroundStamp; }
    // Paints the current scene onto another surface (paint event, printer page, image)
    // without rebuilding it and without touching what hit tests use.
    void PaintOn(ZoDrawingSurfaceClass& target) const;
    // The whole picture: the paint area, grown to hold any item that reaches beyond it.
    ZoRectType GetPictureArea() const;

    // Clashes of the line over every kelo of the view (TripDiagramClashes.cpp). The marks
    // are drawn only while shown; the clashes are kept either way once refreshed.
    static constexpr ZoColorType ClashMarkColor = 0x0000FF;
    TimetableClashKeloType ReadClashKelo(KeloKeloPtrClass kelo);
    // Reads every kelo again and finds all clashes.
    void RefreshClashes();
    // Reads only the kelos of these numbers again (added, removed or changed).
    void UpdateClashes(const std::vector<std::string>& changedNumbers);
    void SetClashMinimumInterval(std::int32_t minutes);
    const TimetableClashIndexClass& GetClashes() const { return clashes; }
    void SetShowClashes(bool show) { showClashes = show; }
    bool GetShowClashes() const { return showClashes; }
    // Index of the kelo with this number in the view's kelo set, or -1.
    std::int32_t FindKeloIndex(const std::string& number);

private:
    // What the last BuildScene drew, so that a change of selection can redo two kelos only.
    struct SceneRecordType {
        bool valid = false;
        TripDiagramDisplayStateType state;
        std::vector<TripDiagramKeloViewType> views;
        std::vector<std::uint32_t> firstItem; // per kelo index: first item id, then the end
        std::vector<std::uint32_t> order;     // stacking before the selection came to front
    };
    // What the background depends on; the state's fields that only concern kelos are reset.
    struct BackgroundKeyType {
        TripDiagramDisplayStateType state;
        std::int32_t width = 0;
        std::int32_t height = 0;
        friend bool operator==(const BackgroundKeyType&, const BackgroundKeyType&) = default;
    };
    void NoteSceneKelo(std::int32_t keloIndex, std::uint32_t firstItem);
    void NoteSceneBuilt();
    void NoteBackground();
    // Redoes one kelo's items in place; `dirty` gains the boxes of its old and new items.
    bool RedoSceneKelo(std::int32_t keloIndex, std::vector<ZoRectType>& dirty);

    void InitialiseViews(const std::string& keloNumber);
    void MeasureLabelWidth();
    void SetInitialScales();
    void SetDirectionVisible(bool forward, bool visible);
    void AddStopRows();
    void AddTimeAxis(float length);
    void AddKelo(std::int32_t keloIndex, KeloKeloPtrClass kelo);
    void AddInOutMark(bool entry, bool forward, std::int32_t x, std::int32_t y);
    std::int32_t AddKeloLine(const std::string& tag, std::int32_t x1, std::int32_t y1,
                             std::int32_t x2, std::int32_t y2);
    std::int32_t DayEndX() const;
    void AddClashMarks();
    void AddClashRing(std::int32_t x, std::int32_t y, const std::string& tag);

    TripDiagramHostClass& host;
    ZoDrawingSurfaceClass& surface;
    TripDiagramDisplayStateType state;
    std::vector<TripDiagramKeloViewType> keloViews;
    std::vector<std::string> lineStopCodes;
    KeloDataPtrClass editBuffer;
    KeloCachedUpdateDataClass* editBufferObject = nullptr;
    KeloDataPtrClass bottom;
    KeloCacheDataClass* cacheObject = nullptr;
    KeloDataPtrClass view;
    TripDiagramStopDistanceCacheClass distances;
    ZoCanvasClass canvas;
    SceneRecordType scene;
    std::optional<BackgroundKeyType> background; // of the last build; none after Create
    std::uint64_t backgroundStamp = 0;
    TimetableClashIndexClass clashes;
    bool showClashes = false;
};
