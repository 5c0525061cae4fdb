// What the card packer does, apart from reading its command line: make a
// card from a player and its parts, describe one, and unpack one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kz8::cardpack {

struct MakeRequest {
    std::string player, front, back, sound, video, output;
    int16_t videoLeft = 0, videoTop = 0, videoWidth = 0, videoHeight = 0;
    bool force = false;
};

struct Outcome {
    bool ok = false;
    std::string error;                  // why it failed
    std::vector<std::string> warnings;  // it worked, but look at these
    std::vector<std::string> lines;     // what `list` prints
};

Outcome makeCard(const MakeRequest& request);
Outcome listCard(const std::string& card);
Outcome extractCard(const std::string& card, const std::string& folder);

// "L,T,W,H" into four signed 16-bit values.
bool parseVideoRect(const std::string& text, MakeRequest& request);

}  // namespace kz8::cardpack
