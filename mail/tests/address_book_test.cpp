// The address book's file and rules without windows: books as bytes, saved
// and loaded through a file in memory that can fail on any write, and held
// to a book written by an independent writer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/testing/portable/test_files.h"
#include "mail/portable/address_list.h"
#include "mail/portable/address_record.h"
#include "mail/tests/memory_address_file.h"

namespace kz8::mail {
namespace {

using testkit::MemoryAddressFile;
using Bytes = std::vector<uint8_t>;

struct Pair {
    std::string name, email;
};

Bytes header() {
    const BookHeader h = encodeBookHeader();
    return Bytes(h.begin(), h.end());
}

// A record as stored, with any "next" value.
Bytes record(const std::string& name, const std::string& email, uint32_t next) {
    AddressRecord r = encodeAddressRecord(name, email, false);
    r[524] = uint8_t(next);
    return Bytes(r.begin(), r.end());
}

Bytes slice(const Bytes& bytes, size_t from, size_t to) {
    return Bytes(bytes.begin() + long(from), bytes.begin() + long(to));
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<std::string> namesOf(const AddressList& list) {
    std::vector<std::string> names;
    for (const AddressEntry& entry : list.entries()) names.push_back(entry.name);
    return names;
}

struct LoadCase {
    const char* label;
    Bytes file;
    int result;
    std::vector<std::string> names;  // after loading into a list holding "Kept"
};

TEST(AddressBookFile, LoadsWhatTheFileHolds) {
    Bytes unterminated = record("", "", 0);
    std::fill(unterminated.begin(), unterminated.begin() + 520, uint8_t('x'));
    const Bytes two = record("Ann", "ann@example.com", 1) + record("Bob", "bob@example.com", 0);
    const std::vector<LoadCase> cases = {
        {"header only", header(), kBookNoRecord, {"Kept"}},
        {"one record saying more follow", header() + record("Ann", "a@example.com", 1), 1, {"Ann"}},
        {"a first record saying it is the last",
         header() + record("Ann", "a@example.com", 0) + record("Bob", "b@example.com", 0),
         1,
         {"Ann"}},
        {"two records", header() + two, 2, {"Ann", "Bob"}},
        {"a short last record is dropped",
         header() + record("Ann", "a", 1) + Bytes(100, 'y'),
         1,
         {"Ann"}},
        {"a text without NUL ends at its field",
         header() + unterminated,
         1,
         {std::string(259, 'x')}},
        {"a short first record changes nothing", header() + Bytes(531, 0), kBookNoRecord, {"Kept"}},
        {"a short header changes nothing", slice(header(), 0, 60), kBookNoRecord, {"Kept"}},
        {"the title in any case",
         Bytes{'t', 'A', 'V'} + slice(header(), 3, kBookHeaderBytes) + record("Ann", "a", 0),
         1,
         {"Ann"}},
        {"an empty file is an empty book", {}, kBookNoRecord, {}},
        {"a foreign file changes nothing", Bytes(700, 'z'), kBookNoRecord, {"Kept"}},
    };
    for (const LoadCase& c : cases) {
        MemoryAddressFile file(c.file);
        AddressList list(&file);
        list.Insert("Kept", "kept@example.com");
        EXPECT_EQ(list.Load(), c.result) << c.label;
        EXPECT_EQ(namesOf(list), c.names) << c.label;
        EXPECT_EQ(file.bytes, c.file) << c.label << ": loading never writes";
    }
    MemoryAddressFile none;
    AddressList unbound, noFile(&none);
    EXPECT_EQ(unbound.Load(), kBookUnbound);
    EXPECT_EQ(noFile.Load(), kBookUnbound);
    EXPECT_FALSE(unbound.CheckHeader());
}

TEST(AddressBookFile, SavesNewestFirstAndEmptiesTheFileForAnEmptyBook) {
    MemoryAddressFile file;
    AddressList list(&file);
    EXPECT_EQ(list.Save(), kBookEmptyOrUnbound);
    EXPECT_EQ(file.bytes, Bytes{}) << "an empty book is an empty file";
    list.Insert("Ann", "ann@example.com");
    const uint32_t bob = list.Insert("Bob", "bob@example.com");
    EXPECT_EQ(list.Save(), 2);
    EXPECT_TRUE(list.CheckHeader());
    EXPECT_EQ(file.bytes,
              header() + record("Bob", "bob@example.com", 1) + record("Ann", "ann@example.com", 0));

    ASSERT_TRUE(list.remove(bob));
    ASSERT_TRUE(list.remove(list.entries().front().id));
    EXPECT_EQ(list.Save(), kBookEmptyOrUnbound);
    EXPECT_EQ(file.bytes, Bytes{});
    list.Insert("Cy", "cy@example.com");
    EXPECT_EQ(list.Save(), 1);
    EXPECT_EQ(file.bytes, header() + record("Cy", "cy@example.com", 0))
        << "the header comes back after the book was emptied";

    AddressList reloaded(&file);
    EXPECT_EQ(reloaded.Load(), 1);
    EXPECT_EQ(reloaded.entries().front().emailAddress, "cy@example.com");
}

TEST(AddressBookFile, AFailedWriteLeavesTheOldBookByteForByte) {
    const Bytes old = header() + record("Old", "old@example.com", 0);
    for (int failing = 0; failing <= 3; ++failing) {
        MemoryAddressFile file(old);
        AddressList list(&file);
        for (const char* name : {"Ann", "Bob", "Cy"}) list.Insert(name, "x@example.com");
        file.failingWrite = failing;  // the header, then records 1 to 3
        EXPECT_EQ(list.Save(), kBookNotWritten) << "write " << failing;
        EXPECT_EQ(file.bytes, old) << "write " << failing;
    }
}

TEST(AddressBookFile, AForeignFileIsNeverWrittenOver) {
    const Bytes foreign(50, 'z');
    MemoryAddressFile file(foreign);
    AddressList list(&file);
    list.Insert("Ann", "ann@example.com");
    EXPECT_FALSE(list.CheckHeader());
    EXPECT_EQ(list.Save(), kBookNotWritten) << "before any load";
    list.Clear();
    EXPECT_EQ(list.Save(), kBookNotWritten) << "nor emptied";
    EXPECT_EQ(file.bytes, foreign);
    EXPECT_TRUE(list.fileIsForeign());
}

TEST(AddressBookFile, TheIndependentWritersBookLoadsAndIsWhatWeSave) {
    const auto written = kz8::testkit::readFile(KZ8_WRITER_BOOK);
    ASSERT_TRUE(written);
    MemoryAddressFile file(*written);
    AddressList list(&file);
    ASSERT_EQ(list.Load(), 3);
    EXPECT_EQ(namesOf(list), (std::vector<std::string>{"Ann Smith", "bob", std::string(259, 'L')}));
    EXPECT_EQ(list.entries()[1].emailAddress, "bob@example.com");
    MemoryAddressFile ours;
    AddressList copy(&ours);
    for (auto it = list.entries().rbegin(); it != list.entries().rend(); ++it)
        copy.Insert(it->name, it->emailAddress);
    ASSERT_EQ(copy.Save(), 3);
    EXPECT_EQ(ours.bytes, *written);
}

TEST(AddressBookRules, EmailsListsAndLookups) {
    const std::vector<std::pair<std::string, bool>> emails = {
        {"ann@example.com", true},
        {"a@b", true},
        {"@example.com", false},
        {"ann@", false},
        {"ann", false},
        {"", false},
        {"a@@b", true},
        {"@", false},
        {"a@b@", true},
    };
    for (const auto& [email, valid] : emails) EXPECT_EQ(IsValidEmail(email), valid) << email;

    using Items = std::vector<std::string>;
    const std::vector<std::pair<std::string, Items>> splits = {
        {"a;b,c", {"c", "b", "a"}}, {"ann@example.com", {"ann@example.com"}},
        {" a; b", {" b", " a"}},    {";a", {";a"}},  // the first character is never a separator
        {"a;;b,", {"b", "a"}},      {"", {}},
    };
    for (const auto& [text, items] : splits) EXPECT_EQ(SplitIntoList(text), items) << text;
    EXPECT_EQ(JoinList({"c", "b", "a"}), "c;b;a");
    EXPECT_EQ(JoinList({}), "");

    MemoryAddressFile file;
    AddressList list(&file);
    list.Insert("Ann", "second@example.com");
    list.Insert("ANN", "first@example.com");
    list.Save();
    EXPECT_EQ(lookUpAddress(file, "ann"), "first@example.com");
    EXPECT_EQ(lookUpAddress(file, "Bob"), std::nullopt);
}

}  // namespace
}  // namespace kz8::mail
