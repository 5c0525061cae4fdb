// The host header as an MSVC-built host compiles it; clang compiles this
// for the MSVC target to tell what the decorated export names must be.
#define VIDGRAB_HOST_TYPES_DECLARED
struct HWND__;
typedef HWND__* HWND;
#include "../include/vidgrab.h"

void* volatile keepExports[] = {
    reinterpret_cast<void*>(&GetCapDeviceCount), reinterpret_cast<void*>(&GetNthCapDeviceName),
    reinterpret_cast<void*>(&OnInitDialog),      reinterpret_cast<void*>(&BuildRenderGraph),
    reinterpret_cast<void*>(&DestroyGraph),      reinterpret_cast<void*>(&StartRender),
    reinterpret_cast<void*>(&StopRender),        reinterpret_cast<void*>(&GetRenderDib),
    reinterpret_cast<void*>(&OnChoseDevice),     reinterpret_cast<void*>(&WDMSetVideoFormat),
    reinterpret_cast<void*>(&WDMSetVideoSource), reinterpret_cast<void*>(&OnDone)};
