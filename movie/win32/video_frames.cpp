#include "movie/win32/video_frames.h"

#include <optional>

#include "movie/portable/surface_rows.h"

namespace kz8::movie {

namespace {

constexpr DWORD kFourccYuy2 = MAKEFOURCC('Y', 'U', 'Y', '2');
constexpr DWORD kFourccUyvy = MAKEFOURCC('U', 'Y', 'V', 'Y');

std::vector<uint32_t> paletteOf(IDirectDrawSurface* surface) {
    ComPtr<IDirectDrawPalette> palette;
    PALETTEENTRY entries[256] = {};
    if (FAILED(surface->GetPalette(palette.put())) || !palette ||
        FAILED(palette->GetEntries(0, 0, 256, entries))) {
        return {};
    }
    std::vector<uint32_t> colours;
    for (const PALETTEENTRY& entry : entries) {
        colours.push_back(uint32_t(entry.peRed) << 16 | uint32_t(entry.peGreen) << 8 |
                          entry.peBlue);
    }
    return colours;
}

std::optional<SurfaceFormat> formatOf(const DDPIXELFORMAT& pixels, IDirectDrawSurface* surface) {
    SurfaceFormat format;
    if (pixels.dwFlags & DDPF_FOURCC) {
        if (pixels.dwFourCC != kFourccYuy2 && pixels.dwFourCC != kFourccUyvy) return std::nullopt;
        format.kind =
            pixels.dwFourCC == kFourccYuy2 ? SurfaceFormat::Kind::yuy2 : SurfaceFormat::Kind::uyvy;
        format.bitsPerPixel = 16;
    } else if (pixels.dwFlags & DDPF_PALETTEINDEXED8) {
        format.kind = SurfaceFormat::Kind::palette8;
        format.bitsPerPixel = 8;
        format.palette = paletteOf(surface);
    } else if (pixels.dwFlags & DDPF_RGB) {
        format.bitsPerPixel = int(pixels.dwRGBBitCount);
        format.redMask = pixels.dwRBitMask;
        format.greenMask = pixels.dwGBitMask;
        format.blueMask = pixels.dwBBitMask;
    } else {
        return std::nullopt;
    }
    return format;
}

// Unlocks the surface it locked.
class SurfaceLock {
public:
    SurfaceLock(IDirectDrawSurface* surface, RECT* area) : surface_(surface) {
        description.dwSize = sizeof description;
        locked_ = SUCCEEDED(surface_->Lock(area, &description, DDLOCK_WAIT, nullptr));
    }
    ~SurfaceLock() {
        if (locked_) surface_->Unlock(nullptr);
    }
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;
    explicit operator bool() const { return locked_; }
    DDSURFACEDESC description{};

private:
    IDirectDrawSurface* surface_;
    bool locked_ = false;
};

}  // namespace

bool VideoFrames::open(const std::wstring& path, bool keepSourceFormat) {
    if (FAILED(DirectDrawCreate(nullptr, directDraw_.put(), nullptr)) ||
        FAILED(directDraw_->SetCooperativeLevel(GetDesktopWindow(), DDSCL_NORMAL)) ||
        FAILED(CoCreateInstance(CLSID_AMMultiMediaStream, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAMMultiMediaStream, stream_.putVoid())) ||
        FAILED(stream_->Initialize(STREAMTYPE_READ, 0, nullptr)) ||
        FAILED(stream_->AddMediaStream(directDraw_.get(), &MSPID_PrimaryVideo, 0, nullptr)) ||
        FAILED(stream_->OpenFile(path.c_str(), AMMSF_NOCLOCK))) {
        return false;
    }
    ComPtr<IMediaStream> media;
    if (FAILED(stream_->GetMediaStream(MSPID_PrimaryVideo, media.put())) ||
        FAILED(media->QueryInterface(IID_IDirectDrawMediaStream, video_.putVoid())) ||
        (!keepSourceFormat && !chooseRgb24()) ||
        FAILED(video_->CreateSample(nullptr, nullptr, 0, sample_.put())) ||
        FAILED(sample_->GetSurface(surface_.put(), &area_))) {
        return false;
    }
    STREAM_TIME duration = 0, perFrame = 0;
    stream_->GetDuration(&duration);
    video_->GetTimePerFrame(&perFrame);
    duration_ = duration;
    timePerFrame_ = perFrame;
    // Without running, every update answers that the stream is not running.
    return SUCCEEDED(stream_->SetState(STREAMSTATE_RUN));
}

bool VideoFrames::chooseRgb24() {
    DDSURFACEDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_PIXELFORMAT | DDSD_CAPS;
    description.ddsCaps.dwCaps = DDSCAPS_SYSTEMMEMORY | DDSCAPS_OFFSCREENPLAIN;
    DDPIXELFORMAT& pixels = description.ddpfPixelFormat;
    pixels.dwSize = sizeof pixels;
    pixels.dwFlags = DDPF_RGB;
    pixels.dwRGBBitCount = 24;
    pixels.dwRBitMask = 0xFF0000;
    pixels.dwGBitMask = 0xFF00;
    pixels.dwBBitMask = 0xFF;
    return SUCCEEDED(video_->SetFormat(&description, nullptr));
}

FrameRead VideoFrames::next(BgrPicture& frame) {
    // Synchronously: the platform offers no event or call-back here.
    if (sample_->Update(0, nullptr, nullptr, 0) != S_OK) return FrameRead::end;
    SurfaceLock lock(surface_.get(), &area_);
    if (!lock) return FrameRead::unreadable;
    const DDSURFACEDESC& locked = lock.description;
    const std::optional<SurfaceFormat> format = formatOf(locked.ddpfPixelFormat, surface_.get());
    const int width = area_.right - area_.left;
    const int height = area_.bottom - area_.top;
    if (!format || locked.lPitch <= 0 || !locked.lpSurface) return FrameRead::unreadable;
    const auto pitch = static_cast<size_t>(locked.lPitch);
    std::optional<BgrPicture> picture =
        surfaceToPicture(*format, width, height, static_cast<const uint8_t*>(locked.lpSurface),
                         pitch, pitch * static_cast<size_t>(height));
    if (!picture) return FrameRead::unreadable;
    frame = std::move(*picture);
    return FrameRead::frame;
}

}  // namespace kz8::movie
