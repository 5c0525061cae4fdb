// One capture graph: the chosen device's capture filter feeding, through
// the AVI Decompressor or the Color Space Converter, the DibFilter, whose
// output goes to the graph's default renderer with its window hidden in
// the owner window. The part after the capture filter can be torn down and
// rebuilt on its own, which the settings dialogs need: a device only
// changes its format while its output is unconnected.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <memory>
#include <string>
#include <vector>

#include "capture/win32/dib_frame_access.h"
#include "common/win32/handles.h"

namespace kz8::capture {

class CaptureGraph {
public:
    // A graph around a bound capture filter, its chain connected as far as
    // it goes; null, with everything released, when a COM object cannot be
    // created or added.
    static std::unique_ptr<CaptureGraph> build(ComPtr<IBaseFilter> captureFilter, HWND owner);
    // Removes every filter from the graph and releases all of it.
    ~CaptureGraph();
    CaptureGraph(const CaptureGraph&) = delete;
    CaptureGraph& operator=(const CaptureGraph&) = delete;

    bool run();
    bool stop();

    IBaseFilter* captureFilter() const { return capture_.get(); }
    bool hasDibFilter() const { return static_cast<bool>(dibFilter_); }
    ComPtr<IDibFrameAccess> frameAccess() const;

    // Everything after the capture filter, out of the graph and released.
    void tearDownDownstream();
    // The DibFilter, decompressor and converter made, added and connected
    // again; false when one cannot be created or added.
    bool buildDownstream(HWND owner);

    // The names of the filters in the graph when it was last built.
    const std::vector<std::string>& filterNames() const { return filterNames_; }
    int filterCount() const;

private:
    CaptureGraph() = default;
    bool createGraph();
    bool createDownstreamFilters();
    bool addFilters();
    void connectChain();
    void hideVideoWindow(HWND owner);
    void recordFilterNames();
    void removeDownstreamOf(IBaseFilter* filter);
    void removeIfInGraph(IBaseFilter* filter);
    void releaseDownstreamFilters();

    ComPtr<ICaptureGraphBuilder> builder_;
    ComPtr<IGraphBuilder> graph_;
    ComPtr<IBaseFilter> capture_;
    ComPtr<IBaseFilter> dibFilter_;
    ComPtr<IBaseFilter> decompressor_;
    ComPtr<IBaseFilter> converter_;
    std::vector<std::string> filterNames_;
};

}  // namespace kz8::capture
