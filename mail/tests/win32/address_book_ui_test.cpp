// The address book as a user meets it under Wine: the host's send-mail
// template open, the skinned book over it clicked with the real pointer,
// the plain dialog driven from this thread while it runs on another, and
// the book's file in the prefix's application-data folder.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/testing/win32/message_box_answerer.h"
#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/screen_pixels.h"
#include "common/win32/handles.h"
#include "common/win32/module_function.h"
#include "mail/win32/address_book_dialog.h"
#include "mail/win32/address_book_file.h"
#include "mail/win32/address_book_window.h"
#include "mail/win32/address_dialog_ids.h"
#include "mail/win32/mail_module.h"
#include "skinui/include/vexil2.h"

namespace kz8::mail {
namespace {

using kz8::testkit::pumpMessages;
using kz8::testkit::pumpUntil;

constexpr POINT kSendMailAt{50, 50};

template <typename Function>
Function vexilExport(const char* name) {
    return kz8::moduleFunction<Function>(GetModuleHandleA("Vexil2.dll"), name);
}

std::string editText(const char* templateName, const char* edit) {
    Vexil_SetActiveTemplate(templateName);
    char text[8192] = {};
    Vexil_GetEditText(edit, text, int(sizeof text));
    return text;
}

void click(POINT at) {
    kz8::testkit::moveMouseTo(at.x, at.y);
    kz8::testkit::pressLeft();
    kz8::testkit::releaseLeft();
    pumpMessages(50);
}

// The centre of a control's rectangle in a template shown at its window.
POINT onTemplate(const char* templateName, RECT area) {
    POINT centre{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    ClientToScreen(Vexil_GetTemplateHWND(templateName), &centre);
    return centre;
}

class AddressBookTest : public ::testing::Test {
protected:
    void SetUp() override {
        startFromNoBook();
        ASSERT_EQ(vexilExport<decltype(&Vexil_Init)>("Vexil_Init")(), 1);
        host_ = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
        std::string path = mailModuleFolder() + "\\ui\\SendMail.DTP";
        ASSERT_EQ(Vexil_Create(host_, WS_POPUP, path.data(), kSendMailAt.x, kSendMailAt.y, 0), 1);
        sendMail = Vexil_GetTemplateHWND("SendMail");
        kz8::testkit::moveMouseTo(1000, 740);
    }
    void TearDown() override {
        if (HWND book = skinnedAddressBookWindow()) DestroyWindow(book);
        auto templates = vexilExport<decltype(&Vexil_GetTemplateNumber)>("Vexil_GetTemplateNumber");
        while (templates() > 0)
            DestroyWindow(Vexil_GetTemplateHWND(Vexil_GetCurrentTemplateName()));
        DestroyWindow(host_);
        pumpMessages(20);
        startFromNoBook();
    }
    static void startFromNoBook() {
        const std::string path = defaultAddressBookPath();
        DeleteFileA(path.c_str());
        DeleteFileA((path + ".tmp").c_str());
        processAddressBook().Clear();
    }
    static void storeEntries(const std::vector<std::pair<std::string, std::string>>& entries) {
        for (const auto& [name, email] : entries) processAddressBook().Insert(name, email);
        processAddressBook().Save();
        processAddressBook().Clear();
    }
    void openBook() {
        openSkinnedAddressBook(sendMail);
        ASSERT_TRUE(pumpUntil([] { return listView() != nullptr; }));
        pumpMessages(100);
    }
    static HWND listView() { return GetDlgItem(Vexil_GetTemplateHWND("AddressBook"), 4029); }
    static HWND listBox(int id) { return GetDlgItem(Vexil_GetTemplateHWND("AddressBook"), id); }
    static std::string rowText(HWND view, int row, int column) {
        char text[300] = {};
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(view, LVM_GETITEMTEXTA, WPARAM(row), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    static POINT rowOnScreen(HWND view, int row) {
        RECT area{LVIR_LABEL};
        SendMessageA(view, LVM_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&area));
        POINT centre{area.left + 10, (area.top + area.bottom) / 2};
        ClientToScreen(view, &centre);
        return centre;
    }
    static void clickBookButton(RECT area) { click(onTemplate("AddressBook", area)); }

    HWND host_ = nullptr;
    HWND sendMail = nullptr;
};

const RECT kAddTo{192, 75, 259, 99}, kRemove{192, 125, 259, 149}, kAddCc{192, 175, 259, 199};
const RECT kNewButton{21, 233, 91, 255}, kEditButton{101, 233, 171, 255};
const RECT kBookOk{290, 233, 355, 255}, kBookCancel{365, 233, 430, 255};
const RECT kEntryOk{140, 104, 205, 126};

// New, then edit, then delete by clearing the e-mail; string 56 for an
// address that is none, the entry kept; the book still there for the next
// run of the host.
TEST_F(AddressBookTest, SkinnedBookAddsEditsAndDeletesEntries) {
    openBook();
    EXPECT_FALSE(IsWindowEnabled(sendMail));
    kz8::testkit::MessageBoxAnswerer answerer;
    clickBookButton(kNewButton);
    ASSERT_TRUE(pumpUntil([] { return Vexil_GetTemplateHWND("NewAddress") != nullptr; }));
    Vexil_SetEditText("NewAddress_Edit_Name", "Ann");
    Vexil_SetEditText("NewAddress_Edit_Email", "ann.example.com");
    click(onTemplate("NewAddress", kEntryOk));
    ASSERT_TRUE(pumpUntil([] { return SendMessageA(listView(), LVM_GETITEMCOUNT, 0, 0) == 1; }));
    EXPECT_EQ(answerer.texts, std::vector<std::string>{"W"}) << "string 56 of Res_KZ8";
    EXPECT_EQ(rowText(listView(), 0, 0), "Ann");
    EXPECT_EQ(rowText(listView(), 0, 1), "ann.example.com");
    // The second column drawn: dark text pixels in its half of the row.
    RECT second{LVIR_BOUNDS};
    SendMessageA(listView(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&second));
    second.left += 122;
    const auto image = kz8::testkit::windowImage(listView(), second);
    EXPECT_TRUE(std::any_of(image.rgb.begin(), image.rgb.end(), [](uint8_t c) { return c < 100; }));

    click(rowOnScreen(listView(), 0));
    clickBookButton(kEditButton);
    ASSERT_TRUE(pumpUntil([] { return Vexil_GetTemplateHWND("EditAddress") != nullptr; }));
    EXPECT_EQ(editText("EditAddress", "EditAddress_Edit_Email"), "ann.example.com");
    Vexil_SetEditText("EditAddress_Edit_Email", "ann@example.com");
    click(onTemplate("EditAddress", kEntryOk));
    ASSERT_TRUE(pumpUntil([] { return rowText(listView(), 0, 1) == "ann@example.com"; }));
    EXPECT_EQ(answerer.texts.size(), 1u) << "a valid address shows nothing";

    // Entries typed today are there tomorrow: a new run of the host finds Ann.
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string command = std::string("\"") + self +
                          "\" --gtest_filter=AddressBookRestart.* --gtest_also_run_disabled_tests";
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION started{};
    SetEnvironmentVariableA("KZ8_ADDRESS_BOOK_RESTART", "ann@example.com");
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &started));
    SetEnvironmentVariableA("KZ8_ADDRESS_BOOK_RESTART", nullptr);
    kz8::KernelHandle process(started.hProcess), thread(started.hThread);
    ASSERT_EQ(WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0);
    DWORD status = 1;
    GetExitCodeProcess(process.get(), &status);
    EXPECT_EQ(status, 0u) << "the next run of the host looks Ann up";

    click(rowOnScreen(listView(), 0));
    clickBookButton(kEditButton);
    ASSERT_TRUE(pumpUntil([] { return Vexil_GetTemplateHWND("EditAddress") != nullptr; }));
    Vexil_SetEditText("EditAddress_Edit_Email", "");
    click(onTemplate("EditAddress", kEntryOk));
    ASSERT_TRUE(pumpUntil([] { return SendMessageA(listView(), LVM_GETITEMCOUNT, 0, 0) == 0; }));
    EXPECT_EQ(lookUpAddressByName("Ann"), std::nullopt);
    clickBookButton(kBookCancel);
    EXPECT_TRUE(
        pumpUntil([&] { return IsWindowEnabled(sendMail) && !skinnedAddressBookWindow(); }));
}

// Run by the test above as a second process: the book as a new run finds it.
TEST(AddressBookRestart, DISABLED_TheNextRunFindsTheBook) {
    const char* wanted = std::getenv("KZ8_ADDRESS_BOOK_RESTART");
    if (!wanted) GTEST_SKIP();
    EXPECT_EQ(lookUpAddressByName("ANN"), std::optional<std::string>(wanted));
    EXPECT_EQ(processAddressBook().Load(), 1);
}

// Add To, Add Cc and Remove with the buttons following the selection, OK
// writing the lists back whole, Cancel leaving the send-mail fields.
TEST_F(AddressBookTest, PickedRecipientsGoBackWhole) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (int i = 0; i < 30; ++i) {
        const std::string n = std::to_string(i);
        entries.emplace_back("Person " + n, "person.number." + n + "@mail.example.com");
    }
    storeEntries(entries);
    std::vector<std::string> earlier;  // more than a thousand characters of To already
    for (int i = 0; i < 30; ++i)
        earlier.push_back(std::string(40, char('a' + i % 26)) + "@example.com");
    const std::string longTo = JoinList(earlier);
    Vexil_SetActiveTemplate("SendMail");
    Vexil_SetEditText("SendMail_Edit_To", longTo.c_str());
    Vexil_SetEditText("SendMail_Edit_CC", "cc@example.com");

    openBook();
    EXPECT_EQ(SendMessageA(listBox(4030), LB_GETCOUNT, 0, 0), 30);
    // Every row selected: the clock's rule enables Add To for several rows.
    LVITEMA all{};
    all.stateMask = all.state = LVIS_SELECTED;
    SendMessageA(listView(), LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&all));
    pumpMessages(250);
    clickBookButton(kAddTo);
    EXPECT_EQ(SendMessageA(listBox(4030), LB_GETCOUNT, 0, 0), 60);

    click(rowOnScreen(listView(), 2));  // one row: Add Cc enabled at once
    pumpMessages(250);
    clickBookButton(kAddCc);
    ASSERT_EQ(SendMessageA(listBox(4031), LB_GETCOUNT, 0, 0), 2);
    // The first Cc item picked in its list box, then removed.
    RECT item{};
    SendMessageA(listBox(4031), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    POINT first{item.left + 5, (item.top + item.bottom) / 2};
    ClientToScreen(listBox(4031), &first);
    click(first);
    pumpMessages(250);
    clickBookButton(kRemove);
    EXPECT_EQ(SendMessageA(listBox(4031), LB_GETCOUNT, 0, 0), 1);

    clickBookButton(kBookOk);
    ASSERT_TRUE(pumpUntil([] { return !skinnedAddressBookWindow(); }));
    // The To box lists a text's recipients from its last; the list view
    // shows the newest entry first.
    std::string wantedTo = JoinList(std::vector<std::string>(earlier.rbegin(), earlier.rend()));
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) wantedTo += ";" + it->second;
    EXPECT_TRUE(editText("SendMail", "SendMail_Edit_To") == wantedTo) << "every recipient, whole";
    EXPECT_EQ(editText("SendMail", "SendMail_Edit_CC"), "person.number.27@mail.example.com");

    openBook();
    clickBookButton(kAddTo);  // the first row, selected on opening
    EXPECT_EQ(SendMessageA(listBox(4030), LB_GETCOUNT, 0, 0), 61);
    clickBookButton(kBookCancel);
    ASSERT_TRUE(pumpUntil([] { return !skinnedAddressBookWindow(); }));
    EXPECT_TRUE(editText("SendMail", "SendMail_Edit_To") == wantedTo) << "Cancel keeps the fields";
}

// Without the book's template the send-mail window stays usable.
TEST_F(AddressBookTest, ABookThatCannotOpenLeavesTheSendMailWindowEnabled) {
    const std::string bookTemplate = mailModuleFolder() + "\\ui\\AddressBook.DTP";
    const std::string aside = bookTemplate + ".aside";
    ASSERT_TRUE(MoveFileA(bookTemplate.c_str(), aside.c_str()));
    openSkinnedAddressBook(sendMail);
    MoveFileA(aside.c_str(), bookTemplate.c_str());
    EXPECT_TRUE(IsWindowEnabled(sendMail));
    EXPECT_EQ(skinnedAddressBookWindow(), nullptr);
}

// The plain dialog runs on a thread of its own, driven from this one.
class DialogRun {
public:
    DialogRun(std::string to, std::string cc) : to_(std::move(to)), cc_(std::move(cc)) {
        thread_ = std::thread([this] { ok = runAddressBookDialog(nullptr, to_, cc_, picked); });
    }
    ~DialogRun() {
        if (HWND open = window()) PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
        thread_.join();
    }
    static HWND window() { return FindWindowA("#32770", "Address Books"); }
    HWND item(int id) const { return GetDlgItem(window(), id); }
    std::atomic<bool> ok{false};
    PickedRecipients picked;

private:
    std::string to_, cc_;
    std::thread thread_;
};

// Once shown: a dialog is found before its WM_INITDIALOG has filled its
// fields, and texts set then would be overwritten.
HWND waitForWindow(const char* caption) {
    HWND found = nullptr;
    pumpUntil(
        [&] {
            found = FindWindowA("#32770", caption);
            return found && IsWindowVisible(found);
        },
        5000);
    return found;
}

void fillEntryDialog(HWND dialog, const char* name, const char* email) {
    SetDlgItemTextA(dialog, IDC_ENTRY_NAME, name);
    SetDlgItemTextA(dialog, IDC_ENTRY_EMAIL, email);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

TEST_F(AddressBookTest, PlainDialogSharesTheBookAndItsRules) {
    storeEntries({{"Bob", "bob@example.com"}});
    auto run = std::make_unique<DialogRun>("to@example.com", "");
    ASSERT_TRUE(waitForWindow("Address Books"));
    HWND view = run->item(IDC_ADDRESS_LIST);
    EXPECT_EQ(rowText(view, 0, 1), "bob@example.com");
    EXPECT_EQ(SendMessageA(run->item(IDC_TO_LIST), LB_GETCOUNT, 0, 0), 1);
    EXPECT_FALSE(IsWindowVisible(run->item(IDC_BCC_LIST)));

    PostMessageA(run->item(IDC_ADD_ENTRY), BM_CLICK, 0, 0);
    HWND entry = waitForWindow("New Address");
    ASSERT_TRUE(entry);
    fillEntryDialog(entry, "Cy", "cy@");
    HWND warning = nullptr;
    ASSERT_TRUE(pumpUntil([&] {
        warning = FindWindowA("#32770", "Error");
        return warning != nullptr;
    }));
    char text[64] = {};
    GetDlgItemTextA(warning, 0xFFFF, text, sizeof text);
    EXPECT_STREQ(text, "W");
    PostMessageA(warning, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(pumpUntil([&] { return SendMessageA(view, LVM_GETITEMCOUNT, 0, 0) == 2; }));
    EXPECT_EQ(rowText(view, 0, 0), "Cy") << "the newest first, stored all the same";

    LVITEMA one{};
    one.stateMask = LVIS_SELECTED;
    SendMessageA(view, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&one));
    one.state = LVIS_SELECTED;
    SendMessageA(view, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&one));
    EXPECT_TRUE(pumpUntil([&] { return IsWindowEnabled(run->item(IDC_EDIT_ENTRY)) != FALSE; }));
    PostMessageA(run->item(IDC_EDIT_ENTRY), BM_CLICK, 0, 0);
    entry = waitForWindow("Edit Address");
    ASSERT_TRUE(entry);
    GetDlgItemTextA(entry, IDC_ENTRY_EMAIL, text, sizeof text);
    EXPECT_STREQ(text, "cy@");
    fillEntryDialog(entry, "Cy", "");
    ASSERT_TRUE(pumpUntil([&] { return SendMessageA(view, LVM_GETITEMCOUNT, 0, 0) == 1; }));

    SendMessageA(view, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&one));
    pumpUntil([&] { return IsWindowEnabled(run->item(IDC_ADD_CC)) != FALSE; });
    PostMessageA(run->item(IDC_ADD_CC), BM_CLICK, 0, 0);
    pumpUntil([&] { return SendMessageA(run->item(IDC_CC_LIST), LB_GETCOUNT, 0, 0) == 1; });
    PostMessageA(run->window(), WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(pumpUntil([] { return DialogRun::window() == nullptr; }));
    EXPECT_TRUE(run->ok);
    EXPECT_EQ(run->picked.to, "to@example.com");
    EXPECT_EQ(run->picked.cc, "bob@example.com");
}

}  // namespace
}  // namespace kz8::mail
