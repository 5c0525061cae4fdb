// What every export shares: the current template, a control of it found by
// name, and copying a text into a host's buffer. A null name finds nothing,
// so that each export returns its failure value for it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "skinui/win32/control_names.h"
#include "skinui/win32/template_library.h"

namespace kz8::skinui {

inline TemplateWindow* currentTemplate() { return TemplateLibrary::instance().current(); }

// An open template of that name, searched in every open template.
inline TemplateWindow* openTemplateNamed(const char* name) {
    return name ? TemplateLibrary::instance().findByName(name) : nullptr;
}

// A control of the current template and the template it sits in.
template <typename Control>
struct CurrentControl {
    TemplateWindow* window = nullptr;
    Control* control = nullptr;
    explicit operator bool() const { return control != nullptr; }
    Control* operator->() const { return control; }
};

template <typename Control>
CurrentControl<Control> currentControl(std::vector<std::unique_ptr<Control>> Template::*kind,
                                       const char* name) {
    TemplateWindow* window = currentTemplate();
    if (!window || !name) return {};
    return {window, findControlNamed(window->record().*kind, name)};
}

// At most bytes - 1 characters and the terminator.
inline void copyText(const std::string& text, char* out, size_t bytes) {
    const size_t length = std::min(text.size(), bytes - 1);
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
}

}  // namespace kz8::skinui
