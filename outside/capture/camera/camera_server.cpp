// TestCamera.dll's entry points: the COM server over the camera classes
// and their pages, and two exports for tests (LiveObjectCount,
// LastVfwDialog).
#include <windows.h>

#include <olectl.h>

#include "common/directshow/win32/class_factory.h"
#include "common/directshow/win32/hresult.h"
#include "common/directshow/win32/live_objects.h"
#include "common/directshow/win32/registration.h"
#include "outside/capture/camera/camera_filter.h"
#include "outside/capture/camera/camera_module.h"
#include "outside/capture/camera/format_page.h"
#include "outside/capture/camera/source_page.h"
#include "outside/capture/capture_ids.h"

namespace {

using namespace kz8::capture::testkit;
namespace directshow = kz8::directshow;

const directshow::ClassEntry kClasses[] = {
    {kTestCamera, createCamera},
    {kTestCameraVfw, createVfwCamera},
    {kTestCameraBindFails, createCameraFailingToBind},
    {kFormatPage, createFormatPage},
    {kSourcePage, createSourcePage},
};

struct ClassName {
    const CLSID& clsid;
    const wchar_t* name;
};

const ClassName kClassNames[] = {
    {kTestCamera, L"KZ8 Test Camera"},
    {kTestCameraVfw, L"KZ8 Test Camera (VfW dialogs)"},
    {kTestCameraBindFails, L"KZ8 Test Camera (fails to bind)"},
    {kFormatPage, L"KZ8 Test Camera Format Page"},
    {kSourcePage, L"KZ8 Test Camera Source Page"},
};

// Every class, even after a failure, so that nothing half-removed stays.
HRESULT unregisterAll() {
    HRESULT result = S_OK;
    for (const ClassName& entry : kClassNames) {
        HRESULT removed = directshow::unregisterInprocServer(entry.clsid);
        if (FAILED(removed) && SUCCEEDED(result)) result = removed;
    }
    return result;
}

}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return directshow::dllGetClassObject(kClasses, clsid, iid, out);
}

STDAPI DllCanUnloadNow() { return directshow::dllCanUnloadNow(); }

STDAPI DllRegisterServer() {
    for (const ClassName& entry : kClassNames) {
        HRESULT registered =
            directshow::registerInprocServer(entry.clsid, entry.name, cameraModule());
        if (FAILED(registered)) {
            unregisterAll();
            return registered;
        }
    }
    return S_OK;
}

STDAPI DllUnregisterServer() { return unregisterAll(); }

extern "C" LONG WINAPI LiveObjectCount() { return directshow::LiveObjects::objectCount(); }

extern "C" LONG WINAPI LastVfwDialog() { return lastVfwDialog(); }
