// IPin: connection negotiation in both directions and the defaults for the
// streaming calls. A pin is part of its filter: it shares the filter's
// reference count and lock, and its filter owns it.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <string>
#include <vector>

#include "common/directshow/win32/base_filter.h"
#include "common/directshow/win32/media_type.h"
#include "common/win32/handles.h"

namespace kz8::directshow {

class BasePin : public IPin {
public:
    BasePin(BaseFilter& filter, const wchar_t* name, PIN_DIRECTION direction);
    virtual ~BasePin() = default;
    BasePin(const BasePin&) = delete;
    BasePin& operator=(const BasePin&) = delete;

    ULONG addRef() { return filter_.addRef(); }
    ULONG release() { return filter_.release(); }
    HRESULT queryInterface(REFIID iid, void** out);

    // IPin
    STDMETHODIMP Connect(IPin* receiver, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP ConnectedTo(IPin** pin) override;
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
    STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
    STDMETHODIMP QueryId(LPWSTR* id) override;
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
    STDMETHODIMP QueryInternalConnections(IPin** pins, ULONG* count) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    BaseFilter& filter() const { return filter_; }
    const std::wstring& name() const { return name_; }
    PIN_DIRECTION direction() const { return direction_; }
    bool isConnected() const { return static_cast<bool>(peer_); }
    IPin* connectedPin() const { return peer_.get(); }
    const MediaType& connectionType() const { return type_; }

    // S_OK when the pin can carry `type`.
    virtual HRESULT checkMediaType(const MediaType& type) = 0;
    // The types the pin prefers, by index; false past the last one.
    virtual bool mediaType(int, MediaType&) { return false; }

    // State changes of the filter, with the filter lock held. The first three
    // reach connected pins only; deactivate reaches every pin, so it must
    // tolerate being called when nothing was activated.
    virtual HRESULT activate() { return S_OK; }           // Stopped to Paused
    virtual HRESULT run(REFERENCE_TIME) { return S_OK; }  // Paused to Running
    virtual HRESULT pause() { return S_OK; }              // Running to Paused
    virtual void deactivate() {}                          // to Stopped

protected:
    // After both pins agreed on connectionType(); a failure undoes the connection.
    virtual HRESULT completeConnect(IPin*) { return S_OK; }
    // Before the connection goes, and after a failed completeConnect.
    virtual void breakConnect() {}
    virtual void* interfaceFor(REFIID iid);

private:
    HRESULT checkCanConnect(IPin* peer) const;
    HRESULT tryConnection(IPin* receiver, const MediaType& type);
    HRESULT connectAnyType(IPin* receiver, const AM_MEDIA_TYPE* pattern);
    std::vector<MediaType> candidateTypes(IPin* receiver);
    void setConnection(IPin* peer, const MediaType& type);
    void clearConnection();

    BaseFilter& filter_;
    std::wstring name_;
    PIN_DIRECTION direction_;
    ComPtr<IPin> peer_;
    MediaType type_;
};

}  // namespace kz8::directshow
