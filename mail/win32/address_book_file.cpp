#include "mail/win32/address_book_file.h"

#include <windows.h>

#include <shlobj.h>

#include "common/win32/handles.h"
#include "mail/portable/address_record.h"

namespace kz8::mail {

namespace {

constexpr const char* kBookFolder = "\\Tavrel\\KZ8\\";

class FileReader : public AddressFileReader {
public:
    explicit FileReader(KernelHandle file) : file_(std::move(file)) {}
    size_t read(uint8_t* into, size_t bytes) override {
        size_t total = 0;
        while (total < bytes) {
            DWORD got = 0;
            if (!ReadFile(file_.get(), into + total, DWORD(bytes - total), &got, nullptr) || !got)
                break;
            total += got;
        }
        return total;
    }

private:
    KernelHandle file_;
};

// Writes the new book beside the old one and puts it in its place only at
// commit: a crash or a full disk leaves the old book whole.
class FileReplacer : public AddressFileWriter {
public:
    FileReplacer(std::string path, std::string aside, KernelHandle file)
        : path_(std::move(path)), aside_(std::move(aside)), file_(std::move(file)) {}
    ~FileReplacer() override {
        file_.reset();
        if (!committed_) DeleteFileA(aside_.c_str());
    }
    bool write(const uint8_t* bytes, size_t size) override {
        DWORD written = 0;
        return WriteFile(file_.get(), bytes, DWORD(size), &written, nullptr) && written == size;
    }
    bool commit() override {
        if (!FlushFileBuffers(file_.get())) return false;
        file_.reset();
        committed_ = MoveFileExA(aside_.c_str(), path_.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        return committed_;
    }

private:
    std::string path_, aside_;
    KernelHandle file_;
    bool committed_ = false;
};

// Every folder on the way to the file.
void makeFoldersFor(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
}

}  // namespace

std::string defaultAddressBookPath() {
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return {};
    return std::string(folder) + kBookFolder + kBookFileName;
}

const std::string& Win32AddressFile::path() {
    if (path_.empty()) path_ = defaultAddressBookPath();
    return path_;
}

std::unique_ptr<AddressFileReader> Win32AddressFile::openForReading() {
    if (path().empty()) return nullptr;
    // Shared both ways: a lookup reads while the book is open, and a save
    // may replace the file while a lookup holds it.
    KernelHandle file(CreateFileA(path_.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    return std::make_unique<FileReader>(std::move(file));
}

std::unique_ptr<AddressFileWriter> Win32AddressFile::startReplacing() {
    if (path().empty()) return nullptr;
    makeFoldersFor(path_);
    const std::string aside = path_ + ".tmp";
    KernelHandle file(CreateFileA(aside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    return std::make_unique<FileReplacer>(path_, aside, std::move(file));
}

AddressList& processAddressBook() {
    static Win32AddressFile file;
    static AddressList book(&file);
    return book;
}

std::optional<std::string> lookUpAddressByName(const std::string& name) {
    Win32AddressFile file;
    return lookUpAddress(file, name);
}

}  // namespace kz8::mail
