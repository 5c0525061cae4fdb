#include "outside/capture/camera/vfw_capture_dialogs.h"

#include "outside/capture/camera/camera_module.h"
#include "outside/capture/camera/camera_resources.h"
#include "outside/capture/camera/format_choice.h"

namespace kz8::capture::testkit {

namespace {

std::atomic<long> lastShown{0};

bool isOurs(int kind) { return kind == VfwCaptureDialog_Format || kind == VfwCaptureDialog_Source; }

WORD dialogIdOf(int kind) {
    return kind == VfwCaptureDialog_Format ? IDD_VFW_FORMAT : IDD_VFW_SOURCE;
}

// What the dialog procedure needs, from WM_INITDIALOG on.
struct DialogContext {
    VfwCaptureDialogs* dialogs;
    int kind;
};

}  // namespace

long lastVfwDialog() { return lastShown; }

STDMETHODIMP VfwCaptureDialogs::HasDialog(int kind) { return isOurs(kind) ? S_OK : S_FALSE; }

STDMETHODIMP VfwCaptureDialogs::ShowDialog(int kind, HWND parent) {
    lastShown = kind;
    if (!isOurs(kind)) return E_INVALIDARG;
    DialogContext context{this, kind};
    INT_PTR shown = DialogBoxParamW(cameraModule(), MAKEINTRESOURCEW(dialogIdOf(kind)), parent,
                                    dialogProcedure, reinterpret_cast<LPARAM>(&context));
    return shown == -1 ? HRESULT_FROM_WIN32(GetLastError()) : S_OK;
}

STDMETHODIMP VfwCaptureDialogs::SendDriverMessage(int, int, long, long) { return E_NOTIMPL; }

void VfwCaptureDialogs::fill(HWND dialog, int kind) {
    if (kind == VfwCaptureDialog_Format) {
        fillFormatChoice(dialog, stream_.format());
    } else {
        CheckDlgButton(dialog, IDC_INVERTED, inverted_ ? BST_CHECKED : BST_UNCHECKED);
    }
}

// A choice the camera does not offer is dropped, as a driver would.
void VfwCaptureDialogs::take(HWND dialog, int kind) {
    if (kind == VfwCaptureDialog_Format) {
        std::optional<CameraMode> mode = formatChoice(dialog);
        if (mode && isOffered(*mode)) stream_.setNextFormat(*mode);
    } else {
        inverted_ = IsDlgButtonChecked(dialog, IDC_INVERTED) == BST_CHECKED;
    }
}

INT_PTR CALLBACK VfwCaptureDialogs::dialogProcedure(HWND dialog, UINT message, WPARAM wParam,
                                                    LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        auto* context = reinterpret_cast<DialogContext*>(lParam);
        context->dialogs->fill(dialog, context->kind);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    auto* context = reinterpret_cast<DialogContext*>(GetWindowLongPtrW(dialog, DWLP_USER));
    const int command = LOWORD(wParam);
    if (!context || (command != IDOK && command != IDCANCEL)) return FALSE;
    if (command == IDOK) context->dialogs->take(dialog, context->kind);
    EndDialog(dialog, command);
    return TRUE;
}

}  // namespace kz8::capture::testkit
