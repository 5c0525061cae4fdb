// Vexil2.dll as a host uses it: loaded with LoadLibraryA("Vexil2.dll"), its
// functions bound by name and by ordinal, the seven the mail library
// imports called through their ordinals only, on the committed sheets.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/screen_pixels.h"
#include "common/win32/module_function.h"
#include "skinui/include/vexil2.h"
#include "skinui/tests/win32/owner_recorder.h"
#include "skinui/tests/win32/template_window_support.h"

namespace {

using namespace kz8::skinui::testkit;
using kz8::testkit::pumpMessages;
using kz8::testkit::pumpUntil;

// A function of the loaded library, typed by its declaration in the host
// header: by name, or by ordinal as a host that imports by number binds it.
#define BY_NAME(function) dll.byName<decltype(&function)>(#function)
#define BY_ORDINAL(function, ordinal) dll.byOrdinal<decltype(&function)>(vexil2::ordinal)

class Vexil2Dll {
public:
    // From the build's folder, by the name a host uses.
    bool load() {
        SetDllDirectoryA(KZ8_VEXIL2_FOLDER);
        module_ = LoadLibraryA("Vexil2.dll");
        SetDllDirectoryA(nullptr);
        return module_ != nullptr;
    }
    void unload() {
        if (module_) FreeLibrary(module_);
        module_ = nullptr;
    }
    HMODULE module() const { return module_; }
    FARPROC address(const char* nameOrOrdinal) const {
        return GetProcAddress(module_, nameOrOrdinal);
    }
    template <typename Function>
    Function byName(const char* name) const {
        return kz8::moduleFunction<Function>(module_, name);
    }
    template <typename Function>
    Function byOrdinal(int ordinal) const {
        return byName<Function>(MAKEINTRESOURCEA(ordinal));
    }

private:
    HMODULE module_ = nullptr;
};

LOGFONTA fontOfHeight(int height, const char* face) {
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return font;
}

class Vexil2Host : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dll.load());
        ASSERT_EQ(BY_NAME(Vexil_Init)(), 1);
        keepPointerAway();
    }
    void TearDown() override {
        closeAll();
        dll.unload();
    }
    void closeAll() {
        while (BY_NAME(Vexil_GetTemplateNumber)() > 0)
            DestroyWindow(BY_NAME(Vexil_GetTemplateHWND)(BY_NAME(Vexil_GetCurrentTemplateName)()));
        pumpMessages(20);
    }
    // A sheet of the fixtures as a pop-up of the recording owner, through
    // ordinal 2.
    bool open(const char* file, int x = 100, int y = 100) {
        std::string path = templateFile(file);
        return BY_ORDINAL(Vexil_Create, kCreate)(owner.window(), WS_POPUP, path.data(), x, y, 0) ==
               1;
    }
    std::string current() {
        const char* name = BY_ORDINAL(Vexil_GetCurrentTemplateName, kGetCurrentTemplateName)();
        return name ? name : "(none)";
    }

    Vexil2Dll dll;
    OwnerRecorder owner;
};

// Each "name @N" line of the .def the library was linked with.
std::vector<std::pair<std::string, int>> definedExports() {
    std::ifstream def(KZ8_VEXIL2_DEF);
    std::vector<std::pair<std::string, int>> exports;
    std::string line;
    while (std::getline(def, line)) {
        const size_t at = line.rfind(" @");
        if (line.empty() || line[0] == ';' || at == std::string::npos) continue;
        std::istringstream words(line);
        std::string name;
        words >> name;
        exports.emplace_back(name, std::stoi(line.substr(at + 2)));
    }
    return exports;
}

TEST_F(Vexil2Host, EveryExportIsTheSameFunctionByNameAndByOrdinal) {
    const auto exports = definedExports();
    ASSERT_EQ(exports.size(), size_t(vexil2::kExportCount));
    for (size_t i = 0; i < exports.size(); ++i) {
        const auto& [name, ordinal] = exports[i];
        EXPECT_EQ(ordinal, int(i + 1)) << name;
        const FARPROC byName = dll.address(name.c_str());
        EXPECT_NE(byName, nullptr) << name;
        EXPECT_EQ(byName, dll.address(MAKEINTRESOURCEA(ordinal))) << name;
    }
}

// As the mail library goes: create, fill and read edit boxes, switch
// between its templates, enable and disable, all by ordinal.
TEST_F(Vexil2Host, TheCallingOrderThroughTheImportedOrdinals) {
    ASSERT_TRUE(open("form.dtp"));
    EXPECT_EQ(owner.count(vexil2::kTemplateShown), 1u);
    EXPECT_EQ(current(), "Form");
    HWND form = BY_ORDINAL(Vexil_GetTemplateHWND, kGetTemplateHwnd)("FORM");
    EXPECT_TRUE(IsWindowVisible(form));

    EXPECT_EQ(BY_ORDINAL(Vexil_SetEditText, kSetEditText)("subject", "Hello"), 1);
    char text[32] = {};
    EXPECT_EQ(BY_ORDINAL(Vexil_GetEditText, kGetEditText)("Subject", text, int(sizeof text)), 1);
    EXPECT_STREQ(text, "Hello");

    ASSERT_TRUE(open("edits.dtp", 100, 400));
    EXPECT_EQ(current(), "Letters");
    EXPECT_EQ(BY_ORDINAL(Vexil_GetEditText, kGetEditText)("Subject", text, int(sizeof text)), 0)
        << "control calls address the current template only";
    EXPECT_EQ(BY_ORDINAL(Vexil_SetActiveTemplate, kSetActiveTemplate)("form"), 1);
    EXPECT_EQ(current(), "Form");
    EXPECT_EQ(BY_ORDINAL(Vexil_EnableWindow, kEnableWindow)("Subject", 0), 1);
    HWND subject = BY_ORDINAL(Vexil_GetEditHwnd, kGetEditHwnd)(const_cast<char*>("Subject"));
    EXPECT_FALSE(IsWindowEnabled(subject));
    EXPECT_EQ(BY_ORDINAL(Vexil_EnableWindow, kEnableWindow)("Subject", 1), 1);
    EXPECT_TRUE(IsWindowEnabled(subject));
}

// A template that is not current is disabled by its name and then ignores
// the mouse; a control name addresses only the current template, also when
// it has no buttons at all.
TEST_F(Vexil2Host, EnableWindowByTemplateNameAndByControlName) {
    ASSERT_TRUE(open("controls.dtp"));
    ASSERT_TRUE(open("edits.dtp", 100, 400));
    auto roundPressed = [&] { return owner.count(vexil2::kButtonPressed); };
    auto clickRound = [] {
        kz8::testkit::moveMouseTo(100 + 30, 100 + 22);
        kz8::testkit::pressLeft();
        kz8::testkit::releaseLeft();
    };
    ASSERT_EQ(BY_ORDINAL(Vexil_EnableWindow, kEnableWindow)("Sheet", 0), 1);
    clickRound();
    pumpMessages(300);
    EXPECT_EQ(roundPressed(), 0u);
    ASSERT_EQ(BY_ORDINAL(Vexil_EnableWindow, kEnableWindow)("Sheet", 1), 1);
    clickRound();
    EXPECT_TRUE(pumpUntil([&] { return roundPressed() == 1; }));
    keepPointerAway();

    BY_ORDINAL(Vexil_SetActiveTemplate, kSetActiveTemplate)("Letters");
    EXPECT_EQ(BY_ORDINAL(Vexil_EnableWindow, kEnableWindow)("Round", 0), 0)
        << "the current template has no buttons";
    EXPECT_EQ(BY_ORDINAL(Vexil_EnableWindow, kEnableWindow)("Letters_Edit_Town", 0), 1);
}

TEST_F(Vexil2Host, ControlEdgesOfTheInterface) {
    ASSERT_TRUE(open("controls.dtp"));
    EXPECT_EQ(BY_NAME(Vexil_SetScrollRange)("Level", 5, 5), 0);
    EXPECT_EQ(BY_NAME(Vexil_GetControlType)("Knob"), vexil2::kNoControl) << "a thumb";
    EXPECT_EQ(BY_NAME(Vexil_GetControlType)("sheet"), vexil2::kTemplate);
    EXPECT_EQ(BY_NAME(Vexil_GetControlType)("Picture"), vexil2::kImageWindow);

    char text[4] = {'x', 'y', 'z', 'w'};
    BY_NAME(Vexil_SetEditText)("Sheet_Edit", "abc");
    EXPECT_EQ(BY_NAME(Vexil_GetEditText)("Sheet_Edit", text, 1), 1);
    EXPECT_EQ(text[0], '\0');
    EXPECT_EQ(text[1], 'y') << "nothing past the terminator";

    ASSERT_TRUE(open("form.dtp"));  // its list starts empty: an item holds a comma
    for (const char* added : {"Ann", "Bob", "Cy"}) BY_NAME(Vexil_List_AddItem)("Names", added);
    char item[vexil2::kItemTextBufferBytes] = {};
    EXPECT_EQ(BY_NAME(Vexil_List_GetFirstSelectItem)("Names", item), -1);
    // A host's loop over the selection ends, with and without a template.
    auto selection = [&] {
        std::vector<int> found;
        for (int i = BY_NAME(Vexil_List_GetFirstSelectItem)("Names", item);
             i != -1 && found.size() < 10;
             i = BY_NAME(Vexil_List_GetNextSelectItem)("Names", i, item))
            found.push_back(i);
        return found;
    };
    auto* setSelect = BY_ORDINAL(Vexil_List_SetSelect, kListSetSelect);
    EXPECT_EQ(setSelect(const_cast<char*>("Names"), 0, 1), 0);
    EXPECT_EQ(setSelect(const_cast<char*>("Names"), 2, 1), 0);
    EXPECT_EQ(selection(), (std::vector<int>{0, 2}));
    EXPECT_STREQ(item, "Cy");
    closeAll();
    EXPECT_TRUE(selection().empty());
}

using Dll = const Vexil2Dll&;
using Name = const char*;

// Every call without a current template, with a name nobody has and with a
// null name returns its failure value, writes nothing and changes nothing.
struct NamedCall {
    const char* label;
    const char* realName;  // what the call would find in the form sheet
    std::function<intptr_t(const Vexil2Dll& dll, const char* name, char* out)> call;
    intptr_t failure;
};

intptr_t asNumber(const void* pointer) { return reinterpret_cast<intptr_t>(pointer); }
intptr_t asNumber(int value) { return value; }

// A row calling the export with n for the name, out for the output and
// font, chars(n) and ints(out) where the export wants those types.
#define ROW(function, realName, failure, ...)                                       \
    NamedCall {                                                                     \
#function, realName,                                                              \
            [=](Dll dll, Name n, char* out) {                                             \
                (void)out;                                                                \
                return asNumber(BY_NAME(function)(__VA_ARGS__));                          \
            },                                                                            \
            failure \
    }
// The four exported under decorated names, bound by ordinal.
#define ORDINAL_ROW(function, ordinal, realName, failure, ...)                                   \
    NamedCall {                                                                                  \
#function, realName,                                                                     \
            [=](Dll dll, Name n,                                                                 \
                char*) { return asNumber(BY_ORDINAL(function, ordinal)(__VA_ARGS__)); }, failure \
    }

char* chars(const char* text) { return const_cast<char*>(text); }
int* ints(char* out) { return reinterpret_cast<int*>(out); }

std::vector<NamedCall> namedCalls() {
    const LOGFONTA font = fontOfHeight(10, "Tahoma");
    // clang-format off
    return {
        ORDINAL_ROW(Vexil_GetEditHwnd, kGetEditHwnd, "Subject", 0, chars(n)),
        ROW(Vexil_CloseTemplate, "Form", 0, n),
        ROW(Vexil_SetScrollRange, "Bar", 0, n, 0, 9),
        ROW(Vexil_SetScrollPos, "Bar", 0, n, 1),
        ROW(Vexil_EnableScrollBar, "Bar", 0, n, 0),
        ROW(Vexil_ScrollBar_GetInfo, "Bar", 0, n, ints(out), ints(out) + 1, ints(out) + 2),
        ROW(Vexil_GetEditText, "Subject", 0, n, out, 16),
        ROW(Vexil_SetEditText, "Subject", 0, n, "x"),
        ROW(Vexil_List_AddItem, "Names", 0, n, "x"),
        ROW(Vexil_List_InsertItem, "Names", 0, n, "x", 0),
        ROW(Vexil_List_DeleteString, "Names", 0, n, "Ann"),
        ROW(Vexil_List_RemoveItem, "Names", 0, n, 0),
        ROW(Vexil_List_RemoveAllItems, "Names", 0, n),
        ROW(Vexil_List_GetItemCount, "Names", -1, n),
        ROW(Vexil_List_GetItemData, "Names", 0, n, 0),
        ROW(Vexil_List_GetItemIndex, "Names", -1, n, "Ann"),
        ROW(Vexil_List_IsItemSelected, "Names", 0, n, 0),
        ROW(Vexil_List_GetFirstSelectItem, "Names", -1, n, out),
        ROW(Vexil_List_GetNextSelectItem, "Names", -1, n, -1, out),
        ROW(Vexil_CheckBox_SetCheck, "Keep", 0, n, 1),
        ROW(Vexil_CheckBox_GetCheck, "Keep", 0, n),
        ROW(Vexil_RadioButton_SetCheck, "Fast", 0, n),
        ROW(Vexil_RadioButton_GetGroupNumber, "Fast", -1, n),
        ROW(Vexil_EnableWindow, "Send", 0, n, 0),
        ROW(Vexil_GetTemplateHWND, "Form", 0, n),
        ROW(Vexil_ShowTemplateWindow, "Form", 0, n, 0),
        ROW(Vexil_IsTemplateShow, "Form", 0, n),
        ROW(Vexil_GetImgWndRect, "Photo", 0, n, reinterpret_cast<RECT*>(out)),
        ROW(Vexil_ComboBox_SetText, "Server", 0, n, "x"),
        ROW(Vexil_ComboBox_GetText, "Server", 0, n, out),
        ROW(Vexil_GetControlType, "Send", -1, n),
        ROW(Vexil_Button_Show, "Send", 0, n, 0),
        ROW(Vexil_SetActiveTemplate, "Form", 0, n),
        ROW(Vexil_ListBox_SetFont, "Names", 0, n, font),
        ROW(Vexil_EditBox_SetStyle, "Subject", 0, n, 0),
        ROW(Vexil_EditBox_SetFont, "Subject", 0, n, font),
        ROW(Vexil_EditBox_GetStyle, "Subject", 0, n, ints(out)),
        ROW(Vexil_Button_SetTips, "Send", 0, n, "tip"),
        ROW(Vexil_List_SortItems, "Names", 0, n, 0),
        ORDINAL_ROW(Vexil_IsMouseOnCtrl, kIsMouseOnCtrl, "Form", 0, chars(n)),
        ORDINAL_ROW(Vexil_List_SetItemShow, kListSetItemShow, "Names", 0, chars(n), chars("Ann")),
        ORDINAL_ROW(Vexil_List_SetSelect, kListSetSelect, "Names", 0, chars(n), 0, 1),
    };
    // clang-format on
}

// What the form sheet holds, read through the interface.
std::string formState(const Vexil2Dll& dll) {
    std::ostringstream state;
    int minimum = 0, maximum = 0, position = 0, style = 0;
    char text[vexil2::kComboTextBufferBytes] = {};
    RECT photo{};
    state << BY_NAME(Vexil_GetTemplateNumber)() << ' '
          << (BY_NAME(Vexil_GetCurrentTemplateName)() ? BY_NAME(Vexil_GetCurrentTemplateName)()
                                                      : "-")
          << ' ' << BY_NAME(Vexil_IsTemplateShow)("Form") << ' '
          << BY_NAME(Vexil_List_GetItemCount)("Names") << ' '
          << BY_NAME(Vexil_List_GetFirstSelectItem)("Names", text) << ' '
          << BY_NAME(Vexil_ScrollBar_GetInfo)("Bar", &minimum, &maximum, &position) << minimum
          << maximum << position << ' ' << BY_NAME(Vexil_CheckBox_GetCheck)("Keep") << ' '
          << BY_NAME(Vexil_RadioButton_GetCheck)(2, text) << text << ' '
          << BY_NAME(Vexil_EditBox_GetStyle)("Subject", &style) << style << ' '
          << BY_NAME(Vexil_GetImgWndRect)("Photo", &photo) << photo.left << ' '
          << BY_NAME(Vexil_GetEditText)("Subject", text, int(sizeof text)) << text;
    return state.str();
}

TEST_F(Vexil2Host, FailuresReturnTheirValueAndTouchNothing) {
    std::vector<char> memory(3 * vexil2::kComboTextBufferBytes, '\x5A');
    char* out = memory.data() + vexil2::kComboTextBufferBytes;
    auto untouched = [&] {
        return std::all_of(memory.begin(), memory.end(), [](char c) { return c == '\x5A'; });
    };
    for (const NamedCall& row : namedCalls())
        EXPECT_EQ(row.call(dll, row.realName, out), row.failure)
            << row.label << " without a template";
    EXPECT_EQ(BY_NAME(Vexil_Close)(), 0);
    EXPECT_EQ(BY_NAME(Vexil_RadioButton_GetCheck)(2, out), 0);
    EXPECT_EQ(BY_NAME(Vexil_GetCurrentTemplateName)(), nullptr);
    EXPECT_EQ(BY_NAME(Vexil_Create)(owner.window(), WS_POPUP, nullptr, 0, 0, 0), 0);
    EXPECT_EQ(BY_NAME(Vexil_CreateCtrl)(owner.window(), owner.window(), nullptr, 0, 0), nullptr);
    EXPECT_TRUE(untouched());

    ASSERT_TRUE(open("form.dtp"));
    const std::string before = formState(dll);
    for (const char* name : {"Nobody", static_cast<const char*>(nullptr)})
        for (const NamedCall& row : namedCalls())
            EXPECT_EQ(row.call(dll, name, out), row.failure)
                << row.label << (name ? " with an unknown name" : " with a null name");
    EXPECT_TRUE(untouched());
    EXPECT_EQ(formState(dll), before);

    // Null texts and outputs, and sizes that leave no room.
    // Each with its result and its failure value.
    const std::vector<std::tuple<const char*, intptr_t, intptr_t>> nullArguments = {
        {"GetEditText null", BY_NAME(Vexil_GetEditText)("Subject", nullptr, 16), 0},
        {"GetEditText 0", BY_NAME(Vexil_GetEditText)("Subject", out, 0), 0},
        {"GetEditText -1", BY_NAME(Vexil_GetEditText)("Subject", out, -1), 0},
        {"SetEditText", BY_NAME(Vexil_SetEditText)("Subject", nullptr), 0},
        {"List_AddItem", BY_NAME(Vexil_List_AddItem)("Names", nullptr), 0},
        {"List_InsertItem", BY_NAME(Vexil_List_InsertItem)("Names", nullptr, 0), 0},
        {"List_DeleteString", BY_NAME(Vexil_List_DeleteString)("Names", nullptr), 0},
        {"List_RemoveItem -1", BY_NAME(Vexil_List_RemoveItem)("Names", -1), 0},
        {"List_GetItemData -1", asNumber(BY_NAME(Vexil_List_GetItemData)("Names", -1)), 0},
        {"List_GetItemIndex", BY_NAME(Vexil_List_GetItemIndex)("Names", nullptr), -1},
        {"List_GetFirstSelectItem", BY_NAME(Vexil_List_GetFirstSelectItem)("Names", nullptr), -1},
        {"List_GetNextSelectItem", BY_NAME(Vexil_List_GetNextSelectItem)("Names", -1, nullptr), -1},
        {"RadioButton_GetCheck", BY_NAME(Vexil_RadioButton_GetCheck)(2, nullptr), 0},
        {"GetImgWndRect", BY_NAME(Vexil_GetImgWndRect)("Photo", nullptr), 0},
        {"ComboBox_SetText", BY_NAME(Vexil_ComboBox_SetText)("Server", nullptr), 0},
        {"ComboBox_GetText", BY_NAME(Vexil_ComboBox_GetText)("Server", nullptr), 0},
        {"EditBox_GetStyle", BY_NAME(Vexil_EditBox_GetStyle)("Subject", nullptr), 0},
        {"Button_SetTips null", BY_NAME(Vexil_Button_SetTips)("Send", nullptr), 0},
        {"Button_SetTips empty", BY_NAME(Vexil_Button_SetTips)("Send", ""), 0},
        {"Button_SetTips long",
         BY_NAME(Vexil_Button_SetTips)("Send", std::string(256, 't').c_str()), 0},
        {"List_SetItemShow",
         BY_ORDINAL(Vexil_List_SetItemShow, kListSetItemShow)(const_cast<char*>("Names"), nullptr),
         0},
    };
    for (const auto& [label, result, failure] : nullArguments) EXPECT_EQ(result, failure) << label;
    EXPECT_TRUE(untouched());
    EXPECT_EQ(formState(dll), before);
}

// LOGFONTA by value: on the stack in 32 bits, through a copy in 64 bits.
TEST_F(Vexil2Host, FontsPassedByValue) {
    ASSERT_TRUE(open("lists.dtp"));
    HWND lists = BY_NAME(Vexil_GetTemplateHWND)("Lists");
    const RECT firstLine{10, 140, 220, 154};
    pumpMessages(50);
    const kz8::testkit::PpmImage before = kz8::testkit::windowImage(lists, firstLine);
    EXPECT_EQ(BY_NAME(Vexil_ListBox_SetFont)("Lists_Short", fontOfHeight(-30, "Tahoma")), 0)
        << "higher than the 14-pixel lines";
    EXPECT_EQ(BY_NAME(Vexil_ListBox_SetFont)("Lists_Short", fontOfHeight(-8, "Tahoma")), 1);
    pumpMessages(50);
    EXPECT_NE(kz8::testkit::windowImage(lists, firstLine).rgb, before.rgb)
        << "drawn in the new font";

    ASSERT_TRUE(open("form.dtp"));

    EXPECT_EQ(BY_NAME(Vexil_EditBox_SetFont)("Subject", fontOfHeight(-17, "Courier New")), 1);
    HWND subject = BY_ORDINAL(Vexil_GetEditHwnd, kGetEditHwnd)(const_cast<char*>("Subject"));
    LOGFONTA inUse{};
    ASSERT_TRUE(GetObjectA(reinterpret_cast<HFONT>(SendMessageA(subject, WM_GETFONT, 0, 0)),
                           sizeof inUse, &inUse));
    EXPECT_STREQ(inUse.lfFaceName, "Courier New");
    EXPECT_EQ(inUse.lfHeight, -17);
}

// A page the library cannot write to: its texts are read, never changed.
struct ReadOnlyText {
    explicit ReadOnlyText(const std::string& text) {
        page = static_cast<char*>(
            VirtualAlloc(nullptr, text.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        if (!page) return;
        memcpy(page, text.c_str(), text.size() + 1);
        DWORD was = 0;
        VirtualProtect(page, text.size() + 1, PAGE_READONLY, &was);
    }
    ~ReadOnlyText() { VirtualFree(page, 0, MEM_RELEASE); }
    char* page = nullptr;
};

TEST_F(Vexil2Host, CallerTextsStayAsPassedAndMayGoRightAfter) {
    const std::string path = templateFile("form.dtp");
    ReadOnlyText readOnlyPath(path);
    ASSERT_TRUE(readOnlyPath.page);
    EXPECT_EQ(
        BY_ORDINAL(Vexil_Create, kCreate)(owner.window(), WS_POPUP, readOnlyPath.page, 100, 100, 0),
        1);
    EXPECT_EQ(readOnlyPath.page, path) << "not put in upper case";

    const std::string text = windowTemplateText(dll.module());
    ReadOnlyText readOnlyText(text);
    ASSERT_TRUE(readOnlyText.page);
    EXPECT_TRUE(BY_NAME(Vexil_CreateCtrl)(owner.window(), owner.window(), readOnlyText.page, 0, 0));
    EXPECT_EQ(readOnlyText.page, text);

    auto freed = std::make_unique<std::string>(text);
    HWND child = BY_NAME(Vexil_CreateCtrl)(owner.window(), owner.window(), freed->data(), 0, 0);
    freed.reset();
    ASSERT_TRUE(child);
    EXPECT_EQ(BY_NAME(Vexil_GetTemplateNumber)(), 3);
    EXPECT_EQ(current(), "Main");
}

// Names and item texts handed out stay where they are while their
// template or item lives, however the library grows meanwhile.
TEST_F(Vexil2Host, PointersHandedOutStayValid) {
    ASSERT_TRUE(open("form.dtp"));
    const char* formName = BY_NAME(Vexil_GetCurrentTemplateName)();
    BY_NAME(Vexil_List_AddItem)("Names", "Ann");
    const char* ann = BY_NAME(Vexil_List_GetItemData)("Names", 0);
    ASSERT_STREQ(ann, "Ann");
    for (int i = 0; i < 200; ++i) BY_NAME(Vexil_List_InsertItem)("Names", "an item", -1);
    BY_NAME(Vexil_List_SortItems)("Names", 0);
    for (const char* file : {"edits.dtp", "controls.dtp", "lists.dtp"}) ASSERT_TRUE(open(file));
    EXPECT_STREQ(formName, "Form");
    EXPECT_STREQ(ann, "Ann");
    const auto shown =
        std::find_if(owner.notices.begin(), owner.notices.end(),
                     [](const Notice& n) { return n.message == vexil2::kTemplateShown; });
    ASSERT_NE(shown, owner.notices.end());
    EXPECT_EQ(reinterpret_cast<const char*>(shown->wParam), formName)
        << "notices carry the template's own name";
}

TEST_F(Vexil2Host, UnloadTakesTheClassesAndAReloadStartsAfresh) {
    const HMODULE first = dll.module();
    WNDCLASSEXA info{sizeof info};
    ASSERT_TRUE(GetClassInfoExA(first, "Template Window Class", &info));
    dll.unload();
    for (const char* name : {"Template Window Class", "Tips", "VexilListBox"})
        EXPECT_FALSE(GetClassInfoExA(first, name, &info)) << name;
    ASSERT_TRUE(dll.load());
    EXPECT_EQ(BY_NAME(Vexil_Init)(), 1);
    EXPECT_TRUE(open("form.dtp"));
}

}  // namespace
