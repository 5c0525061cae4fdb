#include "mail/portable/address_list.h"

#include <algorithm>
#include <cctype>

#include "mail/portable/address_record.h"

namespace kz8::mail {

namespace {

bool sameTextAnyCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

struct OpenedFile {
    std::unique_ptr<AddressFileReader> reader;
    BookHeader header{};
    size_t headerBytes = 0;  // fewer than a header at the end of a short file
    bool empty() const { return headerBytes == 0; }
    bool wholeHeader() const { return headerBytes == header.size(); }
    bool beginsAsBook() const { return isBookHeader(header.data(), headerBytes); }
};

// The file with its first bytes read; nothing when there is no file.
std::optional<OpenedFile> openFile(AddressFile& file) {
    OpenedFile opened;
    opened.reader = file.openForReading();
    if (!opened.reader) return std::nullopt;
    opened.headerBytes = opened.reader->read(opened.header.data(), opened.header.size());
    return opened;
}

// The records of a book after its header: whole ones only, up to the first
// whose "next" says it is the last.
std::vector<DecodedRecord> readRecords(AddressFileReader& reader) {
    std::vector<DecodedRecord> records;
    AddressRecord record{};
    while (reader.read(record.data(), record.size()) == record.size()) {
        records.push_back(decodeAddressRecord(record));
        if (!records.back().anotherFollows) break;
    }
    return records;
}

}  // namespace

void AddressList::bind(AddressFile* file) {
    file_ = file;
    foreign_ = false;
}

const AddressEntry* AddressList::find(uint32_t id) const {
    for (const AddressEntry& entry : entries_)
        if (entry.id == id) return &entry;
    return nullptr;
}

uint32_t AddressList::Insert(const std::string& name, const std::string& emailAddress) {
    const uint32_t id = nextId_++;
    entries_.insert(entries_.begin(), AddressEntry{id, name, emailAddress});
    return id;
}

bool AddressList::update(uint32_t id, const std::string& name, const std::string& emailAddress) {
    for (AddressEntry& entry : entries_) {
        if (entry.id != id) continue;
        entry.name = name;
        entry.emailAddress = emailAddress;
        return true;
    }
    return false;
}

bool AddressList::remove(uint32_t id) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const AddressEntry& entry) { return entry.id == id; });
    if (found == entries_.end()) return false;
    entries_.erase(found);
    return true;
}

bool AddressList::fileMayBeReplaced() {
    const std::optional<OpenedFile> opened = openFile(*file_);
    foreign_ = opened && !opened->empty() && !opened->beginsAsBook();
    return !foreign_;
}

bool AddressList::writeBook(AddressFileWriter& writer) const {
    // An empty list leaves an empty file, which the next save gives a header.
    if (entries_.empty()) return true;
    const BookHeader header = encodeBookHeader();
    if (!writer.write(header.data(), header.size())) return false;
    for (size_t i = 0; i < entries_.size(); ++i) {
        const AddressRecord record = encodeAddressRecord(entries_[i].name, entries_[i].emailAddress,
                                                         i + 1 < entries_.size());
        if (!writer.write(record.data(), record.size())) return false;
    }
    return true;
}

int AddressList::Save() {
    if (!file_) return kBookEmptyOrUnbound;
    if (foreign_ || !fileMayBeReplaced()) return kBookNotWritten;
    std::unique_ptr<AddressFileWriter> writer = file_->startReplacing();
    if (!writer || !writeBook(*writer) || !writer->commit()) return kBookNotWritten;
    return entries_.empty() ? kBookEmptyOrUnbound : int(entries_.size());
}

int AddressList::Load() {
    if (!file_) return kBookUnbound;
    std::optional<OpenedFile> opened = openFile(*file_);
    if (!opened) return kBookUnbound;
    if (opened->empty()) {  // an empty book, as saving an empty list leaves it
        entries_.clear();
        return kBookNoRecord;
    }
    if (!opened->beginsAsBook()) {
        foreign_ = true;
        return kBookNoRecord;
    }
    if (!opened->wholeHeader()) return kBookNoRecord;
    // Read aside: a book that turns out to have no whole record replaces
    // nothing, or the next save would write the emptiness over it.
    const std::vector<DecodedRecord> records = readRecords(*opened->reader);
    if (records.empty()) return kBookNoRecord;
    std::vector<AddressEntry> loaded;
    for (const DecodedRecord& record : records)
        loaded.push_back(AddressEntry{nextId_++, record.name, record.emailAddress});
    entries_ = std::move(loaded);
    return int(entries_.size());
}

bool AddressList::CheckHeader() {
    if (!file_) return false;
    const std::optional<OpenedFile> opened = openFile(*file_);
    return opened && opened->beginsAsBook();
}

bool IsValidEmail(const std::string& emailAddress) {
    const size_t at = emailAddress.find('@');
    return at != std::string::npos && at != 0 && at != emailAddress.size() - 1;
}

std::vector<std::string> SplitIntoList(const std::string& text) {
    std::vector<std::string> items;
    std::string rest = text;
    for (size_t i = rest.size(); i-- > 1;) {
        if (rest[i] != ';' && rest[i] != ',') continue;
        if (i + 1 < rest.size()) items.push_back(rest.substr(i + 1));
        rest.resize(i);
    }
    if (!rest.empty()) items.push_back(rest);
    return items;
}

std::string JoinList(const std::vector<std::string>& items) {
    std::string joined;
    for (size_t i = 0; i < items.size(); ++i) joined += (i ? ";" : "") + items[i];
    return joined;
}

std::optional<std::string> lookUpAddress(AddressFile& file, const std::string& name) {
    AddressList book(&file);
    book.Load();
    for (const AddressEntry& entry : book.entries())
        if (sameTextAnyCase(entry.name, name)) return entry.emailAddress;
    return std::nullopt;
}

}  // namespace kz8::mail
