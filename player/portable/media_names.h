// Names of the media files a card unpacks into the temporary folder. They
// must never collide with another card started in the same second, never
// hold a blank (media command strings split at blanks) and never lead out of
// the temporary folder, whatever the package says.
#pragma once

#include <cstdint>
#include <string>

namespace kz8::player {

// How many numbers to try before giving up on creating a media file.
constexpr unsigned kMediaNameAttempts = 1000;

// "kz8_" + process id (hex) + "_" + number + extension: unique per process
// through the id, unique within it through create-new with the next number.
std::string mediaFileName(uint32_t processId, uint32_t number, const std::string& extension);

// The extension of a sound part by its kind: ".wav", ".mp3", or none.
std::string soundExtension(int32_t audioKind);

}  // namespace kz8::player
