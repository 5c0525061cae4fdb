// Template text to its records or an error: the parser, every check and the
// builder, with pictures and cursors served from memory. Every error text
// must stay within the library's buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "skinui/portable/template_builder.h"

namespace {

using namespace kz8::skinui;

struct SmallResources : TemplateResources {
    std::optional<kz8::Dib> picture(const std::string& fileName) override {
        if (fileName.empty() || fileName[0] == 'x') return std::nullopt;  // some are missing
        return kz8::Dib::create(int32_t(fileName.size() % 7 + 1), 2, 24);
    }
    std::unique_ptr<CursorResource> cursor(const std::string& fileName) override {
        if (fileName.size() % 2) return nullptr;
        return std::make_unique<CursorResource>();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SmallResources resources;
    BuildOptions options;
    options.isLeadByte = [](unsigned char c) { return c >= 0x81 && c <= 0x9F; };
    LoadResult result = loadTemplateText(
        std::string_view(reinterpret_cast<const char*>(data), size), resources, options);
    if (!result.loaded && result.error.text().size() >= kErrorTextBytes) std::abort();
    return 0;
}
