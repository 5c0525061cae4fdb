// The output pin of a source filter: a thread of its own fills samples with
// fillBuffer() and delivers them while the filter is active. A live source's
// stream flows only while the filter runs; any other flows once paused.
#pragma once

#include <windows.h>

#include "common/directshow/win32/output_pin.h"
#include "common/win32/handles.h"

namespace kz8::directshow {

class SourceStream : public OutputPin {
public:
    SourceStream(BaseFilter& filter, const wchar_t* name);
    // The filter must be stopped before its last reference goes (the graph
    // does that); stopping here is only a last resort.
    ~SourceStream() override;

    HRESULT activate() override;
    HRESULT run(REFERENCE_TIME start) override;
    HRESULT pause() override;
    void deactivate() override;

protected:
    // Fills one sample, on the streaming thread: S_OK delivers it, S_FALSE
    // ends the stream (end-of-stream goes downstream), a failure aborts it
    // (EC_ERRORABORT to the graph). Times and flags are the filler's to set.
    virtual HRESULT fillBuffer(IMediaSample* sample) = 0;
    // For pacing inside fillBuffer: waits up to `milliseconds`; false when
    // the stream is stopping.
    bool waitUnlessStopping(DWORD milliseconds);

private:
    static DWORD WINAPI threadMain(void* self);
    void stream();
    bool waitUntilFlowing();
    bool fillAndDeliver(IMediaSample* sample);

    KernelHandle stopping_;
    KernelHandle flowing_;
    KernelHandle thread_;
};

}  // namespace kz8::directshow
