// ColourConverter.dll: the COM server around the converter stand-in. Tests
// read LiveObjectCount to see that a graph let go of every object.
#include <windows.h>

#include <objbase.h>
#include <olectl.h>

#include "common/directshow/win32/class_factory.h"
#include "common/directshow/win32/live_objects.h"
#include "common/directshow/win32/registration.h"
#include "outside/capture/capture_ids.h"
#include "outside/capture/converter/colour_converter.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

using kz8::capture::testkit::kColourConverter;

const kz8::directshow::ClassEntry kClasses[] = {
    {kColourConverter, kz8::capture::testkit::createColourConverter},
};

HMODULE thisModule() { return reinterpret_cast<HMODULE>(&__ImageBase); }

}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return kz8::directshow::dllGetClassObject(kClasses, clsid, iid, out);
}

STDAPI DllCanUnloadNow() { return kz8::directshow::dllCanUnloadNow(); }

STDAPI DllRegisterServer() {
    return kz8::directshow::registerInprocServer(kColourConverter, L"Colour Converter (test)",
                                                 thisModule());
}

STDAPI DllUnregisterServer() { return kz8::directshow::unregisterInprocServer(kColourConverter); }

extern "C" LONG WINAPI LiveObjectCount() { return kz8::directshow::LiveObjects::objectCount(); }
