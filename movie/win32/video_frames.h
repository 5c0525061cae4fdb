// A source's frames through the platform's multimedia streaming objects:
// one DirectDraw sample updated frame by frame, its surface read into a
// picture. Unless the source stores raw video (then the stream keeps its
// own surface format), frames come as 24-bit RGB system-memory surfaces.
#pragma once

#include <windows.h>

#include <amstream.h>
#include <ddraw.h>
#include <ddstream.h>
#include <mmstream.h>  // after windows.h

#include <string>

#include "common/win32/handles.h"
#include "movie/portable/conversion_driver.h"

namespace kz8::movie {

class VideoFrames {
public:
    // False when the source's video cannot be read.
    bool open(const std::wstring& path, bool keepSourceFormat);

    int64_t duration() const { return duration_; }
    int64_t timePerFrame() const { return timePerFrame_; }
    FrameRead next(BgrPicture& frame);

private:
    bool chooseRgb24();

    ComPtr<IDirectDraw> directDraw_;
    ComPtr<IAMMultiMediaStream> stream_;
    ComPtr<IDirectDrawMediaStream> video_;
    ComPtr<IDirectDrawStreamSample> sample_;
    ComPtr<IDirectDrawSurface> surface_;
    RECT area_{};
    int64_t duration_ = 0;
    int64_t timePerFrame_ = 0;
};

}  // namespace kz8::movie
