#include "common/directshow/win32/video_formats.h"

#include <amvideo.h>
#include <uuids.h>

#include <cstdlib>
#include <cstring>

#include "common/portable/dib.h"

namespace kz8::directshow {

namespace {

constexpr LONGLONG kUnitsPerSecond = 10000000;
constexpr DWORD kRgb565Masks[3] = {0xF800, 0x07E0, 0x001F};
// Every 4 x 4 block in its largest coding: a flag word and eight colours.
constexpr DWORD kMsVideo1BlockBytes = 2 + 8 * 2;

struct Picture {
    GUID subtype;
    LONG width;
    LONG height;
    WORD bitCount;
    DWORD compression;
    DWORD imageSize;
};

DWORD rgbImageSize(LONG width, LONG height, WORD bitCount) {
    return static_cast<DWORD>(dibRowStride(width, bitCount) *
                              static_cast<size_t>(std::abs(height)));
}

VIDEOINFOHEADER videoInfo(const Picture& picture, REFERENCE_TIME frameDuration) {
    VIDEOINFOHEADER info{};
    info.AvgTimePerFrame = frameDuration;
    if (frameDuration > 0) {
        info.dwBitRate =
            static_cast<DWORD>(LONGLONG{picture.imageSize} * 8 * kUnitsPerSecond / frameDuration);
    }
    BITMAPINFOHEADER& header = info.bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = picture.width;
    header.biHeight = picture.height;
    header.biPlanes = 1;
    header.biBitCount = picture.bitCount;
    header.biCompression = picture.compression;
    header.biSizeImage = picture.imageSize;
    return info;
}

MediaType videoType(const Picture& picture, REFERENCE_TIME frameDuration,
                    const void* extra = nullptr, ULONG extraSize = 0) {
    BYTE block[sizeof(VIDEOINFOHEADER) + sizeof(kRgb565Masks)] = {};
    VIDEOINFOHEADER info = videoInfo(picture, frameDuration);
    std::memcpy(block, &info, sizeof info);
    if (extraSize) std::memcpy(block + sizeof info, extra, extraSize);

    MediaType type;
    type.setTypes(MEDIATYPE_Video, picture.subtype);
    type.setSampleSize(picture.imageSize);
    type.setFormat(FORMAT_VideoInfo, block, sizeof info + extraSize);
    return type;
}

MediaType rgbType(const GUID& subtype, LONG width, LONG height, WORD bitCount, DWORD compression,
                  REFERENCE_TIME frameDuration) {
    Picture picture{subtype,  width,       height,
                    bitCount, compression, rgbImageSize(width, height, bitCount)};
    return videoType(picture, frameDuration);
}

}  // namespace

GUID fourccSubtype(DWORD code) {
    return GUID{code, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}

MediaType rgb24VideoType(LONG width, LONG height, REFERENCE_TIME frameDuration) {
    return rgbType(MEDIASUBTYPE_RGB24, width, height, 24, BI_RGB, frameDuration);
}

MediaType rgb32VideoType(LONG width, LONG height, REFERENCE_TIME frameDuration) {
    return rgbType(MEDIASUBTYPE_RGB32, width, height, 32, BI_RGB, frameDuration);
}

MediaType rgb555VideoType(LONG width, LONG height, REFERENCE_TIME frameDuration) {
    return rgbType(MEDIASUBTYPE_RGB555, width, height, 16, BI_RGB, frameDuration);
}

MediaType rgb565VideoType(LONG width, LONG height, REFERENCE_TIME frameDuration) {
    Picture picture{
        MEDIASUBTYPE_RGB565, width, height, 16, BI_BITFIELDS, rgbImageSize(width, height, 16)};
    return videoType(picture, frameDuration, kRgb565Masks, sizeof kRgb565Masks);
}

MediaType yuy2VideoType(LONG width, LONG height, REFERENCE_TIME frameDuration) {
    DWORD bytes = static_cast<DWORD>(width) * 2 * static_cast<DWORD>(std::abs(height));
    Picture picture{MEDIASUBTYPE_YUY2, width, height, 16, fourcc('Y', 'U', 'Y', '2'), bytes};
    return videoType(picture, frameDuration);
}

MediaType msVideo1VideoType(LONG width, LONG height, REFERENCE_TIME frameDuration) {
    DWORD blocks = static_cast<DWORD>(width / 4) * static_cast<DWORD>(std::abs(height) / 4);
    Picture picture{fourccSubtype(kMsVideo1Fourcc), width, height, 16, kMsVideo1Fourcc,
                    blocks * kMsVideo1BlockBytes};
    MediaType type = videoType(picture, frameDuration);
    type.setSampleSize(0);
    return type;
}

std::optional<VideoFormat> videoFormatOf(const AM_MEDIA_TYPE& type) {
    if (type.majortype != MEDIATYPE_Video || type.formattype != FORMAT_VideoInfo ||
        !type.pbFormat || type.cbFormat < sizeof(VIDEOINFOHEADER)) {
        return std::nullopt;
    }
    VIDEOINFOHEADER info;
    std::memcpy(&info, type.pbFormat, sizeof info);
    const BITMAPINFOHEADER& header = info.bmiHeader;
    return VideoFormat{type.subtype,        header.biWidth,       header.biHeight,
                       header.biBitCount,   header.biCompression, header.biSizeImage,
                       info.AvgTimePerFrame};
}

}  // namespace kz8::directshow
