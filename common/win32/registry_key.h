// An open registry key, closed when its owner goes; not copyable, so that a
// key is closed exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace kz8 {
inline namespace common {

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { reset(); }
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) {
            reset();
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // For RegOpenKeyExA and its kin; a key held before is closed first.
    HKEY* put() {
        reset();
        return &key_;
    }
    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    void reset() {
        if (key_) RegCloseKey(std::exchange(key_, nullptr));
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace common
}  // namespace kz8
