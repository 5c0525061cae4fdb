#include "capture/win32/capture_state.h"

#include "capture/portable/render_dib.h"
#include "capture/win32/video_input_devices.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace kz8::capture {

namespace {

// Holds the DibFilter's frame still while it is read.
class FrameLock {
public:
    explicit FrameLock(IDibFrameAccess* access) : access_(access) { access_->LockFrame(1); }
    ~FrameLock() { access_->LockFrame(0); }
    FrameLock(const FrameLock&) = delete;
    FrameLock& operator=(const FrameLock&) = delete;

private:
    IDibFrameAccess* access_;
};

}  // namespace

// Never destroyed: at process exit the graph's objects and threads may
// already be gone, and a host that unloads us has called OnDone.
CaptureState& CaptureState::instance() {
    static CaptureState* state = new CaptureState(reinterpret_cast<HMODULE>(&__ImageBase));
    return *state;
}

CaptureState::CaptureState(HMODULE own) : messages_(own) {}

int CaptureState::initDialog(HWND owner) {
    if (settingsBusy()) return deviceNumber_;
    owner_ = owner;
    destroyGraph();
    return buildRenderGraph();
}

int CaptureState::buildRenderGraph() {
    if (settingsBusy() || graph_) return deviceNumber_;
    if (devices_.count() == 0) listVideoInputDevices(devices_);
    return buildFromDevices(0, devices_.count() - 1);
}

int CaptureState::buildFromDevices(int first, int last) {
    deviceNumber_ = 0;
    ComPtr<IBaseFilter> capture;
    int index = first;
    for (; index <= last && !capture; ++index) capture = bindVideoInputDevice(index);
    if (!capture) {
        warnNoDevice(messages_, owner_);
        return 0;
    }
    graph_ = CaptureGraph::build(std::move(capture), owner_);
    if (!graph_) return 0;
    deviceNumber_ = index;  // one past the bound index: the 1-based number
    return deviceNumber_;
}

int CaptureState::destroyGraph() {
    if (settingsBusy() || !graph_) return 1;
    // A graph is stopped before it is taken apart, and known to be.
    if (running_) graph_->stop();
    running_ = false;
    graph_.reset();
    return 1;
}

int CaptureState::startRender() {
    if (running_) return 1;
    // The dialogs stop the graph and take its chain apart while they are up.
    if (settingsBusy() || !graph_ || !graph_->hasDibFilter()) return 0;
    if (!graph_->run()) return 0;
    running_ = true;
    return 1;
}

int CaptureState::stopRender() {
    if (!running_) return 1;
    if (!graph_ || !graph_->stop()) return 0;
    running_ = false;
    return 1;
}

HGLOBAL CaptureState::renderDib() {
    if (!graph_ || !running_) return nullptr;
    ComPtr<IDibFrameAccess> access = graph_->frameAccess();
    if (!access) return nullptr;
    FrameLock lock(access.get());
    HGLOBAL rows = nullptr;
    LONG width = 0, height = 0;
    if (FAILED(access->GetFrame(&rows, &width, &height)) || !rows) return nullptr;
    const std::optional<RenderDibLayout> layout = renderDibLayout(width, height);
    if (!layout) return nullptr;
    GlobalLockGuard frame(rows);
    const size_t frameBytes = static_cast<size_t>(width) * 3 * static_cast<size_t>(height);
    if (!frame || frame.size() < frameBytes) return nullptr;
    GlobalMemory block = GlobalMemory::allocate(layout->totalSize);
    GlobalLockGuard target(block.get());
    if (!target) return nullptr;
    writeRenderDib(*layout, frame.bytes(), target.bytes());
    return block.release();
}

void CaptureState::choseDevice(int index) {
    if (settingsBusy() || index < 0 || index >= devices_.count()) return;
    const bool wasRunning = running_;
    stopRender();
    destroyGraph();
    buildFromDevices(index, index);
    if (wasRunning) startRender();
}

void CaptureState::done() {
    if (settingsBusy()) return;
    stopRender();
    destroyGraph();
    devices_.clear();
}

}  // namespace kz8::capture
