#include "KeloCheckCommand.h"

#include "Cp1251.h"
#include "KeloSelectableDataClass.h"
#include "TKeloMainFrame.h"
#include "TripDiagramClass.h"
#include "TripDiagramHostClass.h"

namespace {

// The check draws nothing; the diagram only needs something to measure stop names on.
class NothingDrawnSurface : public ZoDrawingSurfaceClass {
public:
    void SetPenColor(ZoColorType) override {}
    void SetPenStyle(int) override {}
    void SetPenWidth(int) override {}
    void SetBrushColor(ZoColorType) override {}
    void MoveTo(std::int32_t, std::int32_t) override {}
    void LineTo(std::int32_t, std::int32_t) override {}
    void Ellipse(const ZoRectType&) override {}
    void Rectangle(const ZoRectType&) override {}
    void TextOut(std::int32_t, std::int32_t, const std::string&) override {}
    std::int32_t TextWidth(const std::string&) override { return 0; }
    std::int32_t TextHeight(const std::string&) override { return 0; }
    ZoRectType GetClipRect() override { return {}; }
};

} // namespace

int RunClashCheck(const std::string& number, int minimumInterval, KeloDataPtrClass bottomSource,
                  std::ostream& out, std::ostream& errors) {
    const Cp1251EncodeResult encoded = Utf8ToCp1251(number);
    KeloKeloPtrClass kelo;
    if (encoded.Ok())
        kelo = bottomSource->FindKelo(encoded.bytes);
    if (kelo.IsNull()) {
        errors << "kelo: there is no kelo with the number \"" << number << "\"\n";
        return KeloCheckRefusedExitCode;
    }

    // The kelos and directions of a new diagram window of that line.
    const std::vector<std::string> line = TKeloMainFrame::LineOfKelo(bottomSource, encoded.bytes);
    NothingDrawnSurface surface;
    TripDiagramHeadlessHostClass host;
    TripDiagramClass diagram(host, surface);
    diagram.Create(encoded.bytes, line, KeloSelectStops(bottomSource, line));
    diagram.SetClashMinimumInterval(minimumInterval);
    diagram.RefreshClashes();
    const TimetableClashIndexClass& clashes = diagram.GetClashes();
    for (const TimetableClashType& clash : clashes.GetClashes())
        out << Cp1251ToUtf8(FormatTimetableClash(clash, line)) << '\n';
    out.flush();
    return clashes.GetClashes().empty() ? 0 : KeloCheckClashesExitCode;
}
