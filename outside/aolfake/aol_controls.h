// The client's own controls: "_AOL_Icon", a picture button that tells its
// parent when it is clicked, and "_AOL_Edit", a text field. Windows lay
// them out from tables of places.
#pragma once

#include <windows.h>

#include <vector>

namespace kz8::outside::aol {

inline constexpr char kIconClass[] = "_AOL_Icon";
inline constexpr char kEditClass[] = "_AOL_Edit";

// One control in its parent's client coordinates. The name is an icon's
// title and an edit's name in log lines; names are literals, since an edit
// keeps a pointer to its own for as long as it lives.
struct ControlPlace {
    int id;
    const char* className;
    const char* name;
    int x, y, width, height;
};

bool registerControlClasses(HINSTANCE instance);

// Creates the controls in the order given, which is the order in which the
// parent's children are enumerated. A click on an icon arrives at the
// parent as WM_COMMAND with the icon's id and BN_CLICKED.
void createControls(HWND parent, const std::vector<ControlPlace>& places);

}  // namespace kz8::outside::aol
