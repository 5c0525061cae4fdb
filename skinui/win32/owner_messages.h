// The notifications a template window sends its owner, and its timers.
#pragma once

#include <windows.h>

namespace kz8::skinui {

constexpr UINT kTemplateShownMessage = WM_USER + 2000;    // name
constexpr UINT kScrollSetMessage = WM_USER + 2010;        // bar name, position
constexpr UINT kScrollChangedMessage = WM_USER + 2011;    // bar name, position
constexpr UINT kEditChangedMessage = WM_USER + 2020;      // edit name, text
constexpr UINT kEditLeftMessage = WM_USER + 2021;         // edit name, text
constexpr UINT kListClickedMessage = WM_USER + 2030;      // list name
constexpr UINT kCheckClickedMessage = WM_USER + 2040;     // check box name, checked
constexpr UINT kRadioCheckedMessage = WM_USER + 2050;     // radio name, group
constexpr UINT kComboChosenMessage = WM_USER + 2060;      // combo name, text
constexpr UINT kComboChoosingMessage = WM_USER + 2061;    // combo name, text
constexpr UINT kButtonPressedMessage = WM_USER + 2080;    // button name
constexpr UINT kTemplatePressedMessage = WM_USER + 2082;  // name, point
constexpr UINT kCloseAskedMessage = WM_USER + 2100;       // name; non-zero keeps it
constexpr UINT kNoCurrentTemplateMessage = WM_USER + 2101;
constexpr UINT kTemplateDestroyedMessage = WM_USER + 2102;  // name
constexpr UINT kFocusLostMessage = WM_USER + 2103;          // name, new focus

constexpr UINT_PTR kBlinkTimer = 100;
constexpr UINT kBlinkMilliseconds = 400;
constexpr UINT_PTR kRepeatTimer = 101;
constexpr UINT kRepeatMilliseconds = 200;

// Button STYLE bits.
constexpr int32_t kButtonBlinks = 1;
constexpr int32_t kButtonRepeats = 2;
constexpr int32_t kButtonIgnoresMoves = 4;

}  // namespace kz8::skinui
