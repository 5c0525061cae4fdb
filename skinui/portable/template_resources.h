// What a template's files become while it is built: pictures and cursors,
// found by the file names the template gives. The Win32 side reads them from
// disk and the album; tests and the fuzzer serve them from memory.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "common/portable/dib.h"

namespace kz8::skinui {

// A cursor loaded from a file, owned by its template and destroyed with it.
// A template without one uses the shared arrow, which nobody owns.
class CursorResource {
public:
    virtual ~CursorResource() = default;
};

class TemplateResources {
public:
    virtual ~TemplateResources() = default;
    // The picture of an image key's value as written; nothing when it
    // cannot be read or found (the key's image is then empty).
    virtual std::optional<Dib> picture(const std::string& fileName) = 0;
    // Nothing when the file cannot be loaded as a cursor.
    virtual std::unique_ptr<CursorResource> cursor(const std::string& fileName) = 0;
};

}  // namespace kz8::skinui
