// A template's edit boxes under Wine: what typing, Delete and the loss of
// the focus tell the owner, the Tab ring, colours on the screen, and style,
// font and enabling through the core.
#include <gtest/gtest.h>

#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/screen_pixels.h"
#include "skinui/portable/edit_style.h"
#include "skinui/tests/win32/template_window_support.h"
#include "skinui/win32/control_enabling.h"
#include "skinui/win32/owner_messages.h"

namespace kz8::skinui {
namespace {

using testkit::Notice;
using testkit::OwnerRecorder;

struct TextNotice {
    UINT message;
    std::string name, text;
    bool operator==(const TextNotice& o) const {
        return message == o.message && name == o.name && text == o.text;
    }
};

std::ostream& operator<<(std::ostream& out, const TextNotice& n) {
    return out << n.message << " " << n.name << " \"" << n.text << "\"";
}

class EditBoxes : public testkit::TemplateWindowTest {
protected:
    // The texts live only as long as the notice: they are copied inside it.
    void record(OwnerRecorder& owner) {
        owner.react = [this](const Notice& n) {
            if (n.message == kEditChangedMessage || n.message == kEditLeftMessage)
                texts.push_back({n.message, n.name, reinterpret_cast<const char*>(n.lParam)});
            return LRESULT(0);
        };
    }
    HWND edit(HWND sheet, const char* name) {
        return library().find(sheet)->editWindowOf(name)->window();
    }
    std::vector<TextNotice> texts;
};

TEST_F(EditBoxes, TypingDeleteAndFocusLossTellTheOwnerTheText) {
    OwnerRecorder owner;
    HWND sheet = open("edits.dtp", owner);
    ASSERT_TRUE(sheet) << library().lastErrorText;
    record(owner);
    HWND name = edit(sheet, "Letters_Edit_Name"), town = edit(sheet, "Letters_Edit_Town");
    SetFocus(name);
    SendMessageA(name, WM_CHAR, 'a', 1);
    SendMessageA(name, WM_CHAR, 'b', 1);
    SendMessageA(name, WM_CHAR, 0x01, 1);  // Ctrl+A: handled, no notice
    SendMessageA(name, EM_SETSEL, 0, 0);
    SendMessageA(name, WM_KEYDOWN, VK_DELETE, 1);
    SetFocus(town);
    const std::string n = "Letters_Edit_Name";
    EXPECT_EQ(texts, (std::vector<TextNotice>{{kEditChangedMessage, n, "a"},
                                              {kEditChangedMessage, n, "ab"},
                                              {kEditChangedMessage, n, "b"},
                                              {kEditLeftMessage, n, "b"}}));
}

TEST_F(EditBoxes, TabGoesRoundTheEditBoxesAndStaysInALoneOne) {
    OwnerRecorder owner;
    HWND sheet = open("edits.dtp", owner);
    HWND ring[] = {edit(sheet, "Letters_Edit_Name"), edit(sheet, "Letters_Edit_Town"),
                   edit(sheet, "Letters_Edit_Note")};
    SetFocus(ring[0]);
    for (int step = 1; step <= 3; ++step) {
        SendMessageA(GetFocus(), WM_CHAR, '\t', 1);
        EXPECT_EQ(GetFocus(), ring[step % 3]) << "step " << step;
    }
    record(owner);
    HWND single = open("single_edit.dtp", owner, 600, 100);
    HWND alone = edit(single, "Single_Edit");
    SetFocus(alone);
    SendMessageA(alone, WM_CHAR, '\t', 1);
    EXPECT_EQ(GetFocus(), alone);
    size_t changed = 0;
    for (const TextNotice& n : texts) changed += n.name == "Single_Edit";
    EXPECT_EQ(changed, 1u) << "handled like a character";
    EXPECT_EQ(texts.back().message, kEditChangedMessage);
}

TEST_F(EditBoxes, ColoursOnScreenStyleFontAndEnabling) {
    OwnerRecorder owner;
    HWND sheet = open("edits.dtp", owner, 100, 100);
    HWND name = edit(sheet, "Letters_Edit_Name");
    SetWindowTextA(name, "WWWWWW");
    kz8::testkit::pumpMessages(200);
    const auto screen = kz8::testkit::captureScreen();
    EXPECT_EQ(screen.at(100 + 210, 100 + 32), (kz8::testkit::Rgb{0, 0, 128})) << "BACKCOLOR";
    bool yellow = false;
    for (int x = 100 + 20; x < 100 + 90 && !yellow; ++x)
        for (int y = 100 + 20; y < 100 + 44 && !yellow; ++y) {
            const auto p = screen.at(x, y);
            yellow = p.r > 200 && p.g > 200 && p.b < 100;
        }
    EXPECT_TRUE(yellow) << "TEXTCOLOR in the text";

    TemplateWindow& window = *library().find(sheet);
    EditWindow& town = *window.editWindowOf("Letters_Edit_Town");
    ASSERT_TRUE(town.setStyle(kEditPassword | kEditReadOnly | kEditRight));
    EXPECT_EQ(SendMessageA(town.window(), EM_GETPASSWORDCHAR, 0, 0), '*');
    EXPECT_TRUE(GetWindowLongA(town.window(), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(town.record().alignStyle, 2);
    ASSERT_TRUE(town.setStyle(0));
    EXPECT_EQ(SendMessageA(town.window(), EM_GETPASSWORDCHAR, 0, 0), 0);
    EXPECT_FALSE(GetWindowLongA(town.window(), GWL_STYLE) & ES_READONLY);

    LOGFONTA font{};
    font.lfHeight = -20;
    lstrcpyA(font.lfFaceName, "Tahoma");
    ASSERT_TRUE(town.setFont(font));
    HDC dc = GetDC(town.window());
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(town.window(), WM_GETFONT, 0, 0)));
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, previous);
    ReleaseDC(town.window(), dc);
    EXPECT_STREQ(face, "Tahoma");

    EXPECT_TRUE(enableNamed("letters_edit_town", false));
    EXPECT_FALSE(IsWindowEnabled(town.window()));
    EXPECT_EQ(town.record().state, 0);
}

}  // namespace
}  // namespace kz8::skinui
