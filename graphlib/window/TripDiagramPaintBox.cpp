#include "TripDiagramPaintBox.h"

#include "TKeloTripDiagramForm.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TripDiagramPaintBox::TripDiagramPaintBox(TKeloTripDiagramForm& form, QWidget* parent)
    : QWidget(parent), form(form) {
    setObjectName("ChartPaintBox");
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The chart takes keys of its own (nudging a kelo, putting a dragged one back).
    setFocusPolicy(Qt::StrongFocus);
}

void TripDiagramPaintBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    form.ChartPaintBoxPaint(painter, event->region());
}

void TripDiagramPaintBox::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    form.ChartPaintBoxMouseDown(event->button(), p.x(), p.y(), event->modifiers());
}

void TripDiagramPaintBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    form.ChartPaintBoxMouseMove(p.x(), p.y());
}

void TripDiagramPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    form.ChartPaintBoxMouseUp(event->button(), p.x(), p.y());
}

void TripDiagramPaintBox::contextMenuEvent(QContextMenuEvent* event) {
    if (form.TakeDragCancelClick())
        return;
    form.ChartPopupMenu()->popup(event->globalPos());
}

void TripDiagramPaintBox::keyPressEvent(QKeyEvent* event) {
    if (!form.ChartPaintBoxKeyPress(event->key(), event->modifiers()))
        QWidget::keyPressEvent(event);
}
