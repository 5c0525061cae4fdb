#include "common/testing/win32/capture_test_devices.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "common/win32/registry_key.h"
#include "outside/capture/capture_ids.h"

namespace kz8::testkit {

namespace {

namespace ids = kz8::capture::testkit;

// CLSID_VideoInputDeviceCategory's instances, under HKEY_CLASSES_ROOT.
constexpr char kInstancesPath[] = "CLSID\\{860BB310-5D01-11D0-BD3B-00A0C911CE86}\\Instance";
constexpr char kCameraDll[] = "TestCamera.dll";
constexpr char kConverterDll[] = "ColourConverter.dll";
constexpr DWORD kLongestKeyName = 256;

struct ServerClass {
    const CLSID& cls;
    const char* name;
    const char* dll;
};

const ServerClass kServerClasses[] = {
    {ids::kTestCamera, "Test Camera", kCameraDll},
    {ids::kTestCameraVfw, "Test Camera (VfW dialogs)", kCameraDll},
    {ids::kTestCameraBindFails, "Test Camera (fails to bind)", kCameraDll},
    {ids::kFormatPage, "Test Camera Format", kCameraDll},
    {ids::kSourcePage, "Test Camera Source", kCameraDll},
    {ids::kColourConverter, "Colour Converter (test)", kConverterDll},
};

// The "{...}" form the enumerator reads back; no COM needed for it.
std::string guidText(const GUID& guid) {
    char text[39];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                  guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                  guid.Data4[6], guid.Data4[7]);
    return text;
}

std::string classPath(const CLSID& cls) { return "CLSID\\" + guidText(cls); }

bool sameName(const std::string& a, const std::string& b) {
    return _stricmp(a.c_str(), b.c_str()) == 0;
}

void checkStatus(LONG status, const std::string& what) {
    if (status != ERROR_SUCCESS) {
        throw std::runtime_error("CaptureTestDevices: " + what + " failed, error " +
                                 std::to_string(status));
    }
}

RegistryKey createKey(const std::string& path) {
    RegistryKey key;
    checkStatus(RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                key.put(), nullptr),
                "creating HKCR\\" + path);
    return key;
}

void setString(const RegistryKey& key, const char* name, const std::string& value,
               const std::string& path) {
    auto bytes = static_cast<DWORD>(value.size() + 1);
    checkStatus(RegSetValueExA(key.get(), name, 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(value.c_str()), bytes),
                "writing " + std::string(name ? name : "the default value") + " of HKCR\\" + path);
}

RegistryKey openKey(HKEY parent, const std::string& path) {
    RegistryKey key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ | KEY_WRITE, key.put()) != ERROR_SUCCESS) {
        key.reset();
    }
    return key;
}

std::vector<std::string> subkeyNames(HKEY key) {
    std::vector<std::string> names;
    char name[kLongestKeyName];
    for (DWORD index = 0;; ++index) {
        DWORD length = kLongestKeyName;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            return names;
        }
        names.emplace_back(name, length);
    }
}

// RegDeleteTree is younger than the systems we build for. Missing keys are
// fine: removal is also how leftovers are cleared.
void deleteTree(HKEY parent, const std::string& name) {
    RegistryKey key = openKey(parent, name);
    if (!key) return;
    for (const std::string& child : subkeyNames(key.get())) deleteTree(key.get(), child);
    key.reset();
    RegDeleteKeyA(parent, name.c_str());
}

std::string stringValue(HKEY parent, const std::string& key, const char* name) {
    RegistryKey opened = openKey(parent, key);
    char text[kLongestKeyName] = {};
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    if (!opened ||
        RegQueryValueExA(opened.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return {};
    }
    return text;
}

bool namesOneOfOurClasses(const std::string& clsid) {
    for (const ServerClass& server : kServerClasses) {
        if (sameName(guidText(server.cls), clsid)) return true;
    }
    return false;
}

}  // namespace

CaptureTestDevices::CaptureTestDevices(std::string dllFolder, std::vector<Instance> instances)
    : dllFolder_(std::move(dllFolder)), instances_(std::move(instances)) {
    removeAll();
    try {
        registerServers();
        registerInstances();
    } catch (...) {
        removeAll();
        throw;
    }
}

CaptureTestDevices::~CaptureTestDevices() { removeAll(); }

void CaptureTestDevices::registerServers() const {
    for (const ServerClass& server : kServerClasses) registerServer(server.cls);
}

void CaptureTestDevices::registerServer(const CLSID& cls) const {
    std::string folder = dllFolder_;
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    for (const ServerClass& server : kServerClasses) {
        if (server.cls != cls) continue;
        const std::string path = classPath(server.cls);
        setString(createKey(path), nullptr, server.name, path);
        const std::string serverPath = path + "\\InprocServer32";
        RegistryKey inproc = createKey(serverPath);
        setString(inproc, nullptr, folder + server.dll, serverPath);
        setString(inproc, "ThreadingModel", "Both", serverPath);
    }
}

void CaptureTestDevices::registerInstances() const {
    for (const Instance& instance : instances_) {
        const std::string path = std::string(kInstancesPath) + "\\" + instance.key;
        RegistryKey key = createKey(path);
        if (instance.friendlyName) setString(key, "FriendlyName", *instance.friendlyName, path);
        if (instance.mode) setString(key, "KZ8Mode", *instance.mode, path);
        setString(key, "CLSID", guidText(instance.cls), path);
    }
}

// Ours are the keys we were given and any instance of a stand-in class, which
// is what an earlier run that never got to clean up leaves behind.
bool CaptureTestDevices::isOurInstance(HKEY instances, const std::string& key) const {
    for (const Instance& instance : instances_) {
        if (sameName(instance.key, key)) return true;
    }
    return namesOneOfOurClasses(stringValue(instances, key, "CLSID"));
}

void CaptureTestDevices::removeConverter() const {
    deleteTree(HKEY_CLASSES_ROOT, classPath(ids::kColourConverter));
}

void CaptureTestDevices::restoreConverter() const { registerServer(ids::kColourConverter); }

void CaptureTestDevices::removeAll() const {
    if (RegistryKey instances = openKey(HKEY_CLASSES_ROOT, kInstancesPath)) {
        for (const std::string& key : subkeyNames(instances.get())) {
            if (isOurInstance(instances.get(), key)) deleteTree(instances.get(), key);
        }
    }
    for (const ServerClass& server : kServerClasses) {
        deleteTree(HKEY_CLASSES_ROOT, classPath(server.cls));
    }
}

LONG standInLiveObjects(const char* dll) {
    HMODULE module = GetModuleHandleA(dll);
    if (!module) return 0;
    using Count = LONG(WINAPI*)();
    auto count =
        reinterpret_cast<Count>(reinterpret_cast<void*>(GetProcAddress(module, "LiveObjectCount")));
    return count ? count() : -1;
}

}  // namespace kz8::testkit
