#include "ZoCanvasClass.h"

#include "KeloAssert.h"

#include <algorithm>
#include <limits>

namespace {

// Room around an item's box for what a surface may add (square caps, a thick pen) and for
// the 2-pixel band of a line's hit test.
constexpr std::int64_t IndexMargin = ZoCanvasItemClass::MaxReach;

std::int32_t Saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

ZoRectType Inflated(const ZoRectType& box) {
    return {Saturate(box.left - IndexMargin), Saturate(box.top - IndexMargin),
            Saturate(box.right + IndexMargin), Saturate(box.bottom + IndexMargin)};
}

// An area grown by the margin, so that an item's bare geometry can be tested against it.
ZoRectType Widened(const ZoRectType& area) {
    return Inflated(area);
}

bool Touches(const ZoRectType& a, const ZoRectType& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

std::uint32_t ZoCanvasClass::Append(std::unique_ptr<ZoCanvasItemClass> item) {
    const auto id = static_cast<std::uint32_t>(items.size());
    items.push_back(std::move(item));
    order.push_back(id);
    if (rankValid)
        rank.push_back(static_cast<std::uint32_t>(order.size() - 1));
    return id;
}

std::uint32_t ZoCanvasClass::AddLine(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                     std::int32_t y2) {
    return Append(
        std::make_unique<ZoCanvasItemLineClass>(x1, y1, x2, y2, penColor, penStyle, penWidth));
}

std::uint32_t ZoCanvasClass::AddCircle(std::int32_t x, std::int32_t y, std::int32_t radius) {
    return Append(
        std::make_unique<ZoCanvasItemCircleClass>(x, y, radius, penColor, penStyle, penWidth));
}

std::uint32_t ZoCanvasClass::AddText(std::int32_t x, std::int32_t y, const std::string& text) {
    return Append(std::make_unique<ZoCanvasItemTextClass>(x, y, textAlignment, text));
}

void ZoCanvasClass::SetTag(std::uint32_t id, const std::string& name,
                           const std::optional<std::string>& value) {
    if (!IsValid(id))
        return;
    items[id]->AddTag(name, value.value_or(std::string()));
}

bool ZoCanvasClass::HasTag(std::uint32_t id, const std::string& name) const {
    return IsValid(id) && items[id]->FindTag(name) != nullptr;
}

std::optional<std::string> ZoCanvasClass::GetTag(std::uint32_t id, const std::string& name) const {
    if (!IsValid(id))
        return std::nullopt;
    const ZoCanvasItemTagType* tag = items[id]->FindTag(name);
    if (tag == nullptr)
        return std::nullopt;
    return tag->value;
}

bool ZoCanvasClass::TagMatches(std::uint32_t id, const std::string& name,
                               const std::optional<std::string>& value) const {
    if (!IsValid(id))
        return false;
    const ZoCanvasItemTagType* tag = items[id]->FindTag(name);
    if (tag == nullptr)
        return false;
    return !value.has_value() || tag->value == *value;
}

void ZoCanvasClass::BringToFront(std::uint32_t id) {
    auto it = std::find(order.begin(), order.end(), id);
    if (it == order.end())
        return;
    order.erase(it);
    order.push_back(id);
    OrderChanged();
}

void ZoCanvasClass::SendToBack(std::uint32_t id) {
    auto it = std::find(order.begin(), order.end(), id);
    if (it == order.end())
        return;
    order.erase(it);
    order.insert(order.begin(), id);
    OrderChanged();
}

void ZoCanvasClass::BringTaggedToFront(const std::string& name,
                                       const std::optional<std::string>& value) {
    // Collect first, then move in one pass: the matches end on top in ascending id order,
    // exactly as one BringToFront per match would leave them, without a search per match.
    std::vector<std::uint32_t> rest;
    std::vector<std::uint32_t> matched;
    rest.reserve(order.size());
    for (std::uint32_t id : order)
        (TagMatches(id, name, value) ? matched : rest).push_back(id);
    if (matched.empty())
        return;
    std::sort(matched.begin(), matched.end());
    rest.insert(rest.end(), matched.begin(), matched.end());
    order = std::move(rest);
    OrderChanged();
}

bool ZoCanvasClass::HitTest(std::int32_t x, std::int32_t y, std::uint32_t& id) const {
    // Only items near the point can be hit; of those the topmost wins, as over all items.
    const std::vector<std::uint32_t> near = ItemsNear({ZoRectType{x, y, x + 1, y + 1}});
    for (auto it = near.rbegin(); it != near.rend(); ++it) {
        if (items[*it]->HitTest(x, y)) {
            id = *it;
            return true;
        }
    }
    return false;
}

void ZoCanvasClass::MouseDown(int button, std::int32_t x, std::int32_t y) {
    std::uint32_t id = 0;
    if (HitTest(x, y, id) && eventHandler != nullptr)
        eventHandler->OnItemMouseDown(id, button, x, y);
}

void ZoCanvasClass::Paint() {
    if (surface == nullptr)
        return;
    const ZoRectType area = surface->GetClipRect();
    surface->SetPenColor(backgroundColor);
    surface->SetPenStyle(ZoPenSolid);
    surface->SetBrushColor(backgroundColor);
    surface->Rectangle(area);
    for (std::uint32_t id : order)
        items[id]->Draw(*surface);
}

void ZoCanvasClass::PaintTo(ZoDrawingSurfaceClass& target) const {
    const ZoRectType area = target.GetClipRect();
    target.SetPenColor(backgroundColor);
    target.SetPenStyle(ZoPenSolid);
    target.SetBrushColor(backgroundColor);
    target.Rectangle(area);
    for (std::uint32_t id : order)
        items[id]->DrawCopy(target);
}

void ZoCanvasClass::PaintAreasTo(ZoDrawingSurfaceClass& target,
                                 const std::vector<ZoRectType>& areas,
                                 ZoCanvasLayerType layer) const {
    for (std::uint32_t id : ItemsNear(areas, layer, ZoCanvasNearType::Painting))
        items[id]->DrawCopy(target);
}

bool ZoCanvasClass::InLayer(std::uint32_t id, ZoCanvasLayerType layer) const {
    switch (layer) {
    case ZoCanvasLayerType::Background:
        return id < backgroundCount;
    case ZoCanvasLayerType::Foreground:
        return id >= backgroundCount;
    default:
        return true;
    }
}

void ZoCanvasClass::IndexItem(std::uint32_t id) const {
    if (anywhere.size() <= id) {
        anywhere.resize(std::size_t(id) + 1, 0);
        boxes.resize(std::size_t(id) + 1);
    }
    // A text's extent depends on the surface's font: it is offered to every query.
    anywhere[id] = dynamic_cast<const ZoCanvasItemTextClass*>(items[id].get()) != nullptr;
    boxes[id] = Inflated(items[id]->Bounds());
    if (anywhere[id])
        index.InsertEverywhere(id);
    else
        index.Insert(id, boxes[id]);
}

void ZoCanvasClass::UpdateIndex() const {
    for (auto id = indexedCount; id < items.size(); ++id)
        IndexItem(id);
    indexedCount = static_cast<std::uint32_t>(items.size());
}

std::vector<std::uint32_t> ZoCanvasClass::ItemsNear(const std::vector<ZoRectType>& areas,
                                                    ZoCanvasLayerType layer,
                                                    ZoCanvasNearType near) const {
    UpdateIndex();
    if (seen.size() < items.size())
        seen.resize(items.size(), 0);
    if (++queryStamp == 0) {
        std::fill(seen.begin(), seen.end(), 0);
        queryStamp = 1;
    }
    std::vector<std::uint32_t> found;
    // A few large areas that would walk through most items are cheaper to test item by item;
    // many small ones (the pieces of a region) are not.
    std::size_t estimate = 0;
    for (const ZoRectType& area : areas)
        estimate += index.Estimate(area);
    if (areas.size() <= 4 && estimate * 2 > items.size()) {
        for (std::uint32_t id : order) {
            if (!InLayer(id, layer))
                continue;
            if (anywhere[id]) {
                found.push_back(id);
                continue;
            }
            if (std::any_of(areas.begin(), areas.end(),
                            [&](const ZoRectType& a) { return Touches(boxes[id], a); }))
                found.push_back(id);
        }
        return found;
    }
    std::vector<std::uint32_t> candidates;
    for (const ZoRectType& area : areas) {
        candidates.clear();
        index.Query(area, candidates);
        for (std::uint32_t id : candidates) {
            if (seen[id] == queryStamp || !InLayer(id, layer))
                continue;
            if (!anywhere[id] &&
                (!Touches(boxes[id], area) ||
                 !(near == ZoCanvasNearType::Painting ? items[id]->MayPaint(area)
                                                      : items[id]->Crosses(Widened(area)))))
                continue;
            seen[id] = queryStamp;
            found.push_back(id);
        }
    }
    // Many items: one walk along the stacking order is cheaper than sorting them.
    if (found.size() * 16 > order.size()) {
        found.clear();
        for (std::uint32_t id : order)
            if (seen[id] == queryStamp)
                found.push_back(id);
        return found;
    }
    if (!rankValid) {
        rank.assign(items.size(), 0);
        for (std::size_t i = 0; i < order.size(); ++i)
            rank[order[i]] = static_cast<std::uint32_t>(i);
        rankValid = true;
    }
    std::sort(found.begin(), found.end(),
              [&](std::uint32_t a, std::uint32_t b) { return rank[a] < rank[b]; });
    return found;
}

void ZoCanvasClass::MarkBackground() {
    backgroundCount = static_cast<std::uint32_t>(items.size());
    OrderChanged();
}

void ZoCanvasClass::OrderChanged() {
    rankValid = false;
    // The background must still fill the bottom of the stacking order.
    if (backgroundCount > order.size()) {
        backgroundCount = 0;
        return;
    }
    for (std::uint32_t i = 0; i < backgroundCount; ++i) {
        if (order[i] >= backgroundCount) {
            backgroundCount = 0;
            return;
        }
    }
}

ZoRectType ZoCanvasClass::GetItemsBounds() const {
    ZoRectType bounds;
    bool any = false;
    for (const auto& item : items) {
        if (!item)
            continue;
        const ZoRectType box = item->Bounds();
        if (!any) {
            bounds = box;
            any = true;
            continue;
        }
        bounds.left = std::min(bounds.left, box.left);
        bounds.top = std::min(bounds.top, box.top);
        bounds.right = std::max(bounds.right, box.right);
        bounds.bottom = std::max(bounds.bottom, box.bottom);
    }
    return bounds;
}

void ZoCanvasClass::SetOrder(std::vector<std::uint32_t> value) {
    KELO_ASSERT(value.size() == order.size());
    order = std::move(value);
    OrderChanged();
}

void ZoCanvasClass::ReplaceItems(std::uint32_t first, std::uint32_t replacementFirst) {
    KELO_ASSERT(first <= replacementFirst && replacementFirst <= items.size());
    const std::uint32_t count = static_cast<std::uint32_t>(items.size()) - replacementFirst;
    KELO_ASSERT(first + count <= replacementFirst);
    for (std::uint32_t i = 0; i < count; ++i)
        items[first + i] = std::move(items[replacementFirst + i]);
    items.resize(replacementFirst);
    // The replacements were added last and so sit at the top of the stacking order; a walk
    // of the whole order is needed only when something restacked them meanwhile.
    std::size_t kept = order.size();
    while (kept > 0 && order[kept - 1] >= replacementFirst)
        --kept;
    if (order.size() - kept == count)
        order.resize(kept);
    else
        std::erase_if(order, [&](std::uint32_t id) { return id >= replacementFirst; });
    // The moved items take their slots' places in the index; the slots they left go.
    for (std::uint32_t id = first; id < first + count && id < indexedCount; ++id)
        IndexItem(id);
    for (std::uint32_t id = replacementFirst; id < indexedCount; ++id)
        index.Remove(id);
    indexedCount = std::min(indexedCount, replacementFirst);
    if (backgroundCount > replacementFirst)
        backgroundCount = 0;
    OrderChanged();
}

void ZoCanvasClass::Clear() {
    for (auto& item : items)
        item.reset();
    items.clear();
    order.clear();
    backgroundCount = 0;
    index.Clear();
    indexedCount = 0;
    rank.clear();
    rankValid = false;
    anywhere.clear();
    boxes.clear();
    seen.clear();
}

const ZoCanvasItemClass* ZoCanvasClass::GetItem(std::uint32_t id) const {
    return IsValid(id) ? items[id].get() : nullptr;
}
