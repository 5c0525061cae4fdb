// An owner-drawn button painted straight into the player window and driven by
// that window's mouse messages: four looks, a click action, and `armed` so
// that only a press and a release both over the button count as a click.
#pragma once

#include <windows.h>

#include "common/win32/handles.h"

namespace kz8::player {

enum ButtonState : int {
    kButtonNormal = 0,
    kButtonHover = 1,
    kButtonPressed = 2,
    kButtonDisabled = 3
};

// What a completed click runs; its result is passed on by InvokeAction.
using ButtonAction = int (*)();

// MK_LBUTTON in the key flags of a mouse message.
constexpr WPARAM kLeftButtonDown = 0x0001;

class BitmapButton {
public:
    BitmapButton();
    virtual ~BitmapButton();
    BitmapButton(const BitmapButton&) = delete;
    BitmapButton& operator=(const BitmapButton&) = delete;

    // The button owns the bitmaps from now on; earlier ones are deleted.
    virtual void SetBitmaps(HBITMAP normal, HBITMAP hover, HBITMAP pressed, HBITMAP disabled);
    virtual void Draw(HDC dc);
    virtual void ReleaseBitmaps();

    void SetButtonRect(const RECT& rect);  // an empty rectangle keeps the old one
    void SetOwner(HWND owner) { owner_ = owner; }
    void SetAction(ButtonAction action) { action_ = action; }
    void GetButtonRect(RECT* rect) const;
    int SetState(int state);  // the previous state; does not redraw
    int GetState() const { return state_; }
    bool IsArmed() const { return armed_ != 0; }

    bool IsCursorInside() const;
    int InvokeAction();  // -1 without an action

    void OnMouseMove(WPARAM keys);
    void OnButtonDown();
    void OnButtonUp();

private:
    void Redraw();
    HBITMAP BitmapOfState() const;

    RECT rect_;
    HWND owner_;
    Bitmap normalBitmap_;
    Bitmap hoverBitmap_;
    Bitmap pressedBitmap_;
    Bitmap disabledBitmap_;
    int state_;
    ButtonAction action_;
    BOOL armed_;
};

}  // namespace kz8::player
