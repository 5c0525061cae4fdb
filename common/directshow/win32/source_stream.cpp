#include "common/directshow/win32/source_stream.h"

#include "common/directshow/win32/hresult.h"

namespace kz8::directshow {

namespace {
KernelHandle manualResetEvent() {
    KernelHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!event) throw std::bad_alloc();
    return event;
}
}  // namespace

SourceStream::SourceStream(BaseFilter& filter, const wchar_t* name)
    : OutputPin(filter, name), stopping_(manualResetEvent()), flowing_(manualResetEvent()) {}

SourceStream::~SourceStream() { deactivate(); }

HRESULT SourceStream::activate() {
    check(OutputPin::activate());
    ResetEvent(stopping_.get());
    if (!filter().isLive()) SetEvent(flowing_.get());
    thread_.reset(CreateThread(nullptr, 0, threadMain, this, 0, nullptr));
    if (!thread_) {
        HRESULT failure = HRESULT_FROM_WIN32(GetLastError());
        deactivate();
        return failure;
    }
    return S_OK;
}

HRESULT SourceStream::run(REFERENCE_TIME) {
    SetEvent(flowing_.get());
    return S_OK;
}

HRESULT SourceStream::pause() {
    if (filter().isLive()) ResetEvent(flowing_.get());
    return S_OK;
}

// The allocator is decommitted before the thread is joined: a thread
// waiting in getBuffer wakes only then.
void SourceStream::deactivate() {
    SetEvent(stopping_.get());
    OutputPin::deactivate();
    if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
    thread_.reset();
    ResetEvent(flowing_.get());
}

bool SourceStream::waitUnlessStopping(DWORD milliseconds) {
    return WaitForSingleObject(stopping_.get(), milliseconds) == WAIT_TIMEOUT;
}

bool SourceStream::waitUntilFlowing() {
    HANDLE events[] = {stopping_.get(), flowing_.get()};
    return WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1;
}

DWORD WINAPI SourceStream::threadMain(void* self) {
    static_cast<SourceStream*>(self)->stream();
    return 0;
}

void SourceStream::stream() {
    ComApartment apartment;
    while (waitUntilFlowing()) {
        ComPtr<IMediaSample> sample;
        // getBuffer fails once the allocator is decommitted: the filter is stopping.
        if (FAILED(getBuffer(sample)) || !fillAndDeliver(sample.get())) break;
    }
}

// False when the stream ends here.
bool SourceStream::fillAndDeliver(IMediaSample* sample) {
    HRESULT filled = hresultOf([&] { return fillBuffer(sample); });
    // A refusal downstream means it is stopping or broken, and it reports
    // for itself.
    if (filled == S_OK) return SUCCEEDED(deliver(sample));
    if (FAILED(filled)) filter().notifyEvent(EC_ERRORABORT, filled, 0);
    deliverEndOfStream();
    return false;
}

}  // namespace kz8::directshow
