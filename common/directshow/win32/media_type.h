// Media types. MediaType owns an AM_MEDIA_TYPE (its format block in task
// memory, its pUnk referenced); the free functions handle the types the
// platform hands us, whose ownership rules are COM's.
#pragma once

#include <windows.h>

#include <strmif.h>

namespace kz8::directshow {

// Frees the format block and releases pUnk, leaving `type` owning nothing.
void freeMediaType(AM_MEDIA_TYPE& type);
// freeMediaType, then the structure itself (as IEnumMediaTypes::Next hands it out).
void deleteMediaType(AM_MEDIA_TYPE* type);
// `to` must own nothing; on E_OUTOFMEMORY it still owns nothing.
HRESULT copyMediaType(AM_MEDIA_TYPE& to, const AM_MEDIA_TYPE& from);

class MediaType {
public:
    MediaType();
    // These throw std::bad_alloc when task memory runs out.
    explicit MediaType(const AM_MEDIA_TYPE& from);
    MediaType(const MediaType& other);
    MediaType& operator=(const MediaType& other);
    MediaType(MediaType&& other) noexcept;
    MediaType& operator=(MediaType&& other) noexcept;
    ~MediaType();

    const AM_MEDIA_TYPE& get() const { return type_; }
    const GUID& majorType() const { return type_.majortype; }
    const GUID& subtype() const { return type_.subtype; }
    const GUID& formatType() const { return type_.formattype; }
    const BYTE* format() const { return type_.pbFormat; }
    ULONG formatSize() const { return type_.cbFormat; }

    void setTypes(const GUID& major, const GUID& sub);
    // A size of 0 means samples vary in size.
    void setSampleSize(ULONG bytes);
    void setTemporalCompression(bool temporal);
    // Replaces the format block with a copy of `size` bytes (zeros when null).
    void setFormat(const GUID& formatType, const void* bytes, ULONG size);

    // Types with GUID_NULL for the major type or subtype only describe a family.
    bool isPartial() const;
    // Whether this type belongs to the family `pattern` describes.
    bool matches(const AM_MEDIA_TYPE& pattern) const;

    // A deep copy into `to`, which must own nothing; throws on failure.
    void copyTo(AM_MEDIA_TYPE& to) const;
    // A deep copy in task memory, freed by the receiver with deleteMediaType.
    AM_MEDIA_TYPE* newTaskCopy() const;

private:
    void copyFrom(const AM_MEDIA_TYPE& from);

    AM_MEDIA_TYPE type_{};
};

// Same major type, subtype and format type, and the same format bytes.
bool operator==(const MediaType& a, const MediaType& b);
inline bool operator!=(const MediaType& a, const MediaType& b) { return !(a == b); }

}  // namespace kz8::directshow
