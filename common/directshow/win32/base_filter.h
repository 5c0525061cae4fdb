// IBaseFilter with its Stopped / Paused / Running state machine. The filter
// lock guards state and connections; the streaming lock is held while a
// sample or end-of-stream is processed, so that Stop can wait for the one in
// flight. Streaming code never takes the filter lock (Stop holds it while it
// waits for the streaming lock).
#pragma once

#include <windows.h>

#include <dshow.h>

#include <atomic>
#include <string>

#include "common/directshow/win32/com_object.h"
#include "common/win32/critical_section.h"
#include "common/win32/handles.h"

namespace kz8::directshow {

class BasePin;

class BaseFilter : public ComObject, public IBaseFilter {
public:
    explicit BaseFilter(const CLSID& clsid);

    // IPersist
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    // IMediaFilter
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME start) override;
    STDMETHODIMP GetState(DWORD timeout, FILTER_STATE* state) override;
    STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
    STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;
    // IBaseFilter
    STDMETHODIMP EnumPins(IEnumPins** pins) override;
    STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
    STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    STDMETHODIMP QueryVendorInfo(LPWSTR* info) override;

    // The pins, the same ones in the same order for the filter's whole life.
    virtual int pinCount() = 0;
    virtual BasePin* pin(int index) = 0;
    // A live source has nothing to show until it runs: it pauses with
    // VFW_S_CANT_CUE, so that the graph does not wait for a first frame.
    virtual bool isLive() const { return false; }

    FILTER_STATE state() const { return state_; }
    REFERENCE_TIME streamStart() const { return streamStart_; }
    CriticalSection& filterLock() { return filterLock_; }
    CriticalSection& streamingLock() { return streamingLock_; }
    // Sends an event (EC_COMPLETE, EC_ERRORABORT...) to the graph we are in.
    HRESULT notifyEvent(long code, LONG_PTR param1, LONG_PTR param2);

protected:
    void* interfaceFor(REFIID iid) override;

private:
    void pauseFromStopped();
    HRESULT pausedResult() const;

    CLSID clsid_;
    CriticalSection filterLock_;
    CriticalSection streamingLock_;
    std::atomic<FILTER_STATE> state_{State_Stopped};
    REFERENCE_TIME streamStart_ = 0;
    ComPtr<IReferenceClock> clock_;
    // Not referenced: the graph holds us, and a reference back would keep
    // the whole graph alive.
    IFilterGraph* graph_ = nullptr;
    std::wstring name_;
};

}  // namespace kz8::directshow
