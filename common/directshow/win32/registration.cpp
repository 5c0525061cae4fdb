#include "common/directshow/win32/registration.h"

#include <objbase.h>

#include <string>

#include "common/directshow/win32/hresult.h"
#include "common/win32/registry_key.h"

namespace kz8::directshow {

namespace {

constexpr DWORD kMaxPath = 32768;  // the longest path Windows knows

void checkStatus(LONG status) { check(HRESULT_FROM_WIN32(status)); }

std::wstring guidString(const GUID& guid) {
    wchar_t text[39] = {};
    StringFromGUID2(guid, text, 39);
    return text;
}

std::wstring classKeyPath(const CLSID& clsid) { return L"CLSID\\" + guidString(clsid); }

RegistryKey createKey(const std::wstring& path) {
    RegistryKey key;
    checkStatus(RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                key.put(), nullptr));
    return key;
}

void setString(const RegistryKey& key, const wchar_t* name, const std::wstring& value) {
    auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    checkStatus(RegSetValueExW(key.get(), name, 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(value.c_str()), bytes));
}

std::wstring modulePath(HMODULE module) {
    std::wstring path(kMaxPath, L'\0');
    DWORD length = GetModuleFileNameW(module, path.data(), kMaxPath);
    if (length == 0 || length >= kMaxPath) checkStatus(static_cast<LONG>(GetLastError()));
    path.resize(length);
    return path;
}

// RegDeleteTree is younger than the systems we run on.
void deleteKeyTree(HKEY parent, const std::wstring& name) {
    RegistryKey key;
    LONG opened = RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, key.put());
    if (opened == ERROR_FILE_NOT_FOUND) return;
    checkStatus(opened);
    wchar_t child[256];
    DWORD length = 256;
    while (RegEnumKeyExW(key.get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS) {
        deleteKeyTree(key.get(), child);
        length = 256;
    }
    key.reset();
    checkStatus(RegDeleteKeyW(parent, name.c_str()));
}

}  // namespace

HRESULT registerInprocServer(const CLSID& clsid, const wchar_t* name, HMODULE module) {
    return hresultOf([&] {
        std::wstring path = classKeyPath(clsid);
        setString(createKey(path), nullptr, name);
        RegistryKey server = createKey(path + L"\\InprocServer32");
        setString(server, nullptr, modulePath(module));
        setString(server, L"ThreadingModel", L"Both");
    });
}

HRESULT unregisterInprocServer(const CLSID& clsid) {
    return hresultOf([&] { deleteKeyTree(HKEY_CLASSES_ROOT, classKeyPath(clsid)); });
}

HRESULT registerDeviceInstance(const CLSID& category, const wchar_t* key,
                               const wchar_t* friendlyName, const CLSID& clsid) {
    return hresultOf([&] {
        checkPointer(key);
        RegistryKey instance = createKey(classKeyPath(category) + L"\\Instance\\" + key);
        if (friendlyName) setString(instance, L"FriendlyName", friendlyName);
        setString(instance, L"CLSID", guidString(clsid));
    });
}

HRESULT unregisterDeviceInstance(const CLSID& category, const wchar_t* key) {
    return hresultOf([&] {
        checkPointer(key);
        deleteKeyTree(HKEY_CLASSES_ROOT, classKeyPath(category) + L"\\Instance\\" + key);
    });
}

}  // namespace kz8::directshow
