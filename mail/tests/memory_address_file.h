// An address book file in memory, for tests and fuzzing: no file at all,
// or its bytes; a chosen write of a replacement can be made to fail.
#pragma once

#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "mail/portable/address_file.h"

namespace kz8::mail::testkit {

class MemoryAddressFile : public AddressFile {
public:
    MemoryAddressFile() = default;
    explicit MemoryAddressFile(std::vector<uint8_t> contents) : bytes(std::move(contents)) {}

    std::optional<std::vector<uint8_t>> bytes;  // none: no file
    int failingWrite = -1;                      // counted from 0 in each replacement

    std::unique_ptr<AddressFileReader> openForReading() override {
        if (!bytes) return nullptr;
        return std::make_unique<Reader>(*bytes);
    }
    std::unique_ptr<AddressFileWriter> startReplacing() override {
        return std::make_unique<Writer>(*this);
    }

private:
    struct Reader : AddressFileReader {
        explicit Reader(const std::vector<uint8_t>& from) : data(from) {}
        size_t read(uint8_t* into, size_t count) override {
            const size_t n = std::min(count, data.size() - at);
            if (n) std::memcpy(into, data.data() + at, n);
            at += n;
            return n;
        }
        const std::vector<uint8_t>& data;
        size_t at = 0;
    };
    struct Writer : AddressFileWriter {
        explicit Writer(MemoryAddressFile& to) : file(to) {}
        bool write(const uint8_t* data, size_t size) override {
            if (writes++ == file.failingWrite) return false;
            pending.insert(pending.end(), data, data + size);
            return true;
        }
        bool commit() override {
            file.bytes = pending;
            return true;
        }
        MemoryAddressFile& file;
        std::vector<uint8_t> pending;
        int writes = 0;
    };
};

}  // namespace kz8::mail::testkit
