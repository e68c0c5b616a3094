// Set-up shared by the benchmark programs that drive the real windows headless.
#pragma once

#include "KeloBuiltInTestSupport.h"
#include "KeloDataClass.h"

#include <QTimer>

#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <vector>

class QMdiArea;
class QWidget;
class TKeloTripDiagramForm;

/// One repaint of the visible 1200 x 600 part of the chart at a scroll position.
void PaintVisiblePart(TKeloTripDiagramForm& form, int x = 0, int y = 0);

constexpr int VisibleWidth = 1200;
constexpr int VisibleHeight = 600;

/// Answers modal dialogs from inside the program: `special` first (true when it answered),
/// then the change review and every message with OK.
class ModalAnswers {
public:
    explicit ModalAnswers(std::function<bool(QWidget*)> special = {});

private:
    QTimer timer;
};

/// Times the station timetable from `form`'s popup item to the preview it opens in `area`,
/// closing each preview outside the timed region.
void TimeStationTimetableFromMenu(benchmark::State& state, QMdiArea& area,
                                  TKeloTripDiagramForm& form);

/// Runs the registered benchmarks under a QApplication, headless unless a platform is set.
int RunQtBenchmarks(int argc, char** argv);
