#include "outside/capture/camera/format_choice.h"

#include <string>

#include "outside/capture/camera/camera_resources.h"

namespace kz8::capture::testkit {

namespace {

const wchar_t* formatName(CameraFormat format) {
    switch (format) {
        case CameraFormat::Yuy2: return L"YUY2";
        case CameraFormat::MsVideo1: return L"MS Video 1";
        default: return L"RGB24";
    }
}

std::wstring sizeName(const PictureSize& size) {
    return std::to_wstring(size.width) + L" \u00D7 " + std::to_wstring(size.height);
}

void addItem(HWND combo, const wchar_t* text) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

template <typename Items, typename Match>
int indexOf(const Items& items, Match matches) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (matches(items[i])) return static_cast<int>(i);
    }
    return -1;
}

// CB_GETCURSEL as an index into `items`; -1 when nothing valid is selected.
template <typename Items>
int selection(HWND dialog, int comboId, const Items& items) {
    auto index = SendDlgItemMessageW(dialog, comboId, CB_GETCURSEL, 0, 0);
    return index >= 0 && static_cast<size_t>(index) < items.size() ? static_cast<int>(index) : -1;
}

}  // namespace

void fillFormatChoice(HWND dialog, const CameraMode& current) {
    HWND formats = GetDlgItem(dialog, IDC_SUBTYPE);
    HWND sizes = GetDlgItem(dialog, IDC_PICTURE_SIZE);
    SendMessageW(formats, CB_RESETCONTENT, 0, 0);
    SendMessageW(sizes, CB_RESETCONTENT, 0, 0);
    for (CameraFormat format : kCameraFormats) addItem(formats, formatName(format));
    for (const PictureSize& size : kCameraSizes) addItem(sizes, sizeName(size).c_str());

    int format = indexOf(kCameraFormats, [&](CameraFormat f) { return f == current.format; });
    int size = indexOf(kCameraSizes, [&](const PictureSize& s) {
        return s.width == current.width && s.height == current.height;
    });
    SendMessageW(formats, CB_SETCURSEL, static_cast<WPARAM>(format), 0);
    SendMessageW(sizes, CB_SETCURSEL, static_cast<WPARAM>(size), 0);
}

std::optional<CameraMode> formatChoice(HWND dialog) {
    int format = selection(dialog, IDC_SUBTYPE, kCameraFormats);
    int size = selection(dialog, IDC_PICTURE_SIZE, kCameraSizes);
    if (format < 0 || size < 0) return std::nullopt;
    const PictureSize& picture = kCameraSizes[static_cast<size_t>(size)];
    return CameraMode{kCameraFormats[static_cast<size_t>(format)], picture.width, picture.height};
}

bool isFormatChoiceChange(WPARAM wParam) {
    int control = LOWORD(wParam);
    return HIWORD(wParam) == CBN_SELCHANGE &&
           (control == IDC_SUBTYPE || control == IDC_PICTURE_SIZE);
}

}  // namespace kz8::capture::testkit
