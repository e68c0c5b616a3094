#pragma once

#include <QWidget>

class TKeloTripDiagramForm;

/// The paint area of the chart: a white widget of the picture's size inside the scroll area.
/// Paints the retained scene and hands the mouse to the window; it never reads data.
class TripDiagramPaintBox : public QWidget {
    Q_OBJECT
public:
    TripDiagramPaintBox(TKeloTripDiagramForm& form, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TKeloTripDiagramForm& form;
};
