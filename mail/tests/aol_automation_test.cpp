// The AOL automation on a fake window tree: the corner rules, the toolbar
// icon per version, a whole run from the first tick to the subject, the
// step that falls back with more patience, and the typing of a path.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "mail/portable/aol_automation.h"
#include "mail/portable/aol_typing.h"

namespace kz8::mail {
namespace {

// Windows as a tree with screen rectangles; clicks and OK open and close
// them as the client would.
class FakeAol : public AolWindows {
public:
    struct Window {
        WindowId parent;
        std::string cls, title;
        ScreenRect rect;
        bool visible = true;
        bool alive = true;
    };
    std::map<WindowId, Window> windows;
    std::vector<std::string> events;
    bool opensWriteMail = true;
    bool timerStopped = false;
    uint64_t now = 0;

    WindowId add(WindowId parent, const std::string& cls, const std::string& title,
                 ScreenRect rect) {
        const WindowId id = windows.size() + 1;
        windows[id] = {parent, cls, title, rect};
        return id;
    }
    WindowId named(const std::string& title) const {
        for (const auto& [id, window] : windows)
            if (window.alive && window.title == title) return id;
        return 0;
    }
    // The client as it starts: a hidden frame with a toolbar of icons.
    void start(int version) {
        version_ = version;
        frame_ = add(0, "AOL Frame25", "America  Online", {0, 0, 800, 600});
        windows[frame_].visible = false;
        const WindowId toolbar = add(frame_, "_AOL_Toolbar", "", {0, 0, 800, 40});
        for (int i = 0; i < 4; ++i)
            add(toolbar, "_AOL_Icon", "Tool " + std::to_string(i), {i * 50L, 0, i * 50L + 40, 30});
        add(frame_, "_AOL_Icon", "Stray", {600, 0, 640, 30});  // not in the toolbar
    }

    std::vector<WindowId> topLevel() override { return children(0); }
    std::vector<WindowId> descendants(WindowId parent) override {
        std::vector<WindowId> all;
        for (WindowId child : children(parent)) {
            all.push_back(child);
            for (WindowId below : descendants(child)) all.push_back(below);
        }
        return all;
    }
    WindowId parentOf(WindowId window) override { return windows.at(window).parent; }
    std::string className(WindowId window) override { return window ? windows.at(window).cls : ""; }
    std::string title(WindowId window) override {
        return window ? windows.at(window).title : "(none)";
    }
    ScreenRect rect(WindowId window) override { return windows.at(window).rect; }
    bool exists(WindowId window) override {
        return windows.count(window) && windows.at(window).alive;
    }
    bool visible(WindowId window) override { return windows.at(window).visible; }
    void show(WindowId window, ShowHow) override {
        windows.at(window).visible = true;
        events.push_back("show " + windows.at(window).title);
    }
    void click(WindowId window, int offset) override {
        const Window& clicked = windows.at(window);
        events.push_back("click " + clicked.title + " +" + std::to_string(offset));
        if (clicked.title.rfind("Tool ", 0) == 0 && opensWriteMail && !named("Write Mail"))
            openWriteMail();
        if (clicked.title == "Attach file") openAttachments();
        if (clicked.title == "Attach...") {
            const WindowId box = add(0, "#32770", "Attach", {300, 300, 500, 400});
            add(box, "Edit", "", {310, 310, 490, 330});
        }
        if (clicked.title == "OK") windows.at(named("Attachments")).alive = false;
    }
    void setText(WindowId window, const std::string& text) override {
        events.push_back("text " + windows.at(window).title + " " + text);
    }
    void sendChar(WindowId, unsigned code) override { typed.push_back({code, false}); }
    void sendImeChar(WindowId, unsigned code) override { typed.push_back({code, true}); }
    void sendOk(WindowId window) override {
        windows.at(window).alive = false;
        events.push_back("ok " + windows.at(window).title);
    }
    uint64_t milliseconds() override { return now; }
    void stopTimer() override { timerStopped = true; }

    std::vector<TypedCharacter> typed;

private:
    std::vector<WindowId> children(WindowId parent) {
        std::vector<WindowId> found;
        for (const auto& [id, window] : windows)
            if (window.parent == parent && window.alive) found.push_back(id);
        return found;
    }
    void openWriteMail() {
        const WindowId mail = add(frame_, "AOL Child", "Write Mail", {100, 100, 700, 500});
        // Two attachment-sized icons: rule 3 ends at the lower left one.
        add(mail, "_AOL_Icon", "Send later", {600, 110, 670, 134});
        add(mail, "_AOL_Icon", "Attach file", {500, 400, 570, 424});
        add(mail, "_AOL_Icon", "Too big", {120, 450, 200, 480});
        add(mail, "_AOL_Edit", "To", {150, 150, 368, 150 + (version_ == 4 ? 58 : 56)});
        add(mail, "_AOL_Edit", "To (other size)", {150, 220, 368, 222});
        add(mail, "_AOL_Edit", "Subject", {150, 300, 602, 324});
    }
    void openAttachments() {
        const WindowId box = add(0, "AOL Child", "Attachments", {200, 200, 600, 400});
        // From the right-bottom corner rule 1 ends at Attach..., from the
        // right-top rule 3 at OK.
        add(box, "_AOL_Icon", "OK", {500, 350, 560, 380});
        add(box, "_AOL_Icon", "Attach...", {210, 210, 250, 230});
    }
    int version_ = 5;
    WindowId frame_ = 0;
};

bool noLeadBytes(uint8_t) { return false; }

TEST(AolAutomation, CornerRulesPickOneControl) {
    FakeAol aol;
    const WindowId parent = aol.add(0, "P", "parent", {0, 0, 100, 100});
    const WindowId topLeft = aol.add(parent, "C", "top left", {10, 10, 30, 20});
    const WindowId topRight = aol.add(parent, "C", "top right", {70, 10, 90, 20});
    const WindowId bottomLeft = aol.add(parent, "C", "bottom left", {10, 70, 30, 80});
    const WindowId bottomRight = aol.add(parent, "C", "bottom right", {70, 70, 90, 80});
    const WindowId bigger = aol.add(parent, "C", "bigger", {40, 40, 60, 60});
    aol.add(parent, "D", "other class", {0, 0, 20, 10});
    struct Case {
        Corner corner;
        std::optional<ControlSize> size;
        WindowId picked;
    };
    const std::vector<Case> cases = {
        // From a corner, each candidate that lies the right way moves the
        // point; the last one accepted wins.
        {Corner::RightBottom, std::nullopt, topLeft},
        {Corner::LeftBottom, std::nullopt, topRight},
        {Corner::RightTop, std::nullopt, bottomLeft},
        {Corner::LeftTop, std::nullopt, bottomRight},
        {Corner::RightBottom, ControlSize{20, 10}, topLeft},
        {Corner::LeftTop, ControlSize{20, 10}, bottomRight},
        {Corner::RightTop, ControlSize{20, 20}, bigger},
        {Corner::RightTop, ControlSize{5, 5}, 0},
    };
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(cornerPick(aol, parent, "C", cases[i].size, cases[i].corner), cases[i].picked)
            << "case " << i;
}

TEST(AolAutomation, AWholeRunForEachVersion) {
    for (int version : {4, 5, 6}) {
        FakeAol aol;
        aol.start(version);
        AolAutomation automation(aol, version, {"C:\\card.exe", "you@example.com", "A card"},
                                 noLeadBytes);
        for (int tick = 0; tick < 100 && !automation.done(); ++tick) {
            automation.tick();
            aol.now += 30;
        }
        ASSERT_TRUE(automation.done()) << "version " << version << ", step " << automation.step();
        EXPECT_TRUE(aol.timerStopped);
        const std::string tool = version == 6 ? "Tool 2" : "Tool 1";
        EXPECT_EQ(aol.title(automation.toolbarIcon()), tool) << version;
        EXPECT_EQ(aol.title(automation.attachIcon()), "Attach file") << version;
        EXPECT_EQ(aol.title(automation.attachmentsAttachIcon()), "Attach...") << version;
        EXPECT_EQ(aol.title(automation.attachmentsOkIcon()), "OK") << version;
        EXPECT_EQ(aol.title(automation.recipientEdit()), "To") << version;
        EXPECT_EQ(aol.title(automation.subjectEdit()), "Subject") << version;
        const std::vector<std::string> expected = {"click " + tool + " +10",
                                                   "click Attach file +5",
                                                   "click Attach... +5",
                                                   "ok Attach",
                                                   "click OK +5",
                                                   "show America  Online",
                                                   "show Write Mail",
                                                   "text To you@example.com",
                                                   "text Subject A card"};
        EXPECT_EQ(aol.events, expected) << version;
        const std::string blanks = version == 6 ? "" : "   ";
        std::string typed;
        for (const TypedCharacter& c : aol.typed) typed += char(c.code);
        EXPECT_EQ(typed, blanks + "C:\\card.exe") << version;
    }
}

TEST(AolAutomation, AWindowThatNeverComesMakesTheStepFallBackWithMorePatience) {
    FakeAol aol;
    aol.start(5);
    aol.opensWriteMail = false;
    AolAutomation automation(aol, 5, {"C:\\card.exe", "", ""}, noLeadBytes);
    for (int tick = 0; tick < 200; ++tick) automation.tick();
    EXPECT_FALSE(automation.done());
    EXPECT_LE(automation.step(), 1);
    // 7 ticks to click, 9 to give up at limit 8, 11 at 10, ...
    EXPECT_GT(automation.writeMailLimit(), 8);
    size_t clicks = 0;
    for (const std::string& event : aol.events) clicks += event == "click Tool 1 +10";
    EXPECT_GE(clicks, 3u);

    // The frame stays hidden until 20001 ms after the first tick.
    FakeAol late;
    late.start(5);
    late.opensWriteMail = false;
    AolAutomation waiting(late, 5, {}, noLeadBytes);
    for (late.now = 0; late.now <= 20000; late.now += 1000) waiting.tick();
    EXPECT_FALSE(late.visible(late.named("America  Online")));
    late.now = 20001;
    waiting.tick();
    EXPECT_TRUE(late.visible(late.named("America  Online")));
}

TEST(AolTyping, BlanksLeadBytesAndVersions) {
    // Code page 932's lead bytes; "表" is 0x95 0x5C, its trail byte below 0x80.
    const auto shiftJisLead = [](uint8_t b) {
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    };
    struct Case {
        std::string path;
        int version;
        std::vector<TypedCharacter> typed;
    };
    const auto c = [](unsigned code) { return TypedCharacter{code, false}; };
    const auto ime = [](unsigned code) { return TypedCharacter{code, true}; };
    const std::vector<Case> cases = {
        {"a\x95\x5C"
         "b",
         6,
         {c('a'), ime(0x955C), c('b')}},
        {"a", 5, {c(' '), c(' '), c(' '), c('a')}},
        {"\xE9x", 6, {ime(0xE978)}},
        {"x\x95", 6, {c('x'), c(0x95)}},  // a lead byte at the very end goes alone
        {"\xC4", 6, {c(0xC4)}},           // a single-byte katakana
    };
    for (const Case& each : cases) {
        const auto typed = typingSequence(each.path, each.version, shiftJisLead);
        ASSERT_EQ(typed.size(), each.typed.size()) << each.path;
        for (size_t i = 0; i < typed.size(); ++i) {
            EXPECT_EQ(typed[i].code, each.typed[i].code) << each.path << " at " << i;
            EXPECT_EQ(typed[i].ime, each.typed[i].ime) << each.path << " at " << i;
        }
    }
    for (const auto& [folder, version] :
         std::vector<std::pair<std::string, int>>{{"C:\\Program Files\\America Online 6.0", 6},
                                                  {"C:\\Program Files\\America Online 4.0", 4},
                                                  {"C:\\AOL", 5},
                                                  {"C:", 5},
                                                  {"", 5}})
        EXPECT_EQ(aolVersionFromFolder(folder), version) << folder;
}

}  // namespace
}  // namespace kz8::mail
