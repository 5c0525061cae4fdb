// Any bytes as the address book file: loaded, looked up, checked and saved
// back, as the book and a send do with what they find on disk.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "mail/portable/address_list.h"
#include "mail/tests/memory_address_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kz8::mail::testkit::MemoryAddressFile file(std::vector<uint8_t>(data, data + size));
    kz8::mail::lookUpAddress(file, "Ann");
    kz8::mail::AddressList book(&file);
    book.CheckHeader();
    if (book.Load() > 0) {
        book.Insert("Ann", "ann@example.com");
        book.Save();
        kz8::mail::AddressList again(&file);
        if (again.Load() != int(book.entries().size())) __builtin_trap();
    }
    return 0;
}
