#include "common/directshow/win32/media_type_enumerator.h"

#include <utility>

#include "common/directshow/win32/base_pin.h"
#include "common/directshow/win32/hresult.h"

namespace kz8::directshow {

MediaTypeEnumerator::MediaTypeEnumerator(BasePin& pin)
    : pin_(pin), pinReference_(retain<IPin>(&pin)) {
    takeSnapshot();
}

MediaTypeEnumerator::MediaTypeEnumerator(BasePin& pin, std::vector<MediaType> types,
                                         size_t position)
    : pin_(pin), pinReference_(retain<IPin>(&pin)), types_(std::move(types)), position_(position) {}

void MediaTypeEnumerator::takeSnapshot() {
    SectionLock lock(pin_.filter().filterLock());
    std::vector<MediaType> types;
    for (int i = 0;; ++i) {
        MediaType type;
        if (!pin_.mediaType(i, type)) break;
        types.push_back(std::move(type));
    }
    types_ = std::move(types);
    position_ = 0;
}

void* MediaTypeEnumerator::interfaceFor(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IEnumMediaTypes) {
        return static_cast<IEnumMediaTypes*>(this);
    }
    return nullptr;
}

STDMETHODIMP MediaTypeEnumerator::Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) {
    if (!types || (count != 1 && !fetched)) return E_POINTER;
    ULONG given = 0;
    HRESULT result = hresultOf([&] {
        for (; given < count && position_ < types_.size(); ++given, ++position_) {
            types[given] = types_[position_].newTaskCopy();
        }
    });
    if (FAILED(result)) {
        while (given > 0) deleteMediaType(types[--given]);
    }
    if (fetched) *fetched = given;
    if (FAILED(result)) return result;
    return given == count ? S_OK : S_FALSE;
}

STDMETHODIMP MediaTypeEnumerator::Skip(ULONG count) {
    size_t left = types_.size() - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
}

STDMETHODIMP MediaTypeEnumerator::Reset() {
    return hresultOf([&] { takeSnapshot(); });
}

STDMETHODIMP MediaTypeEnumerator::Clone(IEnumMediaTypes** clone) {
    return hresultOf([&] {
        checkPointer(clone);
        *clone = nullptr;
        handOut(makeComObject<IEnumMediaTypes, MediaTypeEnumerator>(pin_, types_, position_).get(),
                clone);
    });
}

}  // namespace kz8::directshow
