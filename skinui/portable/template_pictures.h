// The pictures a template names, read the way the library reads them: the
// file's lower-cased extension picks the reader ("bmp": the bitmap reader;
// "jpg", "jpeg" or "800": the JPEG reader); any other file, or one that does
// not read, is looked for in the album by its name as written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/portable/dib.h"
#include "skinui/portable/template_resources.h"

namespace kz8::skinui {

enum class PictureFormat { Bitmap, Jpeg, Other };
PictureFormat pictureFormatOf(const std::string& fileName);

// A JPEG whose start-of-image bytes FF D8 FF stand at offset 0, 8, 16, …;
// one or three components only, the density from its JFIF header.
std::optional<Dib> readTemplateJpeg(const uint8_t* bytes, size_t size);

// Pictures from files relative to the current folder, then from the album;
// cursors from the loader the platform gives.
class FileTemplateResources : public TemplateResources {
public:
    using AlbumPicture = std::function<std::optional<Dib>(const std::string& name)>;
    using CursorLoader = std::function<std::unique_ptr<CursorResource>(const std::string& name)>;
    FileTemplateResources(AlbumPicture album, CursorLoader cursors)
        : album_(std::move(album)), cursors_(std::move(cursors)) {}

    std::optional<Dib> picture(const std::string& fileName) override;
    std::unique_ptr<CursorResource> cursor(const std::string& fileName) override;

private:
    AlbumPicture album_;
    CursorLoader cursors_;
};

}  // namespace kz8::skinui
