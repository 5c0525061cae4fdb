#include "common/directshow/win32/transform_filter.h"

#include "common/directshow/win32/hresult.h"

namespace kz8::directshow {

namespace {

void copySampleProperties(IMediaSample& from, IMediaSample& to) {
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    HRESULT timed = from.GetTime(&start, &stop);
    if (SUCCEEDED(timed)) to.SetTime(&start, timed == VFW_S_NO_STOP_TIME ? nullptr : &stop);
    LONGLONG mediaStart = 0;
    LONGLONG mediaStop = 0;
    if (from.GetMediaTime(&mediaStart, &mediaStop) == S_OK) {
        to.SetMediaTime(&mediaStart, &mediaStop);
    }
    to.SetSyncPoint(from.IsSyncPoint() == S_OK);
    to.SetPreroll(from.IsPreroll() == S_OK);
    to.SetDiscontinuity(from.IsDiscontinuity() == S_OK);
}

}  // namespace

class TransformFilter::Input : public InputPin {
public:
    explicit Input(TransformFilter& filter) : InputPin(filter, L"Input"), owner_(filter) {}

    HRESULT checkMediaType(const MediaType& type) override { return owner_.checkInputType(type); }
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override {
        owner_.newSegment(start, stop, rate);
        return S_OK;
    }

protected:
    HRESULT receive(IMediaSample* sample) override { return owner_.receive(sample); }
    HRESULT endOfStream() override { return owner_.endOfStream(); }
    HRESULT beginFlush() override { return owner_.beginFlush(); }
    HRESULT endFlush() override { return owner_.endFlush(); }

private:
    TransformFilter& owner_;
};

class TransformFilter::Output : public OutputPin {
public:
    explicit Output(TransformFilter& filter) : OutputPin(filter, L"Output"), owner_(filter) {}

    HRESULT checkMediaType(const MediaType& type) override { return owner_.checkOutputType(type); }
    bool mediaType(int index, MediaType& type) override {
        return owner_.offeredOutputType(index, type);
    }

protected:
    HRESULT decideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override {
        return owner_.decideBufferSize(allocator, request);
    }

private:
    TransformFilter& owner_;
};

TransformFilter::TransformFilter(const CLSID& clsid, Kind kind)
    : BaseFilter(clsid), input_(std::make_unique<ComClass<Input>>(*this)) {
    if (kind == Kind::transform) output_ = std::make_unique<ComClass<Output>>(*this);
}

TransformFilter::~TransformFilter() = default;

int TransformFilter::pinCount() { return output_ ? 2 : 1; }

BasePin* TransformFilter::pin(int index) {
    if (index == 0) return input_.get();
    if (index == 1) return output_.get();
    return nullptr;
}

void* TransformFilter::interfaceFor(REFIID iid) {
    if (iid == IID_IAMFilterMiscFlags && !output_) return static_cast<IAMFilterMiscFlags*>(this);
    return BaseFilter::interfaceFor(iid);
}

STDMETHODIMP_(ULONG) TransformFilter::GetMiscFlags() { return AM_FILTER_MISC_FLAGS_IS_RENDERER; }

InputPin& TransformFilter::input() { return *input_; }
OutputPin* TransformFilter::output() { return output_.get(); }

HRESULT TransformFilter::checkTransform(const MediaType&, const MediaType&) {
    return VFW_E_TYPE_NOT_ACCEPTED;
}

bool TransformFilter::outputType(int, const MediaType&, MediaType&) { return false; }

HRESULT TransformFilter::decideBufferSize(IMemAllocator*, ALLOCATOR_PROPERTIES*) {
    return E_NOTIMPL;
}

bool TransformFilter::outputConnected() const { return output_ && output_->isConnected(); }

HRESULT TransformFilter::checkOutputType(const MediaType& out) {
    if (!input_->isConnected()) return VFW_E_NOT_CONNECTED;
    return checkTransform(input_->connectionType(), out);
}

bool TransformFilter::offeredOutputType(int index, MediaType& out) {
    return input_->isConnected() && outputType(index, input_->connectionType(), out);
}

HRESULT TransformFilter::receive(IMediaSample* in) {
    if (!outputConnected()) return transform(in, nullptr);
    ComPtr<IMediaSample> out;
    check(output_->getBuffer(out));
    copySampleProperties(*in, *out.get());
    if (check(transform(in, out.get())) == S_FALSE) return S_OK;
    return output_->deliver(out.get());
}

HRESULT TransformFilter::endOfStream() {
    if (outputConnected()) return output_->deliverEndOfStream();
    auto self = reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this));
    return notifyEvent(EC_COMPLETE, S_OK, self);
}

HRESULT TransformFilter::beginFlush() {
    return outputConnected() ? output_->deliverBeginFlush() : S_OK;
}

HRESULT TransformFilter::endFlush() {
    return outputConnected() ? output_->deliverEndFlush() : S_OK;
}

void TransformFilter::newSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    if (outputConnected()) output_->deliverNewSegment(start, stop, rate);
}

}  // namespace kz8::directshow
