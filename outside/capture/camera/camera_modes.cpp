#include "outside/capture/camera/camera_modes.h"

#include <uuids.h>
#include <vfwmsgs.h>

#include <cstdio>
#include <cstring>

#include "common/directshow/win32/video_formats.h"

namespace kz8::capture::testkit {

using directshow::MediaType;

namespace {

bool carries(CameraFormat format, int width, int height) {
    switch (format) {
        case CameraFormat::Rgb24: return true;
        case CameraFormat::Yuy2: return width % 2 == 0;
        case CameraFormat::MsVideo1: return width % 4 == 0 && height % 4 == 0;
        default: return false;
    }
}

bool isCameraSize(int width, int height) {
    for (const PictureSize& size : kCameraSizes) {
        if (size.width == width && size.height == height) return true;
    }
    return false;
}

// Every format is 16 bits a pixel but RGB24; all rows go bottom-up as in
// their DIBs (YUY2 frames are top-down with a positive height, as usual).
std::optional<CameraFormat> formatOf(const directshow::VideoFormat& video) {
    if (video.height <= 0) return std::nullopt;
    if (video.subtype == MEDIASUBTYPE_RGB24 && video.bitCount == 24 &&
        video.compression == BI_RGB) {
        return CameraFormat::Rgb24;
    }
    if (video.subtype == MEDIASUBTYPE_YUY2 && video.bitCount == 16) return CameraFormat::Yuy2;
    if (video.subtype == directshow::fourccSubtype(directshow::kMsVideo1Fourcc) &&
        video.bitCount == 16) {
        return CameraFormat::MsVideo1;
    }
    return std::nullopt;
}

std::vector<CameraMode> listModes() {
    std::vector<CameraMode> modes;
    for (CameraFormat format : kCameraFormats) {
        for (const PictureSize& size : kCameraSizes) {
            CameraMode mode{format, size.width, size.height};
            if (isOffered(mode)) modes.push_back(mode);
        }
    }
    return modes;
}

}  // namespace

bool isOffered(const CameraMode& mode) {
    return isCameraSize(mode.width, mode.height) && carries(mode.format, mode.width, mode.height);
}

const std::vector<CameraMode>& cameraModes() {
    static const std::vector<CameraMode> modes = listModes();
    return modes;
}

MediaType mediaTypeOf(const CameraMode& mode) {
    using directshow::kFrameDuration30Fps;
    switch (mode.format) {
        case CameraFormat::Yuy2:
            return directshow::yuy2VideoType(mode.width, mode.height, kFrameDuration30Fps);
        case CameraFormat::MsVideo1:
            return directshow::msVideo1VideoType(mode.width, mode.height, kFrameDuration30Fps);
        default: return directshow::rgb24VideoType(mode.width, mode.height, kFrameDuration30Fps);
    }
}

DWORD largestFrameBytes(const CameraMode& mode) {
    return directshow::videoFormatOf(mediaTypeOf(mode).get())->imageSize;
}

HRESULT readMode(const AM_MEDIA_TYPE& type, CameraMode& mode) {
    std::optional<directshow::VideoFormat> video = directshow::videoFormatOf(type);
    std::optional<CameraFormat> format = video ? formatOf(*video) : std::nullopt;
    if (!format) return VFW_E_INVALIDMEDIATYPE;
    CameraMode asked{*format, static_cast<int>(video->width), static_cast<int>(video->height)};
    if (!isOffered(asked)) return E_INVALIDARG;
    mode = asked;
    return S_OK;
}

std::optional<CameraMode> offeredMode(const AM_MEDIA_TYPE& type) {
    CameraMode mode = kDefaultMode;
    if (readMode(type, mode) != S_OK) return std::nullopt;
    return mode;
}

std::optional<CameraMode> parseCameraMode(const char* text) {
    struct Named {
        const char* name;
        CameraFormat format;
    };
    constexpr Named kNames[] = {{"RGB24", CameraFormat::Rgb24},
                                {"YUY2", CameraFormat::Yuy2},
                                {"CRAM", CameraFormat::MsVideo1}};
    char name[8] = {};
    int width = 0, height = 0;
    if (!text || std::sscanf(text, "%7s %dx%d", name, &width, &height) != 3) return std::nullopt;
    for (const Named& named : kNames) {
        CameraMode mode{named.format, width, height};
        if (std::strcmp(name, named.name) == 0 && isOffered(mode)) return mode;
    }
    return std::nullopt;
}

}  // namespace kz8::capture::testkit
