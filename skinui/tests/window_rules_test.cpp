// The template windows' rules without windows: character sets, tips (their
// lines, size, place and text rectangle), dragging and the current template
// after a destroy.
#include <gtest/gtest.h>

#include "skinui/portable/tooltip_layout.h"
#include "skinui/portable/window_rules.h"

namespace kz8::skinui {
namespace {

TEST(WindowRules, CharacterSetAndTheEastAsianTipRectangle) {
    struct Case {
        const char* language;
        uint8_t charSet;
        bool eastAsian;
    } cases[] = {{"Japanese", 128, true}, {"Russian", 204, false}, {"Chinese", 0, true},
                 {"Korean", 0, true},     {"English", 0, false},   {"japanese", 0, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(charSetOfLanguage(c.language), c.charSet) << c.language;
        EXPECT_EQ(isEastAsianLanguage(c.language), c.eastAsian) << c.language;
    }
    EXPECT_EQ(tipTextRect(100, 40, true, "\x82\xA0"), (Rect{2, 2, 98, 38}));
    EXPECT_EQ(tipTextRect(100, 40, true, "Send"), (Rect{2, -1, 98, 34}));
    EXPECT_EQ(tipTextRect(100, 40, false, "\x82\xA0"), (Rect{2, -1, 98, 34}));
}

TEST(WindowRules, TipLinesBreakAtThirtyOrByTheRootRule) {
    const std::string thirty(30, 'a');
    const auto isLead = [](unsigned char c) { return c == 0x82; };
    struct Case {
        const char* name;
        std::string text;
        int width, lineHeight;
        std::vector<std::string> lines;
    } cases[] = {
        {"thirty fit one line", thirty, 0, 0, {thirty}},
        {"31: a hyphen after 29", thirty + "b", 0, 0, {std::string(29, 'a') + "-", "ab"}},
        {"31: a blank as the 30th",
         std::string(29, 'a') + " b",
         0,
         0,
         {std::string(29, 'a') + " ", "b"}},
        {"31: a blank as the 31st", thirty + " ", 0, 0, {thirty + " ", ""}},
        // 100 characters, 600 pixels wide, lines 10 high: n = 100 / sqrt(36) + 4 = 20.
        {"over 90 by the root rule",
         std::string(100, 'x'),
         600,
         10,
         {std::string(19, 'x') + "-", std::string(19, 'x') + "-", std::string(19, 'x') + "-",
          std::string(19, 'x') + "-", std::string(19, 'x') + "-", std::string(5, 'x')}},
        {"over 90 with a root of 0",
         std::string(91, 'y'),
         0,
         10,
         {std::string(29, 'y') + "-", std::string(29, 'y') + "-", std::string(29, 'y') + "-",
          std::string(4, 'y')}},
        {"no cut inside a double-byte character",
         std::string(28, 'a') + "\x82\xA0" + "bb",
         0,
         0,
         {std::string(28, 'a') + "-",
          "\x82\xA0"
          "bb"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(breakTipText(c.text, c.width, c.lineHeight, isLead), c.lines) << c.name;
}

TEST(WindowRules, TipSizeAndPlaceAtTheTemplatesEdges) {
    EXPECT_EQ(tipSize({50, 80, 20}, TipMetrics{13, 2}), (Rect{0, 0, 84, 3 * 13 + 2 * 2 + 4}));
    EXPECT_EQ(tipSize({50}, TipMetrics{13, 2}), (Rect{0, 0, 54, 17}));
    struct Case {
        const char* name;
        Point centre;
        Point corner;
    } cases[] = {
        {"below the centre", {50, 20}, {50, 38}},
        {"moved left at the right edge", {180, 20}, {200 - 1 - 60, 38}},
        {"moved above at the bottom edge", {50, 90}, {50, 90 - 4 - 20}},
        {"both", {190, 95}, {139, 71}},
    };
    for (const Case& c : cases) EXPECT_EQ(placeTip(c.centre, 60, 20, 200, 100), c.corner) << c.name;
}

TEST(WindowRules, DraggingAndTheCurrentTemplateAfterADestroy) {
    EXPECT_EQ(draggedPosition({100, 50}, {10, 10}, {25, 4}), (Point{115, 44}));
    struct Case {
        const char* name;
        size_t count, destroyed;
        std::optional<size_t> current;
    } cases[] = {
        {"the head: its successor", 3, 0, 1},
        {"a middle one: its predecessor", 3, 1, 0},
        {"the last of several: its predecessor", 3, 2, 1},
        {"the only one: none", 1, 0, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(currentAfterDestroy(c.count, c.destroyed), c.current) << c.name;
}

}  // namespace
}  // namespace kz8::skinui
