#include "skinui/win32/scroll_bar_behaviour.h"

#include "skinui/portable/scroll_rules.h"
#include "skinui/win32/button_behaviour.h"
#include "skinui/win32/control_names.h"
#include "skinui/win32/list_box_behaviour.h"
#include "skinui/win32/owner_messages.h"
#include "skinui/win32/popup_list.h"

namespace kz8::skinui {

namespace {

constexpr int32_t kThumbInvalid = 0, kThumbNormal = 1, kThumbDragged = 2;

ScrollGeometry geometryOf(const ScrollBar& bar) {
    return ScrollGeometry{bar.scrollRect, bar.vertical != 0, bar.minimum, bar.maximum};
}

void placeThumb(ScrollBar& bar) {
    if (!bar.thumb) return;
    const Rect& size = bar.thumb->thumbRect;
    bar.thumb->thumbRect = thumbRectAt(geometryOf(bar), bar.position, size.width(), size.height());
}

RECT areaOf(const ScrollBar& bar) {
    RECT area{bar.scrollRect.left, bar.scrollRect.top, bar.scrollRect.right, bar.scrollRect.bottom};
    if (bar.thumb) {
        const Rect& t = bar.thumb->thumbRect;
        const RECT thumb{t.left, t.top, t.right, t.bottom};
        UnionRect(&area, &area, &thumb);
    }
    return area;
}

// The thumb may stand out of the track and leaves its old place behind, so
// the template repaints what the bar covered and covers now.
void redrawScrollBar(const TemplateWindow& window, const ScrollBar& bar, const RECT& before) {
    if (!window.window) return;
    if (PopupList* popup = window.openPopupDrawing(bar)) {
        popup->redraw();
        return;
    }
    RECT area = areaOf(bar);
    UnionRect(&area, &area, &before);
    InvalidateRect(window.window, &area, FALSE);
    UpdateWindow(window.window);
}

void announceChange(TemplateWindow& window, const ScrollBar& bar) {
    window.notifyOwner(kScrollChangedMessage, reinterpret_cast<WPARAM>(bar.name.c_str()),
                       bar.position);
}

}  // namespace

void drawScrollBar(PictureTarget& target, const ScrollBar& bar) {
    if (bar.hidden) return;
    const auto& track = bar.state == 0 && bar.invalidImage ? bar.invalidImage : bar.regImage;
    if (track) target.draw(*track, bar.scrollRect.left, bar.scrollRect.top);
    if (!bar.thumb) return;
    const SlideCube& thumb = *bar.thumb;
    const std::optional<Dib>* picture = &thumb.regImage;
    if (thumb.state == kThumbInvalid && thumb.invalidImage) picture = &thumb.invalidImage;
    if (thumb.state == kThumbDragged && thumb.downImage) picture = &thumb.downImage;
    if (*picture) target.draw(**picture, thumb.thumbRect.left, thumb.thumbRect.top);
}

void resetScrollBar(TemplateWindow& window, ScrollBar& bar) {
    bar.position = bar.minimum;
    placeThumb(bar);
    announceChange(window, bar);
}

void setScrollPosition(TemplateWindow& window, ScrollBar& bar, int32_t position, bool announce,
                       bool refresh) {
    if (position < bar.minimum || position > bar.maximum) return;
    const RECT before = areaOf(bar);
    bar.position = position;
    placeThumb(bar);
    if (!refresh) return;
    redrawScrollBar(window, bar, before);
    if (bar.subControl) followScrollBar(window, bar);
    if (announce && !bar.subControl)
        window.notifyOwner(kScrollSetMessage, reinterpret_cast<WPARAM>(bar.name.c_str()), position);
}

void setScrollRange(TemplateWindow& window, ScrollBar& bar, int32_t minimum, int32_t maximum) {
    const auto change = changeRange(bar.position, minimum, maximum);
    if (!change) return;
    bar.minimum = minimum;
    bar.maximum = maximum;
    if (!change->positionMoved) {
        placeThumb(bar);
        return;
    }
    setScrollPosition(window, bar, change->position, false, true);
    if (!window.closed()) announceChange(window, bar);
}

void pressScrollBar(TemplateWindow& window, ScrollBar& bar, Point pointer) {
    if (bar.state == 0 || bar.hidden) return;
    if (bar.thumb && contains(bar.thumb->thumbRect, pointer)) {
        const RECT before = areaOf(bar);
        bar.thumb->state = kThumbDragged;
        SetCapture(window.window);
        window.thumbCapture = true;
        redrawScrollBar(window, bar, before);
        return;
    }
    if (!contains(bar.scrollRect, pointer) || bar.minimum == bar.maximum) return;
    setScrollPosition(window, bar, positionAtPoint(geometryOf(bar), pointer), true, true);
    if (!window.closed()) announceChange(window, bar);
}

void moveOverScrollBar(TemplateWindow& window, ScrollBar& bar, Point pointer) {
    if (!bar.thumb || bar.thumb->state != kThumbDragged) return;
    if (!insideDragArea(geometryOf(bar), pointer)) return;
    setScrollPosition(window, bar, positionAtPoint(geometryOf(bar), pointer), true, true);
}

void releaseScrollBar(TemplateWindow& window, ScrollBar& bar) {
    const RECT before = areaOf(bar);
    if (bar.thumb && bar.thumb->state == kThumbDragged) {
        bar.thumb->state = kThumbNormal;
        window.thumbCapture = false;
        ReleaseCapture();
        announceChange(window, bar);
        if (window.closed()) return;
    }
    redrawScrollBar(window, bar, before);
}

void showScrollBar(TemplateWindow& window, ScrollBar& bar, bool show) {
    bar.hidden = show ? 0 : 1;
    const RECT area = areaOf(bar);
    InvalidateRect(window.window, &area, FALSE);
    for (auto& each : window.record().buttons)
        if (sameControlName(each->name, bar.addButton) ||
            sameControlName(each->name, bar.minusButton))
            showButton(window, *each, show);
}

bool stepScrollBarOf(TemplateWindow& window, const Button& button) {
    for (auto& each : window.record().scrollBars) {
        ScrollBar& bar = *each;
        int32_t step = 0;
        if (sameControlName(bar.addButton, button.name)) step = +1;
        if (sameControlName(bar.minusButton, button.name)) step = -1;
        if (!step) continue;
        setScrollPosition(window, bar, steppedPosition(geometryOf(bar), bar.position, step), true,
                          true);
        if (!window.closed()) announceChange(window, bar);
        return true;
    }
    return false;
}

}  // namespace kz8::skinui
