#include "mail/win32/address_book_window.h"

#include <commctrl.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "mail/win32/address_book_controls.h"
#include "mail/win32/address_book_editing.h"
#include "mail/win32/address_book_file.h"
#include "mail/win32/mail_module.h"
#include "mail/win32/vexil_calls.h"
#include "skinui/include/vexil2.h"

namespace kz8::mail {

namespace {

constexpr const char* kBookClass = "ADDRESSBOOKCLASS";
constexpr const char* kBookTemplate = "AddressBook";
constexpr const char* kNewTemplate = "NewAddress";
constexpr const char* kEditTemplate = "EditAddress";
constexpr const char* kSendMailTemplate = "SendMail";

constexpr UINT kOpenEditMessage = 21081;
constexpr UINT kOpenNewMessage = 21082;
constexpr UINT_PTR kButtonTimer = 1000;
constexpr UINT kButtonTimerMilliseconds = 200;

constexpr int kListViewId = 4029, kToListId = 4030, kCcListId = 4031;
constexpr RECT kListViewArea{21, 44, 182, 229};
constexpr RECT kToListArea{269, 61, 430, 129};
constexpr RECT kCcListArea{269, 161, 430, 229};
constexpr COLORREF kListViewColour = RGB(230, 230, 230);

// The commands of the host's templates, compared as whole wParams.
enum Command : WPARAM {
    kConfirmBook = 20002,
    kAddTo = 20100,
    kRemove = 20101,
    kAddCc = 20102,
    kNew = 20200,
    kEdit = 20201,
    kConfirmNew = 21002,
    kConfirmEdit = 22002,
};

// The buttons whose state follows the selection, in the order of the
// states kept for them.
constexpr std::array<const char*, 4> kStatefulButtons = {"AddressBook_Edit", "AddressBook_AddTo",
                                                         "AddressBook_AddCC", "AddressBook_Remove"};

class SkinnedBook {
public:
    static SkinnedBook& instance() {
        static SkinnedBook book;
        return book;
    }
    HWND window() const { return window_; }
    void open(HWND sendMail);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool showBookTemplate();
    void buildControls();
    void onCommand(WPARAM command);
    void openEntryTemplate(bool editing);
    void onTemplateDestroyed(const std::string& name);
    void confirmBook();
    void confirmEntry(bool editing);
    // After a click the row rule is "exactly one"; the timer's is "at least one".
    void updateButtons(bool atLeastOneRow);
    HWND makeListBox(HWND parent, const RECT& area, int id) const;

    HWND window_ = nullptr;
    HWND sendMail_ = nullptr;
    HWND listView_ = nullptr, toList_ = nullptr, ccList_ = nullptr;
    std::string savedTo_, savedCc_;
    std::optional<uint32_t> editTarget_;
    std::unique_ptr<ResourceModule> texts_;
    std::array<int, kStatefulButtons.size()> buttonStates_{};  // -1: not set yet
};

bool registerBookClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, kBookClass, &existing)) return true;
    WNDCLASSA cls{};
    cls.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    cls.lpfnWndProc = procedure;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
    cls.lpszClassName = kBookClass;
    return RegisterClassA(&cls) != 0;
}

POINT topLeftOf(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    return POINT{area.left, area.top};
}

bool showTemplate(HWND owner, const char* file) {
    std::string path = hostTemplatePath(file);  // a writable copy, as the call wants
    const POINT at = topLeftOf(owner);
    return Vexil_Create(owner, WS_POPUP, path.data(), at.x, at.y, 0) == 1;
}

void SkinnedBook::open(HWND sendMail) {
    if (window_ || !registerBookClass(mailModule(), procedure)) return;
    {
        ActiveTemplate sendMailTemplate(kSendMailTemplate);
        savedTo_ = templateEditText("SendMail_Edit_To");
        savedCc_ = templateEditText("SendMail_Edit_CC");
    }
    RECT area{};
    GetWindowRect(sendMail, &area);
    sendMail_ = sendMail;
    buttonStates_.fill(-1);
    texts_ = std::make_unique<ResourceModule>("Res_KZ8.dll");
    CreateWindowExA(0, kBookClass, "", WS_POPUP, area.left, area.top, area.right - area.left,
                    area.bottom - area.top, sendMail, nullptr, mailModule(), nullptr);
}

LRESULT CALLBACK SkinnedBook::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SkinnedBook& book = instance();
    if (message == WM_NCCREATE) book.window_ = window;
    if (book.window_ != window) return DefWindowProcA(window, message, wParam, lParam);
    return book.handle(message, wParam, lParam);
}

LRESULT SkinnedBook::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return showBookTemplate() ? 0 : -1;
        case vexil2::kTemplateShown:
            if (lstrcmpiA(reinterpret_cast<const char*>(wParam), kBookTemplate) == 0)
                buildControls();
            return 0;
        case vexil2::kTemplateDestroyed:
            onTemplateDestroyed(reinterpret_cast<const char*>(wParam));
            return 0;
        case WM_COMMAND: onCommand(wParam); return 0;
        case kOpenNewMessage: openEntryTemplate(false); return 0;
        case kOpenEditMessage: openEntryTemplate(true); return 0;
        case WM_TIMER:
            if (wParam == kButtonTimer) {
                ActiveTemplate book(kBookTemplate);
                updateButtons(true);
            }
            return 0;
        case WM_CLOSE:
            KillTimer(window_, kButtonTimer);
            DestroyWindow(window_);
            return 0;
        case WM_NCDESTROY: {
            HWND going = window_;
            window_ = listView_ = toList_ = ccList_ = nullptr;
            editTarget_.reset();
            texts_.reset();
            return DefWindowProcA(going, message, wParam, lParam);
        }
        default: return DefWindowProcA(window_, message, wParam, lParam);
    }
}

// A book that cannot be shown leaves the send-mail window as it was.
bool SkinnedBook::showBookTemplate() {
    if (!showTemplate(window_, "AddressBook.DTP")) return false;
    EnableWindow(sendMail_, FALSE);
    return true;
}

HWND SkinnedBook::makeListBox(HWND parent, const RECT& area, int id) const {
    return CreateWindowExA(
        WS_EX_STATICEDGE, "LISTBOX", "",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
        area.left, area.top, area.right - area.left, area.bottom - area.top, parent,
        reinterpret_cast<HMENU>(INT_PTR(id)), mailModule(), nullptr);
}

void SkinnedBook::buildControls() {
    HWND bookTemplate = Vexil_GetTemplateHWND(kBookTemplate);
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    const RECT& v = kListViewArea;
    listView_ =
        CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                        v.left, v.top, v.right - v.left, v.bottom - v.top, bookTemplate,
                        reinterpret_cast<HMENU>(INT_PTR(kListViewId)), mailModule(), nullptr);
    SendMessageA(listView_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
    SendMessageA(listView_, LVM_SETBKCOLOR, 0, kListViewColour);
    SendMessageA(listView_, LVM_SETTEXTBKCOLOR, 0, kListViewColour);
    addAddressColumns(listView_);
    toList_ = makeListBox(bookTemplate, kToListArea, kToListId);
    ccList_ = makeListBox(bookTemplate, kCcListArea, kCcListId);
    refreshEntries(listView_, processAddressBook());
    fillListBox(toList_, SplitIntoList(savedTo_));
    fillListBox(ccList_, SplitIntoList(savedCc_));
    // Clicks in the list view reach nobody (its parent passes no notices
    // on), so the buttons follow the selection by the clock.
    SetTimer(window_, kButtonTimer, kButtonTimerMilliseconds, nullptr);
    updateButtons(false);
}

void SkinnedBook::updateButtons(bool atLeastOneRow) {
    if (!listView_) return;
    const size_t rows = selectedRowCount(listView_);
    const bool rowButtons = atLeastOneRow ? rows >= 1 : rows == 1;
    const bool remove = hasSelection(toList_) || hasSelection(ccList_);
    const std::array<bool, kStatefulButtons.size()> wanted = {rowButtons, rowButtons, rowButtons,
                                                              remove};
    // Each change redraws the button: only changes are made.
    for (size_t i = 0; i < wanted.size(); ++i) {
        if (buttonStates_[i] == int(wanted[i])) continue;
        if (Vexil_EnableWindow(kStatefulButtons[i], wanted[i] ? 1 : 0))
            buttonStates_[i] = int(wanted[i]);
    }
}

void SkinnedBook::onCommand(WPARAM command) {
    const int control = LOWORD(command);
    if (control == kToListId || control == kCcListId) {
        updateButtons(false);
        return;
    }
    switch (command) {
        case kConfirmBook: confirmBook(); break;
        case kAddTo: addSelectedEmails(listView_, toList_, processAddressBook()); break;
        case kAddCc: addSelectedEmails(listView_, ccList_, processAddressBook()); break;
        case kRemove:
            removeSelectedItems(toList_);
            removeSelectedItems(ccList_);
            updateButtons(false);
            break;
        case kNew: PostMessageA(window_, kOpenNewMessage, 0, 0); break;
        case kEdit:
            if (selectedRowCount(listView_) >= 1) PostMessageA(window_, kOpenEditMessage, 0, 0);
            break;
        case kConfirmNew: confirmEntry(false); break;
        case kConfirmEdit: confirmEntry(true); break;
        default: break;
    }
}

void SkinnedBook::confirmBook() {
    const std::string to = JoinList(listBoxItems(toList_));
    const std::string cc = JoinList(listBoxItems(ccList_));
    Vexil_SetActiveTemplate(kSendMailTemplate);
    Vexil_SetEditText("SendMail_Edit_To", to.c_str());
    Vexil_SetEditText("SendMail_Edit_CC", cc.c_str());
    Vexil_SetActiveTemplate(kBookTemplate);
}

// The entry an edit confirms is the one selected alone when the template
// opened, by id: a refresh meanwhile may have replaced every entry.
void SkinnedBook::openEntryTemplate(bool editing) {
    if (!listView_) return;
    const std::vector<uint32_t> selected = selectedEntryIds(listView_);
    if (!showTemplate(window_, editing ? "EditAddress.DTP" : "NewAddress.DTP")) return;
    Vexil_EnableWindow(kBookTemplate, 0);
    editTarget_.reset();
    if (!editing || selected.size() != 1) return;
    const AddressEntry* entry = processAddressBook().find(selected.front());
    if (!entry) return;
    editTarget_ = entry->id;
    Vexil_SetEditText("EditAddress_Edit_Name", entry->name.c_str());
    Vexil_SetEditText("EditAddress_Edit_Email", entry->emailAddress.c_str());
}

void SkinnedBook::confirmEntry(bool editing) {
    const char* templateName = editing ? kEditTemplate : kNewTemplate;
    const std::string prefix = std::string(templateName) + "_Edit_";
    std::string name, email;
    {
        ActiveTemplate entryTemplate(templateName);
        name = templateEditText((prefix + "Name").c_str());
        email = templateEditText((prefix + "Email").c_str());
    }
    AddressList& book = processAddressBook();
    HWND owner = Vexil_GetTemplateHWND(templateName);
    if (!editing)
        addEntry(owner, book, *texts_, name, email);
    else if (editTarget_)
        editEntry(owner, book, *texts_, *editTarget_, name, email);
    editTarget_.reset();
    refreshEntries(listView_, book);
}

void SkinnedBook::onTemplateDestroyed(const std::string& name) {
    if (lstrcmpiA(name.c_str(), kNewTemplate) == 0 || lstrcmpiA(name.c_str(), kEditTemplate) == 0) {
        editTarget_.reset();
        Vexil_EnableWindow(kBookTemplate, 1);
        Vexil_SetActiveTemplate(kBookTemplate);
    } else if (lstrcmpiA(name.c_str(), kBookTemplate) == 0) {
        EnableWindow(sendMail_, TRUE);
        Vexil_SetActiveTemplate(kSendMailTemplate);
        // The book's window owns the template that is going: it goes after.
        PostMessageA(window_, WM_CLOSE, 0, 0);
    }
}

}  // namespace

void openSkinnedAddressBook(HWND sendMailWindow) { SkinnedBook::instance().open(sendMailWindow); }

HWND skinnedAddressBookWindow() { return SkinnedBook::instance().window(); }

}  // namespace kz8::mail
