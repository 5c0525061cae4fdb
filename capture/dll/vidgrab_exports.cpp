// vidgrab.dll's exports: thin functions over the capture state. The .def
// files give them the names an MSVC-built host links to.
#include <windows.h>

#include "capture/win32/capture_state.h"

using kz8::capture::CaptureState;

extern "C" {

int __cdecl getCapDeviceCount() { return CaptureState::instance().deviceCount(); }

const char* __cdecl getNthCapDeviceName(int n) { return CaptureState::instance().deviceName(n); }

int __cdecl onInitDialog(HWND owner) { return CaptureState::instance().initDialog(owner); }

int __cdecl buildRenderGraph() { return CaptureState::instance().buildRenderGraph(); }

int __cdecl destroyGraph() { return CaptureState::instance().destroyGraph(); }

int __cdecl startRender() { return CaptureState::instance().startRender(); }

int __cdecl stopRender() { return CaptureState::instance().stopRender(); }

void* __cdecl getRenderDib() { return CaptureState::instance().renderDib(); }

void __cdecl onChoseDevice(int n) { CaptureState::instance().choseDevice(n); }

void __cdecl wdmSetVideoFormat(HWND window) { CaptureState::instance().showFormatSettings(window); }

void __cdecl wdmSetVideoSource(HWND window) { CaptureState::instance().showSourceSettings(window); }

void __cdecl onDone() { CaptureState::instance().done(); }

// The message library goes when we are freed; at process exit the system
// takes it, and nothing else of ours may run under the loader lock.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        CaptureState::instance().unloadMessages();
    }
    return TRUE;
}

}  // extern "C"
