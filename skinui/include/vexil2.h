// Vexil2.dll for hosts: skinned template windows read from .dtp files, shown
// and driven by the names their templates give them.

// Calling order: Vexil_Init once, from the thread that will own the windows;
// then Vexil_Create (a file) or Vexil_CreateCtrl (a text); then any control
// calls; Vexil_SetActiveTemplate chooses which open template they address.
// Template-level calls search every open template, control calls only the
// current one; names compare without regard to case.

// Every call returns its failure value (0, -1 or null) and changes nothing
// when there is no current template, nothing has the name, or a pointer it
// needs is null. The library never writes a text it is given.

// Texts handed out (template names in notifications and from
// Vexil_GetCurrentTemplateName, item texts from Vexil_List_GetItemData) live
// as long as their template, an item's text as long as the item. A host
// closes its templates before it unloads the library; unloading it then
// unregisters its window classes, so that a later load starts afresh.

// Every function is __cdecl. Four are exported under the names MSVC gives
// their C++ declarations below; a host built with another compiler binds
// those through GetProcAddress, by that name or by ordinal.
#pragma once

// A host that brings its own declarations of these types (the export check
// does) defines VEXIL2_HOST_TYPES_DECLARED.
#ifndef VEXIL2_HOST_TYPES_DECLARED
#include <windows.h>
#endif

namespace vexil2 {

// Ordinals are part of the interface: hosts may import by number alone.
enum Ordinal : int {
    kInit = 1,
    kCreate = 2,
    kCreateCtrl = 3,
    kGetEditHwnd = 4,
    kClose = 5,
    kCloseTemplate = 6,
    kSetScrollRange = 7,
    kSetScrollPos = 8,
    kEnableScrollBar = 9,
    kScrollBarGetInfo = 10,
    kGetEditText = 11,
    kSetEditText = 12,
    kListAddItem = 13,
    kListInsertItem = 14,
    kListDeleteString = 15,
    kListRemoveItem = 16,
    kListRemoveAllItems = 17,
    kListGetItemCount = 18,
    kListGetItemData = 19,
    kListGetItemIndex = 20,
    kListIsItemSelected = 21,
    kListGetFirstSelectItem = 22,
    kListGetNextSelectItem = 23,
    kCheckBoxSetCheck = 24,
    kCheckBoxGetCheck = 25,
    kRadioButtonSetCheck = 26,
    kRadioButtonGetCheck = 27,
    kRadioButtonGetGroupNumber = 28,
    kEnableWindow = 29,
    kGetTemplateHwnd = 30,
    kGetCurrentTemplateName = 31,
    kShowTemplateWindow = 32,
    kIsTemplateShow = 33,
    kGetImgWndRect = 34,
    kComboBoxSetText = 35,
    kComboBoxGetText = 36,
    kGetControlType = 37,
    kButtonShow = 38,
    kSetActiveTemplate = 39,
    kGetTemplateNumber = 40,
    kListBoxSetFont = 41,
    kEditBoxSetStyle = 42,
    kEditBoxSetFont = 43,
    kEditBoxGetStyle = 44,
    kButtonSetTips = 45,
    kListSortItems = 46,
    kIsMouseOnCtrl = 47,
    kListSetItemShow = 48,
    kListSetSelect = 49,
    kExportCount = 49,
};

// What the owner window hears. wParam is the template's or control's name,
// lParam as noted.
enum Notification : unsigned {
    kTemplateShown = 3024,  // to the parent, after Vexil_Create
    kScrollSet = 3034,      // lParam: position
    kScrollChanged = 3035,  // lParam: position
    kEditChanged = 3044,    // lParam: the text
    kEditLeft = 3045,       // lParam: the text
    kListClicked = 3054,
    kCheckClicked = 3064,   // lParam: 1 checked, 0 not
    kRadioChecked = 3074,   // lParam: group number
    kComboChosen = 3084,    // lParam: the item's text
    kComboChoosing = 3085,  // lParam: the item's text
    kButtonPressed = 3104,
    kTemplatePressed = 3106,    // lParam: client point, x low, y high
    kCloseAsked = 3124,         // answer non-zero to keep the template open
    kNoCurrentTemplate = 3125,  // wParam 0: the last template has gone
    kTemplateDestroyed = 3126,
    kFocusLost = 3127,  // lParam: the window taking the focus
};

// Vexil_GetControlType's answer.
enum ControlType : int {
    kNoControl = -1,
    kTemplate = 0,
    kButton = 1,
    kScrollBar = 2,
    kEditBox = 3,
    kListBox = 4,
    kCheckBox = 5,
    kRadioButton = 6,
    kComboBox = 7,
    kImageWindow = 8,
};

// Output buffers the calls take without a size: a radio button's name for
// Vexil_RadioButton_GetCheck, a combo's text for Vexil_ComboBox_GetText, an
// item's text for Vexil_List_GetFirstSelectItem and _GetNextSelectItem.
constexpr int kNameBufferBytes = 64;
constexpr int kComboTextBufferBytes = 10240;
constexpr int kItemTextBufferBytes = 256;

}  // namespace vexil2

extern "C" {

int __cdecl Vexil_Init(void);
// placement 0: at x, y; 1: centred on the parent, or the screen.
int __cdecl Vexil_Create(HWND parent, DWORD style, char* path, int x, int y, int placement);
// A child window of parent; its file names are taken from the library's folder.
HWND __cdecl Vexil_CreateCtrl(HWND parent, HWND owner, char* text, int x, int y);
int __cdecl Vexil_Close(void);
// Closes at the next left-button release in any template window.
int __cdecl Vexil_CloseTemplate(const char* templateName);
int __cdecl Vexil_SetScrollRange(const char* name, int minimum, int maximum);
int __cdecl Vexil_SetScrollPos(const char* name, int position);
int __cdecl Vexil_EnableScrollBar(const char* name, int enable);
int __cdecl Vexil_ScrollBar_GetInfo(const char* name, int* minimum, int* maximum, int* position);
int __cdecl Vexil_GetEditText(const char* name, char* buffer, int size);
int __cdecl Vexil_SetEditText(const char* name, const char* text);
int __cdecl Vexil_List_AddItem(const char* name, const char* text);
// Negative: at the front; n: after item n; past the end: appended.
int __cdecl Vexil_List_InsertItem(const char* name, const char* text, int position);
int __cdecl Vexil_List_DeleteString(const char* name, const char* text);
int __cdecl Vexil_List_RemoveItem(const char* name, int index);
int __cdecl Vexil_List_RemoveAllItems(const char* name);
int __cdecl Vexil_List_GetItemCount(const char* name);
const char* __cdecl Vexil_List_GetItemData(const char* name, int index);
int __cdecl Vexil_List_GetItemIndex(const char* name, const char* text);
int __cdecl Vexil_List_IsItemSelected(const char* name, int index);
// -1 when no item is selected: loop while the index is not -1.
int __cdecl Vexil_List_GetFirstSelectItem(const char* name, char* text);
int __cdecl Vexil_List_GetNextSelectItem(const char* name, int after, char* text);
int __cdecl Vexil_CheckBox_SetCheck(const char* name, unsigned check);
int __cdecl Vexil_CheckBox_GetCheck(const char* name);
int __cdecl Vexil_RadioButton_SetCheck(const char* name);
int __cdecl Vexil_RadioButton_GetCheck(int group, char* name);
int __cdecl Vexil_RadioButton_GetGroupNumber(const char* name);
// An open template of that name first, else a control of the current one.
int __cdecl Vexil_EnableWindow(const char* name, int enable);
HWND __cdecl Vexil_GetTemplateHWND(const char* templateName);
const char* __cdecl Vexil_GetCurrentTemplateName(void);
int __cdecl Vexil_ShowTemplateWindow(const char* templateName, int show);
int __cdecl Vexil_IsTemplateShow(const char* templateName);
int __cdecl Vexil_GetImgWndRect(const char* name, RECT* rect);
int __cdecl Vexil_ComboBox_SetText(const char* name, const char* text);
int __cdecl Vexil_ComboBox_GetText(const char* name, char* text);
int __cdecl Vexil_GetControlType(const char* name);
int __cdecl Vexil_Button_Show(const char* name, int show);
int __cdecl Vexil_SetActiveTemplate(const char* templateName);
int __cdecl Vexil_GetTemplateNumber(void);
// Refused when the font is higher than the list's lines.
int __cdecl Vexil_ListBox_SetFont(const char* name, LOGFONTA font);
int __cdecl Vexil_EditBox_SetStyle(const char* name, int style);
int __cdecl Vexil_EditBox_SetFont(const char* name, LOGFONTA font);
int __cdecl Vexil_EditBox_GetStyle(const char* name, int* style);
// 1 to 255 characters; the tip shows from then on.
int __cdecl Vexil_Button_SetTips(const char* name, const char* text);
int __cdecl Vexil_List_SortItems(const char* name, int ascending);

}  // extern "C"

// Exported under their MSVC names (see above).
HWND __cdecl Vexil_GetEditHwnd(char* name);
int __cdecl Vexil_IsMouseOnCtrl(char* name);
// Always 0.
int __cdecl Vexil_List_SetItemShow(char* name, char* itemText);
// Every list of that name in the current template; no redraw. Always 0.
int __cdecl Vexil_List_SetSelect(char* name, int index, int select);
