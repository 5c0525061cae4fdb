// IAMVfwCaptureDialogs on the VfW variant of the camera: the format and
// source dialogs of a Video for Windows driver, as small modal dialogs of
// our own. The format dialog's choice takes effect at the next connection;
// the source dialog sets inverted colours at once. Every ShowDialog call
// is recorded, for tests to read back through lastVfwDialog().
#pragma once

#include <windows.h>

#include <dshow.h>

#include <atomic>

#include "outside/capture/camera/camera_stream.h"

namespace kz8::capture::testkit {

class VfwCaptureDialogs : public IAMVfwCaptureDialogs {
public:
    // Part of `filter`, whose reference count it shares.
    VfwCaptureDialogs(IBaseFilter& filter, CameraStream& stream, std::atomic<bool>& inverted)
        : filter_(filter), stream_(stream), inverted_(inverted) {}
    VfwCaptureDialogs(const VfwCaptureDialogs&) = delete;
    VfwCaptureDialogs& operator=(const VfwCaptureDialogs&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        return filter_.QueryInterface(iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return filter_.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return filter_.Release(); }

    // S_OK for VfwCaptureDialog_Format and VfwCaptureDialog_Source, S_FALSE
    // for the display dialog, which this camera has not.
    STDMETHODIMP HasDialog(int kind) override;
    // Modal on the calling thread; S_OK whether the user chose OK or Cancel.
    STDMETHODIMP ShowDialog(int kind, HWND parent) override;
    STDMETHODIMP SendDriverMessage(int kind, int message, long data1, long data2) override;

private:
    static INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    void fill(HWND dialog, int kind);
    void take(HWND dialog, int kind);

    IBaseFilter& filter_;
    CameraStream& stream_;
    std::atomic<bool>& inverted_;
};

// The kind of the last dialog ShowDialog was asked for in this module; 0
// before the first.
long lastVfwDialog();

}  // namespace kz8::capture::testkit
