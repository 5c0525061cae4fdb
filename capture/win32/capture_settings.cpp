// The device's format and source settings. A device with Video for Windows
// dialogs shows its own; any other shows the property pages it names, in
// the system's property frame. The format can only change while the
// device's output is unconnected, so the chain after it is taken apart
// around the format dialog and built again afterwards.
#include <windows.h>

#include <dshow.h>
#include <olectl.h>

#include "capture/win32/capture_state.h"
#include "capture/win32/graph_pins.h"
#include "common/directshow/win32/com_object.h"

namespace kz8::capture {

namespace {

// The object's own property pages at 30, 30 in the owner, with no caption;
// nothing when it names none.
void showPropertyFrame(IUnknown* object, HWND owner) {
    ComPtr<ISpecifyPropertyPages> specify;
    if (!object || FAILED(object->QueryInterface(IID_ISpecifyPropertyPages, specify.putVoid()))) {
        return;
    }
    CAUUID pages{};
    if (FAILED(specify->GetPages(&pages))) return;
    if (pages.cElems > 0 && pages.pElems) {
        IUnknown* objects[] = {object};
        OleCreatePropertyFrame(owner, 30, 30, L"", 1, objects, pages.cElems, pages.pElems, 0, 0,
                               nullptr);
    }
    CoTaskMemFree(pages.pElems);
}

ComPtr<IAMVfwCaptureDialogs> vfwDialogsOf(IBaseFilter* capture) {
    ComPtr<IAMVfwCaptureDialogs> dialogs;
    capture->QueryInterface(IID_IAMVfwCaptureDialogs, dialogs.putVoid());
    return dialogs;
}

}  // namespace

// `dialog` gets the capture filter, held by a reference of our own so
// that nothing the host does meanwhile frees it under the dialog.
template <typename Dialog>
void CaptureState::withSettingsDialog(HWND window, bool& busy, Dialog&& dialog) {
    if (window) owner_ = window;
    if (settingsBusy()) return;
    busy = true;
    const bool wasRunning = running_;
    stopRender();
    if (graph_ && graph_->captureFilter()) {
        ComPtr<IBaseFilter> capture = directshow::retain(graph_->captureFilter());
        dialog(capture.get(), *graph_);
    }
    busy = false;
    if (wasRunning) startRender();
}

void CaptureState::showFormatSettings(HWND window) {
    withSettingsDialog(window, formatBusy_, [this](IBaseFilter* capture, CaptureGraph& graph) {
        if (ComPtr<IAMVfwCaptureDialogs> dialogs = vfwDialogsOf(capture)) {
            dialogs->ShowDialog(VfwCaptureDialog_Format, owner_);
            graph.tearDownDownstream();
        } else {
            graph.tearDownDownstream();
            ComPtr<IPin> output = firstVideoOutput(capture);
            showPropertyFrame(output.get(), owner_);
            if (owner_) RedrawWindow(owner_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        graph.buildDownstream(owner_);
        if (owner_) SetFocus(owner_);
    });
}

void CaptureState::showSourceSettings(HWND window) {
    withSettingsDialog(window, sourceBusy_, [this](IBaseFilter* capture, CaptureGraph& graph) {
        if (ComPtr<IAMVfwCaptureDialogs> dialogs = vfwDialogsOf(capture)) {
            dialogs->ShowDialog(VfwCaptureDialog_Source, owner_);
            graph.tearDownDownstream();
            graph.buildDownstream(owner_);
        } else {
            showPropertyFrame(capture, owner_);
        }
    });
}

}  // namespace kz8::capture
