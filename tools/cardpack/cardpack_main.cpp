// cardpack: the command line of the card packer.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/cardpack/card_packer.h"

namespace {

const char kHelp[] =
    "cardpack - makes, lists and unpacks KZ8 cards\n"
    "\n"
    "  cardpack make --player Kinetta.exe --front FRONT.jpg --back BACK.jpg\n"
    "                [--sound SOUND.mp3|SOUND.wav]\n"
    "                [--video CLIP.avi --video-rect L,T,W,H] [--force] -o CARD.exe\n"
    "      Appends the parts, the card header and the trailer to a copy of the\n"
    "      player. The player file itself is only read. The sound's kind is\n"
    "      taken from its content; the clip's extension (at most 11 characters,\n"
    "      dot included) picks the player's video device; the rectangle is\n"
    "      relative to the card's top-left corner. Pictures should be 580 x 380.\n"
    "      An existing CARD.exe is replaced only with --force.\n"
    "  cardpack list CARD.exe\n"
    "      Shows the parts of a card: sizes, positions, kinds, video rectangle.\n"
    "  cardpack extract CARD.exe FOLDER\n"
    "      Writes front.jpg, back.jpg, video.EXT and sound.wav/.mp3 into FOLDER.\n"
    "  cardpack --help\n";

int report(const kz8::cardpack::Outcome& outcome) {
    for (const auto& w : outcome.warnings) std::fprintf(stderr, "cardpack: warning: %s\n", w.c_str());
    for (const auto& l : outcome.lines) std::printf("%s\n", l.c_str());
    if (!outcome.ok) std::fprintf(stderr, "cardpack: error: %s\n", outcome.error.c_str());
    return outcome.ok ? 0 : 1;
}

int usage(const char* why) {
    std::fprintf(stderr, "cardpack: error: %s (see cardpack --help)\n", why);
    return 2;
}

int runMake(int argc, char** argv) {
    kz8::cardpack::MakeRequest request;
    bool haveRect = false;
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--force") {
            request.force = true;
            continue;
        }
        if (i + 1 >= argc) return usage(("missing value after " + arg).c_str());
        std::string value = argv[++i];
        if (arg == "--player") request.player = value;
        else if (arg == "--front") request.front = value;
        else if (arg == "--back") request.back = value;
        else if (arg == "--sound") request.sound = value;
        else if (arg == "--video") request.video = value;
        else if (arg == "-o") request.output = value;
        else if (arg == "--video-rect") {
            if (!kz8::cardpack::parseVideoRect(value, request))
                return usage("--video-rect needs L,T,W,H as four 16-bit numbers");
            haveRect = true;
        } else
            return usage(("unknown option " + arg).c_str());
    }
    if (!request.video.empty() && !haveRect) return usage("--video needs --video-rect");
    return report(kz8::cardpack::makeCard(request));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        std::fputs(kHelp, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    std::string command = argv[1];
    if (command == "make") return runMake(argc, argv);
    if (command == "list" && argc == 3) return report(kz8::cardpack::listCard(argv[2]));
    if (command == "extract" && argc == 4)
        return report(kz8::cardpack::extractCard(argv[2], argv[3]));
    return usage("unknown command or wrong number of arguments");
}
