#include "skinui/portable/template_tables.h"

#include <unordered_map>

namespace kz8::skinui {

namespace {

const char* const kSectionHeaders[kSectionKindCount] = {
    "[TEMPLATE]", "[BUTTON]",   "[SLIDECUBE]",   "[SCROLLBAR]", "[EDITBOX]",
    "[LISTBOX]",  "[CHECKBOX]", "[RADIOBUTTON]", "[COMBOBOX]",  "[IMGWINDOW]",
};

using T = KeyType;
// Rules by section: TEMPLATE BUTTON SLIDECUBE SCROLLBAR EDITBOX LISTBOX
// CHECKBOX RADIOBUTTON COMBOBOX IMGWINDOW.
const KeyDefinition kKeys[kKeyCount] = {
    {"NAME", T::Name, "RRRRRRRRRR"},
    {"ISHIDE", T::Integer, "oooooooooo"},
    {"CAPTION", T::Text, "o         "},
    {"FILENAME", T::ImageFile, "R         "},
    {"MOVERECT", T::Rect, "o         "},
    {"CURSOROFTEMPLATE", T::CursorFile, "o         "},
    {"CURSORONBTN", T::CursorFile, "o         "},
    {"TESTMODE", T::Integer, "o         "},
    {"REGSTATE", T::ImageFile, " R        "},
    {"ROLLSTATE", T::ImageFile, " o        "},
    {"ROLLCURSOR", T::ImageFile, " o        "},
    {"DOWNSTATE", T::ImageFile, " R        "},
    {"INVALIDSTATE", T::ImageFile, " o        "},
    {"RECT", T::Rect, " R    RR R"},
    {"MASKFILENAME", T::ImageFile, " o        "},
    {"CLIPRECT", T::Rect, " o        "},
    {"GROUPNUMBER", T::Integer, " o     o  "},
    {"STYLE", T::Integer, " ooo o    "},
    {"ACTION", T::Integer, " R        "},
    {"LINK", T::LinkFile, " P        "},
    {"TIPCONTENTS", T::Text, " o        "},
    {"TIPSTYLE", T::Integer, " o        "},
    {"SUBCONTROL", T::Integer, " o oooo   "},
    {"FPH", T::Text, "          "},
    {"DOWNSOUND", T::SoundFile, " o        "},
    {"INVALIDSOUND", T::SoundFile, " o        "},
    {"COMMAND", T::Command, " o        "},
    {"SLIDEREGIMG", T::ImageFile, "  R       "},
    {"SLIDEDOWNIMG", T::ImageFile, "  o       "},
    {"SLIDEINVALIDIMG", T::ImageFile, "  o       "},
    {"SCROLLREGIMG", T::ImageFile, "   R      "},
    {"SCROLLINVALIDIMG", T::ImageFile, "   o      "},
    {"SLIDENUMBER", T::Integer, "   o      "},
    {"SLIDENAME", T::Name, "   R      "},
    {"VERTICAL", T::Integer, "   R      "},
    {"ASSOCIATE_BTN_ADD", T::Name, "   o      "},
    {"ASSOCIATE_BTN_MINUS", T::Name, "   o      "},
    {"RANGE", T::Range, "   R      "},
    {"SCROLLRECT", T::Rect, "   o      "},
    {"BACKCOLOR", T::Colour, "    R     "},
    {"EDITRECT", T::Rect, "    R     "},
    {"MULTILINES", T::Integer, "    o     "},
    {"READONLY", T::Integer, "    o     "},
    {"ASSOCIATE_SCROLL_HORIZON", T::Name, "    o     "},
    {"ASSOCIATE_SCROLL_VERTICAL", T::Name, "    oP    "},
    {"TEXTCOLOR", T::Colour, "    o     "},
    {"ALIGNSTYLE", T::Integer, "    o     "},
    {"IMAGEFILE", T::ImageFile, "     R    "},
    {"LISTRECT", T::Rect, "     R    "},
    {"LINEHEIGHT", T::Integer, "     R    "},
    {"NORMALCOLOR", T::Colour, "     R    "},
    {"SELECTCOLOR", T::Colour, "     R    "},
    {"MULTISELECT", T::Integer, "     o    "},
    {"INITDATA", T::Text, "     o    "},
    {"ROLLCOLOR", T::Colour, "     o    "},
    {"BACKGROUNDIMAGE", T::ImageFile, "     o    "},
    {"BACKRECT", T::Rect, "     o    "},
    {"IMGUNCHECKED", T::ImageFile, "      RR  "},
    {"IMGCHECKED", T::ImageFile, "      RR  "},
    {"IMGINVALIDUNCHECKED", T::ImageFile, "      oo  "},
    {"IMGINVALIDCHECKED", T::ImageFile, "      oo  "},
    {"DEFAULTBUTTON", T::Integer, "       o  "},
    {"ASSOCIATE_TOGGLE_BTN", T::Name, "        R "},
    {"ASSOCIATE_SINGLELINE_EDIT", T::Name, "        R "},
    {"ASSOCIATE_POPUP_LIST", T::Name, "        o "},
};

char upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// b is upper case and NUL-terminated; walked once, without measuring it first.
bool sameIgnoringCase(std::string_view a, const char* b) {
    for (size_t i = 0; i < a.size(); ++i)
        if (b[i] == '\0' || upper(a[i]) != b[i]) return false;
    return b[a.size()] == '\0';
}

}  // namespace

const KeyDefinition& keyDefinition(int32_t id) { return kKeys[id]; }

std::optional<int32_t> findKey(std::string_view name) {
    // Every template line asks: a hash of the upper-case names, made once.
    static const auto* const byName = [] {
        auto* map = new std::unordered_map<std::string_view, int32_t>();
        for (int32_t id = 0; id < kKeyCount; ++id) map->emplace(kKeys[id].name, id);
        return map;
    }();
    constexpr size_t kLongestKey = 32;
    if (name.size() > kLongestKey) return std::nullopt;
    char upperName[kLongestKey];
    for (size_t i = 0; i < name.size(); ++i) upperName[i] = upper(name[i]);
    const auto found = byName->find(std::string_view(upperName, name.size()));
    if (found == byName->end()) return std::nullopt;
    return found->second;
}

const char* sectionHeader(SectionKind kind) { return kSectionHeaders[int(kind)]; }

std::optional<SectionKind> findSection(std::string_view header) {
    for (int i = 0; i < kSectionKindCount; ++i)
        if (sameIgnoringCase(header, kSectionHeaders[i])) return SectionKind(i);
    return std::nullopt;
}

}  // namespace kz8::skinui
