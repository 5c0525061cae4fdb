// A filter with one input and one output that makes an output sample from
// each input sample. The output offers types only once the input is
// connected. A sink has no output pin at all; with no connected output
// (a sink, or an output nobody connected) transform() sees the input only,
// and end-of-stream is reported to the graph as the stream's completion.
// A sink calls itself a renderer (IAMFilterMiscFlags): the graph waits for
// EC_COMPLETE only from filters that do.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <memory>

#include "common/directshow/win32/base_filter.h"
#include "common/directshow/win32/input_pin.h"
#include "common/directshow/win32/media_type.h"
#include "common/directshow/win32/output_pin.h"

namespace kz8::directshow {

class TransformFilter : public BaseFilter, public IAMFilterMiscFlags {
public:
    enum class Kind { transform, sink };

    TransformFilter(const CLSID& clsid, Kind kind);
    ~TransformFilter() override;

    int pinCount() override;
    BasePin* pin(int index) override;

    // IAMFilterMiscFlags, answered by sinks only.
    STDMETHODIMP_(ULONG) GetMiscFlags() override;

    // S_OK for an input type the filter takes.
    virtual HRESULT checkInputType(const MediaType& in) = 0;
    // S_OK when `in` can become `out`.
    virtual HRESULT checkTransform(const MediaType& in, const MediaType& out);
    // The output types offered for input `in`, by index; false past the last.
    virtual bool outputType(int index, const MediaType& in, MediaType& out);
    // As OutputPin::decideBufferSize, for the output's allocator.
    virtual HRESULT decideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request);
    // Makes `out` (its times and flags already copied from `in`) from `in`,
    // setting its data length; S_FALSE drops it. `out` is null when no
    // output is connected.
    virtual HRESULT transform(IMediaSample* in, IMediaSample* out) = 0;

    InputPin& input();
    OutputPin* output();  // null for a sink

protected:
    void* interfaceFor(REFIID iid) override;

private:
    class Input;
    class Output;

    // What the pins pass on to the filter.
    HRESULT receive(IMediaSample* in);
    HRESULT endOfStream();
    HRESULT beginFlush();
    HRESULT endFlush();
    void newSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);
    HRESULT checkOutputType(const MediaType& out);
    bool offeredOutputType(int index, MediaType& out);
    bool outputConnected() const;

    std::unique_ptr<ComClass<Input>> input_;
    std::unique_ptr<ComClass<Output>> output_;
};

}  // namespace kz8::directshow
