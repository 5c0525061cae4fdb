// The logo strip below the card; its right end is the link button, under
// which the cursor turns into the pointing hand.
#pragma once

#include <windows.h>

#include "common/win32/handles.h"
#include "player/win32/bitmap_button.h"

namespace kz8::player {

class LinkBar {
public:
    LinkBar();
    ~LinkBar();
    LinkBar(const LinkBar&) = delete;
    LinkBar& operator=(const LinkBar&) = delete;

    void LayOut(HWND window, HINSTANCE resources, ButtonAction linkAction);
    void Paint(HDC dc);

    void OnMouseMove(WPARAM keys, LPARAM position);
    void OnButtonDown(WPARAM keys, LPARAM position);
    void OnButtonUp(WPARAM keys, LPARAM position);

    RECT stripRect() const { return stripRect_; }
    BitmapButton& linkButton() { return linkButton_; }

private:
    void ShowCursorForPosition(bool overLink);

    Bitmap stripBitmap_;
    RECT stripRect_;
    BitmapButton linkButton_;
    HCURSOR linkCursor_ = nullptr;
    HWND owner_ = nullptr;
};

}  // namespace kz8::player
