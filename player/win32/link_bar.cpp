#include "player/win32/link_bar.h"

#include "player/win32/button_bar.h"
#include "player/win32/player_resources.h"

namespace kz8::player {

LinkBar::LinkBar() : stripRect_{} {}

LinkBar::~LinkBar() = default;

void LinkBar::LayOut(HWND window, HINSTANCE resources, ButtonAction linkAction) {
    stripBitmap_.reset(LoadBitmapA(resources, MAKEINTRESOURCEA(IDB_LINK_STRIP)));
    HBITMAP normal = LoadBitmapA(resources, MAKEINTRESOURCEA(IDB_LINK_NORMAL));
    // The pressed look is the hover picture, loaded twice so that each
    // handle has one owner slot and is deleted once.
    HBITMAP hover = LoadBitmapA(resources, MAKEINTRESOURCEA(IDB_LINK_HOVER));
    HBITMAP pressed = LoadBitmapA(resources, MAKEINTRESOURCEA(IDB_LINK_HOVER));
    linkButton_.SetBitmaps(normal, hover, pressed, nullptr);
    linkCursor_ = LoadCursorA(resources, MAKEINTRESOURCEA(IDC_LINK_CURSOR));

    SIZE strip = BitmapSize(stripBitmap_.get());
    LinkBarLayout layout =
        layOutLinkBar(CardRectOf(window), strip.cx, strip.cy, BitmapSize(normal).cx);
    stripRect_ = toRECT(layout.strip);
    linkButton_.SetButtonRect(toRECT(layout.link));
    linkButton_.SetOwner(window);
    linkButton_.SetAction(linkAction);
    owner_ = window;
}

void LinkBar::Paint(HDC dc) {
    CopyBitmapTo(dc, stripBitmap_.get(), stripRect_);
    linkButton_.Draw(dc);
}

void LinkBar::ShowCursorForPosition(bool overLink) {
    SetCursor(overLink && linkCursor_ ? linkCursor_ : LoadCursorA(nullptr, IDC_ARROW));
}

void LinkBar::OnMouseMove(WPARAM keys, LPARAM) {
    bool overLink = linkButton_.IsCursorInside();
    // Runs after the button bar: releasing here ends a capture the bar took
    // in this same message whenever the mouse is not on the link.
    if (overLink)
        SetCapture(owner_);
    else
        ReleaseCapture();
    ShowCursorForPosition(overLink);
    linkButton_.OnMouseMove(keys);
}

void LinkBar::OnButtonDown(WPARAM, LPARAM) {
    ShowCursorForPosition(linkButton_.IsCursorInside());
    linkButton_.OnButtonDown();
}

void LinkBar::OnButtonUp(WPARAM, LPARAM) {
    ShowCursorForPosition(linkButton_.IsCursorInside());
    linkButton_.OnButtonUp();
}

}  // namespace kz8::player
