// The controls' rules without windows: a scroll bar's thumb, track clicks,
// drag area, steps and ranges; the check box and radio button states; where
// a button's LINK leads.
#include <gtest/gtest.h>

#include "skinui/portable/button_link.h"
#include "skinui/portable/check_rules.h"
#include "skinui/portable/edit_style.h"
#include "skinui/portable/scroll_rules.h"

namespace kz8::skinui {
namespace {

const ScrollGeometry kAcross{Rect{10, 50, 210, 60}, false, 0, 10};
const ScrollGeometry kDown{Rect{100, 20, 110, 120}, true, -5, 5};

TEST(ScrollRules, ThumbFollowsThePositionInsideTheTrack) {
    struct Case {
        const char* name;
        ScrollGeometry bar;
        int32_t position;
        Rect thumb;
    } cases[] = {
        {"across, middle", kAcross, 5, Rect{102, 49, 118, 61}},
        {"across, kept in at the minimum", kAcross, 0, Rect{10, 49, 26, 61}},
        {"across, kept in at the maximum", kAcross, 10, Rect{194, 49, 210, 61}},
        {"down, middle", kDown, 0, Rect{99, 62, 111, 78}},
        {"down, kept in at the minimum", kDown, -5, Rect{99, 20, 111, 36}},
        {"empty range: as the minimum", ScrollGeometry{Rect{0, 0, 100, 10}, false, 3, 3}, 3,
         Rect{0, -1, 16, 11}},
    };
    for (const Case& c : cases) {
        const int width = c.bar.vertical ? 12 : 16, height = c.bar.vertical ? 16 : 12;
        EXPECT_EQ(thumbRectAt(c.bar, c.position, width, height), c.thumb) << c.name;
    }
}

TEST(ScrollRules, TrackPointsStepsAndTheDragArea) {
    EXPECT_EQ(positionAtPoint(kAcross, Point{10, 55}), 0);
    EXPECT_EQ(positionAtPoint(kAcross, Point{119, 55}), 5) << "5.45 rounds down";
    EXPECT_EQ(positionAtPoint(kAcross, Point{121, 55}), 6) << "5.55 rounds up";
    EXPECT_EQ(positionAtPoint(kAcross, Point{500, 55}), 10) << "past the end: the maximum";
    EXPECT_EQ(positionAtPoint(kAcross, Point{-300, 55}), 0);
    EXPECT_EQ(positionAtPoint(kDown, Point{0, 70}), 0) << "vertical bars read y";
    EXPECT_EQ(positionAtPoint(ScrollGeometry{Rect{5, 5, 5, 9}, false, 2, 8}, Point{5, 5}), 2);

    EXPECT_EQ(steppedPosition(kAcross, 10, +1), 10) << "stays at the maximum";
    EXPECT_EQ(steppedPosition(kAcross, 0, -1), 0);
    EXPECT_EQ(steppedPosition(kAcross, 4, +1), 5);

    struct Case {
        ScrollGeometry bar;
        Point point;
        bool inside;
    } cases[] = {{kAcross, {10 - 150, 50 - 50}, true},  {kAcross, {10 - 151, 55}, false},
                 {kAcross, {209 + 150, 59 + 50}, true}, {kAcross, {100, 60 + 50}, false},
                 {kDown, {100 - 50, 20 - 150}, true},   {kDown, {100 - 51, 50}, false},
                 {kDown, {109 + 50, 119 + 150}, true},  {kDown, {105, 120 + 150}, false}};
    for (const Case& c : cases)
        EXPECT_EQ(insideDragArea(c.bar, c.point), c.inside)
            << (c.bar.vertical ? "down " : "across ") << c.point.x << "," << c.point.y;
}

TEST(ScrollRules, NewRangesPullThePositionInsideOrAreIgnored) {
    EXPECT_FALSE(changeRange(3, 5, 5)) << "5..5 is ignored";
    EXPECT_FALSE(changeRange(3, 6, 2));
    const auto below = changeRange(1, 4, 9), above = changeRange(12, 4, 9),
               inside = changeRange(6, 4, 9);
    ASSERT_TRUE(below && above && inside);
    EXPECT_EQ(below->position, 4);
    EXPECT_TRUE(below->positionMoved);
    EXPECT_EQ(above->position, 9);
    EXPECT_EQ(inside->position, 6);
    EXPECT_FALSE(inside->positionMoved);
}

TEST(CheckRules, FourStatesUnderPressEnableAndDisable) {
    struct Case {
        int32_t state;
        bool checked;
        int32_t afterPress, enabled, disabled;
    } cases[] = {{kDisabledChecked, true, kDisabledChecked, kChecked, kDisabledChecked},
                 {kDisabledUnchecked, false, kDisabledUnchecked, kUnchecked, kDisabledUnchecked},
                 {kChecked, true, kUnchecked, kChecked, kDisabledChecked},
                 {kUnchecked, false, kChecked, kUnchecked, kDisabledUnchecked}};
    for (const Case& c : cases) {
        EXPECT_EQ(isChecked(c.state), c.checked) << c.state;
        EXPECT_EQ(checkBoxAfterPress(c.state), c.afterPress) << c.state;
        EXPECT_EQ(enabledForm(c.state), c.enabled) << c.state;
        EXPECT_EQ(disabledForm(c.state), c.disabled) << c.state;
    }
}

TEST(CheckRules, CheckingARadioButtonUnchecksItsGroupInTheirForms) {
    RadioButton a, b, c, d, other;
    a.state = kUnchecked;
    b.state = kChecked;
    c.state = kDisabledChecked;
    d.state = kDisabledUnchecked;
    other.state = kChecked;
    other.groupNumber = 7;
    const std::vector<RadioButton*> all = {&a, &b, &c, &d, &other};

    EXPECT_TRUE(checkRadioButton(a, all));
    EXPECT_EQ(a.state, kChecked);
    EXPECT_EQ(b.state, kUnchecked);
    EXPECT_EQ(c.state, kDisabledUnchecked);
    EXPECT_EQ(other.state, kChecked) << "another group";
    EXPECT_FALSE(checkRadioButton(a, all)) << "the checked one again changes nothing";

    EXPECT_TRUE(checkRadioButton(d, all)) << "a disabled one is checked in its disabled form";
    EXPECT_EQ(d.state, kDisabledChecked);
    EXPECT_EQ(a.state, kUnchecked);
}

TEST(ButtonLink, TheFileBesideTheTemplateUnlessNoneOrItself) {
    struct Case {
        const char* path;
        std::string link;
        std::optional<std::string> linked;
    } cases[] = {
        {"C:\\SKINS\\AB.DTP", "second.dtp", "C:\\SKINS\\second.dtp"},
        {"C:\\SKINS\\AB.DTP", "B.DTP", "C:\\SKINS\\B.DTP"},
        {"C:/SKINS/AB.DTP", "b.dtp", "C:/SKINS/b.dtp"},
        {"C:\\SKINS\\AB.DTP", "ab.dtp", std::nullopt},
        {"C:\\SKINS\\AB.DTP", "", std::nullopt},
        {"", "second.dtp", std::nullopt},
        {"AB.DTP", "b.dtp", "b.dtp"},
        {"C:\\S\\AB.DTP", std::string(254, 'x'), "C:\\S\\" + std::string(254, 'x')},
        {"C:\\S\\AB.DTP", std::string(255, 'x'), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(linkedTemplatePath(c.path, c.link), c.linked) << c.path << " + " << c.link.size();
}

TEST(EditStyle, KeysAtCreationAndTheSetStyleBits) {
    struct Case {
        int32_t align, readOnly, multiLines;
        uint32_t style;
    } cases[] = {
        {0, 0, 0, kEditAutoHScroll},
        {1, 0, 0, kEditCentre | kEditAutoHScroll},
        {2, 1, 0, kEditRight | kEditReadOnly | kEditAutoHScroll},
        {0, 0, 1, kEditMultiLine | kEditAutoVScroll | kEditAutoHScroll},
        {0, 1, 1, kEditReadOnly | kEditMultiLine | kEditAutoVScroll | kEditWantReturn},
    };
    for (const Case& c : cases) {
        EditBox edit;
        edit.alignStyle = c.align;
        edit.readOnly = c.readOnly;
        edit.multiLines = c.multiLines;
        EXPECT_EQ(editStyleOf(edit), c.style) << c.align << c.readOnly << c.multiLines;
    }
    const EditStyleChange change = editStyleChange(kEditRight | kEditPassword | kEditReadOnly);
    EXPECT_EQ(change.alignStyle, 2);
    EXPECT_TRUE(change.password && change.readOnly);
    EXPECT_FALSE(change.multiLines || change.autoHorizontalScroll);
    EXPECT_EQ(editStyleChange(kEditCentre | kEditMultiLine).alignStyle, 1);
}

}  // namespace
}  // namespace kz8::skinui
