// The template format's two tables: the ten section kinds and the keys, each
// key with its value type and the sections that accept it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kz8::skinui {

enum class SectionKind : int32_t {
    Template = 0,
    Button,
    SlideCube,
    ScrollBar,
    EditBox,
    ListBox,
    CheckBox,
    RadioButton,
    ComboBox,
    ImgWindow,
};
constexpr int kSectionKindCount = 10;

enum class KeyType : int32_t {
    Name = 0,
    Text = 1,
    Integer = 2,
    Rect = 4,
    Range = 5,
    Colour = 6,
    CursorFile = 7,
    ImageFile = 8,
    LinkFile = 9,
    SoundFile = 10,
    Command = 11,
};

// How a section takes a key.
enum class KeyRule : char {
    Refused = ' ',
    Optional = 'o',
    Present = 'P',   // must be there, may be empty
    Required = 'R',  // must be there and not empty
};

// Key ids are indexes into the key table; "FPH" (id 23) is known but no
// section accepts it.
enum KeyId : int32_t {
    kKeyName = 0,
    kKeyIsHide,
    kKeyCaption,
    kKeyFileName,
    kKeyMoveRect,
    kKeyCursorOfTemplate,
    kKeyCursorOnButton,
    kKeyTestMode,
    kKeyRegState,
    kKeyRollState,
    kKeyRollCursor,
    kKeyDownState,
    kKeyInvalidState,
    kKeyRect,
    kKeyMaskFileName,
    kKeyClipRect,
    kKeyGroupNumber,
    kKeyStyle,
    kKeyAction,
    kKeyLink,
    kKeyTipContents,
    kKeyTipStyle,
    kKeySubControl,
    kKeyFph,
    kKeyDownSound,
    kKeyInvalidSound,
    kKeyCommand,
    kKeySlideRegImg,
    kKeySlideDownImg,
    kKeySlideInvalidImg,
    kKeyScrollRegImg,
    kKeyScrollInvalidImg,
    kKeySlideNumber,
    kKeySlideName,
    kKeyVertical,
    kKeyAssociateButtonAdd,
    kKeyAssociateButtonMinus,
    kKeyRange,
    kKeyScrollRect,
    kKeyBackColor,
    kKeyEditRect,
    kKeyMultiLines,
    kKeyReadOnly,
    kKeyAssociateScrollHorizon,
    kKeyAssociateScrollVertical,
    kKeyTextColor,
    kKeyAlignStyle,
    kKeyImageFile,
    kKeyListRect,
    kKeyLineHeight,
    kKeyNormalColor,
    kKeySelectColor,
    kKeyMultiSelect,
    kKeyInitData,
    kKeyRollColor,
    kKeyBackgroundImage,
    kKeyBackRect,
    kKeyImgUnchecked,
    kKeyImgChecked,
    kKeyImgInvalidUnchecked,
    kKeyImgInvalidChecked,
    kKeyDefaultButton,
    kKeyAssociateToggleButton,
    kKeyAssociateSingleLineEdit,
    kKeyAssociatePopupList,
    kKeyCount
};

struct KeyDefinition {
    const char* name;  // upper case, as the messages show it
    KeyType type;
    // One rule per section kind, in SectionKind order.
    const char* rules;
    KeyRule rule(SectionKind section) const { return KeyRule(rules[int(section)]); }
};

const KeyDefinition& keyDefinition(int32_t id);
// The key of a name, compared without regard to case.
std::optional<int32_t> findKey(std::string_view name);

// The header text with brackets, upper case ("[BUTTON]").
const char* sectionHeader(SectionKind kind);
// The kind of a header, compared without regard to case, brackets included.
std::optional<SectionKind> findSection(std::string_view header);

}  // namespace kz8::skinui
