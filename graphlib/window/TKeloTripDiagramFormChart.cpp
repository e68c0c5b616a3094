// The diagram window's chart: painting, clicks on items, drag scrolling and mouse hints.

#include "TKeloTripDiagramForm.h"

#include "KeloQtText.h"
#include "TripDiagramPaintBox.h"
#include "ZoCanvasTileCacheClass.h"
#include "ZoQtDrawingSurfaceClass.h"

#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include <cmath>
#include <cstdio>

void TKeloTripDiagramForm::ChartPaintBoxPaint(QPainter& painter, const QRegion& area) {
    if (!PaintUnderKeloDrag(painter, area.boundingRect()))
        chartTiles->Paint(painter, diagram->GetCanvas(), area, diagram->GetBackgroundStamp());
    if (keloDrag.Active()) {
        ZoQtDrawingSurfaceClass surface(painter, area.boundingRect());
        keloDrag.Paint(surface);
    }
}

void TKeloTripDiagramForm::ChartPaintBoxMouseDown(Qt::MouseButton button, int x, int y,
                                                  Qt::KeyboardModifiers modifiers) {
    if (keloDrag.Active()) {
        // Any other button while a kelo is picked up puts it back.
        dragCancelClick = button == Qt::RightButton;
        CancelKeloDrag();
        return;
    }
    dragCancelClick = false; // a platform that sent no menu request for it
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
    // Ctrl on a kelo's line picks the kelo up instead of scrolling the chart.
    if (code == 0 && (modifiers & Qt::ControlModifier) &&
        BeginKeloDrag(x, y, modifiers & Qt::ShiftModifier))
        dragging = false;
    lastMouseX = x;
    lastMouseY = y;
}

void TKeloTripDiagramForm::ChartPaintBoxMouseUp(Qt::MouseButton button, int x, int y) {
    if (button == Qt::LeftButton && keloDrag.Active())
        DropKeloDrag();
    if (button == Qt::LeftButton)
        dragging = false;
    lastMouseX = x;
    lastMouseY = y;
}

void TKeloTripDiagramForm::ChartPaintBoxMouseMove(int x, int y) {
    if (keloDrag.Active())
        FollowKeloDrag(x);
    QScrollBar* bar = scrollBox->horizontalScrollBar();
    if (dragging && x != lastMouseX && bar->maximum() > 0) {
        // The scroll range is the paint area's width, so the picture moves exactly with the
        // mouse. The area then slides under the mouse by what the bar moved: the point the
        // mouse stands on is again the one it grabbed, and the next move counts from there.
        const int before = bar->value();
        bar->setValue(before - (x - lastMouseX));
        x -= before - bar->value();
    }
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
            const double run = f - distances.GetPosition(unsigned(i - 1));
            hintFromValue->setText(KeloToQString(stopNames[i - 1]) + '(' +
                                   KeloFormatDecimal(run, 1) + ')');
            hintToValue->setText(KeloToQString(stopNames[i]) + '(' +
                                 KeloFormatDecimal(position - f, 1) + ')');
            return;
        }
    }
}

void TKeloTripDiagramForm::OnChartItemMouseDown(std::uint32_t id, int button) {
    if (button != 0)
        return;
    ZoCanvasClass& canvas = diagram->GetCanvas();
    if (auto kelo = canvas.GetTag(id, TripDiagramClass::KeloIndexTag)) {
        SelectKelo(KeloNumberAt(std::stoi(*kelo)));
    } else if (auto stop = canvas.GetTag(id, TripDiagramClass::StopIndexTag)) {
        State().selectedStop = std::stoi(*stop);
        ApplyStopSelection();
    }
}
