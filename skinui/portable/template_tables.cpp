#include "skinui/portable/template_tables.h"

#include <cstring>

namespace kz8::skinui {

namespace {

const char* const kSectionHeaders[kSectionKindCount] = {
    "[TEMPLATE]", "[BUTTON]",   "[SLIDECUBE]",   "[SCROLLBAR]", "[EDITBOX]",
    "[LISTBOX]",  "[CHECKBOX]", "[RADIOBUTTON]", "[COMBOBOX]",  "[IMGWINDOW]",
};

using T = KeyType;
// Rules by section: TEMPLATE BUTTON SLIDECUBE SCROLLBAR EDITBOX LISTBOX
// CHECKBOX RADIOBUTTON COMBOBOX IMGWINDOW.
const KeySpec kKeys[kKeyCount] = {
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

bool sameIgnoringCase(std::string_view a, const char* b) {
    const size_t length = std::strlen(b);
    if (a.size() != length) return false;
    for (size_t i = 0; i < length; ++i)
        if (upper(a[i]) != b[i]) return false;
    return true;
}

}  // namespace

const KeySpec& keySpec(int32_t id) { return kKeys[id]; }

std::optional<int32_t> findKey(std::string_view name) {
    for (int32_t id = 0; id < kKeyCount; ++id)
        if (sameIgnoringCase(name, kKeys[id].name)) return id;
    return std::nullopt;
}

const char* sectionHeader(SectionKind kind) { return kSectionHeaders[int(kind)]; }

std::optional<SectionKind> findSection(std::string_view header) {
    for (int i = 0; i < kSectionKindCount; ++i)
        if (sameIgnoringCase(header, kSectionHeaders[i])) return SectionKind(i);
    return std::nullopt;
}

}  // namespace kz8::skinui
