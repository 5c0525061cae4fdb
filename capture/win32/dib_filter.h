// The frame-grabbing filter at the end of the capture chain: it takes
// 24-bit RGB video, keeps the latest frame as packed bottom-up rows, and
// passes every sample on unchanged to whatever renders its output.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <atomic>

#include "capture/portable/frame_rows.h"
#include "capture/win32/dib_frame_access.h"
#include "common/directshow/win32/transform_filter.h"
#include "common/win32/critical_section.h"
#include "common/win32/handles.h"

namespace kz8::capture {

class DibFilter : public directshow::TransformFilter, public IDibFrameAccess {
public:
    DibFilter();

    HRESULT checkInputType(const directshow::MediaType& in) override;
    HRESULT checkTransform(const directshow::MediaType& in,
                           const directshow::MediaType& out) override;
    bool outputType(int index, const directshow::MediaType& in,
                    directshow::MediaType& out) override;
    HRESULT decideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT transform(IMediaSample* in, IMediaSample* out) override;

    // IDibFrameAccess
    STDMETHODIMP GetFrame(HGLOBAL* rows, LONG* width, LONG* height) override;
    STDMETHODIMP LockFrame(LONG lock) override;

protected:
    void* interfaceFor(REFIID iid) override;

private:
    bool keepFrame(const FrameShape& shape, const BYTE* sample, size_t sampleBytes);

    // Held by a reader between LockFrame(1) and LockFrame(0); an unlock
    // from a thread that holds no lock is refused rather than corrupting it.
    CriticalSection frameLock_;
    std::atomic<DWORD> lockOwner_{0};
    int lockDepth_ = 0;  // the owner's alone
    GlobalMemory frame_;
    FrameShape frameShape_;
    // Filled by the streaming thread alone, then swapped with frame_.
    GlobalMemory spare_;
};

// A new DibFilter, its first reference held by the result.
ComPtr<IBaseFilter> createDibFilter();

}  // namespace kz8::capture
