#pragma once

#include <QFont>
#include <QPixmap>
#include <QRegion>

#include <cstdint>
#include <map>
#include <utility>

class QPainter;
class ZoCanvasClass;

/// Paints parts of a canvas on screen: the static background (the items below the canvas's
/// background mark) comes from pictures of square tiles kept between paints, the items above
/// it are drawn afresh. The tiles are drawn through the same drawing surface as everything
/// else and only keep its output.
class ZoCanvasTileCacheClass {
public:
    static constexpr int TileSize = 256;

    // Paints `region` (canvas coordinates, which are the painter's) of `canvas`, filling it
    // with the background colour first. `stamp` names the background as it is now: another
    // stamp, font or pixel ratio than at the last paint drops the kept tiles. The painter
    // must clip to the region, as a paint event's does.
    void Paint(QPainter& painter, const ZoCanvasClass& canvas, const QRegion& region,
               std::uint64_t stamp);
    void Clear() { tiles.clear(); }
    std::size_t GetTileCount() const { return tiles.size(); }

private:
    struct TileType {
        QPixmap picture;
        std::uint64_t lastUse = 0;
    };
    const QPixmap& Tile(const ZoCanvasClass& canvas, int column, int row);
    void Trim(std::size_t keep);

    std::map<std::pair<int, int>, TileType> tiles;
    std::uint64_t stamp = 0;
    QFont font;
    std::uint64_t clock = 0;
};
