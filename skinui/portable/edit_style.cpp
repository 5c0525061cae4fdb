#include "skinui/portable/edit_style.h"

namespace kz8::skinui {

uint32_t editStyleOf(const EditBox& edit) {
    uint32_t style = 0;
    if (edit.alignStyle == 1) style |= kEditCentre;
    if (edit.alignStyle == 2) style |= kEditRight;
    if (edit.readOnly) style |= kEditReadOnly;
    if (edit.multiLines && edit.readOnly)
        style |= kEditMultiLine | kEditAutoVScroll | kEditWantReturn;
    else if (edit.multiLines)
        style |= kEditMultiLine | kEditAutoVScroll | kEditAutoHScroll;
    else
        style |= kEditAutoHScroll;
    return style;
}

EditStyleChange editStyleChange(uint32_t style) {
    EditStyleChange change;
    if (style & kEditCentre) change.alignStyle = 1;
    if (style & kEditRight) change.alignStyle = 2;
    change.password = (style & kEditPassword) != 0;
    change.readOnly = (style & kEditReadOnly) != 0;
    change.multiLines = (style & kEditMultiLine) != 0;
    change.autoHorizontalScroll = (style & kEditAutoHScroll) != 0;
    return change;
}

}  // namespace kz8::skinui
