#include "KeloCheckCommand.h"

#include "Cp1251.h"
#include "KeloLineOf.h"
#include "KeloSelectableDataClass.h"
#include "TripDiagramClass.h"
#include "TripDiagramHostClass.h"
#include "ZoNullDrawingSurfaceClass.h"

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
    const std::vector<std::string> line = KeloLineOf(bottomSource, encoded.bytes);
    // The check draws nothing; the diagram only needs a surface to measure stop names on.
    ZoNullDrawingSurfaceClass surface;
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
