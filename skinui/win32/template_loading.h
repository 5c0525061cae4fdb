// Loading a template from its .dtp file or from a caller's text: the path
// and extension checks, reading (with the album as the fallback for a file
// that is not there), the checks, and the build with the host's current
// directory switched to the template's folder, so that relative file names
// in the template mean files beside it. Every exit puts the host's directory
// back and lets go of what the load opened.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "skinui/portable/template_builder.h"

namespace kz8::skinui {

enum class AlbumLookup { NoAlbumLibrary, NotFound, Found };

struct TemplateSources {
    // The resources of one load, opened once the template's folder is
    // current and destroyed before the host's folder is made current again.
    std::function<std::unique_ptr<TemplateResources>()> openResources;
    // The text of a template file that cannot be opened, from the album of
    // its folder. Unset: there is no album library.
    std::function<AlbumLookup(const std::string& path, std::string& text)> albumText;
};

// path: as the caller gives it. The template's path field gets it in upper case.
LoadResult loadTemplateFile(const char* path, const TemplateSources& sources);
// text: the caller's, only read; the folder of the module holding this code
// is current while the template is built.
LoadResult loadTemplateFromText(const char* text, const TemplateSources& sources);

// The folder part of a path, its last separator included; "" for none.
std::string folderOfPath(const std::string& path);

// The folder of the module holding this code, where a text template's
// files are looked for.
std::string moduleFolder();

// The lead-byte test of the host's code page, for cuts of display texts.
bool isHostLeadByte(unsigned char c);

}  // namespace kz8::skinui
