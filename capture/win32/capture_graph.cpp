#include "capture/win32/capture_graph.h"

#include <uuids.h>

#include "capture/portable/connection_plan.h"
#include "capture/portable/device_names.h"
#include "capture/win32/dib_filter.h"
#include "capture/win32/graph_pins.h"
#include "capture/win32/video_input_devices.h"

namespace kz8::capture {

namespace {

template <typename Interface>
ComPtr<Interface> createInstance(const CLSID& clsid, REFIID iid) {
    ComPtr<Interface> made;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, made.putVoid());
    return made;
}

// The graph a filter is in, if any; QueryFilterInfo's reference is ours.
ComPtr<IFilterGraph> graphOf(IBaseFilter* filter) {
    FILTER_INFO info{};
    if (!filter || FAILED(filter->QueryFilterInfo(&info))) return {};
    return ComPtr<IFilterGraph>(info.pGraph);
}

std::string filterName(IBaseFilter* filter) {
    FILTER_INFO info{};
    if (FAILED(filter->QueryFilterInfo(&info))) return {};
    if (info.pGraph) info.pGraph->Release();
    return std::string(cutAtCharacter(ansiText(info.achName), kNameField - 1, isAnsiLeadByte));
}

ComPtr<IBaseFilter> firstFilter(IGraphBuilder* graph) {
    ComPtr<IEnumFilters> filters;
    ComPtr<IBaseFilter> first;
    if (SUCCEEDED(graph->EnumFilters(filters.put())) && filters) {
        filters->Next(1, first.put(), nullptr);
    }
    return first;
}

// Pins of the chain, each the first of its kind on its filter.
class GraphConnector : public PinConnector {
public:
    GraphConnector(IGraphBuilder* graph, IBaseFilter* capture, IBaseFilter* decompressor,
                   IBaseFilter* converter, IBaseFilter* dibFilter)
        : graph_(graph),
          capture_(capture),
          decompressor_(decompressor),
          converter_(converter),
          dibFilter_(dibFilter) {}

    bool connect(Link link) override {
        switch (link) {
            case Link::captureToDecompressor: return join(capture_, decompressor_);
            case Link::captureToConverter: return join(capture_, converter_);
            case Link::decompressorToDibFilter: return join(decompressor_, dibFilter_);
            case Link::decompressorToConverter: return join(decompressor_, converter_);
            case Link::converterToDibFilter: return join(converter_, dibFilter_);
            case Link::renderDibFilterOutput: {
                ComPtr<IPin> out = firstPin(dibFilter_, PINDIR_OUTPUT);
                return out && SUCCEEDED(graph_->Render(out.get()));
            }
        }
        return false;
    }

private:
    bool join(IBaseFilter* from, IBaseFilter* to) {
        ComPtr<IPin> out = firstVideoOutput(from);
        ComPtr<IPin> in = firstPin(to, PINDIR_INPUT);
        return out && in && SUCCEEDED(graph_->Connect(out.get(), in.get()));
    }

    IGraphBuilder* graph_;
    IBaseFilter* capture_;
    IBaseFilter* decompressor_;
    IBaseFilter* converter_;
    IBaseFilter* dibFilter_;
};

}  // namespace

std::unique_ptr<CaptureGraph> CaptureGraph::build(ComPtr<IBaseFilter> captureFilter, HWND owner) {
    std::unique_ptr<CaptureGraph> graph(new CaptureGraph);
    graph->capture_ = std::move(captureFilter);
    if (!graph->createGraph() || !graph->buildDownstream(owner)) return nullptr;
    return graph;
}

bool CaptureGraph::createGraph() {
    builder_ =
        createInstance<ICaptureGraphBuilder>(CLSID_CaptureGraphBuilder, IID_ICaptureGraphBuilder);
    if (!builder_) return false;
    graph_ = createInstance<IGraphBuilder>(CLSID_FilterGraph, IID_IGraphBuilder);
    if (!graph_) return false;
    return SUCCEEDED(builder_->SetFiltergraph(graph_.get()));
}

bool CaptureGraph::buildDownstream(HWND owner) {
    if (!graph_ || !capture_) return false;
    if (!createDownstreamFilters() || !addFilters()) {
        tearDownDownstream();
        return false;
    }
    connectChain();
    hideVideoWindow(owner);
    recordFilterNames();
    return true;
}

bool CaptureGraph::createDownstreamFilters() {
    dibFilter_ = createDibFilter();
    if (dibFilter_) decompressor_ = createInstance<IBaseFilter>(CLSID_AVIDec, IID_IBaseFilter);
    if (decompressor_) converter_ = createInstance<IBaseFilter>(CLSID_Colour, IID_IBaseFilter);
    return static_cast<bool>(converter_);
}

bool CaptureGraph::addFilters() {
    // On a rebuild the device is in the graph already.
    if (!graphOf(capture_.get()) && FAILED(graph_->AddFilter(capture_.get(), L"Video Device"))) {
        return false;
    }
    return SUCCEEDED(graph_->AddFilter(dibFilter_.get(), L"Dib Filter")) &&
           SUCCEEDED(graph_->AddFilter(decompressor_.get(), L"AVI Decompress")) &&
           SUCCEEDED(graph_->AddFilter(converter_.get(), L"Color Space Convert"));
}

void CaptureGraph::connectChain() {
    GraphConnector connector(graph_.get(), capture_.get(), decompressor_.get(), converter_.get(),
                             dibFilter_.get());
    connectCaptureChain(connector);
}

// The renderer's window lives, empty and hidden, inside the owner: the
// host shows the pictures it takes, not the live video.
void CaptureGraph::hideVideoWindow(HWND owner) {
    ComPtr<IVideoWindow> window = graph_.query<IVideoWindow>(IID_IVideoWindow);
    if (!window) return;
    window->put_Owner(reinterpret_cast<OAHWND>(owner));
    if (owner) window->put_WindowStyle(WS_CHILD);
    window->put_Height(0);
    window->put_Width(0);
    window->put_Visible(OAFALSE);
    // Running would show it again.
    window->put_AutoShow(OAFALSE);
}

void CaptureGraph::recordFilterNames() {
    filterNames_.clear();
    ComPtr<IEnumFilters> filters;
    if (FAILED(graph_->EnumFilters(filters.put())) || !filters) return;
    for (ComPtr<IBaseFilter> filter; filters->Next(1, filter.put(), nullptr) == S_OK;) {
        filterNames_.push_back(filterName(filter.get()));
    }
}

int CaptureGraph::filterCount() const {
    int count = 0;
    ComPtr<IEnumFilters> filters;
    if (FAILED(graph_->EnumFilters(filters.put())) || !filters) return 0;
    for (ComPtr<IBaseFilter> filter; filters->Next(1, filter.put(), nullptr) == S_OK;) ++count;
    return count;
}

ComPtr<IDibFrameAccess> CaptureGraph::frameAccess() const {
    return dibFilter_.query<IDibFrameAccess>(__uuidof(IDibFrameAccess));
}

bool CaptureGraph::run() {
    ComPtr<IMediaControl> control = graph_.query<IMediaControl>(IID_IMediaControl);
    return control && SUCCEEDED(control->Run());
}

bool CaptureGraph::stop() {
    ComPtr<IMediaControl> control = graph_.query<IMediaControl>(IID_IMediaControl);
    return control && SUCCEEDED(control->Stop());
}

void CaptureGraph::removeDownstreamOf(IBaseFilter* filter) {
    std::vector<ComPtr<IPin>> outputs;
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(pins.put())) || !pins) return;
    for (ComPtr<IPin> pin; pins->Next(1, pin.put(), nullptr) == S_OK;) {
        PIN_DIRECTION direction{};
        if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_OUTPUT) {
            outputs.push_back(pin);
        }
    }
    for (const ComPtr<IPin>& out : outputs) {
        ComPtr<IPin> peer;
        if (FAILED(out->ConnectedTo(peer.put())) || !peer) continue;
        ComPtr<IBaseFilter> next = owningFilter(peer.get());
        if (next) removeDownstreamOf(next.get());
        graph_->Disconnect(out.get());
        graph_->Disconnect(peer.get());
        if (next) graph_->RemoveFilter(next.get());
    }
}

void CaptureGraph::removeIfInGraph(IBaseFilter* filter) {
    if (filter && graphOf(filter)) graph_->RemoveFilter(filter);
}

void CaptureGraph::releaseDownstreamFilters() {
    dibFilter_.reset();
    decompressor_.reset();
    converter_.reset();
}

void CaptureGraph::tearDownDownstream() {
    if (graph_) {
        hideVideoWindow(nullptr);
        if (capture_) removeDownstreamOf(capture_.get());
        // The filter that lost the fall-back is connected to nothing, and a
        // rebuild would add another beside it.
        removeIfInGraph(dibFilter_.get());
        removeIfInGraph(decompressor_.get());
        removeIfInGraph(converter_.get());
    }
    releaseDownstreamFilters();
}

CaptureGraph::~CaptureGraph() {
    if (graph_) {
        recordFilterNames();
        tearDownDownstream();
        removeIfInGraph(capture_.get());
        hideVideoWindow(nullptr);
        for (size_t name = 0; name < filterNames_.size(); ++name) {
            ComPtr<IBaseFilter> first = firstFilter(graph_.get());
            if (!first) break;
            graph_->RemoveFilter(first.get());
        }
    }
    releaseDownstreamFilters();
    capture_.reset();
    graph_.reset();
    builder_.reset();
}

}  // namespace kz8::capture
