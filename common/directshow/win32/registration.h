// Registry entries of a COM server DLL (DllRegisterServer and its undoing):
// in-process classes, property pages among them, and instances of a device
// category, which is where the system device enumerator finds capture
// devices. All under HKEY_CLASSES_ROOT\CLSID.
#pragma once

#include <windows.h>

namespace kz8::directshow {

// {clsid}: default value `name`; InprocServer32: default value the path of
// `module`, ThreadingModel "Both". Property-page classes register the same way.
HRESULT registerInprocServer(const CLSID& clsid, const wchar_t* name, HMODULE module);
// Removes {clsid} with everything below it; S_OK when it was not there.
HRESULT unregisterInprocServer(const CLSID& clsid);

// {category}\Instance\<key>: values FriendlyName (left out when null) and
// CLSID, both strings.
HRESULT registerDeviceInstance(const CLSID& category, const wchar_t* key,
                               const wchar_t* friendlyName, const CLSID& clsid);
HRESULT unregisterDeviceInstance(const CLSID& category, const wchar_t* key);

}  // namespace kz8::directshow
