// Finding the pins the capture graph connects: a filter's first input pin,
// or its first output pin whose preferred media types include video.
#pragma once

#include <windows.h>

#include <dshow.h>

#include "capture/portable/media_kind.h"
#include "common/win32/handles.h"

namespace kz8::capture {

MediaKind mediaKindOfPin(IPin* pin);

ComPtr<IPin> firstPin(IBaseFilter* filter, PIN_DIRECTION direction);
ComPtr<IPin> firstVideoOutput(IBaseFilter* filter);

// The filter a pin belongs to, with a reference of our own.
ComPtr<IBaseFilter> owningFilter(IPin* pin);

}  // namespace kz8::capture
