// The list model: the Part's edge cases and the mends as tables, and random
// sequences of every operation checked step by step against a plain vector
// model of the same rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "skinui/portable/list_model.h"

namespace kz8::skinui {
namespace {

ListModel listOf(std::initializer_list<const char*> texts) {
    ListModel list;
    for (const char* text : texts) list.add(text);
    return list;
}

std::vector<size_t> selectedOf(const ListModel& list) {
    std::vector<size_t> picked;
    for (auto i = list.firstSelected(); i; i = list.nextSelected(*i)) picked.push_back(*i);
    return picked;
}

TEST(ListModel, InsertRemoveAndTheAnchor) {
    ListModel list = listOf({"a", "b", "c"});
    list.insert(0, "x");
    list.insert(-1, "first");
    list.insert(99, "last");
    std::vector<std::string> texts;
    for (size_t i = 0; i < list.count(); ++i) texts.push_back(list.at(i).text);
    EXPECT_EQ(texts, (std::vector<std::string>{"first", "a", "x", "b", "c", "last"}))
        << "at 0: after the first item; at -1: in front";
    const std::string* kept = &list.at(4).text;
    list.removeAt(1);
    EXPECT_EQ(&list.at(3).text, kept) << "texts keep their addresses";

    list.click(3, ClickKeys::Control, true, false);
    EXPECT_EQ(list.anchor(), 3u);
    EXPECT_EQ(list.anchorMode(), AnchorMode::ControlClick);
    list.removeText("c");
    EXPECT_FALSE(list.anchor()) << "removing the anchor clears it";
    EXPECT_FALSE(list.removeText("C")) << "delete by text is case-sensitive";
    EXPECT_EQ(list.indexOf("LAST"), 3u) << "find is not";
}

TEST(ListModel, ClicksPlainControlAndShift) {
    ListModel list = listOf({"0", "1", "2", "3", "4", "5"});
    list.click(4, ClickKeys::Plain, true, false);
    list.click(1, ClickKeys::Shift, true, false);
    EXPECT_EQ(selectedOf(list), (std::vector<size_t>{1, 2, 3, 4})) << "from anchor 4 to 1";
    EXPECT_EQ(list.anchorMode(), AnchorMode::ShiftRange);

    list.click(4, ClickKeys::Control, true, false);  // unselects the anchor's item
    list.click(2, ClickKeys::Shift, true, false);    // no anchor: only the item, anchored
    EXPECT_EQ(selectedOf(list), (std::vector<size_t>{2}));
    EXPECT_EQ(list.anchor(), 2u);

    ListModel single = listOf({"only", "other"});
    single.click(0, ClickKeys::Plain, false, false);
    single.click(0, ClickKeys::Plain, false, false);
    EXPECT_TRUE(selectedOf(single).empty()) << "a second click unselects it";
    single.click(1, ClickKeys::Shift, false, false);
    EXPECT_EQ(selectedOf(single), (std::vector<size_t>{1})) << "no multi-select: a plain click";
    single.click(1, ClickKeys::Plain, true, true);
    EXPECT_EQ(selectedOf(single), (std::vector<size_t>{1})) << "a popup only selects";

    ListModel anchored = listOf({"a", "b", "c"});
    anchored.click(0, ClickKeys::Plain, true, false);
    anchored.setSelected(2, true);
    anchored.click(0, ClickKeys::Shift, true, false);
    EXPECT_EQ(selectedOf(anchored), (std::vector<size_t>{0, 2}))
        << "Shift on the anchor itself in mode 0 leaves the others";
}

TEST(ListModel, LinesUnderThePointerAndScrolling) {
    const ListGeometry lines{100, 200, 10};  // 10 lines drawn 11 pixels apart
    EXPECT_EQ(lines.visibleLines(), 10u);
    EXPECT_FALSE(lines.itemAt(100 + 8 * 11, 0, 3)) << "line 8 of 3 items: none";
    EXPECT_EQ(lines.itemAt(100 + 2 * 11 + 10, 0, 30), 2u) << "the drawn pitch";
    EXPECT_EQ(lines.itemAt(100 + 2 * 11, 18, 30), 20u) << "drawn line 2 from top line 18";
    EXPECT_FALSE(lines.itemAt(99, 0, 30));
    for (int height : {0, -5}) {
        const ListGeometry inert{100, 200, height};
        EXPECT_EQ(inert.visibleLines(), 0u);
        EXPECT_FALSE(inert.itemAt(150, 0, 30));
    }
    EXPECT_EQ(listScrollMaximum(30, 10), 20);
    EXPECT_FALSE(listScrollMaximum(10, 10));
    EXPECT_EQ(topLineShowing(3, 5, 10), 3u) << "above: becomes the first line";
    EXPECT_EQ(topLineShowing(20, 5, 10), 11u) << "below: becomes the last line";
    EXPECT_FALSE(topLineShowing(9, 5, 10));
}

// The same rules over a plain vector, items known by a serial number.
struct Reference {
    struct Item {
        std::string text;
        bool selected = false;
        int serial = 0;
    };
    std::vector<Item> items;
    int anchor = -1;  // serial
    AnchorMode mode = AnchorMode::None;
    int serials = 0;

    int indexOfSerial(int serial) const {
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].serial == serial) return int(i);
        return -1;
    }
    void remove(size_t i) {
        if (items[i].serial == anchor) anchor = -1, mode = AnchorMode::None;
        items.erase(items.begin() + long(i));
    }
    static std::string lower(std::string s) {
        for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }
    void click(size_t i, ClickKeys keys, bool multi, bool popup) {
        Item& item = items[i];
        if (multi && !popup && keys == ClickKeys::Control) {
            item.selected = !item.selected;
            anchor = item.selected ? item.serial : -1;
            mode = item.selected ? AnchorMode::ControlClick : AnchorMode::None;
        } else if (multi && !popup && keys == ClickKeys::Shift) {
            const int from = indexOfSerial(anchor);
            if (from == int(i) && mode == AnchorMode::None) {
                item.selected = true;
            } else if (from < 0 || !items[size_t(from)].selected) {
                for (auto& each : items) each.selected = false;
                item.selected = true;
                anchor = item.serial;
                mode = AnchorMode::ShiftRange;
            } else {
                for (size_t k = 0; k < items.size(); ++k)
                    items[k].selected =
                        int(k) >= std::min(from, int(i)) && int(k) <= std::max(from, int(i));
                mode = AnchorMode::ShiftRange;
            }
        } else {
            const bool now = popup || !item.selected;
            for (auto& each : items) each.selected = false;
            item.selected = now;
            if (!popup) anchor = now ? item.serial : -1, mode = AnchorMode::None;
        }
    }
};

std::string compare(const ListModel& list, const Reference& ref) {
    if (list.count() != ref.items.size()) return "count";
    for (size_t i = 0; i < list.count(); ++i) {
        if (list.at(i).text != ref.items[i].text) return "text " + std::to_string(i);
        if (bool(list.at(i).selected) != ref.items[i].selected) return "flag " + std::to_string(i);
    }
    const int anchor = ref.indexOfSerial(ref.anchor);
    if (list.anchor() != (anchor < 0 ? std::nullopt : std::optional<size_t>(anchor)))
        return "anchor";
    if (list.anchorMode() != ref.mode) return "anchor mode";
    std::vector<size_t> picked;
    for (size_t i = 0; i < ref.items.size(); ++i)
        if (ref.items[i].selected) picked.push_back(i);
    if (selectedOf(list) != picked) return "first and next selected";
    return {};
}

// Runs steps operations from seed; the first disagreement, or "".
std::string run(unsigned seed, size_t steps, std::string* log) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    ListModel list;
    Reference ref;
    const char* words[] = {"apple", "Apple", "pear", "fig", "Fig", "kiwi", "b", ""};
    for (size_t step = 0; step < steps; ++step) {
        const int op = pick(9);
        const std::string word = words[pick(8)];
        std::ostringstream what;
        if (op == 0) {
            list.add(word);
            ref.items.push_back({word, false, ++ref.serials});
            what << "add " << word;
        } else if (op == 1) {
            const int64_t at = pick(int(ref.items.size()) + 3) - 1;
            list.insert(at, word);
            const size_t to = at < 0 ? 0 : std::min(size_t(at) + 1, ref.items.size());
            ref.items.insert(ref.items.begin() + long(to), {word, false, ++ref.serials});
            what << "insert " << at << " " << word;
        } else if (op == 2) {
            list.removeText(word);
            for (size_t i = 0; i < ref.items.size(); ++i)
                if (ref.items[i].text == word) {
                    ref.remove(i);
                    break;
                }
            what << "delete " << word;
        } else if (op == 3 && !ref.items.empty()) {
            const size_t i = size_t(pick(int(ref.items.size())));
            list.removeAt(i);
            ref.remove(i);
            what << "remove " << i;
        } else if (op == 4 && pick(8) == 0) {
            list.removeAll();
            ref.items.clear();
            ref.anchor = -1, ref.mode = AnchorMode::None;
            what << "remove all";
        } else if (op == 5) {
            const bool up = pick(2);
            list.sort(up);
            std::stable_sort(ref.items.begin(), ref.items.end(),
                             [up](const auto& a, const auto& b) {
                                 return up ? Reference::lower(a.text) < Reference::lower(b.text)
                                           : Reference::lower(b.text) < Reference::lower(a.text);
                             });
            what << "sort " << up;
        } else if (op == 6 && !ref.items.empty()) {
            const size_t i = size_t(pick(int(ref.items.size())));
            const bool on = pick(2);
            list.setSelected(i, on);
            ref.items[i].selected = on;
            what << "select " << i << " " << on;
        } else if (!ref.items.empty()) {
            const size_t i = size_t(pick(int(ref.items.size())));
            const auto keys = ClickKeys(pick(3));
            const bool multi = pick(4) != 0, popup = pick(5) == 0;
            list.click(i, keys, multi, popup);
            ref.click(i, keys, multi, popup);
            what << "click " << i << " keys " << int(keys) << " multi " << multi << " popup "
                 << popup;
        }
        if (log) *log += what.str() + "\n";
        const std::string wrong = compare(list, ref);
        if (!wrong.empty()) return wrong + " after step " + std::to_string(step);
    }
    return {};
}

TEST(ListModel, RandomSequencesAgreeWithAVectorModel) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        if (run(seed, 200, nullptr).empty()) continue;
        // The shortest failing prefix, for the report.
        size_t steps = 1;
        while (run(seed, steps, nullptr).empty()) ++steps;
        std::string log;
        const std::string wrong = run(seed, steps, &log);
        FAIL() << "seed " << seed << ": " << wrong << "\n" << log;
    }
}

}  // namespace
}  // namespace kz8::skinui
