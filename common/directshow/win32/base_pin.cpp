#include "common/directshow/win32/base_pin.h"

#include <algorithm>
#include <cwchar>

#include "common/directshow/win32/hresult.h"
#include "common/directshow/win32/media_type_enumerator.h"

namespace kz8::directshow {

BasePin::BasePin(BaseFilter& filter, const wchar_t* name, PIN_DIRECTION direction)
    : filter_(filter), name_(name), direction_(direction) {}

HRESULT BasePin::queryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = interfaceFor(iid);
    if (!*out) return E_NOINTERFACE;
    addRef();
    return S_OK;
}

void* BasePin::interfaceFor(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IPin) return static_cast<IPin*>(this);
    return nullptr;
}

STDMETHODIMP BasePin::Connect(IPin* receiver, const AM_MEDIA_TYPE* type) {
    return hresultOf([&] {
        checkPointer(receiver);
        SectionLock lock(filter_.filterLock());
        check(checkCanConnect(receiver));
        if (type) {
            MediaType wanted(*type);
            if (!wanted.isPartial()) return tryConnection(receiver, wanted);
        }
        return connectAnyType(receiver, type);
    });
}

HRESULT BasePin::checkCanConnect(IPin* peer) const {
    if (isConnected()) return VFW_E_ALREADY_CONNECTED;
    if (filter_.state() != State_Stopped) return VFW_E_NOT_STOPPED;
    PIN_DIRECTION peerDirection;
    check(peer->QueryDirection(&peerDirection));
    return peerDirection == direction_ ? VFW_E_INVALID_DIRECTION : S_OK;
}

HRESULT BasePin::connectAnyType(IPin* receiver, const AM_MEDIA_TYPE* pattern) {
    for (const MediaType& type : candidateTypes(receiver)) {
        if (type.isPartial() || (pattern && !type.matches(*pattern))) continue;
        if (SUCCEEDED(tryConnection(receiver, type))) return S_OK;
    }
    return VFW_E_NO_ACCEPTABLE_TYPES;
}

// The receiver's preferred types first, then ours.
std::vector<MediaType> BasePin::candidateTypes(IPin* receiver) {
    std::vector<MediaType> types;
    ComPtr<IEnumMediaTypes> theirs;
    if (SUCCEEDED(receiver->EnumMediaTypes(theirs.put())) && theirs) {
        AM_MEDIA_TYPE* type = nullptr;
        while (theirs->Next(1, &type, nullptr) == S_OK) {
            MediaType copy(*type);
            deleteMediaType(type);
            types.push_back(std::move(copy));
        }
    }
    for (int i = 0;; ++i) {
        MediaType ours;
        if (!mediaType(i, ours)) break;
        types.push_back(std::move(ours));
    }
    return types;
}

HRESULT BasePin::tryConnection(IPin* receiver, const MediaType& type) {
    if (checkMediaType(type) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
    setConnection(receiver, type);
    HRESULT result = receiver->ReceiveConnection(this, &type.get());
    if (SUCCEEDED(result)) {
        result = hresultOf([&] { return completeConnect(receiver); });
        if (FAILED(result)) receiver->Disconnect();
    }
    if (FAILED(result)) clearConnection();
    return result;
}

STDMETHODIMP BasePin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) {
    return hresultOf([&] {
        checkPointer(connector);
        checkPointer(type);
        SectionLock lock(filter_.filterLock());
        check(checkCanConnect(connector));
        MediaType offered(*type);
        if (checkMediaType(offered) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
        setConnection(connector, offered);
        HRESULT result = hresultOf([&] { return completeConnect(connector); });
        if (FAILED(result)) clearConnection();
        return result;
    });
}

void BasePin::setConnection(IPin* peer, const MediaType& type) {
    type_ = type;
    peer_ = retain(peer);
}

void BasePin::clearConnection() {
    breakConnect();
    peer_.reset();
    type_ = MediaType();
}

STDMETHODIMP BasePin::Disconnect() {
    SectionLock lock(filter_.filterLock());
    if (filter_.state() != State_Stopped) return VFW_E_NOT_STOPPED;
    if (!isConnected()) return S_FALSE;
    clearConnection();
    return S_OK;
}

STDMETHODIMP BasePin::ConnectedTo(IPin** pin) {
    if (!pin) return E_POINTER;
    SectionLock lock(filter_.filterLock());
    handOut(peer_.get(), pin);
    return isConnected() ? S_OK : VFW_E_NOT_CONNECTED;
}

STDMETHODIMP BasePin::ConnectionMediaType(AM_MEDIA_TYPE* type) {
    return hresultOf([&] {
        checkPointer(type);
        *type = AM_MEDIA_TYPE{};
        SectionLock lock(filter_.filterLock());
        if (!isConnected()) return VFW_E_NOT_CONNECTED;
        type_.copyTo(*type);
        return S_OK;
    });
}

STDMETHODIMP BasePin::QueryPinInfo(PIN_INFO* info) {
    if (!info) return E_POINTER;
    handOut<IBaseFilter>(&filter_, &info->pFilter);
    size_t length = std::min<size_t>(name_.size(), MAX_PIN_NAME - 1);
    std::wmemcpy(info->achName, name_.c_str(), length);
    info->achName[length] = L'\0';
    info->dir = direction_;
    return S_OK;
}

STDMETHODIMP BasePin::QueryDirection(PIN_DIRECTION* direction) {
    if (!direction) return E_POINTER;
    *direction = direction_;
    return S_OK;
}

STDMETHODIMP BasePin::QueryId(LPWSTR* id) {
    if (!id) return E_POINTER;
    size_t bytes = (name_.size() + 1) * sizeof(wchar_t);
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*id) return E_OUTOFMEMORY;
    std::wmemcpy(*id, name_.c_str(), name_.size() + 1);
    return S_OK;
}

STDMETHODIMP BasePin::QueryAccept(const AM_MEDIA_TYPE* type) {
    return hresultOf([&] {
        checkPointer(type);
        return checkMediaType(MediaType(*type)) == S_OK ? S_OK : S_FALSE;
    });
}

STDMETHODIMP BasePin::EnumMediaTypes(IEnumMediaTypes** types) {
    return hresultOf([&] {
        checkPointer(types);
        *types = nullptr;
        handOut(makeComObject<IEnumMediaTypes, MediaTypeEnumerator>(*this).get(), types);
    });
}

STDMETHODIMP BasePin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }
STDMETHODIMP BasePin::EndOfStream() { return S_OK; }
STDMETHODIMP BasePin::BeginFlush() { return S_OK; }
STDMETHODIMP BasePin::EndFlush() { return S_OK; }
STDMETHODIMP BasePin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }

}  // namespace kz8::directshow
