// An output pin that delivers samples through the connected pin's
// IMemInputPin. On connection it takes the downstream pin's allocator (or a
// memory allocator of its own when that one does not suit), sizes it with
// decideBufferSize(), and commits it while the filter is paused or running.
#pragma once

#include <windows.h>

#include <dshow.h>

#include "common/directshow/win32/base_pin.h"

namespace kz8::directshow {

// For decideBufferSize: sets at least `count` buffers of `bytes` each (more
// when `request` asks for more); fails when the allocator gives less.
HRESULT requireBuffers(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request, long count,
                       long bytes);

class OutputPin : public BasePin {
public:
    OutputPin(BaseFilter& filter, const wchar_t* name);

    // Called on input pins only.
    STDMETHODIMP EndOfStream() override { return E_UNEXPECTED; }
    STDMETHODIMP BeginFlush() override { return E_UNEXPECTED; }
    STDMETHODIMP EndFlush() override { return E_UNEXPECTED; }

    HRESULT activate() override;  // commits the allocator
    void deactivate() override;   // decommits it, which wakes a thread waiting in getBuffer

    // An empty sample; waits while all are in use and fails once the
    // allocator is decommitted (the filter is stopping).
    HRESULT getBuffer(ComPtr<IMediaSample>& sample, DWORD flags = 0);
    HRESULT deliver(IMediaSample* sample);
    HRESULT deliverEndOfStream();
    HRESULT deliverBeginFlush();
    HRESULT deliverEndFlush();
    HRESULT deliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);
    IMemAllocator* allocator() const { return allocator_.get(); }

protected:
    // Sets the allocator's properties (IMemAllocator::SetProperties); `request`
    // holds what the downstream pin asked for, zeros when it asked nothing.
    virtual HRESULT decideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) = 0;
    HRESULT completeConnect(IPin* receiver) override;
    void breakConnect() override;

private:
    HRESULT useAllocator(IMemInputPin* input, IMemAllocator* allocator,
                         ALLOCATOR_PROPERTIES request);

    ComPtr<IMemInputPin> input_;
    ComPtr<IMemAllocator> allocator_;
};

}  // namespace kz8::directshow
