// vidgrab's one state: the owner window, the device list, the graph of the
// device in use and whether it runs. Every export is a call on it, made on
// the host's thread.
//
// The settings dialogs are modal and pump the host's messages, so a host
// handler may call back in while one is up; calls that would tear the graph
// down under the dialog do nothing until it is closed.
#pragma once

#include <windows.h>

#include <memory>

#include "capture/portable/device_names.h"
#include "capture/win32/capture_graph.h"
#include "capture/win32/message_module.h"

namespace kz8::capture {

class CaptureState {
public:
    static CaptureState& instance();

    int deviceCount() const { return devices_.count(); }
    const char* deviceName(int index) const { return devices_.name(index); }

    int initDialog(HWND owner);
    int buildRenderGraph();
    int destroyGraph();
    int startRender();
    int stopRender();
    // A new DIB of the latest frame in movable global memory, or null.
    HGLOBAL renderDib();
    void choseDevice(int index);
    void showFormatSettings(HWND window);
    void showSourceSettings(HWND window);
    void done();

    // At FreeLibrary: the message library goes with us.
    void unloadMessages() { messages_.unload(); }

    // For tests: the graph in use, if any.
    const CaptureGraph* graph() const { return graph_.get(); }

private:
    explicit CaptureState(HMODULE own);
    bool settingsBusy() const { return formatBusy_ || sourceBusy_; }
    // Builds the graph for the first device that binds, from `first` to
    // `last`; the device number, or 0 after warning.
    int buildFromDevices(int first, int last);
    // What both settings functions do around their dialogs.
    template <typename Dialog>
    void withSettingsDialog(HWND window, bool& busy, Dialog&& dialog);

    HWND owner_ = nullptr;
    bool formatBusy_ = false;
    bool sourceBusy_ = false;
    bool running_ = false;
    DeviceNames devices_;
    std::unique_ptr<CaptureGraph> graph_;
    int deviceNumber_ = 0;  // 1-based
    MessageModule messages_;
};

}  // namespace kz8::capture
