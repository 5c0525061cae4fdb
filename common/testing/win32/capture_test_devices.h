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
    };

    // dllFolder is the Windows path of the folder holding TestCamera.dll and
    // ColourConverter.dll. What a crashed run left behind goes first. Throws
    // std::runtime_error, naming the key, when the registry refuses an entry.
    CaptureTestDevices(std::string dllFolder, std::vector<Instance> instances);
    ~CaptureTestDevices();
    CaptureTestDevices(const CaptureTestDevices&) = delete;
    CaptureTestDevices& operator=(const CaptureTestDevices&) = delete;

private:
    void registerServers() const;
    void registerInstances() const;
    void removeAll() const;
    bool isOurInstance(HKEY instances, const std::string& key) const;

    std::string dllFolder_;
    std::vector<Instance> instances_;
};

}  // namespace kz8::testkit
