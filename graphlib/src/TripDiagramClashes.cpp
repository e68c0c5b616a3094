// The clashes of the diagram's line and their marks in the picture.

#include "TripDiagramClass.h"

#include <cmath>
#include <unordered_map>

namespace {

constexpr std::int32_t MinutesPerDay = 1440;
constexpr int RingSegments = 12;
constexpr double RingRadius = 7;

double Hours(std::int32_t minutes) {
    return minutes / 60.0;
}

} // namespace

TimetableClashKeloType TripDiagramClass::ReadClashKelo(KeloKeloPtrClass kelo) {
    TimetableClashKeloType read{kelo->GetNumber(), IsKeloForward(kelo), {}};
    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    const std::int32_t count = schedule->GetCount();
    read.calls.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (std::int32_t j = 0; j < count; ++j) {
        KeloStopSchedulePtrClass item = schedule->GetItem(j);
        read.calls.push_back({item->GetStop()->GetCode(), item->GetArrival(), item->GetStay()});
    }
    return read;
}

void TripDiagramClass::RefreshClashes() {
    KeloKeloSetPtrClass kelos = view->GetKeloSet();
    std::vector<TimetableClashKeloType> read;
    const std::int32_t count = kelos->GetCount();
    read.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (std::int32_t k = 0; k < count; ++k)
        read.push_back(ReadClashKelo(kelos->GetItem(k)));
    clashes.Reset(lineStopCodes, read, clashes.GetMinimumInterval());
}

void TripDiagramClass::UpdateClashes(const std::vector<std::string>& changedNumbers) {
    std::vector<TimetableClashKeloType> current;
    for (const std::string& number : changedNumbers) {
        KeloKeloPtrClass kelo = view->FindKelo(number);
        if (!kelo.IsNull())
            current.push_back(ReadClashKelo(kelo));
    }
    clashes.Update(changedNumbers, current);
}

void TripDiagramClass::SetClashMinimumInterval(std::int32_t minutes) {
    clashes.SetMinimumInterval(minutes);
}

std::int32_t TripDiagramClass::FindKeloIndex(const std::string& number) {
    KeloKeloSetPtrClass kelos = view->GetKeloSet();
    const std::int32_t count = kelos->GetCount();
    for (std::int32_t k = 0; k < count; ++k)
        if (kelos->GetItem(k)->GetNumber() == number)
            return k;
    return -1;
}

void TripDiagramClass::AddClashRing(std::int32_t x, std::int32_t y, const std::string& tag) {
    // A ring of segments rather than a circle item: a circle is filled with the background
    // and would hide the very lines that clash.
    std::int32_t px = x + static_cast<std::int32_t>(RingRadius);
    std::int32_t py = y;
    for (int i = 1; i <= RingSegments; ++i) {
        const double angle = 2 * 3.14159265358979 * i / RingSegments;
        const auto nx = x + static_cast<std::int32_t>(std::lround(RingRadius * std::cos(angle)));
        const auto ny = y + static_cast<std::int32_t>(std::lround(RingRadius * std::sin(angle)));
        AddKeloLine(tag, px, py, nx, ny);
        px = nx;
        py = ny;
    }
}

void TripDiagramClass::AddClashMarks() {
    if (!showClashes || clashes.GetClashes().empty())
        return;
    std::unordered_map<std::string, std::int32_t> indexByNumber;
    KeloKeloSetPtrClass kelos = view->GetKeloSet();
    for (std::int32_t k = 0; k < kelos->GetCount(); ++k)
        indexByNumber.emplace(kelos->GetItem(k)->GetNumber(), k);
    auto shownIndex = [&](const std::string& number) {
        const auto found = indexByNumber.find(number);
        if (found == indexByNumber.end() || found->second >= std::int32_t(keloViews.size()) ||
            !keloViews[found->second].visible)
            return -1;
        return found->second;
    };

    canvas.SetPenColor(ClashMarkColor);
    canvas.SetPenStyle(ZoPenSolid);
    for (const TimetableClashType& clash : clashes.GetClashes()) {
        const std::int32_t a = shownIndex(clash.keloA);
        const double from = distances.GetStopPosition(lineStopCodes[clash.stop]);
        const std::int32_t x0 = TimeToX(Hours(clash.time));
        const std::int32_t y0 = DistanceToY(from);
        if (clash.kind == TimetableClashKind::Interval) {
            // Marked while either kelo is drawn; a click on it selects kelo A.
            const std::int32_t b = shownIndex(clash.keloB);
            if (a < 0 && b < 0)
                continue;
            canvas.SetPenWidth(2);
            AddClashRing(x0, y0, std::to_string(a >= 0 ? a : b));
            continue;
        }
        if (a < 0)
            continue;
        canvas.SetPenWidth(3);
        const std::string tag = std::to_string(a);
        const double to = distances.GetStopPosition(lineStopCodes[clash.toStop]);
        const std::int32_t y1 = DistanceToY(to);
        if (clash.toTime < clash.time) {
            // The run crosses midnight, like the kelo's own line.
            const double travel = clash.toTime + MinutesPerDay - clash.time;
            const double midnight = from + (MinutesPerDay - clash.time) * (to - from) / travel;
            AddKeloLine(tag, x0, y0, TimeToX(24), DistanceToY(midnight));
            AddKeloLine(tag, TimeToX(0), DistanceToY(midnight), TimeToX(Hours(clash.toTime)), y1);
        } else {
            AddKeloLine(tag, x0, y0, TimeToX(Hours(clash.toTime)), y1);
        }
    }
    canvas.SetPenWidth(1);
    canvas.SetPenColor(0);
}
