// IEnumPins over a filter's pins. Our filters never add or remove pins, so
// the enumerator works on a snapshot taken when it is made: it is never out
// of sync, and Reset only rewinds. Holding the pins keeps the filter alive.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <vector>

#include "common/directshow/win32/com_object.h"

namespace kz8::directshow {

class BaseFilter;

class PinEnumerator : public ComObject, public IEnumPins {
public:
    explicit PinEnumerator(BaseFilter& filter);
    PinEnumerator(std::vector<ComPtr<IPin>> pins, size_t position);

    STDMETHODIMP Next(ULONG count, IPin** pins, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumPins** clone) override;

protected:
    void* interfaceFor(REFIID iid) override;

private:
    std::vector<ComPtr<IPin>> pins_;
    size_t position_ = 0;
};

}  // namespace kz8::directshow
