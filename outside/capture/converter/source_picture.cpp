#include "outside/capture/converter/source_picture.h"

#include <amvideo.h>
#include <uuids.h>

#include <cstdlib>
#include <cstring>

#include "common/directshow/win32/video_formats.h"
#include "common/portable/dib.h"

namespace kz8::capture::testkit {

namespace {

using directshow::VideoFormat;

// Keeps every buffer size within the LONG an allocator counts in.
constexpr LONG kLargestSide = 16384;

constexpr DWORD kNoMasks[3] = {0, 0, 0};
constexpr DWORD kRgb565Masks[3] = {0xF800, 0x07E0, 0x001F};
constexpr DWORD kRgb555Masks[3] = {0x7C00, 0x03E0, 0x001F};

struct Layout {
    const GUID& subtype;
    PixelFormat format;
    WORD bitCount;
    const DWORD (&masks)[3];  // what BI_BITFIELDS must say, when it may be used
};

const Layout kLayouts[] = {
    {MEDIASUBTYPE_RGB24, PixelFormat::Rgb24, 24, kNoMasks},
    {MEDIASUBTYPE_RGB32, PixelFormat::Rgb32, 32, kNoMasks},
    {MEDIASUBTYPE_RGB565, PixelFormat::Rgb565, 16, kRgb565Masks},
    {MEDIASUBTYPE_RGB555, PixelFormat::Rgb555, 16, kRgb555Masks},
    {MEDIASUBTYPE_YUY2, PixelFormat::Yuy2, 16, kNoMasks},
};

const Layout* layoutOf(const VideoFormat& format) {
    for (const Layout& layout : kLayouts) {
        if (layout.subtype == format.subtype && layout.bitCount == format.bitCount) return &layout;
    }
    return nullptr;
}

// The masks sit right after the header, where VIDEOINFO keeps dwBitMasks.
bool masksMatch(const AM_MEDIA_TYPE& type, const DWORD (&masks)[3]) {
    if (masks[0] == 0 || type.cbFormat < sizeof(VIDEOINFOHEADER) + sizeof masks) return false;
    return std::memcmp(type.pbFormat + sizeof(VIDEOINFOHEADER), masks, sizeof masks) == 0;
}

bool compressionFits(const Layout& layout, const VideoFormat& format, const AM_MEDIA_TYPE& type) {
    if (layout.format == PixelFormat::Yuy2) {
        return format.compression == directshow::fourcc('Y', 'U', 'Y', '2');
    }
    if (format.compression == BI_RGB) return true;
    return format.compression == BI_BITFIELDS && masksMatch(type, layout.masks);
}

bool sizeFits(const VideoFormat& format) {
    LONG rows = std::labs(format.height);
    return format.width > 0 && format.width <= kLargestSide && rows > 0 && rows <= kLargestSide;
}

}  // namespace

std::optional<SourcePicture> sourcePictureOf(const AM_MEDIA_TYPE& type) {
    std::optional<VideoFormat> format = directshow::videoFormatOf(type);
    if (!format || !sizeFits(*format)) return std::nullopt;
    const Layout* layout = layoutOf(*format);
    if (!layout || !compressionFits(*layout, *format, type)) return std::nullopt;

    const bool yuv = layout->format == PixelFormat::Yuy2;
    SourcePicture picture{};
    picture.format = layout->format;
    picture.width = static_cast<int>(format->width);
    picture.rows = static_cast<int>(std::labs(format->height));
    picture.stride = yuv ? packedRowBytes(layout->format, picture.width)
                         : dibRowStride(format->width, layout->bitCount);
    picture.topDown = yuv || format->height < 0;
    picture.frameDuration = format->frameDuration;
    return picture;
}

}  // namespace kz8::capture::testkit
