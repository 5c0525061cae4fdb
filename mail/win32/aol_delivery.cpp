#include "mail/win32/aol_delivery.h"

#include <memory>
#include <optional>
#include <string>

#include "mail/portable/aol_automation.h"
#include "mail/portable/aol_typing.h"
#include "mail/portable/mapi_rules.h"
#include "mail/win32/win32_aol_windows.h"

namespace kz8::mail {

namespace {

const char kAolKey[] = "Software\\America Online\\AOL\\CurrentVersion";
const char kPreferenceKey[] = "Software\\Tavrel\\Lumbook\\2.5\\Preference";
constexpr UINT_PTR kAolTimer = 121;
constexpr UINT kTickMilliseconds = 30;
constexpr DWORD kSecondStartWait = 2000;
constexpr size_t kFolderBytes = 256;

struct AolProgram {
    std::string path;
    int version = 5;
};

std::optional<AolProgram> findAolProgram() {
    char folder[kFolderBytes] = {};
    DWORD size = sizeof folder;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kAolKey, "AppPath", RRF_RT_REG_SZ, nullptr, folder,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return AolProgram{std::string(folder) + "\\aol.exe", aolVersionFromFolder(folder)};
}

std::optional<DWORD> preference(const char* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, kPreferenceKey, name, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

// Unless the user said not to ask (AOLDlg 0) and not to use AOL (AOLUse 0).
bool aolWanted() {
    const auto asks = preference("AOLDlg"), uses = preference("AOLUse");
    return !asks || !uses || *asks != 0 || *uses != 0;
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool canOpen(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// By its full path and quoted, so that no "C:\Program.exe" runs instead.
bool startHidden(const std::string& program) {
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool isLeadByte(uint8_t byte) { return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE; }

class AolSession {
public:
    static AolSession& instance() {
        static AolSession session;
        return session;
    }
    int run(HWND owner, const char* attachmentPath) {
        const auto program = findAolProgram();
        if (!program || !exists(program->path)) return 0;
        const std::string path = attachmentPath ? attachmentPath : "";
        if (path.size() > kLongestMapiPath) return 0;
        if (!canOpen(program->path)) return -2;
        if (!aolWanted()) return 0;
        if (startedBefore_) Sleep(kSecondStartWait);
        if (!startHidden(program->path)) return -2;
        startedBefore_ = true;
        owner_ = owner;
        windows_ = std::make_unique<Win32AolWindows>(owner, kAolTimer);
        automation_ = std::make_unique<AolAutomation>(
            *windows_, program->version, AolTexts{path, recipient_, subject_}, isLeadByte);
        SetTimer(owner, kAolTimer, kTickMilliseconds, nullptr);
        return 1;
    }
    void tick(unsigned int timer) {
        if (timer == kAolTimer && owner_ && automation_) automation_->tick();
    }
    void forgetEdits() {
        if (automation_) automation_->forgetEdits();
    }
    void setRecipient(const char* text) {
        if (!text) return;
        recipient_ = text;
        if (automation_) automation_->setRecipient(recipient_);
    }
    void setSubject(const char* text) {
        if (!text) return;
        subject_ = text;
        if (automation_) automation_->setSubject(subject_);
    }

private:
    AolSession() = default;
    bool startedBefore_ = false;
    HWND owner_ = nullptr;
    std::string recipient_, subject_;
    std::unique_ptr<Win32AolWindows> windows_;
    std::unique_ptr<AolAutomation> automation_;
};

}  // namespace

int checkAol() {
    const auto program = findAolProgram();
    return program && exists(program->path) ? 1 : 0;
}

int runAolExe(HWND owner, const char* attachmentPath) {
    return AolSession::instance().run(owner, attachmentPath);
}

void onInitAol() { AolSession::instance().forgetEdits(); }
void setAolRecipient(const char* address) { AolSession::instance().setRecipient(address); }
void setAolSubject(const char* subject) { AolSession::instance().setSubject(subject); }
void timeCheckAol(unsigned int timer) { AolSession::instance().tick(timer); }

}  // namespace kz8::mail
