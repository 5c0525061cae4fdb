// Where an address book is kept, as the list sees it: read from the start,
// or replaced as a whole. A replacement is written aside and takes the
// file's place only when every byte of it was written, so that a failure
// at any point leaves the old book as it was. Each Save and Load opens the
// file anew, so that another list (a lookup at send time) can read it while
// a book is open.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace kz8::mail {

class AddressFileReader {
public:
    virtual ~AddressFileReader() = default;
    // Bytes read, fewer at the end of the file.
    virtual size_t read(uint8_t* into, size_t bytes) = 0;
};

class AddressFileWriter {
public:
    virtual ~AddressFileWriter() = default;  // without commit: nothing changes
    virtual bool write(const uint8_t* bytes, size_t size) = 0;
    // The written bytes become the file.
    virtual bool commit() = 0;
};

class AddressFile {
public:
    virtual ~AddressFile() = default;
    // Nothing when there is no file yet (or it cannot be opened).
    virtual std::unique_ptr<AddressFileReader> openForReading() = 0;
    // Nothing when no replacement can be started.
    virtual std::unique_ptr<AddressFileWriter> startReplacing() = 0;
};

}  // namespace kz8::mail
