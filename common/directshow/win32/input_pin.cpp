#include "common/directshow/win32/input_pin.h"

#include "common/directshow/win32/hresult.h"

namespace kz8::directshow {

InputPin::InputPin(BaseFilter& filter, const wchar_t* name) : BasePin(filter, name, PINDIR_INPUT) {}

void* InputPin::interfaceFor(REFIID iid) {
    if (iid == IID_IMemInputPin) return static_cast<IMemInputPin*>(this);
    return BasePin::interfaceFor(iid);
}

STDMETHODIMP InputPin::GetAllocator(IMemAllocator** allocator) {
    return hresultOf([&] {
        checkPointer(allocator);
        *allocator = nullptr;
        SectionLock lock(filter().filterLock());
        if (!allocator_) {
            check(CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IMemAllocator, allocator_.putVoid()));
        }
        handOut(allocator_.get(), allocator);
    });
}

STDMETHODIMP InputPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) {
    if (!allocator) return E_POINTER;
    SectionLock lock(filter().filterLock());
    allocator_ = retain(allocator);
    readOnly_ = readOnly != FALSE;
    return S_OK;
}

STDMETHODIMP InputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) { return E_NOTIMPL; }

HRESULT InputPin::checkStreaming() const {
    if (!isConnected()) return VFW_E_NOT_CONNECTED;
    if (filter().state() == State_Stopped) return VFW_E_WRONG_STATE;
    if (flushing_) return S_FALSE;
    if (endOfStream_) return VFW_E_SAMPLE_REJECTED_EOS;
    return S_OK;
}

STDMETHODIMP InputPin::Receive(IMediaSample* sample) {
    return hresultOf([&] {
        checkPointer(sample);
        SectionLock streaming(filter().streamingLock());
        HRESULT state = checkStreaming();
        return state == S_OK ? receive(sample) : state;
    });
}

STDMETHODIMP InputPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed) {
    if (!samples || !processed) return E_POINTER;
    HRESULT result = S_OK;
    for (*processed = 0; *processed < count; ++*processed) {
        result = Receive(samples[*processed]);
        if (result != S_OK) break;
    }
    return result;
}

STDMETHODIMP InputPin::ReceiveCanBlock() { return S_FALSE; }

STDMETHODIMP InputPin::EndOfStream() {
    return hresultOf([&] {
        SectionLock streaming(filter().streamingLock());
        HRESULT state = checkStreaming();
        if (state != S_OK) return state;
        endOfStream_ = true;
        return endOfStream();
    });
}

// No streaming lock here: a sample in flight may be blocked downstream, and
// only the flush passed on by beginFlush() frees it.
STDMETHODIMP InputPin::BeginFlush() {
    return hresultOf([&] {
        flushing_ = true;
        return beginFlush();
    });
}

STDMETHODIMP InputPin::EndFlush() {
    return hresultOf([&] {
        SectionLock streaming(filter().streamingLock());
        HRESULT result = endFlush();
        endOfStream_ = false;
        flushing_ = false;
        return result;
    });
}

HRESULT InputPin::activate() {
    flushing_ = false;
    endOfStream_ = false;
    return S_OK;
}

void InputPin::breakConnect() {
    allocator_.reset();
    readOnly_ = false;
}

}  // namespace kz8::directshow
