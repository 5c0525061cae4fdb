#include "player/win32/button_bar.h"

#include "common/win32/dib_drawing.h"
#include "common/win32/handles.h"
#include "player/win32/card_window_rect.h"
#include "player/win32/player_resources.h"

namespace kz8::player {
namespace {

struct ButtonBitmaps {
    int normal, hover, pressed, disabled;  // 0: none
};
constexpr std::array<ButtonBitmaps, kBarButtonCount> kBarBitmaps{{
    {IDB_PLAY_NORMAL, IDB_PLAY_HOVER, IDB_PLAY_PRESSED, IDB_PLAY_DISABLED},
    {IDB_STOP_NORMAL, IDB_STOP_HOVER, IDB_STOP_PRESSED, IDB_STOP_DISABLED},
    {IDB_TURN_NORMAL, IDB_TURN_HOVER, IDB_TURN_PRESSED, 0},
    {IDB_PRINT_NORMAL, IDB_PRINT_HOVER, IDB_PRINT_PRESSED, 0},
    {IDB_CLOSE_NORMAL, IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED, 0},
}};

HBITMAP load(HINSTANCE resources, int id) {
    return id ? LoadBitmapA(resources, MAKEINTRESOURCEA(id)) : nullptr;
}

}  // namespace

CardRect CardRectOf(HWND window) {
    RECT card{};
    GetCardRect(window, &card);
    CardRect result;
    result.left = card.left, result.top = card.top, result.right = card.right,
    result.bottom = card.bottom;
    return result;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

void CopyBitmapTo(HDC dc, HBITMAP bitmap, const RECT& to) {
    if (!dc || !bitmap) return;
    CreatedDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    SelectionGuard selected(memory.get(), bitmap);
    BitBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, memory.get(), 0, 0,
           SRCCOPY);
}

ButtonBar::ButtonBar() : barRect_{} {}

ButtonBar::~ButtonBar() = default;

void ButtonBar::LayOut(HWND window, HINSTANCE resources, const ButtonBarActions& actions) {
    barBitmap_.reset(load(resources, IDB_BUTTON_BAR));
    for (int i = 0; i < kBarButtonCount; ++i) {
        const ButtonBitmaps& ids = kBarBitmaps[i];
        buttons_[i].SetBitmaps(load(resources, ids.normal), load(resources, ids.hover),
                               load(resources, ids.pressed), load(resources, ids.disabled));
    }
    SIZE bar = BitmapSize(barBitmap_.get());
    ButtonBarLayout layout = layOutButtonBar(CardRectOf(window), bar.cx, bar.cy);
    barRect_ = toRECT(layout.bar);
    const ButtonAction actionOf[kBarButtonCount] = {actions.play, actions.stop, actions.turn,
                                                    actions.print, actions.close};
    for (int i = 0; i < kBarButtonCount; ++i) {
        buttons_[i].SetButtonRect(toRECT(layout.buttons[i]));
        buttons_[i].SetOwner(window);
        buttons_[i].SetAction(actionOf[i]);
    }
    owner_ = window;
}

void ButtonBar::Paint(HDC dc) {
    CopyBitmapTo(dc, barBitmap_.get(), barRect_);
    for (BitmapButton& b : buttons_) b.Draw(dc);
}

void ButtonBar::OnMouseMove(WPARAM keys, LPARAM) {
    bool overAny = false;
    for (const BitmapButton& b : buttons_) overAny = overAny || b.IsCursorInside();
    // Holding the capture lets a button see the mouse leave it while pressed.
    if (overAny)
        SetCapture(owner_);
    else
        ReleaseCapture();
    for (BitmapButton& b : buttons_) b.OnMouseMove(keys);
}

void ButtonBar::OnButtonDown(WPARAM, LPARAM) {
    for (BitmapButton& b : buttons_) b.OnButtonDown();
}

void ButtonBar::OnButtonUp(WPARAM, LPARAM) {
    for (BitmapButton& b : buttons_) b.OnButtonUp();
}

void ButtonBar::Invalidate(BarButton which) {
    RECT r{};
    buttons_[which].GetButtonRect(&r);
    if (owner_) InvalidateRect(owner_, &r, FALSE);
}

void ButtonBar::SetPlayEnabled(bool enable) {
    buttons_[kPlayButton].SetState(enable ? kButtonNormal : kButtonDisabled);
}

void ButtonBar::SetStopEnabled(bool enable) {
    buttons_[kStopButton].SetState(enable ? kButtonNormal : kButtonDisabled);
}

void ButtonBar::EnablePlay(bool enable) {
    SetPlayEnabled(enable);
    Invalidate(kPlayButton);
}

void ButtonBar::EnableStop(bool enable) {
    SetStopEnabled(enable);
    Invalidate(kStopButton);
}

}  // namespace kz8::player
