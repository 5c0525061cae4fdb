#include "common/directshow/win32/base_filter.h"

#include <algorithm>
#include <cwchar>

#include "common/directshow/win32/base_pin.h"
#include "common/directshow/win32/hresult.h"
#include "common/directshow/win32/pin_enumerator.h"

namespace kz8::directshow {

BaseFilter::BaseFilter(const CLSID& clsid) : clsid_(clsid) {}

void* BaseFilter::interfaceFor(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter ||
        iid == IID_IBaseFilter) {
        return static_cast<IBaseFilter*>(this);
    }
    return nullptr;
}

STDMETHODIMP BaseFilter::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = clsid_;
    return S_OK;
}

STDMETHODIMP BaseFilter::Stop() {
    return hresultOf([&] {
        SectionLock lock(filterLock_);
        // Refuse new samples first; deactivating the pins then wakes threads
        // blocked on allocators, and the streaming lock waits out the sample
        // that was in flight.
        state_ = State_Stopped;
        for (int i = 0; i < pinCount(); ++i) pin(i)->deactivate();
        SectionLock wait(streamingLock_);
    });
}

STDMETHODIMP BaseFilter::Pause() {
    return hresultOf([&] {
        SectionLock lock(filterLock_);
        if (state_ == State_Stopped) {
            pauseFromStopped();
        } else if (state_ == State_Running) {
            for (int i = 0; i < pinCount(); ++i) {
                if (pin(i)->isConnected()) check(pin(i)->pause());
            }
        }
        state_ = State_Paused;
        return pausedResult();
    });
}

void BaseFilter::pauseFromStopped() {
    try {
        for (int i = 0; i < pinCount(); ++i) {
            if (pin(i)->isConnected()) check(pin(i)->activate());
        }
    } catch (...) {
        for (int i = 0; i < pinCount(); ++i) pin(i)->deactivate();
        throw;
    }
}

STDMETHODIMP BaseFilter::Run(REFERENCE_TIME start) {
    return hresultOf([&] {
        SectionLock lock(filterLock_);
        if (state_ == State_Running) return S_OK;
        if (state_ == State_Stopped) {
            pauseFromStopped();
            state_ = State_Paused;
        }
        streamStart_ = start;
        for (int i = 0; i < pinCount(); ++i) {
            if (pin(i)->isConnected()) check(pin(i)->run(start));
        }
        state_ = State_Running;
        return S_OK;
    });
}

STDMETHODIMP BaseFilter::GetState(DWORD, FILTER_STATE* state) {
    if (!state) return E_POINTER;
    *state = state_;
    return state_ == State_Paused ? pausedResult() : S_OK;
}

HRESULT BaseFilter::pausedResult() const { return isLive() ? VFW_S_CANT_CUE : S_OK; }

STDMETHODIMP BaseFilter::SetSyncSource(IReferenceClock* clock) {
    SectionLock lock(filterLock_);
    clock_ = retain(clock);
    return S_OK;
}

STDMETHODIMP BaseFilter::GetSyncSource(IReferenceClock** clock) {
    if (!clock) return E_POINTER;
    SectionLock lock(filterLock_);
    handOut(clock_.get(), clock);
    return S_OK;
}

STDMETHODIMP BaseFilter::EnumPins(IEnumPins** pins) {
    return hresultOf([&] {
        checkPointer(pins);
        *pins = nullptr;
        handOut(makeComObject<IEnumPins, PinEnumerator>(*this).get(), pins);
    });
}

STDMETHODIMP BaseFilter::FindPin(LPCWSTR id, IPin** found) {
    if (!id || !found) return E_POINTER;
    *found = nullptr;
    for (int i = 0; i < pinCount(); ++i) {
        if (pin(i)->name() == id) {
            handOut<IPin>(pin(i), found);
            return S_OK;
        }
    }
    return VFW_E_NOT_FOUND;
}

STDMETHODIMP BaseFilter::QueryFilterInfo(FILTER_INFO* info) {
    if (!info) return E_POINTER;
    SectionLock lock(filterLock_);
    size_t length = std::min<size_t>(name_.size(), MAX_FILTER_NAME - 1);
    std::wmemcpy(info->achName, name_.c_str(), length);
    info->achName[length] = L'\0';
    handOut(graph_, &info->pGraph);
    return S_OK;
}

STDMETHODIMP BaseFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
    return hresultOf([&] {
        SectionLock lock(filterLock_);
        graph_ = graph;
        name_ = graph && name ? name : L"";
    });
}

STDMETHODIMP BaseFilter::QueryVendorInfo(LPWSTR*) { return E_NOTIMPL; }

HRESULT BaseFilter::notifyEvent(long code, LONG_PTR param1, LONG_PTR param2) {
    if (!graph_) return E_NOINTERFACE;
    ComPtr<IMediaEventSink> sink;
    HRESULT found = graph_->QueryInterface(IID_IMediaEventSink, sink.putVoid());
    return SUCCEEDED(found) ? sink->Notify(code, param1, param2) : found;
}

}  // namespace kz8::directshow
