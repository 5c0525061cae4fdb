#include "outside/capture/camera/format_page.h"

#include <dshow.h>

#include "common/directshow/win32/hresult.h"
#include "outside/capture/camera/camera_module.h"
#include "outside/capture/camera/camera_resources.h"
#include "outside/capture/camera/format_choice.h"

namespace kz8::capture::testkit {

using directshow::check;
using directshow::deleteMediaType;
using directshow::makeComObject;

namespace {

// The first object's current mode; the default when it has none to tell.
CameraMode currentMode(const std::vector<ComPtr<IUnknown>>& objects) {
    if (objects.empty()) return kDefaultMode;
    auto config = objects.front().query<IAMStreamConfig>(IID_IAMStreamConfig);
    AM_MEDIA_TYPE* type = nullptr;
    if (!config || FAILED(config->GetFormat(&type)) || !type) return kDefaultMode;
    std::optional<CameraMode> mode = offeredMode(*type);
    deleteMediaType(type);
    return mode.value_or(kDefaultMode);
}

}  // namespace

FormatPage::FormatPage() : SheetPage(cameraModule(), IDD_FORMAT_PAGE, L"Format") {}

void FormatPage::onInit(HWND dialog) { fillFormatChoice(dialog, currentMode(objects())); }

INT_PTR FormatPage::onMessage(HWND, UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || !isFormatChoiceChange(wParam)) return FALSE;
    setDirty(true);
    return TRUE;
}

HRESULT FormatPage::apply() {
    std::optional<CameraMode> mode = formatChoice(dialog());
    if (!mode) return E_UNEXPECTED;
    directshow::MediaType type = mediaTypeOf(*mode);
    for (const ComPtr<IUnknown>& object : objects()) {
        auto config = object.query<IAMStreamConfig>(IID_IAMStreamConfig);
        if (!config) return E_NOINTERFACE;
        check(config->SetFormat(const_cast<AM_MEDIA_TYPE*>(&type.get())));
    }
    return S_OK;
}

HRESULT createFormatPage(REFIID iid, void** out) {
    return makeComObject<IPropertyPage, FormatPage>()->QueryInterface(iid, out);
}

}  // namespace kz8::capture::testkit
