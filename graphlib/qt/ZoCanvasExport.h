#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;
class ZoCanvasClass;

/// File formats a canvas picture can be written in, chosen by the file's extension.
enum class ZoImageFormatType { Unknown, Pdf, Svg, Png };

// The longest side of a PNG picture: image viewers and decoders refuse or choke on more.
constexpr int ZoMaxPngSide = 16384;

// The factor a picture of `size` pixels is drawn at into a PNG: 1, or less so that its
// longer side is ZoMaxPngSide.
double ZoPngScaleOf(const QSize& size);

// The format of a file name by its extension (".pdf", ".svg", ".png", any case).
ZoImageFormatType ZoImageFormatOfFile(const QString& fileName);

// The font with its size fixed in pixels: drawn under a scaled painter on a device of any
// resolution (printer, PDF), texts then keep their size relative to the lines around them.
QFont ZoFontInPixels(const QFont& font);

// Draws `area` of the canvas (canvas coordinates) through the drawing surface with the
// painter's origin at the area's top-left corner; the painter's transform scales it.
void ZoPaintCanvasArea(QPainter& painter, const ZoCanvasClass& canvas, const QRect& area,
                       const QFont& font);

// Writes `area` of the canvas into `fileName`: PDF (one page of the picture's size) and SVG
// as vectors with their texts kept as text, PNG at one image pixel per canvas pixel, scaled
// down by ZoPngScaleOf when larger, its texts kept at their size on the screen. The
// file is written whole or not at all. Returns an empty string on success, else the reason.
QString ZoExportCanvas(const ZoCanvasClass& canvas, const QRect& area, const QFont& font,
                       const QString& fileName);
