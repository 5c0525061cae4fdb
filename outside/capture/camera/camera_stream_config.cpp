// IAMStreamConfig of the camera's pin: one capability per offered mode.
#include "outside/capture/camera/camera_stream.h"

#include <uuids.h>
#include <vfwmsgs.h>

#include <cstring>

#include "common/directshow/win32/hresult.h"
#include "common/directshow/win32/video_formats.h"

namespace kz8::capture::testkit {

using directshow::checkPointer;
using directshow::hresultOf;

namespace {

constexpr LONGLONG kBitsPerByte = 8;

// The camera neither crops nor scales: every size range is the one size.
VIDEO_STREAM_CONFIG_CAPS capsOf(const CameraMode& mode) {
    const SIZE size{mode.width, mode.height};
    const auto bitsPerSecond =
        static_cast<LONG>(LONGLONG{largestFrameBytes(mode)} * kBitsPerByte * kFramesPerSecond);
    VIDEO_STREAM_CONFIG_CAPS caps{};
    caps.guid = FORMAT_VideoInfo;
    caps.VideoStandard = 0;  // AnalogVideo_None
    caps.InputSize = size;
    caps.MinCroppingSize = size;
    caps.MaxCroppingSize = size;
    caps.CropGranularityX = 1;
    caps.CropGranularityY = 1;
    caps.CropAlignX = 1;
    caps.CropAlignY = 1;
    caps.MinOutputSize = size;
    caps.MaxOutputSize = size;
    caps.OutputGranularityX = 1;
    caps.OutputGranularityY = 1;
    caps.MinFrameInterval = directshow::kFrameDuration30Fps;
    caps.MaxFrameInterval = directshow::kFrameDuration30Fps;
    caps.MinBitsPerSecond = bitsPerSecond;
    caps.MaxBitsPerSecond = bitsPerSecond;
    return caps;
}

}  // namespace

// A null type goes back to the default mode. The filter lock keeps a
// connection from being made meanwhile.
STDMETHODIMP CameraStream::SetFormat(AM_MEDIA_TYPE* type) {
    return hresultOf([&] {
        SectionLock lock(filter().filterLock());
        if (isConnected()) return VFW_E_ALREADY_CONNECTED;
        CameraMode mode = kDefaultMode;
        if (type) {
            HRESULT read = readMode(*type, mode);
            if (read != S_OK) return read;
        }
        setNextFormat(mode);
        return S_OK;
    });
}

// The connection's type while connected, else the one the next connection takes.
STDMETHODIMP CameraStream::GetFormat(AM_MEDIA_TYPE** type) {
    return hresultOf([&] {
        checkPointer(type);
        *type = nullptr;
        SectionLock lock(filter().filterLock());
        *type =
            isConnected() ? connectionType().newTaskCopy() : mediaTypeOf(format()).newTaskCopy();
    });
}

STDMETHODIMP CameraStream::GetNumberOfCapabilities(int* count, int* size) {
    if (!count || !size) return E_POINTER;
    *count = static_cast<int>(cameraModes().size());
    *size = sizeof(VIDEO_STREAM_CONFIG_CAPS);
    return S_OK;
}

STDMETHODIMP CameraStream::GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) {
    return hresultOf([&] {
        checkPointer(type);
        checkPointer(caps);
        *type = nullptr;
        if (index < 0) return E_INVALIDARG;
        if (static_cast<size_t>(index) >= cameraModes().size()) return S_FALSE;
        const CameraMode& mode = cameraModes()[static_cast<size_t>(index)];
        const VIDEO_STREAM_CONFIG_CAPS modeCaps = capsOf(mode);
        *type = mediaTypeOf(mode).newTaskCopy();
        std::memcpy(caps, &modeCaps, sizeof modeCaps);
        return S_OK;
    });
}

}  // namespace kz8::capture::testkit
