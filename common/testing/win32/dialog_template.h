// Dialog templates read from their bytes, as a test checks what a resource
// script produced: the plain DLGTEMPLATE and the extended DLGTEMPLATEEX.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kz8::testkit {

struct DialogItem {
    uint32_t style = 0;
    int x = 0, y = 0, width = 0, height = 0;  // dialog units
    int32_t id = 0;                           // -1 for the plain template's 0xFFFF
    std::string className;                    // "Button", "Edit", "Static"... for ordinals
    std::string text;
};

struct DialogTemplate {
    bool extended = false;
    uint32_t style = 0;
    int width = 0, height = 0;
    std::string caption;
    int fontSize = 0;
    std::string fontName;
    std::vector<DialogItem> items;
};

// Nothing when the bytes end before the template does.
std::optional<DialogTemplate> parseDialogTemplate(const uint8_t* bytes, size_t size);

// The template of dialog id in module, or nothing.
std::optional<DialogTemplate> loadDialogTemplate(HMODULE module, int id);

}  // namespace kz8::testkit
