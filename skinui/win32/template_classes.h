// The library's three window classes. They are registered with the instance
// of the module holding this code, all three, so that a host that unloads
// the library and loads it again can register them anew.
#pragma once

#include <windows.h>

namespace kz8::skinui {

constexpr const char* kTemplateWindowClass = "Template Window Class";
constexpr const char* kTipsClass = "Tips";
constexpr const char* kPopupListClass = "VexilListBox";

// In the order of the table; false (and nothing left registered) when one fails.
bool registerTemplateClasses(HINSTANCE instance);
void unregisterTemplateClasses(HINSTANCE instance);

}  // namespace kz8::skinui
