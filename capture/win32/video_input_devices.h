// The system's video input devices, through the system device enumerator.
// An empty category is answered with S_FALSE and no enumerator, which
// counts as no device at all.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <string>

#include "capture/portable/device_names.h"
#include "common/win32/handles.h"

namespace kz8::capture {

// Fills `names` in enumeration order; leaves it unchanged when the category
// cannot be enumerated.
void listVideoInputDevices(DeviceNames& names);

// The capture filter of device `index`, bound through its moniker; null
// when there is no such device or it cannot be bound.
ComPtr<IBaseFilter> bindVideoInputDevice(int index);

// `text` in the ANSI code page, whole.
std::string ansiText(const wchar_t* text);

// Whether a byte of the ANSI code page starts a double-byte character.
bool isAnsiLeadByte(unsigned char byte);

}  // namespace kz8::capture
