#include "common/directshow/win32/media_type.h"

#include <cstring>
#include <new>
#include <utility>

namespace kz8::directshow {

void freeMediaType(AM_MEDIA_TYPE& type) {
    CoTaskMemFree(type.pbFormat);
    type.pbFormat = nullptr;
    type.cbFormat = 0;
    type.formattype = GUID_NULL;
    if (type.pUnk) {
        type.pUnk->Release();
        type.pUnk = nullptr;
    }
}

void deleteMediaType(AM_MEDIA_TYPE* type) {
    if (!type) return;
    freeMediaType(*type);
    CoTaskMemFree(type);
}

HRESULT copyMediaType(AM_MEDIA_TYPE& to, const AM_MEDIA_TYPE& from) {
    to = from;
    if (from.cbFormat != 0 && from.pbFormat) {
        to.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(from.cbFormat));
        if (!to.pbFormat) {
            to.cbFormat = 0;
            to.pUnk = nullptr;
            return E_OUTOFMEMORY;
        }
        std::memcpy(to.pbFormat, from.pbFormat, from.cbFormat);
    } else {
        to.pbFormat = nullptr;
        to.cbFormat = 0;
    }
    if (to.pUnk) to.pUnk->AddRef();
    return S_OK;
}

MediaType::MediaType() = default;

MediaType::MediaType(const AM_MEDIA_TYPE& from) { copyFrom(from); }

MediaType::MediaType(const MediaType& other) { copyFrom(other.type_); }

MediaType& MediaType::operator=(const MediaType& other) {
    if (this != &other) *this = MediaType(other);
    return *this;
}

MediaType::MediaType(MediaType&& other) noexcept : type_(std::exchange(other.type_, {})) {}

MediaType& MediaType::operator=(MediaType&& other) noexcept {
    if (this != &other) {
        freeMediaType(type_);
        type_ = std::exchange(other.type_, {});
    }
    return *this;
}

MediaType::~MediaType() { freeMediaType(type_); }

void MediaType::copyFrom(const AM_MEDIA_TYPE& from) {
    if (FAILED(copyMediaType(type_, from))) throw std::bad_alloc();
}

void MediaType::setTypes(const GUID& major, const GUID& sub) {
    type_.majortype = major;
    type_.subtype = sub;
}

void MediaType::setSampleSize(ULONG bytes) {
    type_.lSampleSize = bytes;
    type_.bFixedSizeSamples = bytes != 0;
}

void MediaType::setTemporalCompression(bool temporal) { type_.bTemporalCompression = temporal; }

void MediaType::setFormat(const GUID& formatType, const void* bytes, ULONG size) {
    BYTE* block = nullptr;
    if (size != 0) {
        block = static_cast<BYTE*>(CoTaskMemAlloc(size));
        if (!block) throw std::bad_alloc();
        if (bytes) {
            std::memcpy(block, bytes, size);
        } else {
            std::memset(block, 0, size);
        }
    }
    CoTaskMemFree(type_.pbFormat);
    type_.pbFormat = block;
    type_.cbFormat = size;
    type_.formattype = formatType;
}

bool MediaType::isPartial() const {
    return type_.majortype == GUID_NULL || type_.subtype == GUID_NULL;
}

bool MediaType::matches(const AM_MEDIA_TYPE& pattern) const {
    auto fits = [](const GUID& ours, const GUID& wanted) {
        return wanted == GUID_NULL || ours == wanted;
    };
    return fits(type_.majortype, pattern.majortype) && fits(type_.subtype, pattern.subtype) &&
           fits(type_.formattype, pattern.formattype);
}

void MediaType::copyTo(AM_MEDIA_TYPE& to) const {
    if (FAILED(copyMediaType(to, type_))) throw std::bad_alloc();
}

AM_MEDIA_TYPE* MediaType::newTaskCopy() const {
    auto* copy = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!copy) throw std::bad_alloc();
    if (FAILED(copyMediaType(*copy, type_))) {
        CoTaskMemFree(copy);
        throw std::bad_alloc();
    }
    return copy;
}

bool operator==(const MediaType& a, const MediaType& b) {
    return a.majorType() == b.majorType() && a.subtype() == b.subtype() &&
           a.formatType() == b.formatType() && a.formatSize() == b.formatSize() &&
           (a.formatSize() == 0 || std::memcmp(a.format(), b.format(), a.formatSize()) == 0);
}

}  // namespace kz8::directshow
