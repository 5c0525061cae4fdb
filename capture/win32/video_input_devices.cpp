#include "capture/win32/video_input_devices.h"

#include <uuids.h>

#include <vector>

namespace kz8::capture {

namespace {

ComPtr<IEnumMoniker> videoInputMonikers() {
    ComPtr<ICreateDevEnum> enumerator;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER,
                                IID_ICreateDevEnum, enumerator.putVoid()))) {
        return {};
    }
    ComPtr<IEnumMoniker> monikers;
    if (enumerator->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, monikers.put(), 0) !=
        S_OK) {
        return {};
    }
    return monikers;
}

// The device's "FriendlyName"; empty when its bag cannot be bound or read.
std::string friendlyName(IMoniker* moniker) {
    ComPtr<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.putVoid()))) {
        return {};
    }
    VARIANT name;
    VariantInit(&name);
    name.vt = VT_BSTR;
    std::string text;
    if (SUCCEEDED(bag->Read(L"FriendlyName", &name, nullptr)) && name.vt == VT_BSTR) {
        text = ansiText(name.bstrVal);
    }
    VariantClear(&name);
    return text;
}

}  // namespace

std::string ansiText(const wchar_t* text) {
    if (!text) return {};
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return {};
    std::vector<char> converted(static_cast<size_t>(bytes));
    WideCharToMultiByte(CP_ACP, 0, text, -1, converted.data(), bytes, nullptr, nullptr);
    return std::string(converted.data());
}

bool isAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

void listVideoInputDevices(DeviceNames& names) {
    ComPtr<IEnumMoniker> monikers = videoInputMonikers();
    if (!monikers) return;
    names.clear();
    for (ComPtr<IMoniker> moniker; monikers->Next(1, moniker.put(), nullptr) == S_OK;) {
        if (!names.add(friendlyName(moniker.get()), isAnsiLeadByte)) break;
    }
}

ComPtr<IBaseFilter> bindVideoInputDevice(int index) {
    ComPtr<IEnumMoniker> monikers = videoInputMonikers();
    if (!monikers || index < 0) return {};
    ComPtr<IMoniker> moniker;
    for (int position = 0; position <= index; ++position) {
        if (monikers->Next(1, moniker.put(), nullptr) != S_OK) return {};
    }
    ComPtr<IBaseFilter> filter;
    if (FAILED(moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.putVoid()))) {
        return {};
    }
    return filter;
}

}  // namespace kz8::capture
