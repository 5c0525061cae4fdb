// The window style of a template's edit box, from its keys at creation and
// from the style bits the library's set-style call takes. The values are the
// platform's edit styles, named here so that the rules need no Windows header.
#pragma once

#include <cstdint>

#include "skinui/portable/template_records.h"

namespace kz8::skinui {

constexpr uint32_t kEditCentre = 0x0001;       // ES_CENTER
constexpr uint32_t kEditRight = 0x0002;        // ES_RIGHT
constexpr uint32_t kEditMultiLine = 0x0004;    // ES_MULTILINE
constexpr uint32_t kEditPassword = 0x0020;     // ES_PASSWORD
constexpr uint32_t kEditAutoVScroll = 0x0040;  // ES_AUTOVSCROLL
constexpr uint32_t kEditAutoHScroll = 0x0080;  // ES_AUTOHSCROLL
constexpr uint32_t kEditReadOnly = 0x0800;     // ES_READONLY
constexpr uint32_t kEditWantReturn = 0x1000;   // ES_WANTRETURN

// The edit styles (without WS_CHILD) its ALIGNSTYLE, READONLY and
// MULTILINES ask for.
uint32_t editStyleOf(const EditBox& edit);

// What a set-style call makes of an edit box.
struct EditStyleChange {
    int32_t alignStyle = 0;  // 0 left, 1 centre, 2 right
    bool password = false;
    bool readOnly = false;
    bool multiLines = false;
    bool autoHorizontalScroll = false;
};
EditStyleChange editStyleChange(uint32_t style);

}  // namespace kz8::skinui
