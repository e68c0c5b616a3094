#include "TripDiagramClass.h"

#include "KeloCacheDataClass.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloSFDataClass.h"
#include "KeloSFKeloScheduleClass.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr std::int32_t MinutesPerDay = 1440;

// A real number becomes a pixel, scroll position or size by cutting towards zero. Values
// beyond the integer range (an empty time, a degenerate scale) saturate instead of being
// undefined; NaN becomes 0.
std::int32_t Trunc(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

double Hours(std::int64_t minutes) {
    return static_cast<double>(minutes) / 60.0;
}

// Direction along the line: upwards when the first two entries on the line climb.
bool IsScheduleForward(KeloKeloSchedulePtrClass& schedule,
                       const TripDiagramStopDistanceCacheClass& distances) {
    if (schedule->GetCount() < 2)
        return true;
    const float p0 = distances.GetStopPosition(schedule->GetItem(0)->GetStop()->GetCode());
    const float p1 = distances.GetStopPosition(schedule->GetItem(1)->GetStop()->GetCode());
    return p0 < p1;
}

} // namespace

TripDiagramClass::TripDiagramClass(TripDiagramHostClass& host, ZoDrawingSurfaceClass& surface)
    : host(host), surface(surface) {}

TripDiagramClass::~TripDiagramClass() = default;

void TripDiagramClass::Create(const std::string& keloNumber,
                              const std::vector<std::string>& stopCodes,
                              KeloDataPtrClass bottomSource) {
    Create(keloNumber, stopCodes, MakeTripDiagramDataStack(bottomSource, stopCodes));
}

void TripDiagramClass::Create(const std::string& keloNumber,
                              const std::vector<std::string>& stopCodes,
                              const TripDiagramDataStackType& stack) {
    state = TripDiagramDisplayStateType();
    keloViews.clear();
    canvas.Clear();
    background.reset(); // new stops, distances and names
    lineStopCodes = stopCodes;
    bottom = stack.bottom;
    cacheObject = stack.cacheObject;
    editBufferObject = stack.editBufferObject;
    editBuffer = stack.editBuffer;
    view = stack.view;
    distances = TripDiagramStopDistanceCacheClass();
    distances.Build(view);
    InitialiseViews(keloNumber);
    ApplyKeloColors();
    MeasureLabelWidth();
    SetInitialScales();
    UpdateTimeScale();
    state.timeZoom = 1;
    state.distanceZoom = 1;
    ShowForwardKelos();
    HideBackwardKelos();
}

TripDiagramDataStackType MakeTripDiagramDataStack(KeloDataPtrClass bottomSource,
                                                  const std::vector<std::string>& lineStopCodes) {
    TripDiagramDataStackType stack;
    stack.bottom = bottomSource;
    stack.cacheObject = new KeloCacheDataClass(bottomSource);
    stack.cache = KeloDataPtrClass(stack.cacheObject);
    stack.editBufferObject = new KeloCachedUpdateDataClass(stack.cache);
    stack.editBuffer = KeloDataPtrClass(stack.editBufferObject);
    stack.view = KeloDataPtrClass(new KeloSFDataClass(stack.editBuffer, lineStopCodes));
    return stack;
}

void TripDiagramClass::InitialiseViews(const std::string& keloNumber) {
    KeloKeloSetPtrClass kelos = view->GetKeloSet();
    const std::int32_t count = kelos->GetCount();
    keloViews.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (std::int32_t i = 0; i < count; ++i) {
        keloViews.push_back({true, state.keloCommonColor, ZoPenSolid});
        if (kelos->GetItem(i)->GetNumber() == keloNumber)
            state.selectedKelo = i;
    }
}

void TripDiagramClass::MeasureLabelWidth() {
    std::int32_t widest = 0;
    for (const std::string& code : lineStopCodes) {
        KeloStopPtrClass stop = editBuffer->FindStop(code);
        if (!stop.IsNull())
            widest = std::max(widest, surface.TextWidth(stop->GetName()));
    }
    state.labelWidth = widest;
}

void TripDiagramClass::SetInitialScales() {
    const float length = distances.GetLength();
    // A line of two or more stops whose distances are all unknown has no length to scale
    // to; it is drawn like a one-stop line instead of dividing by zero.
    if (lineStopCodes.size() < 2 || !(length > 0)) {
        state.distanceScale = 1;
        return;
    }
    // The first picture is three design heights of the chart, 50-pixel margins at both ends.
    const double height = host.GetPaintAreaClientHeight();
    state.distanceScale = static_cast<float>((height - 100) / length * 3);
    host.SetPaintAreaClientSize(host.GetPaintAreaClientWidth(),
                                Trunc(static_cast<double>(state.distanceScale) * length + 100));
}

void TripDiagramClass::UpdateTimeScale() {
    const double tangent = std::tan(state.baseAngle * 3.1415926 / 180.0);
    state.timeScale = static_cast<float>(3.0 * state.baseSpeed * state.distanceScale / tangent);
    // The width includes the current zoom, so that a new base speed or angle at a zoom
    // other than 100 % never cuts the day off at the right.
    host.SetPaintAreaClientSize(
        Trunc(static_cast<double>(state.timeScale) * 24 * state.timeZoom + state.labelWidth + 40),
        host.GetPaintAreaClientHeight());
}

std::int32_t TripDiagramClass::TimeToX(double hours) const {
    return Trunc(state.labelWidth + 20 +
                 hours * static_cast<double>(state.timeScale) * state.timeZoom);
}

std::int32_t TripDiagramClass::DistanceToY(double km) const {
    const double height = host.GetPaintAreaClientHeight();
    return Trunc(height - 50 - km * static_cast<double>(state.distanceScale) * state.distanceZoom);
}

std::int32_t TripDiagramClass::DayEndX() const {
    return Trunc(state.labelWidth + 20 +
                 static_cast<double>(state.timeScale) * 24 * state.timeZoom);
}

void TripDiagramClass::ApplyKeloColors() {
    for (std::size_t i = 0; i < keloViews.size(); ++i) {
        if (state.monoColor)
            keloViews[i].color = static_cast<std::int32_t>(i) == state.selectedKelo
                                     ? state.keloSelectedColor
                                     : state.keloCommonColor;
        else
            keloViews[i].color = Palette[i % Palette.size()];
    }
}

bool TripDiagramClass::IsKeloForward(std::int32_t keloIndex) {
    KeloKeloSchedulePtrClass schedule = view->GetKeloSet()->GetItem(keloIndex)->GetSchedule();
    return IsScheduleForward(schedule, distances);
}

bool TripDiagramClass::IsKeloForward(KeloKeloPtrClass kelo) {
    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    return IsScheduleForward(schedule, distances);
}

void TripDiagramClass::SetDirectionVisible(bool forward, bool visible) {
    host.BeginKeloListUpdate();
    KeloKeloSetPtrClass kelos = view->GetKeloSet();
    const std::int32_t count =
        std::min(kelos->GetCount(), static_cast<std::int32_t>(keloViews.size()));
    for (std::int32_t k = 0; k < count; ++k) {
        KeloKeloSchedulePtrClass schedule = kelos->GetItem(k)->GetSchedule();
        if (IsScheduleForward(schedule, distances) != forward)
            continue;
        keloViews[k].visible = visible;
        host.SetKeloListCheck(k, visible);
    }
    host.EndKeloListUpdate();
    if (forward) {
        state.showForward = visible;
        host.SetShowForwardTicked(visible);
    } else {
        state.showBackward = visible;
        host.SetShowBackwardTicked(visible);
    }
}

void TripDiagramClass::ShowForwardKelos() {
    SetDirectionVisible(true, true);
}
void TripDiagramClass::HideForwardKelos() {
    SetDirectionVisible(true, false);
}
void TripDiagramClass::ShowBackwardKelos() {
    SetDirectionVisible(false, true);
}
void TripDiagramClass::HideBackwardKelos() {
    SetDirectionVisible(false, false);
}

void TripDiagramClass::AppendKeloView() {
    keloViews.push_back({true, state.keloCommonColor, ZoPenSolid});
}

void TripDiagramClass::RemoveKeloView(std::int32_t keloIndex) {
    if (keloIndex >= 0 && keloIndex < static_cast<std::int32_t>(keloViews.size()))
        keloViews.erase(keloViews.begin() + keloIndex);
}

TripDiagramOptionsFaultType CheckDisplayOptions(const TripDiagramDisplayOptionsType& options) {
    using Limits = TripDiagramOptionsLimits;
    if (!(options.baseSpeed >= Limits::MinBaseSpeed && options.baseSpeed <= Limits::MaxBaseSpeed))
        return TripDiagramOptionsFaultType::BaseSpeed;
    if (options.baseAngle < Limits::MinBaseAngle || options.baseAngle > Limits::MaxBaseAngle)
        return TripDiagramOptionsFaultType::BaseAngle;
    if (!(options.zoom > 0) || !std::isfinite(options.zoom))
        return TripDiagramOptionsFaultType::Zoom;
    for (ZoColorType color :
         {options.gridColor, options.keloCommonColor, options.keloSelectedColor})
        if (color > 0xFFFFFF)
            return TripDiagramOptionsFaultType::Color;
    return TripDiagramOptionsFaultType::None;
}

TripDiagramDisplayOptionsType TripDiagramClass::GetDisplayOptions() const {
    TripDiagramDisplayOptionsType options;
    options.showForward = state.showForward;
    options.showBackward = state.showBackward;
    options.showInOutMarks = state.showInOutMarks;
    options.showGrid = state.showStopGrid;
    options.monoColor = state.monoColor;
    options.baseSpeed = state.baseSpeed;
    options.baseAngle = state.baseAngle;
    options.zoom = state.distanceZoom;
    options.gridColor = state.gridColor;
    options.keloCommonColor = state.keloCommonColor;
    options.keloSelectedColor = state.keloSelectedColor;
    return options;
}

TripDiagramOptionsFaultType
TripDiagramClass::ApplyDisplayOptions(const TripDiagramDisplayOptionsType& options) {
    const TripDiagramOptionsFaultType fault = CheckDisplayOptions(options);
    if (fault != TripDiagramOptionsFaultType::None)
        return fault;
    if (options.showForward != state.showForward)
        SetDirectionVisible(true, options.showForward);
    if (options.showBackward != state.showBackward)
        SetDirectionVisible(false, options.showBackward);
    state.showInOutMarks = options.showInOutMarks;
    host.SetShowInOutMarksTicked(options.showInOutMarks);
    if (options.showGrid != state.showStopGrid || options.showGrid != state.showTimeGrid) {
        state.showStopGrid = options.showGrid;
        state.showTimeGrid = options.showGrid;
        host.SetShowGridTicked(options.showGrid);
    }
    if (options.monoColor != state.monoColor) {
        state.monoColor = options.monoColor;
        host.SetMonoColorTicked(options.monoColor);
    }
    state.gridColor = options.gridColor;
    state.keloCommonColor = options.keloCommonColor;
    state.keloSelectedColor = options.keloSelectedColor;
    if (options.baseSpeed != state.baseSpeed || options.baseAngle != state.baseAngle) {
        state.baseSpeed = options.baseSpeed;
        state.baseAngle = options.baseAngle;
        UpdateTimeScale();
    }
    // Colours before the zoom: a zoom rebuilds the scene, which then needs no second build.
    ApplyKeloColors();
    if (options.zoom != state.distanceZoom)
        SetZoom(options.zoom);
    else
        BuildScene();
    return TripDiagramOptionsFaultType::None;
}

void TripDiagramClass::BuildScene() {
    canvas.Clear();
    canvas.SetSurface(&surface);
    canvas.SetBackgroundColor(0xFFFFFF);
    canvas.SetPenStyle(ZoPenSolid);
    canvas.SetPenWidth(1);
    canvas.SetPenColor(0);

    const float length = distances.GetLength();
    const std::int32_t origin = state.labelWidth + 20;
    canvas.AddLine(origin, DistanceToY(0), origin, DistanceToY(length));
    AddStopRows();
    AddTimeAxis(length);
    canvas.MarkBackground();
    NoteBackground();

    KeloKeloSetPtrClass kelos = view->GetKeloSet();
    const std::int32_t count = kelos->GetCount();
    for (std::int32_t k = 0; k < count; ++k) {
        NoteSceneKelo(k, canvas.GetItemCount());
        // A kelo without a view entry (added behind the window's back) is not drawn.
        if (k < static_cast<std::int32_t>(keloViews.size()) && keloViews[k].visible)
            AddKelo(k, kelos->GetItem(k));
    }
    NoteSceneKelo(count, canvas.GetItemCount());
    canvas.SetPenWidth(1);
    NoteSceneBuilt();
    if (state.selectedKelo != -1)
        canvas.BringTaggedToFront(KeloIndexTag, std::to_string(state.selectedKelo));
    AddClashMarks();
    canvas.Paint();
    host.InvalidatePaintArea();
}

void TripDiagramClass::AddStopRows() {
    const std::int32_t labelRight = state.labelWidth + 15;
    const std::int32_t origin = state.labelWidth + 20;
    canvas.SetTextAlignment(3);
    KeloStopSetPtrClass stops = view->GetStopSet();
    const std::int32_t count = stops->GetCount();
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t y = DistanceToY(distances.GetPosition(static_cast<std::uint32_t>(i)));
        const std::string index = std::to_string(i);
        canvas.AddLine(labelRight, y, origin, y);
        const std::uint32_t name = canvas.AddText(labelRight, y - 5, stops->GetItem(i)->GetName());
        canvas.SetTag(name, StopIndexTag, index);
        if (state.showStopGrid) {
            canvas.SetPenColor(state.gridColor);
            canvas.SetPenStyle(ZoPenDot);
            canvas.SetTag(canvas.AddLine(origin, y, DayEndX(), y), StopIndexTag, index);
            canvas.SetPenStyle(ZoPenSolid);
            canvas.SetPenColor(0);
        }
    }
}

void TripDiagramClass::AddTimeAxis(float length) {
    const std::int32_t origin = state.labelWidth + 20;
    const std::int32_t ys =
        DistanceToY(distances.GetPosition(static_cast<std::uint32_t>(state.selectedStop)));
    const std::int32_t yt = DistanceToY(length);
    canvas.SetPenColor(0);
    canvas.AddLine(origin, ys, DayEndX(), ys);
    canvas.SetTextAlignment(0);
    for (int h = 0; h <= 24; h += 2) {
        const std::string label = std::to_string(h) + ":00";
        const std::int32_t x = TimeToX(h);
        canvas.AddLine(x, ys - 5, x, ys + 6);
        // Centred on its mark, but never reaching left of the axis origin into the column
        // of stop names, where it would cover a name of a row just below the axis.
        canvas.AddText(std::max(origin + 1, x - surface.TextWidth(label) / 2), ys + 10, label);
        if (state.showTimeGrid && h != 0) {
            canvas.SetPenColor(state.gridColor);
            canvas.SetPenStyle(ZoPenDot);
            canvas.SendToBack(canvas.AddLine(x, DistanceToY(0), x, yt));
            canvas.SetPenColor(0);
            canvas.SetPenStyle(ZoPenSolid);
        }
    }
}

std::int32_t TripDiagramClass::AddKeloLine(const std::string& tag, std::int32_t x1, std::int32_t y1,
                                           std::int32_t x2, std::int32_t y2) {
    const std::uint32_t id = canvas.AddLine(x1, y1, x2, y2);
    canvas.SetTag(id, KeloIndexTag, tag);
    return static_cast<std::int32_t>(id);
}

void TripDiagramClass::AddInOutMark(bool entry, bool forward, std::int32_t a, std::int32_t b) {
    // A point saturated at the end of the range still gets its arrow, without wrapping.
    constexpr std::int32_t Room = 16;
    a = std::clamp(a, std::numeric_limits<std::int32_t>::min() + Room,
                   std::numeric_limits<std::int32_t>::max() - Room);
    b = std::clamp(b, std::numeric_limits<std::int32_t>::min() + Room,
                   std::numeric_limits<std::int32_t>::max() - Room);
    // Screen y grows downwards: forward kelos climb, so their arrows point up (towards -y).
    const std::int32_t up = forward ? -1 : 1;
    if (entry) {
        // An arrow arriving into the point from below (forward) or above (backward).
        canvas.AddLine(a, b - 10 * up, a, b);
        canvas.AddLine(a - 3, b - 5 * up, a, b);
        canvas.AddLine(a + 3, b - 5 * up, a, b);
    } else {
        // An arrow leaving the point upwards (forward) or downwards (backward).
        const std::int32_t tip = b + 10 * up;
        canvas.AddLine(a, b, a, tip);
        canvas.AddLine(a - 3, b + 5 * up, a, tip);
        canvas.AddLine(a + 3, b + 5 * up, a, tip);
    }
}

void TripDiagramClass::AddKelo(std::int32_t keloIndex, KeloKeloPtrClass kelo) {
    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    const bool forward = IsScheduleForward(schedule, distances);
    if (!state.monoColor)
        canvas.SetPenWidth(keloIndex == state.selectedKelo ? 3 : 1);
    const TripDiagramKeloViewType& entry = keloViews[keloIndex];
    canvas.SetPenColor(entry.color);
    canvas.SetPenStyle(entry.penStyle);
    const int keloWidth = canvas.GetPenWidth();
    const std::string tag = std::to_string(keloIndex);
    // Timetables read through the view know where the kelo left the line.
    auto* lineSchedule = dynamic_cast<KeloSFKeloScheduleClass*>(&*schedule);

    bool hasPrevious = false;
    std::int64_t previousDeparture = 0;
    float previousPosition = 0;
    const std::int32_t count = schedule->GetCount();
    for (std::int32_t j = 0; j < count; ++j) {
        KeloStopSchedulePtrClass item = schedule->GetItem(j);
        const float position = distances.GetStopPosition(item->GetStop()->GetCode());
        const std::int32_t y = DistanceToY(position);
        const KeloTimeType arrivalTime = item->GetArrival();
        const KeloTimeType stayTime = item->GetStay();
        // An entry without an arrival (a stop just added, times not yet entered) has no
        // place on the time axis: nothing is drawn for it, nor for the runs to and from it.
        if (arrivalTime.IsEmpty()) {
            hasPrevious = false;
            continue;
        }
        const std::int64_t arrival = arrivalTime.GetTotalMinutes();
        const std::int64_t stay = stayTime.IsEmpty() ? 0 : stayTime.GetTotalMinutes();
        const std::int64_t departure = arrival + stay;

        if (state.showInOutMarks && lineSchedule != nullptr) {
            if (lineSchedule->HasHiddenBefore(j))
                AddInOutMark(true, forward, TimeToX(Hours(arrival)), y);
            if (lineSchedule->HasHiddenAfter(j))
                AddInOutMark(false, forward, TimeToX(Hours(departure)), y);
        }

        if (j > 0 && hasPrevious) {
            std::int64_t from = previousDeparture;
            if (from > MinutesPerDay)
                from -= MinutesPerDay;
            const std::int32_t x0 = TimeToX(Hours(from));
            const std::int32_t y0 = DistanceToY(previousPosition);
            if (from > arrival) {
                // The run crosses midnight: split it where it meets 24:00.
                const std::int64_t travel = arrival + MinutesPerDay - from;
                // A run of no time at all (leaving at 24:00, arriving at 0:00) jumps at
                // midnight; splitting it by its duration would divide by zero.
                const double midnight =
                    travel > 0 ? previousPosition + static_cast<double>(MinutesPerDay - from) *
                                                        (position - previousPosition) / travel
                               : position;
                const std::int32_t ym = DistanceToY(midnight);
                AddKeloLine(tag, x0, y0, TimeToX(24), ym);
                AddKeloLine(tag, TimeToX(0), ym, TimeToX(Hours(arrival)), y);
            } else {
                AddKeloLine(tag, x0, y0, TimeToX(Hours(arrival)), y);
            }
        }

        const std::int32_t xa = TimeToX(Hours(arrival));
        if (stay == 0) {
            canvas.SetPenStyle(ZoPenSolid);
            if (!state.monoColor)
                canvas.SetPenWidth(1);
            AddKeloLine(tag, xa - 3, y, xa + 3, y);
            canvas.SetPenStyle(entry.penStyle);
            if (!state.monoColor)
                canvas.SetPenWidth(keloWidth);
        } else if (stay > 0 && departure > MinutesPerDay) {
            AddKeloLine(tag, xa, y, TimeToX(24), y);
            AddKeloLine(tag, TimeToX(0), y, TimeToX(Hours(departure - MinutesPerDay)), y);
        } else {
            AddKeloLine(tag, xa, y, TimeToX(Hours(departure)), y);
        }

        hasPrevious = true;
        previousDeparture = departure;
        previousPosition = position;
    }
}

void TripDiagramClass::SetZoom(float factor) {
    if (factor > 0) {
        const double length = distances.GetLength();
        bool visible = false;
        std::int32_t position = 0;
        std::int32_t range = 0;
        host.GetHorizScroll(visible, position, range);
        const double fraction = visible && range > 0 ? static_cast<double>(position) / range : 0.5;
        visible = false;
        position = 0;
        range = 0;
        host.GetVertScroll(visible, position, range);
        const std::int32_t unzoomedTop = Trunc(position / static_cast<double>(state.distanceZoom));

        // No 16-bit coordinate limit on this platform: the sizes are never clamped.
        const std::int32_t height =
            Trunc(static_cast<double>(factor) * length * state.distanceScale + 100);
        const std::int32_t width =
            Trunc(static_cast<double>(factor) * state.timeScale * 24 + state.labelWidth + 40);
        host.SetPaintAreaClientSize(width, height);

        visible = false;
        host.GetHorizScroll(visible, position, range);
        if (visible)
            host.SetHorizScrollPosition(Trunc(range * fraction));
        visible = false;
        host.GetVertScroll(visible, position, range);
        if (visible)
            host.SetVertScrollPosition(Trunc(static_cast<double>(unzoomedTop) * factor));
        state.timeZoom = factor;
        state.distanceZoom = factor;
    }
    std::array<bool, 7> ticked{};
    for (std::size_t i = 0; i < ZoomMenuFactors.size(); ++i)
        ticked[i] = ZoomMenuFactors[i] == factor;
    host.SetZoomMenuTicks(ticked);
    BuildScene();
}

void TripDiagramClass::FitToHeight() {
    const double extent = static_cast<double>(distances.GetLength()) * state.distanceScale;
    // A line without length has no height to fit; the zoom stays as it is.
    if (!(extent > 0))
        return;
    SetZoom(static_cast<float>((host.GetChartScrollAreaClientHeight() - 100) / extent));
}

void TripDiagramClass::ScrollToKelo(std::int32_t keloIndex) {
    KeloKeloSetPtrClass kelos = view->GetKeloSet();
    if (keloIndex < 0 || keloIndex >= kelos->GetCount())
        return;
    KeloKeloSchedulePtrClass schedule = kelos->GetItem(keloIndex)->GetSchedule();
    if (schedule->GetCount() < 1)
        return;
    KeloStopSchedulePtrClass first = schedule->GetItem(0);
    const KeloTimeType arrival = first->GetArrival();
    const std::int32_t y = DistanceToY(distances.GetStopPosition(first->GetStop()->GetCode()));

    bool visible = false;
    std::int32_t position = 0;
    std::int32_t range = 0;
    const std::int32_t width = host.GetPaintAreaClientWidth();
    host.GetHorizScroll(visible, position, range);
    // Without an arrival the kelo has no place in time; only the vertical scroll follows it.
    if (visible && width > 0 && !arrival.IsEmpty()) {
        const std::int32_t x = TimeToX(Hours(arrival.GetTotalMinutes()));
        host.SetHorizScrollPosition(Trunc(static_cast<double>(x) / width * range));
    }
    visible = false;
    const std::int32_t height = host.GetPaintAreaClientHeight();
    host.GetVertScroll(visible, position, range);
    if (visible && height > 0)
        host.SetVertScrollPosition(Trunc(static_cast<double>(y) / height * range));
}

void TripDiagramClass::PaintOn(ZoDrawingSurfaceClass& target) const {
    canvas.PaintTo(target);
}

ZoRectType TripDiagramClass::GetPictureArea() const {
    ZoRectType area{0, 0, host.GetPaintAreaClientWidth(), host.GetPaintAreaClientHeight()};
    if (canvas.GetItemCount() == 0)
        return area;
    const ZoRectType items = canvas.GetItemsBounds();
    area.left = std::min(area.left, items.left);
    area.top = std::min(area.top, items.top);
    area.right = std::max(area.right, items.right);
    area.bottom = std::max(area.bottom, items.bottom);
    return area;
}
