// IEnumMediaTypes over a pin's preferred types. The enumerator works on a
// snapshot of the pin's list, so it is never out of sync; Reset rewinds and
// takes a new snapshot, which is how a caller sees types that changed (a
// transform's output offers types only once its input is connected).
#pragma once

#include <windows.h>

#include <dshow.h>

#include <vector>

#include "common/directshow/win32/com_object.h"
#include "common/directshow/win32/media_type.h"

namespace kz8::directshow {

class BasePin;

class MediaTypeEnumerator : public ComObject, public IEnumMediaTypes {
public:
    explicit MediaTypeEnumerator(BasePin& pin);
    MediaTypeEnumerator(BasePin& pin, std::vector<MediaType> types, size_t position);

    STDMETHODIMP Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumMediaTypes** clone) override;

protected:
    void* interfaceFor(REFIID iid) override;

private:
    void takeSnapshot();

    BasePin& pin_;
    ComPtr<IPin> pinReference_;  // keeps the pin's filter alive
    std::vector<MediaType> types_;
    size_t position_ = 0;
};

}  // namespace kz8::directshow
