#include "skinui/portable/template_pictures.h"

#include <cstdio>
#include <vector>

#include "common/portable/jpeg_dib.h"
#include "common/portable/stdio_file.h"
#include "skinui/portable/bitmap_reader.h"

namespace kz8::skinui {

namespace {

constexpr size_t kJpegSearchStep = 8;

std::string lowerExtension(const std::string& fileName) {
    const size_t dot = fileName.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return extension;
}

// The whole file, or nothing when it cannot be read or is larger than any
// picture the suite decodes.
std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path) {
    UniqueFile file = openFile(path, "rb");
    if (!file) return std::nullopt;
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) {
        if (bytes.size() + got > kMaxPictureBytes) return std::nullopt;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

}  // namespace

PictureFormat pictureFormatOf(const std::string& fileName) {
    const std::string extension = lowerExtension(fileName);
    if (extension == "bmp") return PictureFormat::Bitmap;
    if (extension == "jpg" || extension == "jpeg" || extension == "800") return PictureFormat::Jpeg;
    return PictureFormat::Other;
}

std::optional<Dib> readTemplateJpeg(const uint8_t* bytes, size_t size) {
    for (size_t at = 0; at + 3 <= size; at += kJpegSearchStep) {
        if (bytes[at] != 0xFF || bytes[at + 1] != 0xD8 || bytes[at + 2] != 0xFF) continue;
        JpegInput input;
        input.data = bytes + at;
        input.size = size - at;
        input.cmyk = CmykPictures::Refuse;
        input.density = PictureDensity::FromJfif;
        std::vector<uint8_t> dib;
        const bool decoded = decodeJpegIntoDib(input, [&dib](size_t dibSize) -> uint8_t* {
            try {
                dib.assign(dibSize, 0);
            } catch (const std::bad_alloc&) {
                return nullptr;
            }
            return dib.data();
        });
        if (!decoded) return std::nullopt;
        return Dib::fromBytes(std::move(dib));
    }
    return std::nullopt;
}

std::optional<Dib> FileTemplateResources::picture(const std::string& fileName) {
    const PictureFormat format = pictureFormatOf(fileName);
    if (format != PictureFormat::Other) {
        if (const auto bytes = readWholeFile(fileName)) {
            auto read = format == PictureFormat::Bitmap
                            ? readBitmapFile(bytes->data(), bytes->size())
                            : readTemplateJpeg(bytes->data(), bytes->size());
            if (read) return read;
        }
    }
    return album_ ? album_(fileName) : std::nullopt;
}

std::unique_ptr<CursorResource> FileTemplateResources::cursor(const std::string& fileName) {
    return cursors_ ? cursors_(fileName) : nullptr;
}

}  // namespace kz8::skinui
