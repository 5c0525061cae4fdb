// What the template window tests share: a fixture that registers the
// classes, opens templates from the fixtures and closes whatever is left,
// and the texts and colours they check against.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/testing/portable/test_files.h"
#include "skinui/tests/win32/owner_recorder.h"
#include "skinui/win32/template_creation.h"
#include "skinui/win32/template_library.h"

namespace kz8::skinui::testkit {

using kz8::testkit::Rgb;

// A template of skinui/templates in the fixtures.
std::string templateFile(const std::string& name);
// The fixture templates' folder relative to the folder of the module (this
// program by default), with "/" as separator: a text template's names are
// taken from the library's folder, and a template cannot write every
// absolute path ("-" is refused).
std::string fixtureTemplatesFromModule(HMODULE module = nullptr);
// window.dtp as a text, its file names leading from the folder of the
// library (linked into this program by default) to the fixtures.
std::string windowTemplateText(HMODULE library = nullptr);
// A .dtp of that text in a fresh temporary folder, removed at exit.
std::string writeTempTemplate(const std::string& text);
// A pixel of a fixture bitmap, rows counted from the top.
Rgb bitmapPixel(const std::string& file, int x, int y);

std::vector<UINT> without(std::vector<UINT> messages, UINT dropped);

class TemplateWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static TemplateLibrary& library() { return TemplateLibrary::instance(); }
    static HWND current();
    int baseline() const { return baseline_; }
    // A pop-up template owned by owner at x, y (placement 0).
    HWND open(const std::string& file, OwnerRecorder& owner, int x = 100, int y = 100,
              int placement = 0);

private:
    int baseline_ = 0;
};

// A fixture template open at (100, 100) with a recording owner, the real
// pointer kept away from it: a move it caused would take buttons out of
// their pressed state.
class SheetTest : public TemplateWindowTest {
public:
    static constexpr int kAt = 100;

protected:
    explicit SheetTest(const char* file) : file_(file) {}
    void SetUp() override;

    OwnerRecorder owner;
    HWND sheet = nullptr;

private:
    const char* file_;
};

// Moves the real pointer to a corner of the screen no test uses.
void keepPointerAway();

}  // namespace kz8::skinui::testkit
