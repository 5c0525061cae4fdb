// Email.dll as a host drives it under Wine: loaded from a folder with only
// Vexil2.dll beside it, its exports bound by their MSVC names, the host's
// SendMail template filled and sent to the test servers. The resource
// library is found through the current folder when a test wants texts.
#include <windows.h>
// after windows.h, whose types it uses
#include <wincred.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "common/testing/portable/test_files.h"
#include "common/testing/win32/message_box_answerer.h"
#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/wine_run.h"
#include "common/win32/module_function.h"
#include "mail/include/email.h"
#include "mail/tests/win32/msvc_names.h"
#include "mail/tests/win32/test_authority.h"
#include "skinui/include/vexil2.h"

namespace {

using kz8::testkit::pumpMessages;
using kz8::testkit::pumpUntil;
using Clock = std::chrono::steady_clock;

using kz8::moduleFunction;

struct EmailDll {
    HMODULE module = nullptr;
    decltype(&OnOK) ok = nullptr;
    decltype(&OnCancel) cancel = nullptr;
    decltype(&OnInitDialog) initDialog = nullptr;
    decltype(&OnSetSendServer) setServer = nullptr;
    decltype(&OnSetSendFrom) setSender = nullptr;
    decltype(&OnSetAttachFile) setAttachment = nullptr;

    bool load() {
        module = LoadLibraryA("Email.dll");
        if (!module) return false;
        ok = moduleFunction<decltype(ok)>(module, "?OnOK@@YAXXZ");
        cancel = moduleFunction<decltype(cancel)>(module, "?OnCancel@@YAXXZ");
        initDialog = moduleFunction<decltype(initDialog)>(
            module, MSVC_NAME("?OnInitDialog@@YAXAEAUtagRECT@@PEAUHWND__@@@Z",
                              "?OnInitDialog@@YAXAAUtagRECT@@PAUHWND__@@@Z"));
        setServer = moduleFunction<decltype(setServer)>(
            module, MSVC_NAME("?OnSetSendServer@@YAXPEAD@Z", "?OnSetSendServer@@YAXPAD@Z"));
        setSender = moduleFunction<decltype(setSender)>(
            module, MSVC_NAME("?OnSetSendFrom@@YAXPEAD@Z", "?OnSetSendFrom@@YAXPAD@Z"));
        setAttachment = moduleFunction<decltype(setAttachment)>(
            module, MSVC_NAME("?OnSetAttachFile@@YAXPEAD@Z", "?OnSetAttachFile@@YAXPAD@Z"));
        return ok && cancel && initDialog && setServer && setSender && setAttachment;
    }
};

std::string serversFolder() { return kz8::testkit::environmentText("KZ8_SMTP_SERVERS"); }

// The raw messages a server stored so far.
std::vector<std::string> storedMessages(const char* server) {
    std::vector<std::string> messages;
    for (int n = 1;; ++n) {
        const auto bytes = kz8::testkit::readFile(serversFolder() + "\\" + server + "\\" +
                                                  std::to_string(n) + ".eml");
        if (!bytes) return messages;
        messages.emplace_back(bytes->begin(), bytes->end());
    }
}

// The status line OnInitDialog made, noting every text it is given.
struct StatusLog {
    static LRESULT CALLBACK record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<StatusLog*>(GetPropA(window, "log"));
        if (message == WM_SETTEXT) self->texts.push_back(reinterpret_cast<const char*>(lParam));
        return CallWindowProcA(self->original, window, message, wParam, lParam);
    }
    void attach(HWND status) {
        SetPropA(status, "log", this);
        original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(status, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record)));
    }
    std::vector<std::string> texts;
    WNDPROC original = nullptr;
};

class EmailDllTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(dll().load()) << "Email.dll with only Vexil2.dll beside it";
        auto init =
            moduleFunction<decltype(&Vexil_Init)>(GetModuleHandleA("Vexil2.dll"), "Vexil_Init");
        ASSERT_TRUE(init && init());
        ASSERT_TRUE(kz8::mail::testkit::trustTestAuthority());
    }
    static EmailDll& dll() {
        static EmailDll loaded;
        return loaded;
    }
    // The host's SendMail template with its strip laid out by the library.
    void SetUp() override {
        if (host_) DestroyWindow(host_);
        host_ = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
        std::string path = std::string(KZ8_HOST_UI) + "\\SendMail.DTP";
        ASSERT_EQ(Vexil_Create(host_, WS_POPUP, path.data(), 40, 40, 0), 1);
        sendMail = Vexil_GetTemplateHWND("SendMail");
        RECT strip{20, 290, 460, 308};
        dll().initDialog(strip, sendMail);
        status = StatusLog{};
        status.attach(GetDlgItem(sendMail, 0xFFFF));
        dll().setSender(const_cast<char*>("me@example.com"));
        fill("you@example.com", "A card", "Hello there");
    }
    void TearDown() override {
        if (dll().module) dll().cancel();
        if (IsWindow(sendMail)) DestroyWindow(sendMail);
        DestroyWindow(host_);
        pumpMessages(20);
        SetCurrentDirectoryA(programFolder().c_str());
    }
    static std::string programFolder() {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, sizeof path);
        const std::string file = path;
        return file.substr(0, file.find_last_of('\\'));
    }
    static void fill(const char* to, const char* subject, const char* text) {
        Vexil_SetActiveTemplate("SendMail");
        Vexil_SetEditText("SendMail_Edit_To", to);
        Vexil_SetEditText("SendMail_Edit_Subject", subject);
        Vexil_SetEditText("SendMail_Edit_Text", text);
    }
    void server(const char* address) { dll().setServer(const_cast<char*>(address)); }
    // Whether the worker closed the window, the sign of its end.
    bool windowClosed(DWORD milliseconds = 10000) {
        return pumpUntil([&] { return !IsWindow(sendMail); }, milliseconds);
    }
    // Texts from the resource library, found through the current folder.
    static void withTexts() { SetCurrentDirectoryA(KZ8_RESOURCES_FOLDER); }

    HWND host_ = nullptr;
    HWND sendMail = nullptr;
    StatusLog status;
};

TEST_F(EmailDllTest, SendsWithoutTheResourceLibraryAndWithBlankTexts) {
    server("127.0.0.10");
    const size_t before = storedMessages("store").size();
    dll().ok();
    ASSERT_TRUE(windowClosed());
    EXPECT_EQ(status.texts, (std::vector<std::string>{"", "", ""}));
    ASSERT_TRUE(pumpUntil([&] { return storedMessages("store").size() == before + 1; }));
    const std::string mail = storedMessages("store").back();
    EXPECT_NE(mail.find("\r\nSubject: A card\r\n"), std::string::npos);
    EXPECT_NE(mail.find("Content-type: text/plain; charset=US-ASCII"), std::string::npos)
        << "no attachment set: single part";
}

TEST_F(EmailDllTest, EdgesOfTheCallingOrder) {
    withTexts();
    server("127.0.0.10");
    server("");  // keeps the server given before
    const size_t before = storedMessages("store").size();
    fill("", "unsent", "no To");
    dll().ok();
    pumpMessages(300);
    EXPECT_TRUE(status.texts.empty()) << "an empty To does nothing";
    fill("you@example.com", "", "no subject");
    dll().ok();
    ASSERT_TRUE(windowClosed());
    EXPECT_EQ(status.texts, (std::vector<std::string>{"Connecting...", "Sending...", "Quit."}));
    ASSERT_TRUE(pumpUntil([&] { return storedMessages("store").size() == before + 1; }));
    EXPECT_NE(storedMessages("store").back().find("\r\nSubject:   \r\n"), std::string::npos)
        << "two blanks";
}

TEST_F(EmailDllTest, ASecondSendWithoutCancelStillHasItsTexts) {
    withTexts();
    server("127.0.0.10");
    const size_t before = storedMessages("store").size();
    dll().ok();
    ASSERT_TRUE(windowClosed());
    SetUp();  // the host shows its window again; no OnCancel between
    dll().ok();
    ASSERT_TRUE(windowClosed());
    EXPECT_EQ(status.texts, (std::vector<std::string>{"Connecting...", "Sending...", "Quit."}));
    EXPECT_TRUE(pumpUntil([&] { return storedMessages("store").size() == before + 2; }));
}

// What OnOK refuses: it shows why and leaves the window with the text.
TEST_F(EmailDllTest, AMalformedEntryOrAMissingFileSendsNothing) {
    withTexts();
    server("127.0.0.10");
    const size_t before = storedMessages("store").size();
    kz8::testkit::MessageBoxAnswerer answerer;
    fill("Ann <ann@example.com, bob@example.com", "A card", "kept");
    dll().ok();
    dll().setAttachment(const_cast<char*>("C:\\no such folder\\card.exe"));
    fill("you@example.com", "A card", "kept");
    dll().ok();
    dll().setAttachment(nullptr);
    pumpMessages(500);
    EXPECT_EQ(answerer.texts, (std::vector<std::string>{"Send failed.", "Open file failed."}));
    EXPECT_TRUE(IsWindow(sendMail));
    Vexil_SetActiveTemplate("SendMail");
    char text[16] = {};
    Vexil_GetEditText("SendMail_Edit_Text", text, sizeof text);
    EXPECT_STREQ(text, "kept");
    EXPECT_EQ(storedMessages("store").size(), before);
}

TEST_F(EmailDllTest, ADoubleSendGivesOneMailAndNoServerGivesStringFiftyOne) {
    withTexts();
    server("127.0.0.14");  // takes 15 s over the data
    const size_t before = storedMessages("slow").size();
    dll().ok();
    dll().ok();
    ASSERT_TRUE(windowClosed(30000));
    pumpMessages(500);
    EXPECT_EQ(storedMessages("slow").size(), before + 1);

    SetUp();
    server("127.0.0.30");  // nobody listens
    dll().ok();
    EXPECT_EQ(kz8::testkit::answerMessageBox(10000), "Cannot connect the host.\nPlease try again.");
    EXPECT_TRUE(windowClosed());
}

// Logins from the Credential Manager, and its prompt when there is none.
const wchar_t kUser[] = L"kz8user";

void storeCredential(const wchar_t* target, const std::wstring& password) {
    std::wstring name = target, user = kUser, blob = password;
    CREDENTIALW credential{};
    credential.Type = CRED_TYPE_GENERIC;
    credential.TargetName = name.data();
    credential.UserName = user.data();
    credential.CredentialBlob = reinterpret_cast<BYTE*>(blob.data());
    credential.CredentialBlobSize = DWORD(blob.size() * sizeof(wchar_t));
    credential.Persist = CRED_PERSIST_LOCAL_MACHINE;
    ASSERT_TRUE(CredWriteW(&credential, 0));
}

// The prompt for a server, once it is up: its user field's text, and keys
// typed into it by xdotool, each step waiting for its effect (the prompt
// is modal inside OnOK, so this runs on a thread of its own).
std::string fieldText(HWND prompt, int id) {
    char text[64] = {};
    SendMessageA(GetDlgItem(prompt, id), WM_GETTEXT, sizeof text, LPARAM(text));
    return text;
}

class PromptAnswer {
public:
    struct Step {
        std::string keys;
        std::function<bool(HWND prompt)> done;
    };
    PromptAnswer(const char* host, std::vector<Step> steps)
        : caption_(std::string("Connect to ") + host),
          steps_(std::move(steps)),
          thread_([this] { run(); }) {}
    ~PromptAnswer() { thread_.join(); }
    bool seen = false;
    bool closedByKeys = true;
    std::string userShown;

private:
    void run() {
        HWND prompt = nullptr;
        pumpUntil([&] { return (prompt = FindWindowA("#32770", caption_.c_str())) != nullptr; },
                  10000);
        if (!prompt) return;
        seen = true;
        userShown = fieldText(prompt, kUserField);
        pumpMessages(300);
        for (const Step& step : steps_) {
            kz8::testkit::xdotool(step.keys);
            pumpUntil([&] { return step.done(prompt); }, 5000);
        }
        // A prompt the keys did not close is cancelled, so the test ends.
        if (!pumpUntil([&] { return !IsWindow(prompt); }, 5000)) {
            closedByKeys = false;
            PostMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
        }
    }
    static constexpr int kUserField = 101;
    std::string caption_;
    std::vector<Step> steps_;
    std::thread thread_;
};

bool closed(HWND prompt) { return !IsWindow(prompt); }

// The prompt's focus, as its own thread sees it.
HWND focusIn(HWND prompt) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(prompt, nullptr), &info);
    return info.hwndFocus;
}

std::wstring storedPassword(const wchar_t* target) {
    CREDENTIALW* saved = nullptr;
    if (!CredReadW(target, CRED_TYPE_GENERIC, 0, &saved)) return L"(none)";
    std::wstring password(reinterpret_cast<const wchar_t*>(saved->CredentialBlob),
                          saved->CredentialBlobSize / sizeof(wchar_t));
    CredFree(saved);
    return password;
}

std::vector<std::string> serverCommands(const char* server) {
    const auto bytes = kz8::testkit::readFile(serversFolder() + "\\" + server + "\\commands");
    std::vector<std::string> lines;
    if (!bytes) return lines;
    std::string line;
    for (char c : *bytes) {
        if (c != '\n')
            line += c;
        else
            lines.push_back(line), line.clear();
    }
    return lines;
}

TEST_F(EmailDllTest, AStoredLoginIsUsedWithItsUnicodePassword) {
    storeCredential(L"KZ8Mail:127.0.0.40", L"p\u00e4ssw\u00f6rd-\u03a9");
    server("127.0.0.40:587");
    dll().ok();
    ASSERT_TRUE(windowClosed(20000));
    EXPECT_EQ(storedMessages("stored_login").size(), 1u);
    EXPECT_EQ(serverCommands("stored_login"),
              (std::vector<std::string>{"AUTH PLAIN kz8user ok", "MAIL"}));
}

TEST_F(EmailDllTest, APromptedLoginIsSavedOnlyWhenTheServerTookIt) {
    CredDeleteW(L"KZ8Mail:127.0.0.41", CRED_TYPE_GENERIC, 0);
    server("127.0.0.41:587");
    {
        // Name, password, the save box, OK.
        PromptAnswer answer(
            "127.0.0.41",
            {{"type --delay 30 kz8user", [](HWND p) { return fieldText(p, 101) == "kz8user"; }},
             {"key Tab", [](HWND p) { return focusIn(p) == GetDlgItem(p, 102); }},
             {"type --delay 30 kz8-typed-1",
              [](HWND p) { return fieldText(p, 102) == "kz8-typed-1"; }},
             {"key Tab", [](HWND p) { return focusIn(p) == GetDlgItem(p, 104); }},
             {"key space", [](HWND p) { return IsDlgButtonChecked(p, 104) == BST_CHECKED; }},
             {"key Return", closed}});
        dll().ok();
        pumpMessages(100);
        EXPECT_TRUE(answer.seen && answer.closedByKeys);
    }
    ASSERT_TRUE(windowClosed(20000));
    EXPECT_EQ(storedMessages("prompted").size(), 1u);
    EXPECT_EQ(storedPassword(L"KZ8Mail:127.0.0.41"), L"kz8-typed-1");
}

TEST_F(EmailDllTest, CancelInThePromptSendsNothing) {
    CredDeleteW(L"KZ8Mail:127.0.0.42", CRED_TYPE_GENERIC, 0);
    server("127.0.0.42:587");
    {
        PromptAnswer answer("127.0.0.42", {{"key Escape", closed}});
        dll().ok();
        pumpMessages(100);
        EXPECT_TRUE(answer.seen && answer.closedByKeys);
    }
    pumpMessages(1000);
    EXPECT_TRUE(IsWindow(sendMail)) << "the window stays, with its text";
    EXPECT_TRUE(status.texts.empty()) << "no connection was begun";
    EXPECT_TRUE(kz8::testkit::readFile(serversFolder() + "\\prompt_cancel\\relay.bin") ==
                std::nullopt);
}

TEST_F(EmailDllTest, ARefusedLoginIsAskedForAgainWithTheNameFilledIn) {
    withTexts();
    storeCredential(L"KZ8Mail:127.0.0.43", L"an old password");
    server("127.0.0.43:465");
    dll().ok();
    EXPECT_EQ(kz8::testkit::answerMessageBox(20000),
              "Cannot connect the host.\nPlease try again.\n\n"
              "The server refused the user name or password.");
    ASSERT_TRUE(windowClosed());

    SetUp();
    server("127.0.0.43:465");
    {
        // The name is there and has the focus on the password.
        PromptAnswer answer("127.0.0.43",
                            {{"type --delay 30 kz8-typed-1",
                              [](HWND p) { return fieldText(p, 102) == "kz8-typed-1"; }},
                             {"key Return", closed}});
        dll().ok();
        pumpMessages(100);
        EXPECT_TRUE(answer.closedByKeys);
        EXPECT_EQ(answer.userShown, "kz8user");
    }
    ASSERT_TRUE(windowClosed(20000));
    EXPECT_EQ(storedMessages("prompt_again").size(), 1u);
    EXPECT_EQ(
        serverCommands("prompt_again"),
        (std::vector<std::string>{"AUTH PLAIN kz8user refused", "AUTH PLAIN kz8user ok", "MAIL"}));
    EXPECT_EQ(storedPassword(L"KZ8Mail:127.0.0.43"), L"an old password") << "save was not ticked";
}

// Last: the library unloaded while a cancelled send is still ending.
TEST_F(EmailDllTest, CancelDuringASlowSendThenUnload) {
    withTexts();
    server("127.0.0.23");  // reads nothing once DATA began
    // A card larger than the connection's buffers, so that the send stalls.
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    std::string card = std::string(folder) + "large card.exe";
    {
        std::vector<char> bytes(5 << 20, 'q');
        HANDLE file = CreateFileA(card.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    dll().setAttachment(card.data());
    dll().ok();
    DeleteFileA(card.c_str());
    ASSERT_TRUE(pumpUntil([&] { return status.texts.size() >= 2; }));
    pumpMessages(300);
    const auto asked = Clock::now();
    dll().cancel();
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - asked).count(), 0.1);
    FreeLibrary(dll().module);
    dll().module = nullptr;
    pumpMessages(1500);
    EXPECT_EQ(FindWindowA("#32770", nullptr), nullptr) << "no box";
    EXPECT_TRUE(IsWindow(sendMail)) << "the window left alone";
    const std::string log = serversFolder() + "\\stall\\log";
    EXPECT_TRUE(pumpUntil(
        [&] {
            const auto bytes = kz8::testkit::readFile(log);
            return bytes &&
                   std::string(bytes->begin(), bytes->end()).find("NO END") != std::string::npos;
        },
        12000));
}

}  // namespace
