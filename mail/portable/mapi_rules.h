// The rules of MAPI delivery that need no MAPI: whether the registry says
// Simple MAPI can be used, the name of a picture's JPEG copy that harms no
// file of the user's, and the delimiter of the documents list.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kz8::mail {

// The longest path a MAPI sender takes; a longer one is refused, since a
// cut path would attach another file.
constexpr size_t kLongestMapiPath = 255;

// What the registry holds, as read (nullopt: the value could not be read).
struct MapiRegistry {
    bool systemNewEnough = true;  // newer than 3.51
    bool msMapiApps = false;      // the MSMapiApps key exists
    bool messagingKey = false;    // the Windows Messaging Subsystem key opens
    std::optional<std::string> mapiValue;
    bool mailClientsKey = false;  // Software\Clients\Mail opens
    std::string defaultMailProgram;
    bool outlookExpressKey = false;
    std::optional<uint32_t> sMapi;
};
bool simpleMapiUsable(const MapiRegistry& registry);

// Whether the path ends in the extension, compared without case (ASCII).
bool hasExtension(const std::string& path, const std::string& extension);

// stem + ".jpg", else stem + "_1.jpg", "_2.jpg", ...: the first name that
// claim (which creates the file only when none exists) accepts; empty when
// none does.
std::string claimJpegName(const std::string& stem,
                          const std::function<bool(const std::string&)>& claim);

// ";" unless a path holds one, then "|", which no path can hold.
std::string documentsDelimiter(const std::vector<std::string>& paths);

}  // namespace kz8::mail
