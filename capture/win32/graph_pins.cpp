#include "capture/win32/graph_pins.h"

#include <uuids.h>

#include <functional>
#include <vector>

#include "common/directshow/win32/media_type.h"

namespace kz8::capture {

namespace {

MajorType majorTypeOf(const AM_MEDIA_TYPE& type) {
    if (type.majortype == MEDIATYPE_Video) return MajorType::video;
    if (type.majortype == MEDIATYPE_Audio) return MajorType::audio;
    return MajorType::other;
}

ComPtr<IPin> firstPinWhere(IBaseFilter* filter, const std::function<bool(IPin*)>& wanted) {
    ComPtr<IEnumPins> pins;
    if (!filter || FAILED(filter->EnumPins(pins.put())) || !pins) return {};
    for (ComPtr<IPin> pin; pins->Next(1, pin.put(), nullptr) == S_OK;) {
        if (wanted(pin.get())) return pin;
    }
    return {};
}

bool hasDirection(IPin* pin, PIN_DIRECTION wanted) {
    PIN_DIRECTION direction{};
    return SUCCEEDED(pin->QueryDirection(&direction)) && direction == wanted;
}

}  // namespace

MediaKind mediaKindOfPin(IPin* pin) {
    std::vector<MajorType> majors;
    ComPtr<IEnumMediaTypes> types;
    if (SUCCEEDED(pin->EnumMediaTypes(types.put())) && types) {
        for (AM_MEDIA_TYPE* type = nullptr; types->Next(1, &type, nullptr) == S_OK;) {
            majors.push_back(majorTypeOf(*type));
            directshow::deleteMediaType(type);
        }
    }
    return mediaKindOf(majors);
}

ComPtr<IPin> firstPin(IBaseFilter* filter, PIN_DIRECTION direction) {
    return firstPinWhere(filter, [&](IPin* pin) { return hasDirection(pin, direction); });
}

ComPtr<IPin> firstVideoOutput(IBaseFilter* filter) {
    return firstPinWhere(filter, [](IPin* pin) {
        return hasDirection(pin, PINDIR_OUTPUT) && includesVideo(mediaKindOfPin(pin));
    });
}

ComPtr<IBaseFilter> owningFilter(IPin* pin) {
    PIN_INFO info{};
    if (!pin || FAILED(pin->QueryPinInfo(&info))) return {};
    return ComPtr<IBaseFilter>(info.pFilter);  // QueryPinInfo gave us its reference
}

}  // namespace kz8::capture
