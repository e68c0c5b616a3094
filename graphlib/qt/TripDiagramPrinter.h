#pragma once

#include <QFont>
#include <QRect>

#include <optional>

class QPrinter;
class QWidget;
class ZoCanvasClass;

// The printer module of the diagram: one landscape page per call, a margin of 10 device
// pixels and a dotted frame along the picture. It knows canvases and widgets, not kelos.
// The page size is read after switching to landscape, so the picture follows the page.

// Copies the pixels of `sourceRect` of the widget (by default the part of it visible on
// screen) onto the page, stretched into the whole area inside the margin. Returns the
// rectangle copied, empty when the printer could not start a document.
QRect PrintCanvasArea(QPrinter& printer, QWidget& source,
                      std::optional<QRect> sourceRect = std::nullopt);

// Draws `area` of the canvas onto the page as vectors through the drawing surface, scaled
// to fit inside the margin with its aspect ratio kept and centred. False when the printer
// could not start a document.
bool PrintCanvasItems(QPrinter& printer, const ZoCanvasClass& canvas, const QRect& area,
                      const QFont& font);
