#include "ZoCanvasTileCacheClass.h"

#include "ZoCanvasClass.h"
#include "ZoQtDrawingSurfaceClass.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace {

// Tiles kept at least, and at most this many times those one paint needed: enough for a
// maximised window scrolled back and forth, bounded at any zoom.
constexpr std::size_t MinTiles = 64;
constexpr std::size_t TilesPerPaint = 3;

int TileOf(int coordinate) {
    const int size = ZoCanvasTileCacheClass::TileSize;
    return coordinate >= 0 ? coordinate / size : (coordinate - size + 1) / size;
}

ZoRectType ToZoRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

} // namespace

const QPixmap& ZoCanvasTileCacheClass::Tile(const ZoCanvasClass& canvas, int column, int row) {
    TileType& tile = tiles[{column, row}];
    tile.lastUse = ++clock;
    if (!tile.picture.isNull())
        return tile.picture;
    const QRect area(column * TileSize, row * TileSize, TileSize, TileSize);
    tile.picture = QPixmap(TileSize, TileSize);
    tile.picture.fill(ZoColorToQColor(canvas.GetBackgroundColor()));
    QPainter painter(&tile.picture);
    painter.setFont(font);
    painter.translate(-area.topLeft());
    ZoQtDrawingSurfaceClass surface(painter, area);
    canvas.PaintAreasTo(surface, {ToZoRect(area)}, ZoCanvasLayerType::Background);
    return tile.picture;
}

void ZoCanvasTileCacheClass::Trim(std::size_t keep) {
    if (tiles.size() <= keep)
        return;
    std::vector<std::uint64_t> uses;
    uses.reserve(tiles.size());
    for (const auto& [key, tile] : tiles)
        uses.push_back(tile.lastUse);
    auto cut = uses.begin() + std::ptrdiff_t(uses.size() - keep);
    std::nth_element(uses.begin(), cut, uses.end());
    const std::uint64_t oldestKept = *cut;
    std::erase_if(tiles, [&](const auto& entry) { return entry.second.lastUse < oldestKept; });
}

void ZoCanvasTileCacheClass::Paint(QPainter& painter, const ZoCanvasClass& canvas,
                                   const QRegion& region, std::uint64_t newStamp) {
    if (region.isEmpty())
        return;
    if (newStamp != stamp || painter.font() != font) {
        tiles.clear();
        stamp = newStamp;
        font = painter.font();
    }
    std::vector<ZoRectType> areas;
    for (const QRect& r : region)
        areas.push_back(ToZoRect(r));
    ZoQtDrawingSurfaceClass surface(painter, region.boundingRect());

    // A kept picture matches the device pixel for pixel only at a ratio of 1; elsewhere, and
    // for a canvas without a background, everything is drawn.
    if (canvas.GetBackgroundCount() == 0 || painter.device()->devicePixelRatio() != 1) {
        const QColor background = ZoColorToQColor(canvas.GetBackgroundColor());
        for (const QRect& r : region)
            painter.fillRect(r, background);
        canvas.PaintAreasTo(surface, areas, ZoCanvasLayerType::All);
        return;
    }

    std::size_t used = 0;
    for (const QRect& r : region) {
        for (int row = TileOf(r.top()); row <= TileOf(r.bottom()); ++row) {
            for (int column = TileOf(r.left()); column <= TileOf(r.right()); ++column) {
                const QRect tileArea(column * TileSize, row * TileSize, TileSize, TileSize);
                const QRect part = r & tileArea;
                painter.drawPixmap(part, Tile(canvas, column, row),
                                   part.translated(-tileArea.topLeft()));
                ++used;
            }
        }
    }
    canvas.PaintAreasTo(surface, areas, ZoCanvasLayerType::Foreground);
    Trim(std::max(MinTiles, TilesPerPaint * used));
}
