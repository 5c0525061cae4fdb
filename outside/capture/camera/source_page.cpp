#include "outside/capture/camera/source_page.h"

#include "common/directshow/win32/hresult.h"
#include "outside/capture/camera/camera_module.h"
#include "outside/capture/camera/camera_resources.h"
#include "outside/capture/camera/camera_source.h"

namespace kz8::capture::testkit {

using directshow::check;
using directshow::makeComObject;

SourcePage::SourcePage() : SheetPage(cameraModule(), IDD_SOURCE_PAGE, L"Source") {}

void SourcePage::onInit(HWND dialog) {
    BOOL inverted = FALSE;
    if (!objects().empty()) {
        auto source = objects().front().query<ICameraSource>(IID_ICameraSource);
        if (source) source->GetInverted(&inverted);
    }
    CheckDlgButton(dialog, IDC_INVERTED, inverted ? BST_CHECKED : BST_UNCHECKED);
}

INT_PTR SourcePage::onMessage(HWND, UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || LOWORD(wParam) != IDC_INVERTED || HIWORD(wParam) != BN_CLICKED) {
        return FALSE;
    }
    setDirty(true);
    return TRUE;
}

HRESULT SourcePage::apply() {
    const BOOL inverted = IsDlgButtonChecked(dialog(), IDC_INVERTED) == BST_CHECKED;
    for (const ComPtr<IUnknown>& object : objects()) {
        auto source = object.query<ICameraSource>(IID_ICameraSource);
        if (!source) return E_NOINTERFACE;
        check(source->SetInverted(inverted));
    }
    return S_OK;
}

HRESULT createSourcePage(REFIID iid, void** out) {
    return makeComObject<IPropertyPage, SourcePage>()->QueryInterface(iid, out);
}

}  // namespace kz8::capture::testkit
