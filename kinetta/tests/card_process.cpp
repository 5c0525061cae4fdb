#include "kinetta/tests/card_process.h"

#include <cstring>
#include <fstream>

#include "common/testing/portable/test_files.h"
#include "common/testing/win32/wine_run.h"
#include "player/portable/card_writer.h"

namespace kz8::testkit {

using namespace kz8::player;  // cards are written in the player's format
namespace {

std::vector<uint8_t> fixtureOrEmpty(const std::string& name) {
    if (name.empty()) return {};
    return readFile(fixturePath(name)).value_or(std::vector<uint8_t>{});
}

std::string suffixOf(const std::string& name) {
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

// This process's environment with TMP and TEMP pointing at `folder`.
std::vector<char> environmentWithTemp(const std::string& folder) {
    std::vector<char> block;
    auto add = [&block](const std::string& entry) {
        block.insert(block.end(), entry.begin(), entry.end());
        block.push_back('\0');
    };
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; *entry; entry += std::strlen(entry) + 1) {
        if (_strnicmp(entry, "TMP=", 4) == 0 || _strnicmp(entry, "TEMP=", 5) == 0) continue;
        add(entry);
    }
    FreeEnvironmentStringsA(strings);
    add("TMP=" + folder);
    add("TEMP=" + folder);
    block.push_back('\0');
    return block;
}

void emptyFolder(const std::string& folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    WIN32_FIND_DATAA found{};
    FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(search.get(), &found));
}

}  // namespace

std::string kinettaPath() { return KZ8_KINETTA_EXE; }
std::string onePicturePath() { return KZ8_ONE_PICTURE_EXE; }

size_t printJobCount() {
    const std::string jobs = environmentText("KZ8_PRINT_JOBS");
    if (jobs.empty()) return 0;
    size_t count = 0;
    WIN32_FIND_DATAA found{};
    FindHandle search(FindFirstFileA((windowsPathOf(jobs) + "\\job-*.ps").c_str(), &found));
    if (!search) return 0;
    do {
        ++count;
    } while (FindNextFileA(search.get(), &found));
    return count;
}

bool writeCardFile(const std::string& path, const CardMedia& media) {
    auto player = readFile(kinettaPath());
    const std::vector<uint8_t> front = fixtureOrEmpty(media.front);
    const std::vector<uint8_t> back = fixtureOrEmpty(media.back);
    const std::vector<uint8_t> video = fixtureOrEmpty(media.video);
    const std::vector<uint8_t> sound = fixtureOrEmpty(media.sound);
    if (!player || front.empty() || back.empty()) return false;
    CardParts parts;
    parts.playerSize = player->size();
    parts.frontSize = front.size();
    parts.backSize = back.size();
    parts.videoSize = video.size();
    parts.soundSize = sound.size();
    parts.audioKind = media.audioKind;
    parts.videoSuffix = suffixOf(media.video);
    parts.videoLeft = int16_t(media.videoRect.left);
    parts.videoTop = int16_t(media.videoRect.top);
    parts.videoWidth = int16_t(media.videoRect.right - media.videoRect.left);
    parts.videoHeight = int16_t(media.videoRect.bottom - media.videoRect.top);
    auto plan = planCard(parts);
    if (!plan) return false;
    const std::vector<uint8_t> bytes = buildCardBytes(*plan, *player, front, back, video, sound);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

CardProcess::CardProcess(const std::string& cardPath, const std::string& tempFolder,
                         const std::string& arguments)
    : tempFolder_(tempFolder) {
    emptyFolder(tempFolder_);
    std::vector<char> environment = environmentWithTemp(tempFolder_);
    std::string commandLine = "\"" + cardPath + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(cardPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        environment.data(), nullptr, &startup, &info))
        return;
    CloseHandle(info.hThread);
    process_ = KernelHandle(info.hProcess);
    processId_ = info.dwProcessId;
}

CardProcess::~CardProcess() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
}

namespace {

struct ClassSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK matchClass(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<ClassSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (owner != s->processId || std::strcmp(name, s->className) != 0) return TRUE;
    s->found = window;
    return FALSE;
}

struct OwnedSearch {
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK collectOwned(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<OwnedSearch*>(search);
    if (GetWindow(window, GW_OWNER) == s->owner) s->found.push_back(window);
    return TRUE;
}

}  // namespace

HWND CardProcess::findWindowOfClass(const char* className) const {
    ClassSearch search{processId_, className, nullptr};
    EnumWindows(matchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND CardProcess::waitForWindow(DWORD timeoutMs, const char* className) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        HWND w = findWindowOfClass(className);
        RECT client{};
        // Created at 0 x 0, then maximised.
        if (w && IsWindowVisible(w) && GetClientRect(w, &client) && client.right > 0)
            return window_ = w;
        if (WaitForSingleObject(process_.get(), 10) == WAIT_OBJECT_0) break;
    }
    return nullptr;
}

std::vector<HWND> CardProcess::ownedWindows() const {
    OwnedSearch search{window_, {}};
    EnumWindows(collectOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::optional<DWORD> CardProcess::waitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

std::vector<std::string> CardProcess::tempFiles() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    FindHandle search(FindFirstFileA((tempFolder_ + "\\*").c_str(), &found));
    if (!search) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search.get(), &found));
    return names;
}

}  // namespace kz8::testkit
