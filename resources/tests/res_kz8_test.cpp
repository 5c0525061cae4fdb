// Res_KZ8.dll as its users load it: LoadLibraryA, then every string, dialog,
// menu, bitmap and export read back and compared with what the library must
// carry.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "common/testing/win32/dialog_template.h"
#include "common/testing/win32/wine_run.h"
#include "common/win32/handles.h"
#include "resources/res_kz8_ids.h"

namespace kz8 {
namespace {

using testkit::DialogTemplate;

// The string table, in id order; 68 and 116 do not exist.
const std::map<int, std::string> kStrings = {
    {1, "Build In Email"},
    {2, "MAPI"},
    {3, "AOL"},
    {4, "Multimedia Print"},
    {5, "Change display setting to true color(24-bit) or\nhigh color(16-bit) for better display."},
    {6, "Can't find the video for this video post card."},
    {7, "Error"},
    {8, "Unable to load template file for this video post card."},
    {9, "Warning"},
    {10, "The file's size make it unsuitable for use as a template."},
    {11, "%s already exists.\nReplace it?"},
    {12, "%s does not exist."},
    {13, "Cannot open the file %s"},
    {14, "Cardwright"},
    {15, "Could not open the TWAIN source, please install the Twain driver for your device."},
    {16, "The current project has been modified, do you want to save it?"},
    {17, "Cannot find AOL in your system."},
    {18, "Cannot find MAPI in your system."},
    {19, "Cannot connect to this server: %s."},
    {20, "No printer is installed on your computer, please install a printer first."},
    {21, "Can not open the stamp album."},
    {22, "This card has sent successfully."},
    {23, "Could not open the VFW device, please install the VFW driver first."},
    {24, "Success"},
    {25, "Can not save the file %s"},
    {26, "This album is read-only; it cannot be modified."},
    {27, "Unable to open this audio file."},
    {28, "This folder already contains a file named %s.\nDo you want to replace it?"},
    {29, "Save as..."},
    {30, "Windows Bitmap (*.BMP)"},
    {31, "Jpeg File (*.JPG)"},
    {32, "This folder already contains a read-only file named %s.\nDo you want to replace it?"},
    {33,
     "This operation will make your photo invisible. Please move your photo to center of card and "
     "try again."},
    {34,
     "This operation will make your photo invisible. Please move your photo to center of mask and "
     "try again."},
    {35,
     "This application can not run in this screen resolution.  Please set your computer's screen "
     "resolution to at least 800x600."},
    {36, "The file size is %.1f MB, it will take you %s to send via a 56K modem. Continue?"},
    {37, " %d hours"},
    {38, "%d min."},
    {39, "%d sec."},
    {40,
     "Cannot find Twain_32.dll in your windows directory,\n so you can not configure your acquire "
     "source."},
    {41, "Cannot send this mail. Please enter the address first."},
    {42, "This mail has no subject; do you want to send it anyway?"},
    {43, "Please set the display setting to \"True Color\" mode in your desktop properties."},
    {44, "An album with this name already exists, do you want to overwrite it?"},
    {45, "A read-only album with this name already exists."},
    {46, "Preview"},
    {47, "Stop"},
    {48,
     "You have not entered anything in the \"from\" or \"to\" sections,\ndo you want to send it "
     "anyway?"},
    {49, "Name"},
    {50, "Address"},
    {51, "Cannot connect the host.\nPlease try again."},
    {52, "Send failed."},
    {53, "Connecting..."},
    {54, "Sending..."},
    {55, "Quit."},
    {56, "W"},
    {57, "Open file failed."},
    {58, "Ready."},
    {59, "Playing..."},
    {60, "Stop."},
    {61, "Recording..."},
    {62, "Save the recorded wave file?"},
    {63, "Save movie file failed."},
    {64,
     "To save the video as a QuickTime movie, you must first make a full installation of Apple "
     "QuickTime. \nIt can be downloaded from http://www.example.com/kz8/quicktime/."},
    {65, "Multimedia card."},
    {66, "Cannot replace it.\nIt is being used."},
    {67, "You haven't selected a stamp for this postcard, a default stamp will be used."},
    {69, "Regular"},
    {70, "Italic"},
    {71, "Bold"},
    {72, "Bold Italic"},
    {73, "All Supported Image Files"},
    {74, "Tagged Image File (*.TIF)"},
    {75, "PC Paintbrush (*.PCX)"},
    {76, "CompuServe GIF (*.GIF)"},
    {77, "Targa File (*.TGA)"},
    {78, "Portable Network Graphics (*.PNG)"},
    {79, "Kodak Photo CD (*.PCD)"},
    {80, "Flash Pix (*.FPX)"},
    {81, "WAVE Files (*.WAV)"},
    {82, "Select Compression"},
    {83, "AVI Files (*.AVI)"},
    {84, "All Supported Files"},
    {85, "MP3 Files (*.MP3)"},
    {86, "Open"},
    {87, "Project Files (*.KZ8)"},
    {88, "Executable Files (*.EXE)"},
    {89, "Movie Files (*.MOV)"},
    {90, "Save"},
    {91, "Name"},
    {92, "Address"},
    {93, "The font you selected is too large."},
    {94, "Get Template"},
    {95, "Help"},
    {96, "Minimize"},
    {97, "Close"},
    {98, "Record"},
    {99, "Play"},
    {100, "Audio compress"},
    {101, "Move up"},
    {102, "Move left"},
    {103, "Move right"},
    {104, "Move down"},
    {105, "Move to center"},
    {106, "Live"},
    {107, "Capture"},
    {108, "Format"},
    {109, "Source"},
    {110, "Play"},
    {111, "Stop"},
    {112, "Compress"},
    {113, "New Album"},
    {114, "Flip"},
    {115, "Exit"},
    {117, "\"%s.\"\nThe specified file is read-only. Are you sure you want to delete it?"},
    {118,
     "\"%s\":Access is denied.\nMake sure the disk is not full or write-protected \nand the file "
     "is not currently in use."},
    {119,
     "In order to perform this action, DirectX 8.0 or Windows Media Player 7.0 must first be "
     "installed."},
    {120, "Jpeg File (*.JPEG)"},
    {121,
     "Another application is recording audio. Close the other application and \nthen try recording "
     "again."},
};

constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// Line breaks and blanks made visible, so that a failure shows where.
std::string visible(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '\n'  ? std::string("\\n")
               : c == ' ' ? std::string("\xC2\xB7")
                          : std::string(1, c);
    return "\"" + out + "\"";
}

class ResKz8 : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        module_ = LoadLibraryA(testkit::windowsPathOf(RES_KZ8_DLL).c_str());
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }
    static void TearDownTestSuite() {
        if (module_) FreeLibrary(module_);
        module_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(module_) << "Res_KZ8.dll did not load"; }
    static HMODULE module_;
};
HMODULE ResKz8::module_ = nullptr;

TEST_F(ResKz8, EveryStringByteForByteInUsEnglish) {
    for (int id = 1; id <= 121; ++id) {
        char text[1024] = {};
        const int length = LoadStringA(module_, UINT(id), text, sizeof text);
        const auto expected = kStrings.find(id);
        if (expected == kStrings.end()) {
            EXPECT_EQ(length, 0) << "string " << id << " must not exist";
            continue;
        }
        EXPECT_EQ(std::string(text, size_t(length)), expected->second)
            << "string " << id << "\n  got      " << visible(std::string(text, size_t(length)))
            << "\n  expected " << visible(expected->second);
    }
    for (int block = 1; block <= 121 / 16 + 1; ++block)
        EXPECT_TRUE(
            FindResourceExA(module_, MAKEINTRESOURCEA(6), MAKEINTRESOURCEA(block), kEnglishUs))
            << "string block " << block << " is not in language 1033";
}

// What a dialog must hold: its size, caption and controls. A control's size
// or place of 0 is one the library may choose.
struct ExpectedControl {
    int32_t id;
    const char* className;
    const char* text;
    int x = -1, y = -1, width = 0, height = 0;
    // The 6 x 6 Cancel of the progress dialog is there for the Esc key; its
    // text is never meant to be read.
    bool textShown = true;
};
struct ExpectedDialog {
    int id;
    const char* caption;
    int width, height;
    bool extended;
    bool child;
    std::vector<ExpectedControl> controls;
};

const std::vector<ExpectedDialog>& expectedDialogs() {
    static const std::vector<ExpectedDialog> dialogs = {
        {IDD_SAVING,
         "",
         182,
         29,
         false,
         false,
         {{-1, "Static", "Saving..."},
          {IDC_SAVE_PROGRESS, "msctls_progress32", "", 12, 15, 155, 9},
          {IDCANCEL, "Button", "Cancel", 0, 0, 6, 6, false}}},
        {IDD_FILE_TYPE,
         "Select file type",
         169,
         50,
         false,
         false,
         {{-1, "Button", ""},
          {IDC_SEND_AS_MOVIE, "Button", "Send as movie file"},
          {IDC_SEND_AS_PROGRAM, "Button", "Send as executable file"},
          {IDOK, "Button", "OK"},
          {IDCANCEL, "Button", "Cancel"}}},
        {IDD_SORT,
         "Sort",
         90,
         120,
         false,
         false,
         {{-1, "Static", ""},
          {IDC_SORT_BY_NAME, "Button", "By File &Name"},
          {IDC_SORT_BY_TYPE, "Button", "By File &Type"},
          {IDC_SORT_BY_SIZE, "Button", "By File &Size"},
          {IDC_SORT_BY_DATE, "Button", "By File &Date"},
          {IDC_SORT_REVERSE, "Button", "&Reverse Order"},
          {IDOK, "Button", "OK"},
          {IDCANCEL, "Button", "Cancel"}}},
        {IDD_WARNING,
         "Warning",
         210,
         79,
         false,
         false,
         {{IDC_WARNING_TEXT, "Static", "", -1, -1, 207, 39},
          {IDOK, "Button", "OK"},
          {IDCANCEL, "Button", "Cancel"}}},
        {IDD_CAPTURE_DRIVER,
         "Select capture driver",
         235,
         38,
         false,
         false,
         {{IDC_CAPTURE_DRIVERS, "ComboBox", ""},
          {IDOK, "Button", "OK"},
          {IDCANCEL, "Button", "Cancel"}}},
        {IDD_PROPERTIES,
         "Properties",
         143,
         128,
         false,
         false,
         {{-1, "Static", "File Name:"},
          {IDC_PROPERTY_FILE_NAME, "Edit", ""},
          {-1, "Static", "Width:"},
          {IDC_PROPERTY_WIDTH, "Edit", ""},
          {-1, "Static", "Pixels"},
          {-1, "Static", "Height:"},
          {IDC_PROPERTY_HEIGHT, "Edit", ""},
          {-1, "Static", "Pixels"},
          {-1, "Static", "File Size:"},
          {IDC_PROPERTY_FILE_SIZE, "Edit", ""},
          {-1, "Static", "Bytes"},
          {-1, "Static", "File Date:"},
          {IDC_PROPERTY_FILE_DATE, "Edit", ""},
          {IDOK, "Button", "OK"}}},
        {IDD_EMPTY_POPUP, "", 112, 25, true, false, {}},
        {IDD_OPEN_PREVIEW,
         "",
         233,
         30,
         false,
         true,
         {{IDC_FILE_DIALOG_PLACE, "Static", ""}, {IDC_PREVIEW, "Button", "Preview"}}},
        {IDD_FILE_DIALOG_EXTRA, "", 250, 48, false, true, {}},
    };
    return dialogs;
}

TEST_F(ResKz8, DialogTemplatesHoldTheirSizesFontAndControls) {
    for (const ExpectedDialog& expected : expectedDialogs()) {
        const auto dialog = testkit::loadDialogTemplate(module_, expected.id);
        ASSERT_TRUE(dialog) << "dialog " << expected.id;
        const std::string where = "dialog " + std::to_string(expected.id);
        EXPECT_EQ(dialog->extended, expected.extended) << where;
        EXPECT_EQ(dialog->width, expected.width) << where;
        EXPECT_EQ(dialog->height, expected.height) << where;
        EXPECT_EQ(dialog->caption, expected.caption) << where;
        EXPECT_EQ(dialog->fontName, "Arial") << where;
        EXPECT_EQ(dialog->fontSize, 10) << where;
        EXPECT_EQ((dialog->style & WS_CHILD) != 0, expected.child) << where;
        EXPECT_EQ((dialog->style & WS_CAPTION) == WS_CAPTION, *expected.caption != '\0') << where;
        ASSERT_EQ(dialog->items.size(), expected.controls.size()) << where;
        for (size_t i = 0; i < expected.controls.size(); ++i) {
            const ExpectedControl& want = expected.controls[i];
            const testkit::DialogItem& got = dialog->items[i];
            const std::string control = where + ", control " + std::to_string(want.id);
            EXPECT_EQ(got.id, want.id) << control;
            EXPECT_STRCASEEQ(got.className.c_str(), want.className) << control;
            EXPECT_EQ(got.text, want.text) << control;
            if (want.x >= 0) {
                EXPECT_EQ(got.x, want.x) << control;
            }
            if (want.y >= 0) {
                EXPECT_EQ(got.y, want.y) << control;
            }
            if (want.width) {
                EXPECT_EQ(got.width, want.width) << control;
            }
            if (want.height) {
                EXPECT_EQ(got.height, want.height) << control;
            }
        }
    }
}

// Whether text fits the control at the dialog's font: a check box or radio
// button gives part of its width to the box.
bool textFits(HWND control, const std::string& text) {
    std::string shown;
    for (char c : text)
        if (c != '&') shown += c;
    WindowDc dc(control);
    SelectionGuard font(dc.get(),
                        reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc.get(), shown.c_str(), int(shown.size()), &extent);
    RECT client{};
    GetClientRect(control, &client);
    const LONG style = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    char className[64] = {};
    GetClassNameA(control, className, sizeof className);
    const bool box = lstrcmpiA(className, "Button") == 0 &&
                     (style == BS_AUTORADIOBUTTON || style == BS_AUTOCHECKBOX ||
                      style == BS_RADIOBUTTON || style == BS_CHECKBOX);
    const LONG room = client.right - (box ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0);
    return extent.cx <= room && extent.cy <= client.bottom;
}

INT_PTR CALLBACK quietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

RECT screenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

TEST_F(ResKz8, DialogsCreateWithEveryControlUnclippedAndApart) {
    HWND parent =
        CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent);
    for (const ExpectedDialog& expected : expectedDialogs()) {
        const std::string where = "dialog " + std::to_string(expected.id);
        HWND dialog = CreateDialogParamA(module_, MAKEINTRESOURCEA(expected.id),
                                         expected.child ? parent : nullptr, &quietDialog, 0);
        ASSERT_TRUE(dialog) << where << ": error " << GetLastError();
        EXPECT_FALSE(IsWindowVisible(dialog)) << where;
        std::vector<HWND> children;
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            children.push_back(c);
        ASSERT_EQ(children.size(), expected.controls.size()) << where;
        RECT area{};
        GetClientRect(dialog, &area);
        MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&area), 2);
        for (size_t i = 0; i < children.size(); ++i) {
            const ExpectedControl& want = expected.controls[i];
            const std::string control =
                where + ", control " + std::to_string(want.id) + " \"" + want.text + "\"";
            if (want.id != -1) {
                EXPECT_EQ(GetDlgItem(dialog, want.id), children[i]) << control;
            }
            char className[64] = {}, text[256] = {};
            GetClassNameA(children[i], className, sizeof className);
            GetWindowTextA(children[i], text, sizeof text);
            EXPECT_STRCASEEQ(className, want.className) << control;
            EXPECT_STREQ(text, want.text) << control;
            if (*want.text && want.textShown) {
                EXPECT_TRUE(textFits(children[i], want.text)) << control << " is clipped";
            }
            RECT r = screenRect(children[i]), inside{};
            EXPECT_TRUE(IntersectRect(&inside, &r, &area) && EqualRect(&inside, &r))
                << control << " leaves the dialog";
            // Frames and group boxes enclose others; everything else stands apart.
            const bool frame = (want.id == -1 && !*want.text) || want.id == IDC_FILE_DIALOG_PLACE;
            for (size_t j = i + 1; j < children.size() && !frame; ++j) {
                const ExpectedControl& other = expected.controls[j];
                if ((other.id == -1 && !*other.text)) continue;
                RECT s = screenRect(children[j]), both{};
                EXPECT_FALSE(IntersectRect(&both, &r, &s))
                    << control << " overlaps control " << other.id;
            }
        }
        DestroyWindow(dialog);
    }
    DestroyWindow(parent);
}

TEST_F(ResKz8, MenusArePopupsWithTheirItems) {
    struct Case {
        int id;
        std::vector<std::pair<UINT, const char*>> items;
    } cases[] = {
        {IDM_SOURCE_MENU,
         {{IDM_ACQUIRE_IMAGE, "Acquire Image"}, {IDM_CAPTURE_VIDEO, "Capture Video"}}},
        {IDM_PROPERTIES_MENU, {{IDM_PROPERTIES, "Properties"}}},
    };
    for (const Case& c : cases) {
        HMENU menu = LoadMenuA(module_, MAKEINTRESOURCEA(c.id));
        ASSERT_TRUE(menu) << "menu " << c.id;
        EXPECT_EQ(GetMenuItemCount(menu), 1) << "menu " << c.id;
        char text[64] = {};
        GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, "PopupMenu") << "menu " << c.id;
        HMENU popup = GetSubMenu(menu, 0);
        ASSERT_TRUE(popup) << "menu " << c.id;
        ASSERT_EQ(GetMenuItemCount(popup), int(c.items.size())) << "menu " << c.id;
        for (int i = 0; i < int(c.items.size()); ++i) {
            EXPECT_EQ(GetMenuItemID(popup, i), c.items[size_t(i)].first) << "menu " << c.id;
            GetMenuStringA(popup, UINT(i), text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(text, c.items[size_t(i)].second) << "menu " << c.id;
        }
        DestroyMenu(menu);
    }
}

TEST_F(ResKz8, BitmapsAreTrueColourAtTheirSizes) {
    struct Case {
        int id, width, height;
    } cases[] = {{IDB_CARD_FACE, 580, 380},
                 {IDB_STAMP_SUN, 62, 73},
                 {IDB_STAMP_DIAMOND, 62, 73},
                 {IDB_BANNER, 201, 86},
                 {IDB_STAMP_HEART, 62, 73}};
    for (const Case& c : cases) {
        HRSRC found =
            FindResourceA(module_, MAKEINTRESOURCEA(c.id), MAKEINTRESOURCEA(2));  // RT_BITMAP
        ASSERT_TRUE(found) << "bitmap " << c.id;
        const auto* header =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module_, found)));
        ASSERT_TRUE(header) << "bitmap " << c.id;
        EXPECT_EQ(header->biWidth, c.width) << "bitmap " << c.id;
        EXPECT_EQ(std::abs(header->biHeight), c.height) << "bitmap " << c.id;
        EXPECT_EQ(header->biBitCount, 24) << "bitmap " << c.id;
        Bitmap loaded(LoadBitmapA(module_, MAKEINTRESOURCEA(c.id)));
        EXPECT_TRUE(loaded) << "bitmap " << c.id;
    }
}

TEST_F(ResKz8, FontTableExportsWriteTheirValuesAndRefuseNull) {
    using Export = int(__cdecl*)(char*);
    struct Case {
        const char* name;
        std::string written;  // bytes, NUL included
    } cases[] = {{"GetFontName", std::string("Arial", 6)},
                 {"GetCharSet", std::string(1, '\x01')},
                 {"GetAddrFont", std::string("Arial", 6)}};
    for (const Case& c : cases) {
        auto entry =
            reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(module_, c.name)));
        ASSERT_TRUE(entry) << c.name;
        char buffer[128];
        std::memset(buffer, 0x7F, sizeof buffer);
        EXPECT_EQ(entry(buffer), 1) << c.name;
        EXPECT_EQ(std::string(buffer, c.written.size()), c.written) << c.name;
        EXPECT_EQ(buffer[c.written.size()], 0x7F) << c.name << " wrote past its value";
        EXPECT_EQ(entry(nullptr), 0) << c.name;
    }
}

}  // namespace
}  // namespace kz8
