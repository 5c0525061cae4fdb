#include "common/directshow/win32/pin_enumerator.h"

#include <utility>

#include "common/directshow/win32/base_pin.h"
#include "common/directshow/win32/hresult.h"

namespace kz8::directshow {

PinEnumerator::PinEnumerator(BaseFilter& filter) {
    for (int i = 0; i < filter.pinCount(); ++i) pins_.push_back(retain<IPin>(filter.pin(i)));
}

PinEnumerator::PinEnumerator(std::vector<ComPtr<IPin>> pins, size_t position)
    : pins_(std::move(pins)), position_(position) {}

void* PinEnumerator::interfaceFor(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IEnumPins) return static_cast<IEnumPins*>(this);
    return nullptr;
}

STDMETHODIMP PinEnumerator::Next(ULONG count, IPin** pins, ULONG* fetched) {
    if (!pins || (count != 1 && !fetched)) return E_POINTER;
    ULONG given = 0;
    for (; given < count && position_ < pins_.size(); ++given) {
        handOut(pins_[position_++].get(), &pins[given]);
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

STDMETHODIMP PinEnumerator::Skip(ULONG count) {
    size_t left = pins_.size() - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
}

STDMETHODIMP PinEnumerator::Reset() {
    position_ = 0;
    return S_OK;
}

STDMETHODIMP PinEnumerator::Clone(IEnumPins** clone) {
    return hresultOf([&] {
        checkPointer(clone);
        *clone = nullptr;
        handOut(makeComObject<IEnumPins, PinEnumerator>(pins_, position_).get(), clone);
    });
}

}  // namespace kz8::directshow
