#pragma once

#include "ZoCanvasIndexClass.h"
#include "ZoCanvasItemClass.h"
#include "ZoDrawingSurfaceClass.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

/// Receives presses on canvas items. Button codes: 0 left, 1 middle, 2 right.
class ZoCanvasEventHandlerClass {
public:
    virtual ~ZoCanvasEventHandlerClass() = default;
    virtual void OnItemMouseDown(std::uint32_t /*id*/, int /*button*/, std::int32_t /*x*/,
                                 std::int32_t /*y*/) {}
    // Kept for handlers that want a second notification; the canvas never raises it.
    virtual void OnItemNotify() {}
};

/// The items a partial paint draws: the static background, everything above it, or both.
enum class ZoCanvasLayerType { All, Background, Foreground };

// What a look-up by place is for: a hit test wants every item within reach of the pointer, a
// repaint only the items whose pixels may fall in the area.
enum class ZoCanvasNearType { Reach, Painting };

/// Retained vector canvas: a list of line, circle and text items with integer pixel
/// coordinates and string tags, painted in stacking order onto a drawing surface. An item's
/// id is its creation position; ids restart at 0 after Clear.
class ZoCanvasClass {
public:
    ZoCanvasClass() = default;
    ~ZoCanvasClass() { Clear(); }
    ZoCanvasClass(const ZoCanvasClass&) = delete;
    ZoCanvasClass& operator=(const ZoCanvasClass&) = delete;

    void SetSurface(ZoDrawingSurfaceClass* value) { surface = value; }
    ZoDrawingSurfaceClass* GetSurface() const { return surface; }
    void SetEventHandler(ZoCanvasEventHandlerClass* value) { eventHandler = value; }
    ZoCanvasEventHandlerClass* GetEventHandler() const { return eventHandler; }

    void SetBackgroundColor(ZoColorType color) { backgroundColor = color; }
    ZoColorType GetBackgroundColor() const { return backgroundColor; }
    // Attributes of items created afterwards.
    void SetPenColor(ZoColorType color) { penColor = color; }
    void SetPenStyle(int style) { penStyle = style; }
    void SetPenWidth(int width) { penWidth = width == 0 ? 1 : width; }
    void SetTextAlignment(int alignment) { textAlignment = alignment; }
    ZoColorType GetPenColor() const { return penColor; }
    int GetPenStyle() const { return penStyle; }
    int GetPenWidth() const { return penWidth; }
    int GetTextAlignment() const { return textAlignment; }

    std::uint32_t AddLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    std::uint32_t AddCircle(std::int32_t x, std::int32_t y, std::int32_t radius);
    std::uint32_t AddText(std::int32_t x, std::int32_t y, const std::string& text);

    void SetTag(std::uint32_t id, const std::string& name,
                const std::optional<std::string>& value = std::nullopt);
    bool HasTag(std::uint32_t id, const std::string& name) const;
    std::optional<std::string> GetTag(std::uint32_t id, const std::string& name) const;
    // The item's first tag of that name exists and, when a value is given, equals it.
    bool TagMatches(std::uint32_t id, const std::string& name,
                    const std::optional<std::string>& value = std::nullopt) const;

    void BringToFront(std::uint32_t id);
    void SendToBack(std::uint32_t id);
    void BringTaggedToFront(const std::string& name,
                            const std::optional<std::string>& value = std::nullopt);

    // Topmost item under the point; `id` is untouched when nothing is hit.
    bool HitTest(std::int32_t x, std::int32_t y, std::uint32_t& id) const;
    // Hit test, then the handler's OnItemMouseDown for the item found.
    void MouseDown(int button, std::int32_t x, std::int32_t y);
    // Fills the surface's clipping area with the background and draws every item.
    void Paint();
    // The same onto another surface (paint event, printer, file); the items keep what they
    // measured on the own surface, so hit tests answer as before.
    void PaintTo(ZoDrawingSurfaceClass& target) const;
    // Draws, in stacking order, the items of `layer` that may touch one of `areas`, each once;
    // the target is neither filled nor clipped, so its device must clip to the areas.
    void PaintAreasTo(ZoDrawingSurfaceClass& target, const std::vector<ZoRectType>& areas,
                      ZoCanvasLayerType layer = ZoCanvasLayerType::All) const;
    // The ids of the items that may touch one of `areas`, in stacking order, bottom first.
    std::vector<std::uint32_t> ItemsNear(const std::vector<ZoRectType>& areas,
                                         ZoCanvasLayerType layer = ZoCanvasLayerType::All,
                                         ZoCanvasNearType near = ZoCanvasNearType::Reach) const;
    // The items added so far form the static background: they stay below every later item,
    // so a window may keep their picture. Moving one of them above a later item, or a later
    // one below them, ends the background (GetBackgroundCount becomes 0). Clear ends it too.
    void MarkBackground();
    std::uint32_t GetBackgroundCount() const { return backgroundCount; }
    // The smallest rectangle holding every item as last painted; empty without items.
    ZoRectType GetItemsBounds() const;
    void Clear();

    std::uint32_t GetItemCount() const { return static_cast<std::uint32_t>(items.size()); }
    // The item with that id, or null; for readers that inspect the scene.
    const ZoCanvasItemClass* GetItem(std::uint32_t id) const;
    // Stacking order, bottom first.
    const std::vector<std::uint32_t>& GetOrder() const { return order; }
    // Replaces the stacking order by another arrangement of the same ids.
    void SetOrder(std::vector<std::uint32_t> value);
    // Moves the items from `replacementFirst` to the last one into the slots from `first`
    // on, keeping those slots' ids and stacking places: the way to restyle a group of items
    // by adding them again. The moved items' own ids are given up.
    void ReplaceItems(std::uint32_t first, std::uint32_t replacementFirst);

private:
    std::uint32_t Append(std::unique_ptr<ZoCanvasItemClass> item);
    bool IsValid(std::uint32_t id) const { return id < items.size() && items[id] != nullptr; }
    void OrderChanged();
    void IndexItem(std::uint32_t id) const;
    void UpdateIndex() const;
    bool InLayer(std::uint32_t id, ZoCanvasLayerType layer) const;

    ZoColorType backgroundColor = 0xFFFFFF;
    ZoColorType penColor = 0;
    int penStyle = ZoPenSolid;
    int penWidth = 1;
    int textAlignment = 0;
    std::vector<std::unique_ptr<ZoCanvasItemClass>> items;
    std::vector<std::uint32_t> order;
    ZoDrawingSurfaceClass* surface = nullptr;
    ZoCanvasEventHandlerClass* eventHandler = nullptr;
    std::uint32_t backgroundCount = 0;
    // Kept up to date on first use after a change: the index holds the ids below
    // `indexedCount`, and `rank` is the place of each id in `order` while `rankValid`.
    mutable ZoCanvasIndexClass index;
    mutable std::uint32_t indexedCount = 0;
    mutable std::vector<std::uint32_t> rank;
    mutable bool rankValid = false;
    mutable std::vector<std::uint8_t> anywhere; // per id: a text, offered to every query
    mutable std::vector<ZoRectType> boxes;      // per id: the box the index holds
    mutable std::vector<std::uint32_t> seen;    // per id: the query that last took it
    mutable std::uint32_t queryStamp = 0;
};
