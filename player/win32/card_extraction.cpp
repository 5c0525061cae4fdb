#include "player/win32/card_extraction.h"

#include <mmsystem.h>

#include <cstring>
#include <ctime>

#include "common/win32/handles.h"
#include "player/portable/media_names.h"
#include "player/portable/msvc_random.h"
#include "player/win32/jpeg_loader.h"
#include "player/win32/player_strings.h"
#include "player/win32/win32_package_file.h"

namespace kz8::player {
namespace {

constexpr size_t kMessageTextSize = 256;
// Each part draws its number from its own seeding: time, time + 1, time + 2.
constexpr uint32_t kVideoSeedOffset = 0, kSoundSeedOffset = 1, kPictureSeedOffset = 2;
const char kPictureExtension[] = ".jpg";

MessageBoxFunction gMessageBox = nullptr;
WaveDeviceCountFunction gWaveDeviceCount = nullptr;

void showInvalidPackage() {
    char text[kMessageTextSize] = "";
    char caption[kMessageTextSize] = "";
    LoadStringA(playerInstance(), IDS_INVALID_FILE, text, int(kMessageTextSize));
    LoadStringA(playerInstance(), IDS_ERROR_CAPTION, caption, int(kMessageTextSize));
    (gMessageBox ? gMessageBox : MessageBoxA)(nullptr, text, caption, MB_ICONERROR);
}

bool hasBlank(const std::string& s) { return s.find(' ') != std::string::npos; }

// Creates a new file that did not exist before, trying the numbers from
// `number` on; never opens someone else's file.
KernelHandle createMediaFile(const std::string& folder, uint32_t number,
                             const std::string& extension, std::string& path) {
    for (unsigned attempt = 0; attempt < kMediaNameAttempts; ++attempt) {
        path = folder + mediaFileName(GetCurrentProcessId(), number + attempt, extension);
        if (path.size() >= kPlayerPathSize) return KernelHandle();
        KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) return file;
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    path.clear();
    return KernelHandle();
}

// Copies one part into a new media file; the path is empty when it failed,
// and a half-written file is removed.
std::string extractPart(Win32PackageSource& source, const std::string& folder, uint32_t number,
                        const std::string& extension, uint64_t offset, uint64_t size) {
    std::string path;
    KernelHandle file = createMediaFile(folder, number, extension, path);
    if (!file) return {};
    Win32PackageSink sink(file.get());
    CopyResult copied = copyPackageBytes(source, offset, size, sink);
    file.reset();
    if (copied.writeFailed) {
        DeleteFileA(path.c_str());
        return {};
    }
    return path;
}

void storePath(char (&field)[kPlayerPathSize], const std::string& path) {
    std::memcpy(field, path.c_str(), path.size() + 1);  // fits: checked on creation
}

uint32_t drawNumber(uint32_t now, uint32_t seedOffset) {
    cardSrand(now + seedOffset);
    return uint32_t(cardRand());
}

// The picture lives on disk only for the length of one decode.
HGLOBAL extractPicture(Win32PackageSource& source, const std::string& folder, uint32_t number,
                       uint64_t offset, uint64_t size) {
    std::string path = extractPart(source, folder, number, kPictureExtension, offset, size);
    if (path.empty()) return nullptr;
    HGLOBAL picture = LoadJpegAsDib(path.c_str());
    DeleteFileA(path.c_str());
    return picture;
}

void setFlags(PlayerState& state, const CardPackageIndex& index) {
    const CardHeader& h = index.block.header;
    // Only the suffix's final extension is used, so the clip's path stays in
    // the temporary folder; a suffix without one drops the clip.
    state.hasVideo = h.hasVideo() && !videoExtensionOf(h.videoSuffix).empty();
    UINT devices = (gWaveDeviceCount ? gWaveDeviceCount : waveOutGetNumDevs)();
    state.hasAudio = h.hasSound() && devices > 0;
    state.audioKind = h.audioKind;
    state.videoRect =
        RECT{h.videoLeft, h.videoTop, h.videoLeft + h.videoWidth, h.videoTop + h.videoHeight};
    std::memcpy(state.reservedRecord, index.block.reserved.data(), kCardReservedSize);
}

bool failExtraction(PlayerState& state) {
    releasePlayerMedia(state);
    return false;
}

}  // namespace

void setPlayerMessageBox(MessageBoxFunction show) { gMessageBox = show; }
void setWaveDeviceCounter(WaveDeviceCountFunction count) { gWaveDeviceCount = count; }

std::string temporaryFolderPrefix() {
    char folder[MAX_PATH + 1] = "";
    DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > MAX_PATH) return {};
    std::string prefix(folder, length);
    if (hasBlank(prefix)) {
        char shortForm[MAX_PATH + 1] = "";
        DWORD shortLength = GetShortPathNameA(prefix.c_str(), shortForm, sizeof shortForm);
        if (shortLength > 0 && shortLength <= MAX_PATH) prefix.assign(shortForm, shortLength);
    }
    if (prefix.back() != '\\') prefix += '\\';
    return prefix;
}

bool CopyPackageRange(HANDLE destination, HANDLE package, uint64_t length) {
    LARGE_INTEGER zero{}, current{};
    if (!SetFilePointerEx(package, zero, &current, FILE_CURRENT)) return true;
    Win32PackageSource source(package);
    Win32PackageSink sink(destination);
    return !copyPackageBytes(source, uint64_t(current.QuadPart), length, sink).writeFailed;
}

bool extractCardPackageFrom(const std::string& cardPath, PlayerState& state) {
    state = PlayerState{};  // every field zero, pictures freed
    const std::string folder = temporaryFolderPrefix();
    KernelHandle package(CreateFileA(cardPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    Win32PackageSource source(package.get());
    auto index = package ? readCardPackageIndex(source) : std::nullopt;
    if (!index) {
        package.reset();
        showInvalidPackage();
        return false;
    }
    if (folder.empty()) return false;
    setFlags(state, *index);
    const CardHeader& h = index->block.header;
    const uint32_t now = uint32_t(std::time(nullptr));

    if (state.hasVideo) {
        uint32_t n = drawNumber(now, kVideoSeedOffset);
        std::string path = extractPart(source, folder, n, videoExtensionOf(h.videoSuffix),
                                       h.videoOffset, uint64_t(h.videoSize));
        if (path.empty()) return failExtraction(state);
        storePath(state.videoPath, path);
    }
    if (state.hasAudio) {
        uint32_t n = drawNumber(now, kSoundSeedOffset);
        std::string path = extractPart(source, folder, n, soundExtension(h.audioKind),
                                       h.audioOffset, uint64_t(h.audioSize));
        if (path.empty()) return failExtraction(state);
        storePath(state.audioPath, path);
    }
    uint32_t n = drawNumber(now, kPictureSeedOffset);
    state.frontPicture.reset(extractPicture(source, folder, n, h.frontOffset, h.frontSize));
    if (!state.frontPicture) return failExtraction(state);
    state.backPicture.reset(extractPicture(source, folder, n, index->block.back.backOffset,
                                           index->block.back.backSize));
    if (!state.backPicture) return failExtraction(state);
    return true;
}

bool ExtractCardPackage() {
    char path[MAX_PATH + 1] = "";
    DWORD length = GetModuleFileNameA(playerInstance(), path, sizeof path);
    if (length == 0 || length > MAX_PATH) return false;
    return extractCardPackageFrom(std::string(path, length), playerState());
}

}  // namespace kz8::player
