#pragma once

#include "KeloDataClass.h"

#include <string>

class QMdiArea;
class TKeloReportPreViewForm;

// The two report runs of the diagram window. Each writes its report to a temporary file
// "TTmp…" in the user's temporary directory, opens a preview on it as a child of `area`
// (a top-level window when `area` is null), and deletes the file. Any failure shows
// "Ошибка формирования отчета" and opens nothing. The preview is returned for callers that
// go on with it; nullptr after a failure.

/// Station timetable of one stop; the caption names the stop, or its code when unnamed.
TKeloReportPreViewForm* GenerateStopInfoReport(KeloDataPtrClass data, const std::string& stopCode,
                                               const std::string& stopName, QMdiArea* area);
/// Trip information of one kelo; the caption names the kelo, or its number when unnamed.
/// Distances use the decimal separator of the user's locale.
TKeloReportPreViewForm* GenerateTripInfoReport(KeloDataPtrClass data, const std::string& keloNumber,
                                               const std::string& keloName, QMdiArea* area);
