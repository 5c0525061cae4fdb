// A template and its controls as the file describes them: the fields each
// section sets, with their defaults. Behaviour and window state belong to
// the window side. One list per kind, in file order; every control points
// back to its template.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/portable/dib.h"
#include "common/portable/rect.h"
#include "skinui/portable/list_model.h"
#include "skinui/portable/template_resources.h"
#include "skinui/portable/template_values.h"

namespace kz8::skinui {

struct Template;

constexpr uint32_t kWhite = 0xFFFFFF;

struct ControlRecord {
    virtual ~ControlRecord() = default;
    std::string name;
    int32_t style = 0;
    int32_t hidden = 0;
    Template* owner = nullptr;
};

enum ButtonState : int32_t { kButtonInvalid = 0, kButtonNormal, kButtonRoll, kButtonDown };

struct Button : ControlRecord {
    int32_t state = kButtonNormal;
    int32_t previousState = kButtonNormal;
    int32_t action = 0;
    Rect rect;
    std::optional<Dib> regState, rollState, downState, invalidState, mask;
    Rect clipRect;
    std::string link;
    std::vector<ButtonCommand> commands;
    std::string tipContents;
    int32_t tipStyle = 0;
    int32_t subControl = 0;
    std::string downSound, invalidSound;
};

// A button of a group: pressing one releases the others of its number.
struct GroupButton : Button {
    int32_t groupNumber = -1;
};

struct SlideCube : ControlRecord {
    int32_t state = 1;  // 0 invalid, 1 normal, 2 dragged
    std::optional<Dib> regImage, downImage, invalidImage;
    Rect thumbRect;  // the size of regImage
};

struct ScrollBar : ControlRecord {
    int32_t state = 1;
    int32_t maximum = 0, minimum = 0, position = 0;
    std::optional<Dib> regImage, invalidImage;
    Rect scrollRect;
    int32_t vertical = 0;
    int32_t subControl = 0;
    std::unique_ptr<SlideCube> thumb;
    std::string slideName, addButton, minusButton;
    int32_t savedPosition = 0;
};

struct EditBox : ControlRecord {
    int32_t state = 1;
    uint32_t backColour = 0;
    uint32_t textColour = kWhite;
    Rect editRect;
    int32_t readOnly = 0, multiLines = 0, subControl = 0;
    int32_t alignStyle = 0;  // 0 left, 1 centre, 2 right
    std::string scrollHorizon, scrollVertical;
};

struct ListBox : ControlRecord {
    int32_t state = 1;
    std::optional<Dib> image, backgroundImage;
    Rect backRect, listRect;
    int32_t lineHeight = 0;  // 0: from the font
    int32_t topLine = 0;
    int32_t multiSelect = 1;
    ListModel items;
    std::string scrollVertical;
    uint32_t normalColour = kWhite, selectColour = kWhite, rollColour = kWhite;
    int32_t rollLine = -1;
    int32_t subControl = 0;
};

enum CheckState : int32_t {
    kDisabledChecked = 0,
    kDisabledUnchecked,
    kChecked,
    kUnchecked,
};

struct CheckBox : ControlRecord {
    int32_t state = kUnchecked;
    Rect rect;
    std::optional<Dib> checked, unchecked, invalidChecked, invalidUnchecked;
    int32_t subControl = 0;
};

struct RadioButton : ControlRecord {
    int32_t state = kUnchecked;
    Rect rect;
    std::optional<Dib> checked, unchecked, invalidChecked, invalidUnchecked;
    int32_t groupNumber = 0;
    int32_t defaultButton = 0;
};

struct ComboBox : ControlRecord {
    std::string toggleButton, singleLineEdit, popupList;
};

struct ImgWindow : ControlRecord {
    Rect rect;
};

struct Template {
    std::string name;
    int32_t style = 0;
    int32_t hidden = 0;
    int32_t state = 1;  // 0 disabled, 1 normal, 2 being dragged
    Rect moveRect;
    std::string caption;
    std::string path;  // the .dtp path in upper case; empty for a text template
    std::unique_ptr<CursorResource> templateCursor, buttonCursor;  // none: the arrow
    std::optional<Dib> background;                                 // its size is the window's

    std::vector<std::unique_ptr<Button>> buttons;  // plain and group buttons
    std::vector<std::unique_ptr<ScrollBar>> scrollBars;
    std::vector<std::unique_ptr<EditBox>> editBoxes;
    std::vector<std::unique_ptr<ListBox>> listBoxes;
    std::vector<std::unique_ptr<CheckBox>> checkBoxes;
    std::vector<std::unique_ptr<RadioButton>> radioButtons;
    std::vector<std::unique_ptr<ComboBox>> comboBoxes;
    std::vector<std::unique_ptr<ImgWindow>> imgWindows;
};

}  // namespace kz8::skinui
