#include "skinui/portable/list_model.h"

#include <algorithm>
#include <cctype>

namespace kz8::skinui {

namespace {

int compareWithoutCase(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int x = std::tolower(static_cast<unsigned char>(a[i]));
        const int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

void ListModel::add(std::string text) {
    items_.push_back(std::make_unique<ListItem>(ListItem{std::move(text), 0}));
}

void ListModel::insert(int64_t position, std::string text) {
    auto item = std::make_unique<ListItem>(ListItem{std::move(text), 0});
    const size_t at =
        position < 0 ? 0 : size_t(std::min<uint64_t>(uint64_t(position) + 1, items_.size()));
    items_.insert(items_.begin() + long(at), std::move(item));
}

void ListModel::forgetAnchorIf(const ListItem* removed) {
    if (anchor_ != removed) return;
    anchor_ = nullptr;
    anchorMode_ = AnchorMode::None;
}

bool ListModel::removeText(const std::string& text) {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->text == text) return removeAt(i);
    return false;
}

bool ListModel::removeAt(size_t index) {
    if (index >= items_.size()) return false;
    forgetAnchorIf(items_[index].get());
    items_.erase(items_.begin() + long(index));
    return true;
}

void ListModel::removeAll() {
    items_.clear();
    anchor_ = nullptr;
    anchorMode_ = AnchorMode::None;
}

void ListModel::sort(bool ascending) {
    std::stable_sort(items_.begin(), items_.end(), [ascending](const auto& a, const auto& b) {
        const int order = compareWithoutCase(a->text, b->text);
        return ascending ? order < 0 : order > 0;
    });
}

std::optional<size_t> ListModel::indexOf(const std::string& text) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (compareWithoutCase(items_[i]->text, text) == 0) return i;
    return std::nullopt;
}

bool ListModel::setSelected(size_t index, bool selected) {
    if (index >= items_.size()) return false;
    items_[index]->selected = selected ? 1 : 0;
    return true;
}

std::optional<size_t> ListModel::firstSelected() const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->selected) return i;
    return std::nullopt;
}

std::optional<size_t> ListModel::nextSelected(size_t after) const {
    for (size_t i = after + 1; i < items_.size(); ++i)
        if (items_[i]->selected) return i;
    return std::nullopt;
}

std::optional<size_t> ListModel::anchor() const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == anchor_) return i;
    return std::nullopt;
}

void ListModel::selectOnly(size_t index) {
    for (size_t i = 0; i < items_.size(); ++i) items_[i]->selected = i == index ? 1 : 0;
}

void ListModel::clickWithShift(size_t index) {
    ListItem& item = *items_[index];
    const std::optional<size_t> from = anchor();
    if (from == index && anchorMode_ == AnchorMode::None) {
        item.selected = 1;
        return;
    }
    if (!from || !items_[*from]->selected) {
        selectOnly(index);
        anchor_ = &item;
        anchorMode_ = AnchorMode::ShiftRange;
        return;
    }
    const size_t low = std::min(*from, index), high = std::max(*from, index);
    for (size_t i = 0; i < items_.size(); ++i) items_[i]->selected = i >= low && i <= high;
    anchorMode_ = AnchorMode::ShiftRange;
}

void ListModel::click(size_t index, ClickKeys keys, bool multiSelect, bool popup) {
    if (index >= items_.size()) return;
    ListItem& item = *items_[index];
    const bool several = multiSelect && !popup;
    if (several && keys == ClickKeys::Control) {
        item.selected = item.selected ? 0 : 1;
        anchor_ = item.selected ? &item : nullptr;
        anchorMode_ = item.selected ? AnchorMode::ControlClick : AnchorMode::None;
        return;
    }
    if (several && keys == ClickKeys::Shift) {
        clickWithShift(index);
        return;
    }
    const bool selectedNow = popup ? true : !item.selected;
    selectOnly(index);
    item.selected = selectedNow ? 1 : 0;
    if (popup) return;
    anchor_ = selectedNow ? &item : nullptr;
    anchorMode_ = AnchorMode::None;
}

size_t ListGeometry::visibleLines() const {
    if (lineHeight <= 0 || bottom <= top) return 0;
    return size_t((bottom - top) / lineHeight);
}

std::optional<size_t> ListGeometry::itemAt(int y, size_t topLine, size_t count) const {
    if (lineHeight <= 0 || y < top || y >= bottom) return std::nullopt;
    const size_t line = size_t((y - top) / (lineHeight + 1));
    if (line >= visibleLines()) return std::nullopt;
    const size_t index = topLine + line;
    if (index >= count) return std::nullopt;
    return index;
}

std::optional<int32_t> listScrollMaximum(size_t count, size_t visibleLines) {
    if (count <= visibleLines) return std::nullopt;
    return int32_t(count - visibleLines);
}

std::optional<size_t> topLineShowing(size_t index, size_t topLine, size_t visibleLines) {
    if (index < topLine) return index;
    if (visibleLines > 0 && index >= topLine + visibleLines) return index - visibleLines + 1;
    return std::nullopt;
}

}  // namespace kz8::skinui
