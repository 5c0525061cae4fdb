#include "common/testing/win32/dialog_template.h"

namespace kz8::testkit {

namespace {

constexpr uint16_t kExtendedSignature = 0xFFFF;
constexpr uint16_t kOrdinalMark = 0xFFFF;

// Reads the little-endian fields of a template in order, word-aligned
// strings included; fails for good once the bytes run out.
class TemplateReader {
public:
    TemplateReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}
    bool ok() const { return ok_; }

    uint16_t word() { return uint16_t(take(2)); }
    uint32_t dword() { return take(4); }
    int16_t signedWord() { return int16_t(word()); }
    uint8_t byte() { return uint8_t(take(1)); }
    void alignTo(size_t boundary) {
        while (at_ % boundary != 0 && ok_) take(1);
    }
    void skip(size_t count) {
        for (size_t i = 0; i < count && ok_; ++i) take(1);
    }
    // A NUL-terminated UTF-16 string, narrowed (the texts here are ASCII).
    std::string text() {
        std::string out;
        for (uint16_t c; ok_ && (c = word()) != 0;) out.push_back(char(c));
        return out;
    }
    // A string or an ordinal (0xFFFF, then the number); empty for none.
    std::string textOrOrdinal(uint16_t* ordinal = nullptr) {
        const uint16_t first = word();
        if (first == kOrdinalMark) {
            const uint16_t number = word();
            if (ordinal) *ordinal = number;
            return {};
        }
        if (first == 0) return {};
        std::string out(1, char(first));
        return out + text();
    }

private:
    uint32_t take(size_t count) {
        if (!ok_ || at_ + count > size_) {
            ok_ = false;
            return 0;
        }
        uint32_t value = 0;
        for (size_t i = 0; i < count; ++i) value |= uint32_t(bytes_[at_ + i]) << (8 * i);
        at_ += count;
        return value;
    }

    const uint8_t* bytes_;
    size_t size_;
    size_t at_ = 0;
    bool ok_ = true;
};

std::string classOfOrdinal(uint16_t ordinal) {
    switch (ordinal) {
        case 0x80: return "Button";
        case 0x81: return "Edit";
        case 0x82: return "Static";
        case 0x83: return "ListBox";
        case 0x84: return "ScrollBar";
        case 0x85: return "ComboBox";
        default: return "#" + std::to_string(ordinal);
    }
}

DialogItem readItem(TemplateReader& in, bool extended) {
    DialogItem item;
    in.alignTo(4);
    if (extended) {
        in.dword();  // help id
        in.dword();  // extended style
        item.style = in.dword();
    } else {
        item.style = in.dword();
        in.dword();  // extended style
    }
    item.x = in.signedWord();
    item.y = in.signedWord();
    item.width = in.signedWord();
    item.height = in.signedWord();
    item.id = extended ? int32_t(in.dword()) : int32_t(in.signedWord());
    uint16_t ordinal = 0;
    item.className = in.textOrOrdinal(&ordinal);
    if (item.className.empty()) item.className = classOfOrdinal(ordinal);
    item.text = in.textOrOrdinal();
    in.skip(in.word());  // creation data
    return item;
}

}  // namespace

std::optional<DialogTemplate> parseDialogTemplate(const uint8_t* bytes, size_t size) {
    TemplateReader in(bytes, size);
    DialogTemplate dialog;
    const uint16_t version = in.word();
    dialog.extended = in.word() == kExtendedSignature && version == 1;
    if (dialog.extended) {
        in.dword();  // help id
        in.dword();  // extended style
        dialog.style = in.dword();
    } else {
        in = TemplateReader(bytes, size);
        dialog.style = in.dword();
        in.dword();  // extended style
    }
    const uint16_t count = in.word();
    in.signedWord();  // x
    in.signedWord();  // y
    dialog.width = in.signedWord();
    dialog.height = in.signedWord();
    in.textOrOrdinal();  // menu
    in.textOrOrdinal();  // class
    dialog.caption = in.text();
    if (dialog.style & DS_SETFONT) {
        dialog.fontSize = in.word();
        if (dialog.extended) {
            in.word();  // weight
            in.byte();  // italic
            in.byte();  // character set
        }
        dialog.fontName = in.text();
    }
    for (uint16_t i = 0; i < count && in.ok(); ++i)
        dialog.items.push_back(readItem(in, dialog.extended));
    if (!in.ok()) return std::nullopt;
    return dialog;
}

std::optional<DialogTemplate> loadDialogTemplate(HMODULE module, int id) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));  // RT_DIALOG
    if (!found) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return std::nullopt;
    return parseDialogTemplate(static_cast<const uint8_t*>(bytes), SizeofResource(module, found));
}

}  // namespace kz8::testkit
