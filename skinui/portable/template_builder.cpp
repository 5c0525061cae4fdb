#include "skinui/portable/template_builder.h"

#include <new>

#include "skinui/portable/template_checks.h"

namespace kz8::skinui {

namespace {

// The keys of one section by id; a key written twice counts as written last
// (COMMAND, the one repeatable key, is read whole).
class SectionValues {
public:
    SectionValues(const ParsedSection& section, TemplateResources& resources,
                  const BuildOptions& options)
        : section_(section), resources_(resources), options_(options) {}

    const ParsedKey* find(int32_t id) const {
        const ParsedKey* found = nullptr;
        for (const ParsedKey& key : section_.keys)
            if (key.id == id) found = &key;
        return found;
    }
    std::string text(int32_t id) const {
        const ParsedKey* key = find(id);
        return key ? key->value : std::string();
    }
    int32_t integer(int32_t id, int32_t fallback = 0) const {
        const ParsedKey* key = find(id);
        if (!key || key->value.empty()) return fallback;
        return integerValue(key->value).value_or(fallback);
    }
    Rect rect(int32_t id) const { return rectValue(text(id)).value_or(Rect{}); }
    uint32_t colour(int32_t id, uint32_t fallback) const {
        return colourValue(text(id)).value_or(fallback);
    }
    // Display text: quotes removed, cut to its field.
    std::string display(int32_t id, size_t fieldBytes) const {
        return cutToField(withoutQuotes(text(id)), fieldBytes, options_.isLeadByte);
    }
    std::optional<Dib> picture(int32_t id) const {
        const std::string file = text(id);
        return file.empty() ? std::nullopt : resources_.picture(file);
    }
    std::unique_ptr<CursorResource> cursor(int32_t id) const {
        const std::string file = text(id);
        return file.empty() ? nullptr : resources_.cursor(file);
    }
    std::vector<ButtonCommand> commands() const {
        std::vector<ButtonCommand> all;
        for (const ParsedKey& key : section_.keys)
            if (key.id == kKeyCommand && !key.value.empty())
                if (auto command = commandValue(key.value, nullptr)) all.push_back(*command);
        return all;
    }
    LeadByteTest isLeadByte() const { return options_.isLeadByte; }

private:
    const ParsedSection& section_;
    TemplateResources& resources_;
    const BuildOptions& options_;
};

std::optional<Dib> orCopyOf(std::optional<Dib> picture, const std::optional<Dib>& fallback) {
    return picture ? std::move(picture) : fallback;
}

void applyCommon(const SectionValues& v, ControlRecord& record, Template& owner) {
    record.name = v.text(kKeyName);
    record.style = v.integer(kKeyStyle);
    record.hidden = v.integer(kKeyIsHide);
    record.owner = &owner;
}

std::unique_ptr<Button> makeButton(const SectionValues& v) {
    // GROUPNUMBER -1, or none, is a plain button.
    const int32_t group = v.integer(kKeyGroupNumber, -1);
    std::unique_ptr<Button> button;
    if (group != -1) {
        auto grouped = std::make_unique<GroupButton>();
        grouped->groupNumber = group;
        button = std::move(grouped);
    } else {
        button = std::make_unique<Button>();
    }
    Button& b = *button;
    b.action = v.integer(kKeyAction);
    b.rect = v.rect(kKeyRect);
    b.regState = v.picture(kKeyRegState);
    b.rollState = orCopyOf(v.picture(kKeyRollState), b.regState);
    b.downState = orCopyOf(v.picture(kKeyDownState), b.regState);
    b.invalidState = v.picture(kKeyInvalidState);
    b.mask = v.picture(kKeyMaskFileName);
    b.clipRect = v.rect(kKeyClipRect);
    b.link = v.text(kKeyLink);
    b.commands = v.commands();
    b.tipContents = v.display(kKeyTipContents, kTipBytes);
    b.tipStyle = v.integer(kKeyTipStyle);
    b.subControl = v.integer(kKeySubControl);
    b.downSound = v.text(kKeyDownSound);
    b.invalidSound = v.text(kKeyInvalidSound);
    return button;
}

std::unique_ptr<SlideCube> makeSlideCube(const SectionValues& v) {
    auto cube = std::make_unique<SlideCube>();
    cube->regImage = v.picture(kKeySlideRegImg);
    cube->downImage = orCopyOf(v.picture(kKeySlideDownImg), cube->regImage);
    cube->invalidImage = orCopyOf(v.picture(kKeySlideInvalidImg), cube->regImage);
    if (cube->regImage) {
        const DibView view = cube->regImage->view();
        cube->thumbRect = Rect{0, 0, int(view.width()), int(view.height())};
    }
    return cube;
}

std::unique_ptr<ScrollBar> makeScrollBar(const SectionValues& v) {
    auto bar = std::make_unique<ScrollBar>();
    if (const auto range = rangeValue(v.text(kKeyRange))) {
        bar->minimum = range->first;
        bar->maximum = range->second;
        bar->position = range->first;
    }
    bar->regImage = v.picture(kKeyScrollRegImg);
    bar->invalidImage = orCopyOf(v.picture(kKeyScrollInvalidImg), bar->regImage);
    bar->scrollRect = v.rect(kKeyScrollRect);
    bar->vertical = v.integer(kKeyVertical);
    bar->subControl = v.integer(kKeySubControl);
    bar->slideName = v.text(kKeySlideName);
    bar->addButton = v.text(kKeyAssociateButtonAdd);
    bar->minusButton = v.text(kKeyAssociateButtonMinus);
    return bar;
}

std::unique_ptr<EditBox> makeEditBox(const SectionValues& v) {
    auto edit = std::make_unique<EditBox>();
    edit->backColour = v.colour(kKeyBackColor, 0);
    edit->textColour = v.colour(kKeyTextColor, kWhite);
    edit->editRect = v.rect(kKeyEditRect);
    edit->multiLines = v.integer(kKeyMultiLines);
    edit->readOnly = v.integer(kKeyReadOnly);
    edit->alignStyle = v.integer(kKeyAlignStyle);
    edit->subControl = v.integer(kKeySubControl);
    edit->scrollHorizon = v.text(kKeyAssociateScrollHorizon);
    edit->scrollVertical = v.text(kKeyAssociateScrollVertical);
    return edit;
}

std::unique_ptr<ListBox> makeListBox(const SectionValues& v) {
    auto list = std::make_unique<ListBox>();
    list->image = v.picture(kKeyImageFile);
    list->backgroundImage = v.picture(kKeyBackgroundImage);
    list->backRect = v.rect(kKeyBackRect);
    list->listRect = v.rect(kKeyListRect);
    list->lineHeight = v.integer(kKeyLineHeight);
    list->multiSelect = v.integer(kKeyMultiSelect, 1);
    // Split from the raw value: the Text rule's quote removal would empty
    // every list of two items.
    for (std::string& item : initDataItems(v.text(kKeyInitData), v.isLeadByte()))
        list->items.add(std::move(item));
    list->scrollVertical = v.text(kKeyAssociateScrollVertical);
    list->normalColour = v.colour(kKeyNormalColor, kWhite);
    list->selectColour = v.colour(kKeySelectColor, kWhite);
    list->rollColour = v.colour(kKeyRollColor, kWhite);
    list->subControl = v.integer(kKeySubControl);
    return list;
}

template <typename Box>
void applyCheckPictures(const SectionValues& v, Box& box) {
    box.rect = v.rect(kKeyRect);
    box.checked = v.picture(kKeyImgChecked);
    box.unchecked = v.picture(kKeyImgUnchecked);
    box.invalidChecked = orCopyOf(v.picture(kKeyImgInvalidChecked), box.checked);
    box.invalidUnchecked = orCopyOf(v.picture(kKeyImgInvalidUnchecked), box.unchecked);
}

template <typename Record>
Record& append(std::vector<std::unique_ptr<Record>>& list, std::unique_ptr<Record> record) {
    list.push_back(std::move(record));
    return *list.back();
}

void buildControl(const ParsedSection& section, const SectionValues& v, Template& t) {
    switch (section.kind) {
        case SectionKind::Template: break;  // checked: only the first section
        case SectionKind::Button: applyCommon(v, append(t.buttons, makeButton(v)), t); break;
        case SectionKind::SlideCube:
            // The thumb of the bar defined last; before any bar it has none.
            if (!t.scrollBars.empty()) {
                auto cube = makeSlideCube(v);
                applyCommon(v, *cube, t);
                t.scrollBars.back()->thumb = std::move(cube);
            }
            break;
        case SectionKind::ScrollBar:
            applyCommon(v, append(t.scrollBars, makeScrollBar(v)), t);
            break;
        case SectionKind::EditBox: applyCommon(v, append(t.editBoxes, makeEditBox(v)), t); break;
        case SectionKind::ListBox: applyCommon(v, append(t.listBoxes, makeListBox(v)), t); break;
        case SectionKind::CheckBox: {
            CheckBox& box = append(t.checkBoxes, std::make_unique<CheckBox>());
            applyCheckPictures(v, box);
            box.subControl = v.integer(kKeySubControl);
            applyCommon(v, box, t);
            break;
        }
        case SectionKind::RadioButton: {
            RadioButton& radio = append(t.radioButtons, std::make_unique<RadioButton>());
            applyCheckPictures(v, radio);
            radio.groupNumber = v.integer(kKeyGroupNumber);
            radio.defaultButton = v.integer(kKeyDefaultButton);
            applyCommon(v, radio, t);
            break;
        }
        case SectionKind::ComboBox: {
            ComboBox& combo = append(t.comboBoxes, std::make_unique<ComboBox>());
            combo.toggleButton = v.text(kKeyAssociateToggleButton);
            combo.singleLineEdit = v.text(kKeyAssociateSingleLineEdit);
            combo.popupList = v.text(kKeyAssociatePopupList);
            applyCommon(v, combo, t);
            break;
        }
        case SectionKind::ImgWindow: {
            ImgWindow& window = append(t.imgWindows, std::make_unique<ImgWindow>());
            window.rect = v.rect(kKeyRect);
            applyCommon(v, window, t);
            break;
        }
    }
}

}  // namespace

std::optional<ParseError> buildTemplate(const ParseTree& tree, TemplateResources& resources,
                                        const BuildOptions& options, Template& target) {
    const ParsedSection& first = tree.sections.front();
    const SectionValues v(first, resources, options);
    target.name = v.text(kKeyName);
    target.caption = v.display(kKeyCaption, kCaptionBytes);
    target.moveRect = v.rect(kKeyMoveRect);
    target.templateCursor = v.cursor(kKeyCursorOfTemplate);
    target.buttonCursor = v.cursor(kKeyCursorOnButton);
    target.hidden = v.integer(kKeyIsHide);
    target.background = v.picture(kKeyFileName);
    if (!target.background) return ParseError{kErrorInvalidFile, v.find(kKeyFileName)->line, {}};
    for (size_t i = 1; i < tree.sections.size(); ++i)
        buildControl(tree.sections[i], SectionValues(tree.sections[i], resources, options), target);
    return std::nullopt;
}

std::optional<ParseError> templatePathError(const std::string& path) {
    constexpr size_t kPathBytes = 260;
    if (path.empty() || path.size() >= kPathBytes)
        return ParseError{kErrorNoFullPath, kNoLine, {path}};
    const size_t dot = path.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    for (char& c : extension)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    if (extension != "DTP") return ParseError{kErrorNotDtp, kNoLine, {path}};
    return std::nullopt;
}

std::optional<ParseError> checkTemplateText(std::string_view text) {
    try {
        ParseResult parsed = parseTemplateText(text);
        if (!parsed.ok) return std::move(parsed.error);
        return checkTemplate(parsed.tree);
    } catch (const std::bad_alloc&) {
        return ParseError{kErrorNoMemory, kNoLine, {}};
    }
}

LoadResult loadTemplateText(std::string_view text, TemplateResources& resources,
                            const BuildOptions& options) {
    LoadResult result;
    try {
        ParseResult parsed = parseTemplateText(text);
        if (!parsed.ok) {
            result.error = std::move(parsed.error);
            return result;
        }
        if (auto error = checkTemplate(parsed.tree)) {
            result.error = std::move(*error);
            return result;
        }
        auto built = std::make_unique<Template>();
        if (auto error = buildTemplate(parsed.tree, resources, options, *built)) {
            result.error = std::move(*error);
            return result;
        }
        result.loaded = std::move(built);
    } catch (const std::bad_alloc&) {
        result.loaded.reset();
        result.error = ParseError{kErrorNoMemory, kNoLine, {}};
    }
    return result;
}

}  // namespace kz8::skinui
