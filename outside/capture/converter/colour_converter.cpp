#include "outside/capture/converter/colour_converter.h"

#include <uuids.h>

#include <cstring>
#include <optional>

#include "common/directshow/win32/com_object.h"
#include "common/directshow/win32/hresult.h"
#include "common/directshow/win32/video_formats.h"
#include "common/portable/dib.h"
#include "outside/capture/capture_ids.h"
#include "outside/capture/converter/source_picture.h"

namespace kz8::capture::testkit {

namespace {

using directshow::check;
using directshow::MediaType;

size_t outputStride(const SourcePicture& picture) { return dibRowStride(picture.width, 24); }

size_t outputBytes(const SourcePicture& picture) {
    return outputStride(picture) * static_cast<size_t>(picture.rows);
}

// Rows are counted from the top of the picture; the output is bottom-up.
void convertPicture(const SourcePicture& picture, const BYTE* source, BYTE* target) {
    const size_t stride = outputStride(picture);
    const size_t rowBytes = static_cast<size_t>(picture.width) * 3;
    for (int row = 0; row < picture.rows; ++row) {
        const int sourceRow = picture.topDown ? row : picture.rows - 1 - row;
        BYTE* out = target + stride * static_cast<size_t>(picture.rows - 1 - row);
        convertRowToBgr24(picture.format, source + picture.stride * static_cast<size_t>(sourceRow),
                          picture.width, out);
        // Padding zeroed, so that equal pictures are equal samples.
        std::memset(out + rowBytes, 0, stride - rowBytes);
    }
}

bool isOutputFor(const SourcePicture& picture, const MediaType& out) {
    std::optional<directshow::VideoFormat> format = directshow::videoFormatOf(out.get());
    return format && format->subtype == MEDIASUBTYPE_RGB24 && format->bitCount == 24 &&
           format->compression == BI_RGB && format->width == picture.width &&
           format->height == picture.rows;
}

}  // namespace

ColourConverter::ColourConverter() : TransformFilter(kColourConverter, Kind::transform) {}

HRESULT ColourConverter::checkInputType(const MediaType& in) {
    return sourcePictureOf(in.get()) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT ColourConverter::checkTransform(const MediaType& in, const MediaType& out) {
    std::optional<SourcePicture> picture = sourcePictureOf(in.get());
    return picture && isOutputFor(*picture, out) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

bool ColourConverter::outputType(int index, const MediaType& in, MediaType& out) {
    std::optional<SourcePicture> picture = sourcePictureOf(in.get());
    if (index != 0 || !picture) return false;
    out = directshow::rgb24VideoType(picture->width, picture->rows, picture->frameDuration);
    return true;
}

HRESULT ColourConverter::decideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    std::optional<SourcePicture> picture = sourcePictureOf(input().connectionType().get());
    if (!picture) return VFW_E_NOT_CONNECTED;
    return directshow::requireBuffers(allocator, *request, 1,
                                      static_cast<long>(outputBytes(*picture)));
}

HRESULT ColourConverter::transform(IMediaSample* in, IMediaSample* out) {
    if (!out) return S_OK;  // nobody downstream to convert for
    std::optional<SourcePicture> picture = sourcePictureOf(input().connectionType().get());
    if (!picture) return VFW_E_NOT_CONNECTED;

    BYTE* source = nullptr;
    BYTE* target = nullptr;
    check(in->GetPointer(&source));
    check(out->GetPointer(&target));
    // A short sample is not a whole picture; reading it would run off its end.
    if (in->GetActualDataLength() < static_cast<long>(picture->imageBytes())) return E_INVALIDARG;
    const auto bytes = static_cast<long>(outputBytes(*picture));
    if (out->GetSize() < bytes) return VFW_E_BUFFER_OVERFLOW;

    convertPicture(*picture, source, target);
    return out->SetActualDataLength(bytes);
}

HRESULT createColourConverter(REFIID iid, void** out) {
    return directshow::makeComObject<IBaseFilter, ColourConverter>()->QueryInterface(iid, out);
}

}  // namespace kz8::capture::testkit
