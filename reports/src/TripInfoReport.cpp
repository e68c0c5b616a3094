#include "TripInfoReport.h"

#include "Cp1251.h"
#include "ReportTextWriter.h"

#include <charconv>

namespace {

const std::string& Rule() {
    static const std::string rule(49, '-');
    return rule;
}

std::string Cp1251(const char* utf8) {
    return Utf8ToCp1251(utf8).bytes;
}

} // namespace

void CollectTripInfoRows(std::vector<TripInfoReportStopDataType>& rows, KeloKeloPtrClass kelo,
                         KeloTopologyPtrClass topology) {
    rows.clear();
    if (kelo.IsNull())
        return;
    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    std::string previousCode;
    float total = 0.0f;
    const std::int32_t count = schedule->GetCount();
    for (std::int32_t i = 0; i < count; ++i) {
        KeloStopSchedulePtrClass entry = schedule->GetItem(i);
        KeloStopPtrClass stop = entry->GetStop();
        const std::string code = stop->GetCode();
        float segment = 0.0f;
        if (topology->HasLink(previousCode, code))
            segment = topology->GetDistance(previousCode, code);
        total = total + segment;
        previousCode = code;
        rows.push_back({stop->GetName(), entry->GetArrival(), entry->GetStay(), total});
    }
}

std::string FormatTripDistance(float distance, const std::string& decimalSeparator) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, static_cast<double>(distance),
                                      std::chars_format::general, 15);
    std::string formatted(text, result.ptr);
    if (const auto point = formatted.find('.'); point != std::string::npos)
        formatted.replace(point, 1, decimalSeparator);
    return formatted;
}

bool WriteTripInfoHeader(std::ostream& file, KeloKeloPtrClass kelo) {
    if (kelo.IsNull())
        return false;
    const std::string number = ReportPlainText(kelo->GetNumber());
    const std::string name = ReportPlainText(kelo->GetName());
    KeloBusPtrClass bus = kelo->GetBus();
    const std::string model = bus.IsNull() ? std::string() : ReportPlainText(bus->GetModel());
    static const std::string numberCaption = Cp1251("Номер рейса ");
    static const std::string busCaption = Cp1251("Автобус ");
    static const std::string titles = Cp1251("    Остановочный     Прибы  Отправ Стоян  Расстоя");
    static const std::string titles2 = Cp1251("        пункт         тие   ление   ка      ние");
    return WriteReportLine(file, numberCaption + number + " " + name) &&
           WriteReportLine(file, busCaption + model) && WriteReportLine(file, Rule()) &&
           WriteReportLine(file, titles) && WriteReportLine(file, titles2) &&
           WriteReportLine(file, Rule());
}

bool WriteTripInfoRows(std::ostream& file, const std::vector<TripInfoReportStopDataType>& rows,
                       const std::string& decimalSeparator) {
    for (const TripInfoReportStopDataType& row : rows) {
        std::string arrival;
        std::string departure;
        std::string stay;
        if (row.stay.IsEmpty()) {
            arrival = KeloTimeOfDay(row.arrival).Format();
        } else if (row.stay.IsZero()) {
            departure = KeloTimeOfDay(row.arrival).Format();
        } else {
            arrival = KeloTimeOfDay(row.arrival).Format();
            departure = KeloTimeOfDay(row.arrival + row.stay).Format();
            stay = row.stay.Format();
        }
        const std::string line =
            ReportFitWidth(ReportPlainText(row.stopName), 19) + "  " + ReportFitWidth(arrival, 5) +
            "  " + ReportFitWidth(departure, 5) + "  " + ReportFitWidth(stay, 5) + "  " +
            ReportPadLeft(FormatTripDistance(row.distance, decimalSeparator), 7);
        if (!WriteReportLine(file, line))
            return false;
    }
    return true;
}

bool WriteTripInfoFooter(std::ostream& file) {
    return WriteReportLine(file, Rule());
}

bool WriteTripInfoReport(std::ostream& file, KeloDataPtrClass data, const std::string& keloNumber,
                         const std::string& decimalSeparator) {
    std::vector<TripInfoReportStopDataType> rows;
    CollectTripInfoRows(rows, data->FindKelo(keloNumber), data->GetTopology());
    return WriteTripInfoHeader(file, data->FindKelo(keloNumber)) &&
           WriteTripInfoRows(file, rows, decimalSeparator) && WriteTripInfoFooter(file);
}
