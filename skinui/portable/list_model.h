// A list box's items without a window: their texts and selection flags, the
// anchor of Ctrl and Shift clicks, and the operations a host calls. Item
// texts keep their addresses until their item is removed, since hosts and
// notices are handed pointers to them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kz8::skinui {

struct ListItem {
    std::string text;
    int32_t selected = 0;
};

enum class AnchorMode : int32_t { None = 0, ControlClick = 1, ShiftRange = 2 };
enum class ClickKeys { Plain, Control, Shift };

class ListModel {
public:
    size_t count() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    // index < count()
    const ListItem& at(size_t index) const { return *items_[index]; }

    void add(std::string text);
    // Before everything for a negative position, after the position-th item
    // (from 0) otherwise, at the end when there are fewer.
    void insert(int64_t position, std::string text);
    // The first item of exactly this text.
    bool removeText(const std::string& text);
    bool removeAt(size_t index);
    void removeAll();
    // Stable, without regard to case; flags and the anchor go with their texts.
    void sort(bool ascending);

    // The first item of this text without regard to case.
    std::optional<size_t> indexOf(const std::string& text) const;
    bool setSelected(size_t index, bool selected);
    std::optional<size_t> firstSelected() const;
    std::optional<size_t> nextSelected(size_t after) const;

    std::optional<size_t> anchor() const;
    AnchorMode anchorMode() const { return anchorMode_; }

    // A click on the item at index (< count()).
    void click(size_t index, ClickKeys keys, bool multiSelect, bool popup);

private:
    void selectOnly(size_t index);
    void clickWithShift(size_t index);
    void forgetAnchorIf(const ListItem* removed);

    std::vector<std::unique_ptr<ListItem>> items_;
    const ListItem* anchor_ = nullptr;
    AnchorMode anchorMode_ = AnchorMode::None;
};

// Where the lines of a list stand: its rectangle and line height.
struct ListGeometry {
    int top = 0, bottom = 0;
    int lineHeight = 0;  // 0: the list is inert
    // Lines that fit; 0 without a line height.
    size_t visibleLines() const;
    // The item under a point's y with the list scrolled to topLine, drawn
    // lines being lineHeight + 1 apart; nothing off the lines or past the items.
    std::optional<size_t> itemAt(int y, size_t topLine, size_t count) const;
};

// The vertical bar's range for count items, or nothing when they all fit.
std::optional<int32_t> listScrollMaximum(size_t count, size_t visibleLines);

// The top line that shows the item at index, or nothing when it is shown.
std::optional<size_t> topLineShowing(size_t index, size_t topLine, size_t visibleLines);

}  // namespace kz8::skinui
