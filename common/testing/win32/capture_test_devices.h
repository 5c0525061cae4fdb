// Capture devices for tests: registers the stand-ins' classes (the test
// camera's, its pages', the converter's) and instances of the video capture
// category, where Wine's system device enumerator finds them, and removes
// all of it again. Only ever in the test prefix, which every test shares:
// tests that hold one take the CTest resource lock "capture_devices".
// Plain registry calls, so that linking it pulls no DirectShow in.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace kz8::testkit {

class CaptureTestDevices {
public:
    struct Instance {
        std::string key;  // the enumerator lists instances in order of key
        std::optional<std::string> friendlyName;
        CLSID cls;
        // The camera's starting mode, as "YUY2 161x120"; the default without.
        std::optional<std::string> mode = std::nullopt;
    };

    // dllFolder is the Windows path of the folder holding TestCamera.dll and
    // ColourConverter.dll. What a crashed run left behind goes first. Throws
    // std::runtime_error, naming the key, when the registry refuses an entry.
    CaptureTestDevices(std::string dllFolder, std::vector<Instance> instances);
    ~CaptureTestDevices();

    // The converter's class alone, for a test of a system without one.
    void removeConverter() const;
    void restoreConverter() const;
    CaptureTestDevices(const CaptureTestDevices&) = delete;
    CaptureTestDevices& operator=(const CaptureTestDevices&) = delete;

private:
    void registerServers() const;
    void registerServer(const CLSID& cls) const;
    void registerInstances() const;
    void removeAll() const;
    bool isOurInstance(HKEY instances, const std::string& key) const;

    std::string dllFolder_;
    std::vector<Instance> instances_;
};

// The live COM objects of a loaded stand-in (its export LiveObjectCount);
// 0 when the DLL is not loaded, -1 when it has no such export.
LONG standInLiveObjects(const char* dll);

}  // namespace kz8::testkit
