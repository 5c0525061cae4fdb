// The strip of five buttons above the card: Play, Stop, Turn, Print, Close.
#pragma once

#include <windows.h>

#include "common/win32/handles.h"
#include "common/win32/win32_rect.h"

#include <array>

#include "player/portable/button_layout.h"
#include "player/win32/bitmap_button.h"

namespace kz8::player {

// What each button runs; the player window supplies them.
struct ButtonBarActions {
    ButtonAction play = nullptr;
    ButtonAction stop = nullptr;
    ButtonAction turn = nullptr;
    ButtonAction print = nullptr;
    ButtonAction close = nullptr;
};

class ButtonBar {
public:
    ButtonBar();
    ~ButtonBar();
    ButtonBar(const ButtonBar&) = delete;
    ButtonBar& operator=(const ButtonBar&) = delete;

    // Loads the bitmaps from `resources` and places everything around the
    // card rectangle of `window`, which must exist.
    void LayOut(HWND window, HINSTANCE resources, const ButtonBarActions& actions);
    void Paint(HDC dc);

    // Key flags and position of the mouse message; only the flags are used.
    void OnMouseMove(WPARAM keys, LPARAM position);
    void OnButtonDown(WPARAM keys, LPARAM position);
    void OnButtonUp(WPARAM keys, LPARAM position);

    // Enable or disable and invalidate the button (without erasing).
    void EnablePlay(bool enable);
    void EnableStop(bool enable);
    // The same, without invalidating: for the Play and Stop actions, whose
    // own button redraws on release and whose partner on the next move.
    void SetPlayEnabled(bool enable);
    void SetStopEnabled(bool enable);

    BitmapButton& button(BarButton which) { return buttons_[which]; }
    RECT barRect() const { return barRect_; }

private:
    void Invalidate(BarButton which);

    std::array<BitmapButton, kBarButtonCount> buttons_;
    RECT barRect_;
    Bitmap barBitmap_;
    HWND owner_ = nullptr;
};

// Copies the whole bitmap to (x, y) of the context; nothing without a memory context.
void CopyBitmapTo(HDC dc, HBITMAP bitmap, const RECT& to);

// A bitmap's width and height in pixels; 0 x 0 for none.
SIZE BitmapSize(HBITMAP bitmap);

CardRect CardRectOf(HWND window);

}  // namespace kz8::player
