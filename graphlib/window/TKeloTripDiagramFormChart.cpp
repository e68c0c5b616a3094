// The diagram window's chart: painting, clicks on items, drag scrolling and mouse hints.

#include "TKeloTripDiagramForm.h"

#include "KeloQtText.h"
#include "TripDiagramPaintBox.h"
#include "ZoQtDrawingSurfaceClass.h"

#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include <cmath>
#include <cstdio>

void TKeloTripDiagramForm::ChartPaintBoxPaint(QPainter& painter, const QRect& area) {
    ZoQtDrawingSurfaceClass surface(painter, area);
    diagram->PaintOn(surface);
}

void TKeloTripDiagramForm::ChartPaintBoxMouseDown(Qt::MouseButton button, int x, int y) {
    int code = -1;
    if (button == Qt::LeftButton) {
        code = 0;
        dragging = true;
    } else if (button == Qt::RightButton) {
        code = 2;
    } else if (button == Qt::MiddleButton) {
        code = 1;
    }
    if (code >= 0)
        diagram->GetCanvas().MouseDown(code, x, y);
    lastMouseX = x;
    lastMouseY = y;
    lastGlobalX = paintBox->mapToGlobal(QPoint(x, y)).x();
}

void TKeloTripDiagramForm::ChartPaintBoxMouseUp(Qt::MouseButton button, int x, int y) {
    if (button == Qt::LeftButton)
        dragging = false;
    lastMouseX = x;
    lastMouseY = y;
}

void TKeloTripDiagramForm::ChartPaintBoxMouseMove(int x, int y, int globalX) {
    QScrollBar* bar = scrollBox->horizontalScrollBar();
    if (dragging && globalX != lastGlobalX && bar->maximum() > 0) {
        // The scroll range is the paint area's width, so the picture moves exactly with the
        // mouse; screen coordinates keep the step steady while the area slides under it.
        bar->setValue(bar->value() - (globalX - lastGlobalX));
    }
    lastGlobalX = globalX;
    lastMouseX = x;
    lastMouseY = y;
    UpdateHints(x, y);
}

void TKeloTripDiagramForm::UpdateHints(int x, int y) {
    const TripDiagramDisplayStateType& s = State();
    const double fromOrigin = double(x) - (s.labelWidth + 20);
    const double minutes = std::trunc(fromOrigin * 60 / (double(s.timeScale) * s.timeZoom));
    if (fromOrigin >= 0 && minutes >= 0 && minutes <= 1440) {
        char text[16];
        const unsigned total = unsigned(minutes);
        std::snprintf(text, sizeof text, "%02u:%02u", total / 60, total % 60);
        hintTimeValue->setText(QString::fromLatin1(text));
    } else {
        hintTimeValue->clear();
    }

    const TripDiagramStopDistanceCacheClass& distances = diagram->GetDistanceCache();
    const int stops = int(stopNames.size());
    if (stops == 0)
        return;
    const float f = (float(paintBox->height()) - 50 - y) / (s.distanceScale * s.distanceZoom);
    const float length = distances.GetDistanceToEnd(0);
    hintToValue->clear();
    hintFromValue->clear();
    if (f < 0 || f > length)
        return;
    for (int i = 1; i < stops; ++i) {
        const float position = distances.GetPosition(unsigned(i));
        if (position > f) {
            char from[32];
            char to[32];
            std::snprintf(from, sizeof from, "(%.1f)", double(f - distances.GetPosition(unsigned(i - 1))));
            std::snprintf(to, sizeof to, "(%.1f)", double(position - f));
            hintFromValue->setText(KeloToQString(stopNames[i - 1]) + QString::fromLatin1(from));
            hintToValue->setText(KeloToQString(stopNames[i]) + QString::fromLatin1(to));
            return;
        }
    }
}

void TKeloTripDiagramForm::OnChartItemMouseDown(std::uint32_t id, int button) {
    if (button != 0)
        return;
    ZoCanvasClass& canvas = diagram->GetCanvas();
    if (auto kelo = canvas.GetTag(id, TripDiagramClass::KeloIndexTag)) {
        State().selectedKelo = std::stoi(*kelo);
        ApplyKeloSelectionChange();
    } else if (auto stop = canvas.GetTag(id, TripDiagramClass::StopIndexTag)) {
        State().selectedStop = std::stoi(*stop);
        ApplyStopSelection();
    }
}
