#include "skinui/tests/win32/template_window_support.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "common/testing/win32/mouse_driver.h"
#include "skinui/portable/bitmap_reader.h"

namespace kz8::skinui::testkit {

std::string templateFile(const std::string& name) {
    return kz8::testkit::fixturePath("skinui/templates/" + name);
}

namespace {

std::vector<std::string> pathParts(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '/' || c == '\\') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

}  // namespace

std::string fixtureTemplatesFromModule(HMODULE module) {
    char modulePath[MAX_PATH] = {};
    GetModuleFileNameA(module, modulePath, sizeof modulePath);
    std::vector<std::string> from = pathParts(modulePath), to = pathParts(templateFile(""));
    from.pop_back();  // the program's own name
    size_t common = 0;
    while (common < from.size() && common < to.size() &&
           lstrcmpiA(from[common].c_str(), to[common].c_str()) == 0)
        ++common;
    std::string relative;
    for (size_t i = common; i < from.size(); ++i) relative += "../";
    for (size_t i = common; i < to.size(); ++i) relative += to[i] + "/";
    return relative;
}

std::string windowTemplateText(HMODULE library) {
    std::ifstream in(templateFile("window.dtp"));
    std::string text, line;
    const std::string folder = fixtureTemplatesFromModule(library);
    while (std::getline(in, line)) {
        const size_t dot = line.find(".bmp"), cur = line.find(".cur"), equals = line.find("= ");
        if ((dot != std::string::npos || cur != std::string::npos) && equals != std::string::npos)
            line.insert(equals + 2, folder);
        text += line + "\n";
    }
    return text;
}

std::string writeTempTemplate(const std::string& text) {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    std::string path =
        std::string(folder) + "kz8-template-" + std::to_string(GetCurrentProcessId()) + ".dtp";
    std::ofstream(path, std::ios::binary) << text;
    static struct Remover {
        std::vector<std::string> paths;
        ~Remover() {
            for (const auto& p : paths) DeleteFileA(p.c_str());
        }
    } remover;
    remover.paths.push_back(path);
    return path;
}

Rgb bitmapPixel(const std::string& file, int x, int y) {
    const auto bytes = kz8::testkit::readFile(templateFile(file));
    if (!bytes) return {};
    const auto picture = readBitmapFile(bytes->data(), bytes->size());
    if (!picture) return {};
    const uint8_t* pixel = picture->view().row(uint32_t(y)) + 3 * x;
    return Rgb{pixel[2], pixel[1], pixel[0]};
}

std::vector<UINT> without(std::vector<UINT> messages, UINT dropped) {
    messages.erase(std::remove(messages.begin(), messages.end(), dropped), messages.end());
    return messages;
}

void TemplateWindowTest::SetUp() {
    ASSERT_TRUE(library().initialise());
    baseline_ = library().liveObjects();
}

void TemplateWindowTest::TearDown() {
    while (!library().templates().empty()) DestroyWindow(library().templates().front()->window);
    kz8::testkit::pumpMessages(20);
}

HWND TemplateWindowTest::current() {
    return library().current() ? library().current()->window : nullptr;
}

HWND TemplateWindowTest::open(const std::string& file, OwnerRecorder& owner, int x, int y,
                              int placement) {
    return openTemplateWindow(owner.window(), WS_POPUP, templateFile(file), x, y, placement);
}

void keepPointerAway() { kz8::testkit::moveMouseTo(1000, 740); }

void SheetTest::SetUp() {
    TemplateWindowTest::SetUp();
    keepPointerAway();
    sheet = open(file_, owner, kAt, kAt);
    ASSERT_TRUE(sheet) << library().lastErrorText;
}

}  // namespace kz8::skinui::testkit
