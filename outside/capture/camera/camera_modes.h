// The pictures the camera delivers: three formats at four sizes, less the
// pairs a format cannot carry (YUY2 needs even widths, MS Video 1 whole
// 4 x 4 blocks).
#pragma once

#include <windows.h>

#include <strmif.h>

#include <array>
#include <optional>
#include <vector>

#include "common/directshow/win32/media_type.h"
#include "outside/capture/portable/test_pattern.h"

namespace kz8::capture::testkit {

struct PictureSize {
    int width;
    int height;
};

struct CameraMode {
    CameraFormat format;
    int width;
    int height;
};

inline bool operator==(const CameraMode& a, const CameraMode& b) {
    return a.format == b.format && a.width == b.width && a.height == b.height;
}
inline bool operator!=(const CameraMode& a, const CameraMode& b) { return !(a == b); }

constexpr std::array<CameraFormat, 3> kCameraFormats = {CameraFormat::Rgb24, CameraFormat::Yuy2,
                                                        CameraFormat::MsVideo1};
constexpr std::array<PictureSize, 4> kCameraSizes = {PictureSize{160, 120}, PictureSize{161, 120},
                                                     PictureSize{320, 240}, PictureSize{640, 480}};
constexpr CameraMode kDefaultMode{CameraFormat::Rgb24, 320, 240};
constexpr int kFramesPerSecond = 30;

bool isOffered(const CameraMode& mode);
// The offered modes, format by format in size order: the capabilities' order.
const std::vector<CameraMode>& cameraModes();

// Our type for a mode, offered or not (a mode that is not offered makes a
// type that readMode refuses).
directshow::MediaType mediaTypeOf(const CameraMode& mode);
// The most bytes a frame of the mode takes.
DWORD largestFrameBytes(const CameraMode& mode);

// S_OK and the mode `type` asks for; VFW_E_INVALIDMEDIATYPE when the camera
// has no such format, E_INVALIDARG when its format does not come in that size.
HRESULT readMode(const AM_MEDIA_TYPE& type, CameraMode& mode);
// An offered mode written as "RGB24 161x120", "YUY2 ..." or "CRAM ...",
// the form a device's registry entry names its starting mode in.
std::optional<CameraMode> parseCameraMode(const char* text);
std::optional<CameraMode> offeredMode(const AM_MEDIA_TYPE& type);

}  // namespace kz8::capture::testkit
