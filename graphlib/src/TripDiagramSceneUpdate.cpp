// A change of the selected kelo alters only two kelos' pens and the stacking, and an edit of a
// few kelos only their lines; at thousands of kelos, redoing those instead of the whole scene
// keeps a click, an undo or a redo within one frame.

#include "TripDiagramClass.h"

#include <algorithm>

void TripDiagramClass::NoteSceneKelo(std::int32_t keloIndex, std::uint32_t firstItem) {
    if (keloIndex == 0)
        scene.firstItem.clear();
    scene.firstItem.push_back(firstItem);
}

void TripDiagramClass::NoteBackground() {
    BackgroundKeyType key;
    key.state = state;
    const TripDiagramDisplayStateType fresh;
    key.state.selectedKelo = fresh.selectedKelo;
    key.state.showForward = fresh.showForward;
    key.state.showBackward = fresh.showBackward;
    key.state.showInOutMarks = fresh.showInOutMarks;
    key.state.monoColor = fresh.monoColor;
    key.state.keloCommonColor = fresh.keloCommonColor;
    key.state.keloSelectedColor = fresh.keloSelectedColor;
    key.width = host.GetPaintAreaClientWidth();
    key.height = host.GetPaintAreaClientHeight();
    if (background != key)
        ++backgroundStamp;
    background = key;
}

void TripDiagramClass::NoteSceneBuilt() {
    scene.valid = true;
    scene.state = state;
    scene.views = keloViews;
    scene.order = canvas.GetOrder();
}

bool TripDiagramClass::RedoSceneKelo(std::int32_t keloIndex, std::vector<ZoRectType>& dirty) {
    if (keloIndex < 0 || keloIndex + 1 >= static_cast<std::int32_t>(scene.firstItem.size()))
        return true; // not drawn: nothing to redo
    const std::uint32_t first = scene.firstItem[keloIndex];
    const std::uint32_t end = scene.firstItem[keloIndex + 1];
    const std::uint32_t added = canvas.GetItemCount();
    canvas.SetPenWidth(1); // as BuildScene leaves it before each kelo
    if (keloIndex < static_cast<std::int32_t>(keloViews.size()) && keloViews[keloIndex].visible)
        AddKelo(keloIndex, view->GetKeloSet()->GetItem(keloIndex));
    if (canvas.GetItemCount() - added != end - first)
        return false; // the kelo itself changed shape: only a full build will do
    // Where it was drawn and where it will be: a wider pen or a move reaches further.
    for (std::uint32_t id = first; id < canvas.GetItemCount(); ++id)
        if (id < end || id >= added)
            canvas.GetItem(id)->AddCover(dirty);
    canvas.ReplaceItems(first, added);
    return true;
}

void TripDiagramClass::UpdateSelectedKelo() {
    UpdateKelos({});
}

void TripDiagramClass::UpdateKelos(const std::vector<std::int32_t>& changed) {
    const std::int32_t before = scene.state.selectedKelo;
    const std::int32_t now = state.selectedKelo;
    TripDiagramDisplayStateType expected = scene.state;
    expected.selectedKelo = now;
    bool same =
        scene.valid && expected == state && scene.views.size() == keloViews.size() &&
        !scene.firstItem.empty() && canvas.GetItemCount() == scene.firstItem.back() &&
        canvas.GetOrder().size() == scene.order.size() &&
        view->GetKeloSet()->GetCount() + 1 == static_cast<std::int32_t>(scene.firstItem.size());
    // The two kelos' colours may follow the selection; every other view entry must not move.
    for (std::size_t k = 0; same && k < keloViews.size(); ++k) {
        TripDiagramKeloViewType drawn = scene.views[k];
        if (static_cast<std::int32_t>(k) == before || static_cast<std::int32_t>(k) == now)
            drawn.color = keloViews[k].color;
        same = drawn == keloViews[k];
    }
    if (!same) {
        BuildScene();
        return;
    }

    const ZoColorType penColor = canvas.GetPenColor();
    const int penStyle = canvas.GetPenStyle();
    const int penWidth = canvas.GetPenWidth();
    std::vector<ZoRectType> dirty;
    bool redone = RedoSceneKelo(before, dirty) && (now == before || RedoSceneKelo(now, dirty));
    for (std::int32_t k : changed)
        if (redone && k != before && k != now)
            redone = RedoSceneKelo(k, dirty);
    canvas.SetPenColor(penColor);
    canvas.SetPenStyle(penStyle);
    canvas.SetPenWidth(penWidth);
    if (!redone) {
        BuildScene();
        return;
    }
    scene.state = state;
    scene.views = keloViews;

    // The stacking BuildScene leaves: the selected kelo's lines on top, in id order.
    std::vector<std::uint32_t> order = scene.order;
    if (now >= 0 && now + 1 < static_cast<std::int32_t>(scene.firstItem.size())) {
        const std::string tag = std::to_string(now);
        std::vector<std::uint32_t> top;
        for (std::uint32_t id = scene.firstItem[now]; id < scene.firstItem[now + 1]; ++id)
            if (canvas.TagMatches(id, KeloIndexTag, tag))
                top.push_back(id);
        std::erase_if(order, [&](std::uint32_t id) {
            return !top.empty() && id >= top.front() && id <= top.back() &&
                   std::binary_search(top.begin(), top.end(), id);
        });
        order.insert(order.end(), top.begin(), top.end());
    }
    canvas.SetOrder(std::move(order));
    // Only lines were redone: no text needs measuring again on the own surface, and only
    // the redone kelos' places need repainting.
    host.InvalidatePaintRects(dirty);
}
