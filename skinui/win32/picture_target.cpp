#include "skinui/win32/picture_target.h"

#include "common/win32/dc_state.h"
#include "common/win32/dib_drawing.h"
#include "common/win32/handles.h"

namespace kz8::skinui {

void DcPictures::draw(const Dib& picture, int x, int y, const CanvasClip& clip) {
    if (!clip.keepInside && !clip.leaveOut) {
        drawDibBytes(dc_, picture, x, y);
        return;
    }
    // The clip region must not outlive this picture.
    DcStateGuard restored(dc_);
    const Rect keep = clip.keepInside.value_or(
        Rect{x, y, x + int(picture.view().width()), y + int(picture.view().height())});
    Region area(CreateRectRgn(keep.left, keep.top, keep.right, keep.bottom));
    if (clip.leaveOut) {
        const Rect& c = *clip.leaveOut;
        Region cut(CreateRectRgn(c.left, c.top, c.right, c.bottom));
        CombineRgn(area.get(), area.get(), cut.get(), RGN_DIFF);
    }
    SelectClipRgn(dc_, area.get());
    drawDibBytes(dc_, picture, x, y);
}

}  // namespace kz8::skinui
