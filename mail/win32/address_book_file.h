// The address book's file on this machine: "Address.mab" in the user's
// application-data folder, under the maker's and the product's names. Its
// place is worked out when it is first needed, never while the library is
// loading, and its folders are made by the first save.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "mail/portable/address_file.h"
#include "mail/portable/address_list.h"

namespace kz8::mail {

class Win32AddressFile : public AddressFile {
public:
    // The book's usual place unless a path is given.
    explicit Win32AddressFile(std::string path = {}) : path_(std::move(path)) {}

    std::unique_ptr<AddressFileReader> openForReading() override;
    std::unique_ptr<AddressFileWriter> startReplacing() override;
    // Empty when the application-data folder is unknown.
    const std::string& path();

private:
    std::string path_;
};

// "%APPDATA%\Tavrel\KZ8\Address.mab", or empty.
std::string defaultAddressBookPath();

// The one book of the process, which both presentations show and edit;
// bound to its file at the first call.
AddressList& processAddressBook();

// A name typed without "@" as the book on disk has it now.
std::optional<std::string> lookUpAddressByName(const std::string& name);

}  // namespace kz8::mail
