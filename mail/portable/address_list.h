// The address book: name and e-mail pairs, newest first, kept in a file of
// the book's format. Entries are known to callers by an id that stays the
// same while the entry lives, never by their address, so a window holding
// one can find out that it is gone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mail/portable/address_file.h"

namespace kz8::mail {

struct AddressEntry {
    uint32_t id = 0;
    std::string name;
    std::string emailAddress;
};

// Save's and Load's results besides a count.
constexpr int kBookEmptyOrUnbound = -1;  // Save: nothing to write, or no file
constexpr int kBookNotWritten = -2;      // Save: the old file is kept
constexpr int kBookUnbound = 0;          // Load: no file
constexpr int kBookNoRecord = -1;        // Load: no whole record to read

class AddressList {
public:
    AddressList() = default;
    explicit AddressList(AddressFile* file) : file_(file) {}
    void bind(AddressFile* file);

    const std::vector<AddressEntry>& entries() const { return entries_; }
    const AddressEntry* find(uint32_t id) const;

    // In front of the others; its id.
    uint32_t Insert(const std::string& name, const std::string& emailAddress);
    bool update(uint32_t id, const std::string& name, const std::string& emailAddress);
    bool remove(uint32_t id);
    void Clear() { entries_.clear(); }

    // Records written; kBookEmptyOrUnbound after emptying the file for an
    // empty list; kBookNotWritten when any write fails or the file is not
    // a book, the file then untouched.
    int Save();
    // Records read (at least 1); kBookUnbound; kBookNoRecord. The list
    // changes only when the file is a book and its first record is whole.
    int Load();
    // Whether the file begins as a book does; false without one.
    bool CheckHeader();
    // Whether the file was found to be something else: it is never written.
    bool fileIsForeign() const { return foreign_; }

private:
    // False, and the file marked foreign, when it holds something that is
    // not a book.
    bool fileMayBeReplaced();
    bool writeBook(AddressFileWriter& writer) const;

    AddressFile* file_ = nullptr;
    std::vector<AddressEntry> entries_;
    uint32_t nextId_ = 1;
    bool foreign_ = false;
};

// Contains "@", and its first "@" is neither the first nor the last character.
bool IsValidEmail(const std::string& emailAddress);

// The recipients of a To or Cc text as list items: from the last to the
// first, split at ";" and ",", untrimmed; empty parts are no recipients.
std::vector<std::string> SplitIntoList(const std::string& text);
// The items in order, separated by ";".
std::string JoinList(const std::vector<std::string>& items);

// The e-mail of the first entry of that name, in any case, in the book the
// file holds now.
std::optional<std::string> lookUpAddress(AddressFile& file, const std::string& name);

}  // namespace kz8::mail
