#include "common/directshow/win32/output_pin.h"

#include <algorithm>

#include "common/directshow/win32/hresult.h"

namespace kz8::directshow {

OutputPin::OutputPin(BaseFilter& filter, const wchar_t* name)
    : BasePin(filter, name, PINDIR_OUTPUT) {}

HRESULT OutputPin::completeConnect(IPin* receiver) {
    ComPtr<IMemInputPin> input;
    check(receiver->QueryInterface(IID_IMemInputPin, input.putVoid()));
    ALLOCATOR_PROPERTIES request{};
    input->GetAllocatorRequirements(&request);

    ComPtr<IMemAllocator> allocator;
    if (FAILED(input->GetAllocator(allocator.put())) ||
        FAILED(useAllocator(input.get(), allocator.get(), request))) {
        check(CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IMemAllocator, allocator.putVoid()));
        check(useAllocator(input.get(), allocator.get(), request));
    }
    input_ = std::move(input);
    allocator_ = std::move(allocator);
    return S_OK;
}

HRESULT OutputPin::useAllocator(IMemInputPin* input, IMemAllocator* allocator,
                                ALLOCATOR_PROPERTIES request) {
    HRESULT sized = hresultOf([&] { return decideBufferSize(allocator, &request); });
    return FAILED(sized) ? sized : input->NotifyAllocator(allocator, FALSE);
}

HRESULT requireBuffers(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request, long count,
                       long bytes) {
    request.cBuffers = std::max(request.cBuffers, count);
    request.cbBuffer = std::max(request.cbBuffer, bytes);
    request.cbAlign = std::max(request.cbAlign, 1L);
    ALLOCATOR_PROPERTIES actual{};
    HRESULT set = allocator->SetProperties(&request, &actual);
    if (FAILED(set)) return set;
    return actual.cBuffers >= count && actual.cbBuffer >= bytes ? S_OK : E_FAIL;
}

void OutputPin::breakConnect() {
    input_.reset();
    allocator_.reset();
}

HRESULT OutputPin::activate() { return allocator_ ? allocator_->Commit() : S_OK; }

void OutputPin::deactivate() {
    if (allocator_) allocator_->Decommit();
}

HRESULT OutputPin::getBuffer(ComPtr<IMediaSample>& sample, DWORD flags) {
    if (!allocator_) return VFW_E_NOT_CONNECTED;
    return allocator_->GetBuffer(sample.put(), nullptr, nullptr, flags);
}

HRESULT OutputPin::deliver(IMediaSample* sample) {
    return input_ ? input_->Receive(sample) : VFW_E_NOT_CONNECTED;
}

HRESULT OutputPin::deliverEndOfStream() {
    return isConnected() ? connectedPin()->EndOfStream() : VFW_E_NOT_CONNECTED;
}

HRESULT OutputPin::deliverBeginFlush() {
    return isConnected() ? connectedPin()->BeginFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT OutputPin::deliverEndFlush() {
    return isConnected() ? connectedPin()->EndFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT OutputPin::deliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    return isConnected() ? connectedPin()->NewSegment(start, stop, rate) : VFW_E_NOT_CONNECTED;
}

}  // namespace kz8::directshow
