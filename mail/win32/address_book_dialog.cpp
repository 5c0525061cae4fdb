#include "mail/win32/address_book_dialog.h"

#include <commctrl.h>

#include <memory>
#include <optional>

#include "mail/win32/address_book_controls.h"
#include "mail/win32/address_book_editing.h"
#include "mail/win32/address_book_file.h"
#include "mail/win32/address_dialog_ids.h"
#include "mail/win32/mail_module.h"
#include "mail/win32/vexil_calls.h"
#include "skinui/include/vexil2.h"

namespace kz8::mail {

namespace {

constexpr UINT_PTR kButtonTimer = 1000;
constexpr UINT kButtonTimerMilliseconds = 200;

// One entry's fields, given and taken by the "New Address" dialog.
struct EntryFields {
    bool editing = false;
    std::string name, emailAddress;
};

INT_PTR CALLBACK entryProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* fields = reinterpret_cast<EntryFields*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        fields = reinterpret_cast<EntryFields*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        if (fields->editing) SetWindowTextA(dialog, "Edit Address");
        SetDlgItemTextA(dialog, IDC_ENTRY_NAME, fields->name.c_str());
        SetDlgItemTextA(dialog, IDC_ENTRY_EMAIL, fields->emailAddress.c_str());
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wParam) == IDOK) {
        fields->name = windowText(GetDlgItem(dialog, IDC_ENTRY_NAME));
        fields->emailAddress = windowText(GetDlgItem(dialog, IDC_ENTRY_EMAIL));
        EndDialog(dialog, IDOK);
    } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
    }
    return TRUE;
}

class BookDialog {
public:
    BookDialog(const std::string& to, const std::string& cc, PickedRecipients& picked)
        : to_(to), cc_(cc), picked_(picked), texts_("Res_KZ8.dll") {}
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    INT_PTR handle(UINT message, WPARAM wParam);
    void initialise();
    void onCommand(WPARAM wParam);
    void openEntry(bool editing);
    void updateButtons();
    HWND item(int id) const { return GetDlgItem(dialog_, id); }

    HWND dialog_ = nullptr;
    const std::string& to_;
    const std::string& cc_;
    PickedRecipients& picked_;
    ResourceModule texts_;
};

INT_PTR CALLBACK BookDialog::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reinterpret_cast<BookDialog*>(lParam)->dialog_ = dialog;
    }
    auto* self = reinterpret_cast<BookDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    return self ? self->handle(message, wParam) : FALSE;
}

INT_PTR BookDialog::handle(UINT message, WPARAM wParam) {
    switch (message) {
        case WM_INITDIALOG: initialise(); return TRUE;
        case WM_TIMER: updateButtons(); return TRUE;
        case WM_COMMAND: onCommand(wParam); return TRUE;
        case WM_DESTROY: KillTimer(dialog_, kButtonTimer); return FALSE;
        default: return FALSE;
    }
}

void BookDialog::initialise() {
    HWND listView = item(IDC_ADDRESS_LIST);
    SendMessageA(listView, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
    addAddressColumns(listView);
    refreshEntries(listView, processAddressBook());
    fillListBox(item(IDC_TO_LIST), SplitIntoList(to_));
    fillListBox(item(IDC_CC_LIST), SplitIntoList(cc_));
    SetTimer(dialog_, kButtonTimer, kButtonTimerMilliseconds, nullptr);
    updateButtons();
}

void BookDialog::updateButtons() {
    const bool rows = selectedRowCount(item(IDC_ADDRESS_LIST)) > 0;
    for (int id : {IDC_EDIT_ENTRY, IDC_ADD_TO, IDC_ADD_CC}) EnableWindow(item(id), rows);
    EnableWindow(item(IDC_REMOVE),
                 hasSelection(item(IDC_TO_LIST)) || hasSelection(item(IDC_CC_LIST)));
}

void BookDialog::onCommand(WPARAM wParam) {
    HWND listView = item(IDC_ADDRESS_LIST);
    switch (LOWORD(wParam)) {
        case IDC_ADD_ENTRY: openEntry(false); break;
        case IDC_EDIT_ENTRY: openEntry(true); break;
        case IDC_ADD_TO:
            addSelectedEmails(listView, item(IDC_TO_LIST), processAddressBook());
            break;
        case IDC_ADD_CC:
            addSelectedEmails(listView, item(IDC_CC_LIST), processAddressBook());
            break;
        case IDC_REMOVE:
            removeSelectedItems(item(IDC_TO_LIST));
            removeSelectedItems(item(IDC_CC_LIST));
            updateButtons();
            break;
        case IDC_TO_LIST:
        case IDC_CC_LIST:
            if (HIWORD(wParam) == LBN_SELCHANGE) updateButtons();
            break;
        case IDOK:
            picked_.to = JoinList(listBoxItems(item(IDC_TO_LIST)));
            picked_.cc = JoinList(listBoxItems(item(IDC_CC_LIST)));
            picked_.bcc = JoinList(listBoxItems(item(IDC_BCC_LIST)));
            EndDialog(dialog_, IDOK);
            break;
        case IDCANCEL: EndDialog(dialog_, IDCANCEL); break;
        default: break;
    }
}

// An edit acts on the entry selected alone when it opened, found again by
// id when it is confirmed.
void BookDialog::openEntry(bool editing) {
    AddressList& book = processAddressBook();
    HWND listView = item(IDC_ADDRESS_LIST);
    const std::vector<uint32_t> selected = selectedEntryIds(listView);
    EntryFields fields;
    fields.editing = editing;
    std::optional<uint32_t> target;
    if (editing && selected.size() == 1) {
        if (const AddressEntry* entry = book.find(selected.front())) {
            target = entry->id;
            fields.name = entry->name;
            fields.emailAddress = entry->emailAddress;
        }
    }
    if (DialogBoxParamA(mailModule(), MAKEINTRESOURCEA(IDD_NEW_ADDRESS), dialog_, entryProcedure,
                        reinterpret_cast<LPARAM>(&fields)) != IDOK)
        return;
    if (!editing)
        addEntry(dialog_, book, texts_, fields.name, fields.emailAddress);
    else if (target)
        editEntry(dialog_, book, texts_, *target, fields.name, fields.emailAddress);
    refreshEntries(listView, book);
}

}  // namespace

bool runAddressBookDialog(HWND owner, const std::string& to, const std::string& cc,
                          PickedRecipients& picked) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    BookDialog dialog(to, cc, picked);
    return DialogBoxParamA(mailModule(), MAKEINTRESOURCEA(IDD_ADDRESS_BOOKS), owner,
                           BookDialog::procedure, reinterpret_cast<LPARAM>(&dialog)) == IDOK;
}

void openAddressBookDialog(HWND sendMailWindow) {
    std::string to, cc;
    {
        ActiveTemplate sendMail("SendMail");
        to = templateEditText("SendMail_Edit_To");
        cc = templateEditText("SendMail_Edit_CC");
    }
    PickedRecipients picked;
    if (!runAddressBookDialog(sendMailWindow, to, cc, picked)) return;
    ActiveTemplate sendMail("SendMail");
    Vexil_SetEditText("SendMail_Edit_To", picked.to.c_str());
    Vexil_SetEditText("SendMail_Edit_CC", picked.cc.c_str());
}

}  // namespace kz8::mail
