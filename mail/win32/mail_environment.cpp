#include "mail/win32/mail_environment.h"

#include <windows.h>
// after windows.h, whose types it uses
#include <bcrypt.h>

#include <cstdio>
#include <vector>

#include "common/win32/handles.h"
#include "mail/portable/smtp_extensions.h"

namespace kz8::mail {

namespace {

std::string baseName(const std::string& path) {
    const size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string ansiToUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring utf16(size_t(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), utf16.data(), wide);
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(size_t(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

}  // namespace

MailDate localMailDate() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    TIME_ZONE_INFORMATION zone{};
    const DWORD kind = GetTimeZoneInformation(&zone);
    MailDate date;
    date.year = now.wYear;
    date.month = now.wMonth;
    date.day = now.wDay;
    date.weekday = now.wDayOfWeek;
    date.hour = now.wHour;
    date.minute = now.wMinute;
    date.second = now.wSecond;
    date.biasMinutes = int(zone.Bias);
    if (kind == TIME_ZONE_ID_DAYLIGHT) date.biasMinutes += int(zone.DaylightBias);
    if (kind == TIME_ZONE_ID_STANDARD) date.biasMinutes += int(zone.StandardBias);
    return date;
}

TextCodePage systemCodePage() {
    TextCodePage page;
    page.codePage = GetACP();
    page.isLeadByte = [](uint8_t byte) { return IsDBCSLeadByte(byte) != FALSE; };
    page.toUtf8 = ansiToUtf8;
    return page;
}

bool attachFile(MailAttachment& attachment, const std::string& path) {
    attachment = MailAttachment{};
    KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
    std::vector<uint8_t> bytes(size_t(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &got, nullptr) ||
         got != bytes.size()))
        return false;
    return attachment.encode(baseName(path), bytes.data(), bytes.size());
}

std::string newMessageId(const std::string& senderAddress, const std::string& heloName) {
    SYSTEMTIME now{};
    GetSystemTime(&now);
    char stamp[16] = {};
    std::snprintf(stamp, sizeof stamp, "%04u%02u%02u%02u%02u%02u", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond);
    uint8_t random[16] = {};
    BCryptGenRandom(nullptr, random, sizeof random, BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    return formatMessageId(stamp, random, senderAddress, heloName);
}

}  // namespace kz8::mail
