// Email.dll's MAPI delivery under Wine against the recording MAPI32.DLL
// stand-in (never Wine's own, which would reach the machine's mail
// program): the registry states, what each sender hands to MAPI, the
// results, and the pictures' JPEG copies through HYDLL.dll.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/testing/portable/test_files.h"
#include "common/testing/win32/message_box_answerer.h"
#include "common/testing/win32/wine_run.h"
#include "common/win32/module_function.h"
#include "mail/include/email.h"
#include "mail/tests/win32/msvc_names.h"
#include "mail/win32/hydll.h"

namespace {

using kz8::moduleFunction;

const char kMessagingKey[] = "Software\\Microsoft\\Windows Messaging Subsystem";
const char kMsMapiAppsKey[] = "Software\\Microsoft\\Windows Messaging Subsystem\\MSMapiApps";
const char kMailKey[] = "Software\\Clients\\Mail";
const char kOutlookExpressKey[] = "Software\\Microsoft\\Outlook Express";

struct Mapi {
    decltype(&CheckMAPIInstalled) check = nullptr;
    int(__cdecl* sendFile)(char*) = nullptr;
    int(__cdecl* sendMessage)(HWND, char*, char*, char*, char*) = nullptr;
    decltype(&DoMapiSendManyFiles) sendMany = nullptr;

    bool load() {
        HMODULE email = LoadLibraryA("Email.dll");
        if (!email) return false;
        check = moduleFunction<decltype(check)>(email, "?CheckMAPIInstalled@@YAHXZ");
        sendFile = moduleFunction<decltype(sendFile)>(
            email, MSVC_NAME("?DoMapiSend@@YAHPEAD@Z", "?DoMapiSend@@YAHPAD@Z"));
        sendMessage = moduleFunction<decltype(sendMessage)>(
            email, MSVC_NAME("?DoMapiSend@@YAHPEAUHWND__@@PEAD111@Z",
                             "?DoMapiSend@@YAHPAUHWND__@@PAD111@Z"));
        sendMany = moduleFunction<decltype(sendMany)>(
            email,
            MSVC_NAME("?DoMapiSendManyFiles@@YAHQEAPEADH@Z", "?DoMapiSendManyFiles@@YAHQAPADH@Z"));
        return check && sendFile && sendMessage && sendMany;
    }
};

// The registry values the check reads, put back as they were afterwards.
class MapiRegistryState {
public:
    MapiRegistryState() { saved_ = read(); }
    ~MapiRegistryState() { write(saved_); }

    struct Values {
        std::optional<std::string> mapi;
        bool msMapiApps = false;
        std::optional<std::string> defaultProgram;
        std::optional<DWORD> sMapi;
    };
    static void write(const Values& values) {
        setText(kMessagingKey, "MAPI", values.mapi);
        if (values.msMapiApps)
            RegCloseKey(createKey(kMsMapiAppsKey));
        else
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMsMapiAppsKey);
        setText(kMailKey, nullptr, values.defaultProgram);
        HKEY key = createKey(kOutlookExpressKey);
        if (values.sMapi)
            RegSetValueExA(key, "SMapi", 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&*values.sMapi), sizeof(DWORD));
        else
            RegDeleteValueA(key, "SMapi");
        RegCloseKey(key);
    }

private:
    static HKEY createKey(const char* path) {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr);
        return key;
    }
    static void setText(const char* path, const char* name,
                        const std::optional<std::string>& text) {
        HKEY key = createKey(path);
        if (text)
            RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text->c_str()),
                           DWORD(text->size() + 1));
        else
            RegDeleteValueA(key, name);
        RegCloseKey(key);
    }
    static Values read() {
        Values values;
        char text[260] = {};
        DWORD size = sizeof text;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, kMessagingKey, "MAPI", RRF_RT_REG_SZ, nullptr, text,
                         &size) == ERROR_SUCCESS)
            values.mapi = text;
        HKEY key = nullptr;
        values.msMapiApps =
            RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMsMapiAppsKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (key) RegCloseKey(key);
        size = sizeof text;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, kMailKey, nullptr, RRF_RT_REG_SZ, nullptr, text,
                         &size) == ERROR_SUCCESS)
            values.defaultProgram = text;
        DWORD number = 0;
        size = sizeof number;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, kOutlookExpressKey, "SMapi", RRF_RT_REG_DWORD, nullptr,
                         &number, &size) == ERROR_SUCCESS)
            values.sMapi = number;
        return values;
    }
    Values saved_;
};

std::string temporaryFolder() {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + "kz8-mapi-test\\";
}

std::string readText(const std::string& path) {
    const auto bytes = kz8::testkit::readFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

// A 24-bit bottom-up BMP with a gradient, and its pixel at (x, y).
uint8_t gradient(int x, int y, int channel) {
    return uint8_t((x * 4 + y * 2 + channel * 60) % 256);
}

void writeBmp(const std::string& path, int width, int height) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB};
    BITMAPFILEHEADER file{0x4D42, DWORD(sizeof file + sizeof info + stride * height), 0, 0,
                          DWORD(sizeof file + sizeof info)};
    std::vector<uint8_t> rows(size_t(stride) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                rows[size_t(height - 1 - y) * stride + x * 3 + c] = gradient(x, y, c);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(rows.data()), std::streamsize(rows.size()));
}

// How far a JPEG's pixels are from the gradient, on average.
double distanceFromGradient(const std::string& jpeg, int width, int height) {
    HGLOBAL picture = HyOpenFile(jpeg.c_str(), 0, 0);
    if (!picture) return 1e9;
    const auto* info = static_cast<const BITMAPINFOHEADER*>(GlobalLock(picture));
    double total = 0;
    if (info->biWidth == width && std::abs(info->biHeight) == height && info->biBitCount == 24) {
        const auto* rows = reinterpret_cast<const uint8_t*>(info) + info->biSize;
        const int stride = (width * 3 + 3) & ~3;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < 3; ++c) {
                    const int row = info->biHeight > 0 ? height - 1 - y : y;
                    total +=
                        std::abs(int(rows[size_t(row) * stride + x * 3 + c]) - gradient(x, y, c));
                }
    } else {
        total = 1e9;
    }
    GlobalUnlock(picture);
    GlobalFree(picture);
    return total / (width * height * 3.0);
}

class MapiDelivery : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(mapi().load()); }
    static void withHydll() { ASSERT_TRUE(LoadLibraryA(KZ8_HYDLL)); }
    static Mapi& mapi() {
        static Mapi loaded;
        return loaded;
    }
    void SetUp() override {
        CreateDirectoryA(temporaryFolder().c_str(), nullptr);
        log_ = temporaryFolder() + "mapi.log";
        DeleteFileA(log_.c_str());
        SetEnvironmentVariableA("KZ8_MAPI_LOG", log_.c_str());
        SetEnvironmentVariableA("KZ8_MAPI_RESULTS", nullptr);
        MapiRegistryState::write({std::string("1"), true, std::nullopt, std::nullopt});
        useVariant("full");
    }
    void TearDown() override { SetDllDirectoryA(nullptr); }
    static void useVariant(const char* name) {
        SetDllDirectoryA((std::string(KZ8_MAPI32_FOLDER) + "\\" + name).c_str());
    }
    std::vector<std::string> calls() const {
        std::vector<std::string> lines;
        std::ifstream in(log_);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    MapiRegistryState registry_;
    std::string log_;
};

TEST_F(MapiDelivery, NoLibraryGivesMinusTwo) {
    SetDllDirectoryA(nullptr);
    char path[] = "C:\\cards\\card.exe";
    EXPECT_EQ(mapi().sendFile(path), -2);
    EXPECT_TRUE(calls().empty());
}

// Run alone in a process of its own (a missing HYDLL.dll stays missing for
// the process): the library loads without it, and a picture that cannot be
// opened goes as it is.
TEST_F(MapiDelivery, WithoutHydllAPictureGoesAsItIs) {
    if (kz8::testkit::environmentText("KZ8_WITHOUT_HYDLL") != "1")
        GTEST_SKIP() << "run by mail_mapi_without_hydll_test";
    ASSERT_EQ(GetModuleHandleA("HYDLL.dll"), nullptr);
    std::string bmp = temporaryFolder() + "early.bmp";
    writeBmp(bmp, 8, 8);
    EXPECT_EQ(mapi().sendFile(bmp.data()), 1);
    ASSERT_EQ(calls().size(), 3u);
    EXPECT_NE(calls()[1].find("early.bmp\""), std::string::npos) << calls()[1];
}

TEST_F(MapiDelivery, TheRegistryStatesThatAllowSimpleMapi) {
    struct Case {
        const char* label;
        MapiRegistryState::Values values;
        int installed;
    };
    const std::vector<Case> cases = {
        {"MAPI 1 and MSMapiApps", {std::string("1"), true, std::nullopt, std::nullopt}, 1},
        {"MAPI 0", {std::string("0"), true, std::nullopt, std::nullopt}, 0},
        {"no MAPI value, MSMapiApps", {std::nullopt, true, std::nullopt, std::nullopt}, 1},
        {"empty default program", {std::string("1"), false, std::string(""), std::nullopt}, 0},
        {"another program", {std::string("1"), false, std::string("Mailer"), std::nullopt}, 1},
        {"Outlook Express, SMapi 1",
         {std::string("1"), false, std::string("Outlook Express"), DWORD(1)},
         1},
        {"Outlook Express, SMapi 0",
         {std::string("1"), false, std::string("Outlook Express"), DWORD(0)},
         0},
    };
    for (const Case& c : cases) {
        MapiRegistryState::write(c.values);
        EXPECT_EQ(mapi().check(), c.installed) << c.label;
    }
}

TEST_F(MapiDelivery, AMessageGoesToTheComposeWindowExactly) {
    HWND window = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    char to[] = "Ann Smith", text[] = "Hello", subject[] = "A card", path[] = "C:\\cards\\card.exe";
    EXPECT_EQ(mapi().sendMessage(window, to, text, subject, path), 1);
    const auto lines = calls();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[0].find("\"call\":\"MAPILogon\",\"ulUIParam\":0,\"profile\":null,"
                            "\"password\":null,\"flags\":3"),
              std::string::npos)
        << lines[0];
    const std::string expected =
        "\"call\":\"MAPISendMail\",\"ulUIParam\":" + std::to_string(uintptr_t(window)) +
        ",\"session\":4938296,\"flags\":8,\"reserved\":0,\"subject\":\"A card\","
        "\"note\":\"Hello\",\"messageType\":null,\"dateReceived\":null,"
        "\"conversationID\":null,\"messageFlags\":0,\"originator\":null,"
        "\"recips\":[{\"class\":1,\"name\":\"Ann Smith\",\"address\":null,\"entryIdSize\":0}],"
        "\"files\":[{\"flags\":0,\"position\":4294967295,\"path\":\"C:\\\\cards\\\\card.exe\","
        "\"name\":null,\"fileType\":null}]";
    EXPECT_NE(lines[1].find(expected), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("\"call\":\"MAPILogoff\",\"ulUIParam\":0,\"session\":4938296"),
              std::string::npos)
        << lines[2];
    DestroyWindow(window);
}

TEST_F(MapiDelivery, TheSendsOwnResultCounts) {
    struct Case {
        const char* variant;
        const char* results;
        int expected;
    };
    const std::vector<Case> cases = {
        {"full", "MAPISendMail=2", 0},  // the send failed
        {"full", "MAPISendMail=1", 1},  // the user closed the compose window
        {"full", "MAPILogoff=3", 0},    // the logoff failed
        {"full", "MAPILogon=1", 0},     // no session
        {"no_sendmail", "", -3},       {"no_logoff", "", -4},
    };
    char to[] = "you@example.com", text[] = "t", subject[] = "s", path[] = "C:\\card.exe";
    for (const Case& c : cases) {
        useVariant(c.variant);
        SetEnvironmentVariableA("KZ8_MAPI_RESULTS", c.results);
        EXPECT_EQ(mapi().sendMessage(nullptr, to, text, subject, path), c.expected)
            << c.variant << " " << c.results;
    }
    EXPECT_EQ(mapi().sendMessage(nullptr, to, text, subject, nullptr), 0);
}

TEST_F(MapiDelivery, PicturesGoAsNewJpegCopiesAndTextsAsTheyAre) {
    withHydll();
    const std::string folder = temporaryFolder();
    const std::string photo = folder + "photo.bmp", existing = folder + "photo.jpg",
                      copy = folder + "photo_1.jpg", note = folder + "note.txt";
    DeleteFileA(copy.c_str());
    writeBmp(photo, 40, 30);
    std::ofstream(existing, std::ios::binary) << "the user's own picture";
    std::ofstream(note) << "a note";
    char* paths[] = {const_cast<char*>(photo.c_str()), const_cast<char*>(note.c_str())};
    EXPECT_EQ(mapi().sendMany(paths, 2), 1);
    EXPECT_EQ(readText(existing), "the user's own picture");
    EXPECT_LT(distanceFromGradient(copy, 40, 30), 6.0);
    const auto lines = calls();
    ASSERT_EQ(lines.size(), 3u);
    std::string documents = copy + ";" + note;
    std::string escaped;
    for (char c : documents) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    EXPECT_NE(lines[1].find("\"delimiter\":\";\",\"documents\":\"" + escaped + "\""),
              std::string::npos)
        << lines[1];

    // A ";" in a path: the list is split at "|" instead.
    const std::string odd = folder + "a;b.txt";
    std::ofstream(odd) << "x";
    char* oddPaths[] = {const_cast<char*>(odd.c_str())};
    DeleteFileA(log_.c_str());
    EXPECT_EQ(mapi().sendMany(oddPaths, 1), 1);
    EXPECT_NE(calls().at(1).find("\"delimiter\":\"|\""), std::string::npos) << calls().at(1);

    // The single-file sender names its copy "_tmp" and keeps the original.
    DeleteFileA(log_.c_str());
    const std::string tmp = folder + "photo_tmp.jpg";
    DeleteFileA(tmp.c_str());
    EXPECT_EQ(mapi().sendFile(const_cast<char*>(photo.c_str())), 1);
    EXPECT_LT(distanceFromGradient(tmp, 40, 30), 6.0);
    EXPECT_NE(calls().at(1).find("photo_tmp.jpg\""), std::string::npos) << calls().at(1);
}

TEST_F(MapiDelivery, APictureThatWillNotOpenSaysSoAndSendsNothing) {
    withHydll();
    // Res_KZ8.dll's texts: found loaded by its name, since a DLL folder
    // takes the current folder out of the search.
    HMODULE texts = LoadLibraryA(KZ8_RESOURCES_FOLDER "\\Res_KZ8.dll");
    ASSERT_NE(texts, nullptr);
    const std::string broken = temporaryFolder() + "broken.bmp";
    std::ofstream(broken) << "BM not a picture";
    char* paths[] = {const_cast<char*>(broken.c_str())};
    char empty[] = "";
    char* emptyPath[] = {empty};
    EXPECT_EQ(mapi().sendMany(emptyPath, 1), -1);
    int result = 1;
    {
        kz8::testkit::MessageBoxAnswerer answerer;
        result = mapi().sendMany(paths, 1);
        EXPECT_EQ(answerer.texts, std::vector<std::string>{"Open file failed."});
    }
    EXPECT_EQ(result, 0);
    for (const std::string& line : calls())
        EXPECT_EQ(line.find("MAPISendDocuments"), std::string::npos) << line;
    FreeLibrary(texts);
}

}  // namespace
