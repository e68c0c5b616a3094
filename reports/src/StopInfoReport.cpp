#include "StopInfoReport.h"

#include "Cp1251.h"
#include "KeloScheduleRowsDataClass.h"
#include "ReportTextWriter.h"

#include <algorithm>
#include <utility>

namespace {

const std::string& Rule() {
    static const std::string rule(59, '-');
    return rule;
}

std::string Cp1251(const char* utf8) {
    return Utf8ToCp1251(utf8).bytes;
}

// Every call at the stop, each kelo's timetable read in one call where `bulk` offers it and
// entry by entry otherwise.
void CollectRows(std::vector<StopInfoReportKeloDataType>& rows, KeloKeloSetPtrClass kelos,
                 KeloScheduleRowsDataClass* bulk, const std::string& stopCode) {
    rows.clear();
    const std::int32_t count = kelos->GetCount();
    for (std::int32_t k = 0; k < count; ++k) {
        KeloKeloPtrClass kelo = kelos->GetItem(k);
        if (kelo.IsNull())
            continue;
        std::string name;
        bool named = false;
        for (const KeloScheduleRowType& row : KeloReadScheduleRows(bulk, kelo)) {
            if (row.stopCode != stopCode)
                continue;
            if (!named) { // only the kelos that call here are asked their name
                name = kelo->GetName();
                named = true;
            }
            rows.push_back({kelo->GetNumber(), name, row.arrival, row.stay});
        }
    }
    // Stable, so that a report of the same data always reads the same.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return a.arrival < b.arrival; });
}

} // namespace

void CollectStopInfoRows(std::vector<StopInfoReportKeloDataType>& rows, KeloKeloSetPtrClass kelos,
                         const std::string& stopCode) {
    CollectRows(rows, std::move(kelos), nullptr, stopCode);
}

void CollectStopInfoRows(std::vector<StopInfoReportKeloDataType>& rows, KeloDataPtrClass data,
                         const std::string& stopCode) {
    CollectRows(rows, data->GetKeloSet(), KeloFindScheduleRows(data), stopCode);
}

bool WriteStopInfoHeader(std::ostream& file, KeloStopPtrClass stop) {
    if (stop.IsNull())
        return false;
    const std::string code = ReportPlainText(stop->GetCode());
    const std::string name = ReportPlainText(stop->GetName());
    static const std::string titles =
        Cp1251("Номер                Название           Прибы  Отправ Стоян");
    static const std::string titles2 =
        Cp1251("рейса                 рейса              тие   ление   ка");
    static const std::string caption = Cp1251("Остановочный пункт ");
    return WriteReportLine(file, caption + code + "  " + name) && WriteReportLine(file, Rule()) &&
           WriteReportLine(file, titles) && WriteReportLine(file, titles2) &&
           WriteReportLine(file, Rule());
}

bool WriteStopInfoRows(std::ostream& file, const std::vector<StopInfoReportKeloDataType>& rows) {
    for (const StopInfoReportKeloDataType& row : rows) {
        std::string departure;
        std::string stay;
        if (!row.stay.IsEmpty()) {
            departure = KeloTimeOfDay(row.arrival + row.stay).Format();
            stay = row.stay.Format();
        }
        const std::string line = ReportFitWidth(ReportPlainText(row.keloNumber), 5) + "  " +
                                 ReportFitWidth(ReportPlainText(row.keloName), 31) + "  " +
                                 ReportFitWidth(KeloTimeOfDay(row.arrival).Format(), 5) + "  " +
                                 ReportFitWidth(departure, 5) + "  " + ReportFitWidth(stay, 5);
        if (!WriteReportLine(file, line))
            return false;
    }
    return true;
}

bool WriteStopInfoFooter(std::ostream& file) {
    return WriteReportLine(file, Rule());
}

bool WriteStopInfoReport(std::ostream& file, KeloDataPtrClass data, const std::string& stopCode) {
    std::vector<StopInfoReportKeloDataType> rows;
    CollectStopInfoRows(rows, data, stopCode);
    return WriteStopInfoHeader(file, data->FindStop(stopCode)) && WriteStopInfoRows(file, rows) &&
           WriteStopInfoFooter(file);
}
