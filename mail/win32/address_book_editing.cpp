#include "mail/win32/address_book_editing.h"

#include "mail/portable/address_record.h"

namespace kz8::mail {

namespace {

constexpr UINT kInvalidEmailText = 56;

std::string field(const std::string& text) { return text.substr(0, kAddressTextBytes - 1); }

void checkEmail(HWND owner, ResourceModule& texts, const std::string& emailAddress) {
    if (IsValidEmail(emailAddress)) return;
    char text[256] = {};
    texts.loadString(kInvalidEmailText, text, int(sizeof text));
    MessageBoxA(owner, text, nullptr, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

void addEntry(HWND owner, AddressList& book, ResourceModule& texts, const std::string& name,
              const std::string& emailAddress) {
    if (name.empty() || emailAddress.empty()) return;
    checkEmail(owner, texts, emailAddress);
    book.Insert(field(name), field(emailAddress));
    book.Save();
}

void editEntry(HWND owner, AddressList& book, ResourceModule& texts, uint32_t id,
               const std::string& name, const std::string& emailAddress) {
    if (!book.find(id)) return;
    if (emailAddress.empty()) {
        book.remove(id);
    } else {
        book.update(id, field(name), field(emailAddress));
        checkEmail(owner, texts, emailAddress);
    }
    book.Save();
}

}  // namespace kz8::mail
