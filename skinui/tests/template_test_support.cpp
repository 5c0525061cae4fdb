#include "skinui/tests/template_test_support.h"

namespace kz8::skinui::testkit {

namespace {

struct CountedCursor : CursorResource {
    explicit CountedCursor(int& alive) : alive_(alive) { ++alive_; }
    ~CountedCursor() override { --alive_; }
    int& alive_;
};

bool missing(const std::string& name) { return name.rfind("missing", 0) == 0; }

}  // namespace

std::optional<Dib> MemoryResources::picture(const std::string& fileName) {
    requests.push_back(fileName);
    if (missing(fileName)) return std::nullopt;
    return Dib::create(int32_t(fileName.size()), 3, 24);
}

std::unique_ptr<CursorResource> MemoryResources::cursor(const std::string& fileName) {
    requests.push_back(fileName);
    if (missing(fileName)) return nullptr;
    return std::make_unique<CountedCursor>(cursorsAlive);
}

int pictureWidth(const std::optional<Dib>& picture) {
    return picture ? int(picture->view().width()) : -1;
}

}  // namespace kz8::skinui::testkit
