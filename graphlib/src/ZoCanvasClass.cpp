#include "ZoCanvasClass.h"

#include "KeloAssert.h"

#include <algorithm>

std::uint32_t ZoCanvasClass::Append(std::unique_ptr<ZoCanvasItemClass> item) {
    const auto id = static_cast<std::uint32_t>(items.size());
    items.push_back(std::move(item));
    order.push_back(id);
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
}

void ZoCanvasClass::SendToBack(std::uint32_t id) {
    auto it = std::find(order.begin(), order.end(), id);
    if (it == order.end())
        return;
    order.erase(it);
    order.insert(order.begin(), id);
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
}

bool ZoCanvasClass::HitTest(std::int32_t x, std::int32_t y, std::uint32_t& id) const {
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
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
}

void ZoCanvasClass::ReplaceItems(std::uint32_t first, std::uint32_t replacementFirst) {
    KELO_ASSERT(first <= replacementFirst && replacementFirst <= items.size());
    const std::uint32_t count = static_cast<std::uint32_t>(items.size()) - replacementFirst;
    KELO_ASSERT(first + count <= replacementFirst);
    for (std::uint32_t i = 0; i < count; ++i)
        items[first + i] = std::move(items[replacementFirst + i]);
    items.resize(replacementFirst);
    std::erase_if(order, [&](std::uint32_t id) { return id >= replacementFirst; });
}

void ZoCanvasClass::Clear() {
    for (auto& item : items)
        item.reset();
    items.clear();
    order.clear();
}

const ZoCanvasItemClass* ZoCanvasClass::GetItem(std::uint32_t id) const {
    return IsValid(id) ? items[id].get() : nullptr;
}
