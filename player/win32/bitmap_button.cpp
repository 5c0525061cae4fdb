#include "player/win32/bitmap_button.h"

#include "common/win32/handles.h"

namespace kz8::player {

BitmapButton::BitmapButton()
    : rect_{}, owner_(nullptr), state_(kButtonNormal), action_(nullptr), armed_(FALSE) {}

BitmapButton::~BitmapButton() { ReleaseBitmaps(); }

void BitmapButton::SetBitmaps(HBITMAP normal, HBITMAP hover, HBITMAP pressed, HBITMAP disabled) {
    // A second lay-out must not leak the first set of bitmaps.
    normalBitmap_.reset(normal);
    hoverBitmap_.reset(hover);
    pressedBitmap_.reset(pressed);
    disabledBitmap_.reset(disabled);
}

void BitmapButton::ReleaseBitmaps() {
    for (Bitmap* bitmap : {&normalBitmap_, &hoverBitmap_, &pressedBitmap_, &disabledBitmap_})
        bitmap->reset();
}

HBITMAP BitmapButton::BitmapOfState() const {
    switch (state_) {
        case kButtonNormal: return normalBitmap_.get();
        case kButtonHover: return hoverBitmap_.get();
        case kButtonPressed: return pressedBitmap_.get();
        case kButtonDisabled: return disabledBitmap_ ? disabledBitmap_.get() : normalBitmap_.get();
        default: return nullptr;
    }
}

void BitmapButton::Draw(HDC dc) {
    HBITMAP bitmap = BitmapOfState();
    if (!dc || !bitmap) return;
    CreatedDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    SelectionGuard selected(memory.get(), bitmap);
    BitBlt(dc, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top,
           memory.get(), 0, 0, SRCCOPY);
}

void BitmapButton::SetButtonRect(const RECT& rect) {
    if (!IsRectEmpty(&rect)) rect_ = rect;
}

void BitmapButton::GetButtonRect(RECT* rect) const {
    if (rect) *rect = rect_;
}

int BitmapButton::SetState(int state) {
    int previous = state_;
    state_ = state;
    return previous;
}

bool BitmapButton::IsCursorInside() const {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return false;
    if (owner_ && IsWindow(owner_)) ScreenToClient(owner_, &cursor);
    return PtInRect(&rect_, cursor) != FALSE;
}

int BitmapButton::InvokeAction() { return action_ ? action_() : -1; }

void BitmapButton::Redraw() {
    WindowDc dc(owner_);
    Draw(dc.get());
}

void BitmapButton::OnMouseMove(WPARAM keys) {
    if (state_ == kButtonDisabled) return;
    if (IsCursorInside()) {
        int wanted = (keys & kLeftButtonDown) && armed_ ? kButtonPressed : kButtonHover;
        if (SetState(wanted) != wanted) Redraw();
    } else {
        // Redrawn on every move outside: this is what repaints a button whose
        // state was changed without invalidating (Play and Stop).
        SetState(kButtonNormal);
        Redraw();
    }
}

void BitmapButton::OnButtonDown() {
    if (state_ == kButtonDisabled) return;
    if (IsCursorInside()) {
        armed_ = TRUE;
        if (SetState(kButtonPressed) != kButtonPressed) Redraw();
    } else if (state_ != kButtonNormal) {
        SetState(kButtonNormal);
        Redraw();
    }
}

void BitmapButton::OnButtonUp() {
    if (state_ == kButtonDisabled) return;
    if (IsCursorInside()) {
        int before = SetState(kButtonHover);
        if (armed_) {
            InvokeAction();
            armed_ = FALSE;
        }
        // The action may have changed the state (Play disables itself).
        if (state_ != before) Redraw();
    } else {
        armed_ = FALSE;
        if (state_ != kButtonNormal) {
            SetState(kButtonNormal);
            Redraw();
        }
    }
}

}  // namespace kz8::player
