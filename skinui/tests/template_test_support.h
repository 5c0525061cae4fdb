// What the template tests share: resources served from memory, which note
// every request.
#pragma once

#include <string>
#include <vector>

#include "skinui/portable/template_resources.h"

namespace kz8::skinui::testkit {

// Every picture is a small 24-bit one whose width is the length of its file
// name, so that a test can tell which file went where; names starting with
// "missing" are not found. Cursors load unless the name starts with "missing".
class MemoryResources : public TemplateResources {
public:
    std::optional<Dib> picture(const std::string& fileName) override;
    std::unique_ptr<CursorResource> cursor(const std::string& fileName) override;

    std::vector<std::string> requests;
    int cursorsAlive = 0;  // cursors handed out and not yet destroyed
};

// The width of a picture MemoryResources served, or -1 for none.
int pictureWidth(const std::optional<Dib>& picture);

}  // namespace kz8::skinui::testkit
