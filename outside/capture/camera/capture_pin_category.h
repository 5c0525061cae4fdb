// IKsPropertySet on the camera's pin, answering only the pin category
// (capture): the capture graph builder picks pins by it.
#pragma once

#include <windows.h>

#include <dshow.h>

namespace kz8::capture::testkit {

class CapturePinCategory : public IKsPropertySet {
public:
    // Part of `pin`, whose reference count it shares.
    explicit CapturePinCategory(IPin& pin) : pin_(pin) {}
    CapturePinCategory(const CapturePinCategory&) = delete;
    CapturePinCategory& operator=(const CapturePinCategory&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        return pin_.QueryInterface(iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return pin_.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return pin_.Release(); }

    STDMETHODIMP Set(REFGUID set, DWORD id, void* instance, DWORD instanceBytes, void* data,
                     DWORD dataBytes) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, void* instance, DWORD instanceBytes, void* data,
                     DWORD dataBytes, DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

private:
    IPin& pin_;
};

}  // namespace kz8::capture::testkit
