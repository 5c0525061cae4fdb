// An input pin that takes samples through IMemInputPin. It refuses samples
// while the filter is stopped, while flushing and after end-of-stream, and
// hands the rest to receive() with the filter's streaming lock held.
// Samples carrying a new media type are taken as they are: none of the
// filters upstream of ours changes format in mid-stream.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <atomic>

#include "common/directshow/win32/base_pin.h"

namespace kz8::directshow {

class InputPin : public BasePin, public IMemInputPin {
public:
    InputPin(BaseFilter& filter, const wchar_t* name);

    // IMemInputPin
    STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) override;
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP ReceiveMultiple(IMediaSample** samples, long count, long* processed) override;
    STDMETHODIMP ReceiveCanBlock() override;

    // IPin
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;

    HRESULT activate() override;
    bool isFlushing() const { return flushing_; }
    // Samples from a read-only allocator must not be written to.
    bool samplesAreReadOnly() const { return readOnly_; }

protected:
    // One sample, on the upstream thread, with the streaming lock held.
    virtual HRESULT receive(IMediaSample* sample) = 0;
    // Upstream sends no more samples (the streaming lock held).
    virtual HRESULT endOfStream() { return S_OK; }
    // Called before samples are refused and after they are taken again; a
    // filter passing samples on forwards these downstream.
    virtual HRESULT beginFlush() { return S_OK; }
    virtual HRESULT endFlush() { return S_OK; }

    void breakConnect() override;
    void* interfaceFor(REFIID iid) override;

private:
    HRESULT checkStreaming() const;

    ComPtr<IMemAllocator> allocator_;
    bool readOnly_ = false;
    std::atomic<bool> flushing_{false};
    std::atomic<bool> endOfStream_{false};
};

}  // namespace kz8::directshow
