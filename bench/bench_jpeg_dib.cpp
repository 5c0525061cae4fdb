// JPEG to DIB against `djpeg -bmp` of the same file, for a card picture and
// a 12-megapixel photo made here with ImageMagick. djpeg's time includes
// one process start per decode, as running it always does.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/portable/jpeg_dib.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

bool run(const std::string& command) { return std::system(command.c_str()) == 0; }

void compare(const std::string& name, const std::string& file, int repeats) {
    auto start = Clock::now();
    for (int i = 0; i < repeats; ++i)
        if (!kz8::decodeJpegFile(file)) {
            std::printf("%s: decoding failed\n", name.c_str());
            return;
        }
    double ours = seconds(start, Clock::now()) / repeats;
    std::string loop = "sh -c 'i=0; while [ $i -lt " + std::to_string(repeats) +
                       " ]; do djpeg -bmp " + file + " > /dev/null || exit 1; i=$((i+1)); done'";
    start = Clock::now();
    if (!run(loop)) {
        std::printf("%s: djpeg failed\n", name.c_str());
        return;
    }
    double peer = seconds(start, Clock::now()) / repeats;
    std::printf("%-22s ours %8.3f ms   djpeg -bmp %8.3f ms   ratio %.2f (goal <= 1.10)\n",
                name.c_str(), ours * 1e3, peer * 1e3, ours / peer);
}

}  // namespace

int main() {
    const std::string card = "bench-card-580x380.jpg", photo = "bench-photo-12mp.jpg";
    if (!run("test -f " + card + " || convert -size 580x380 -seed 1 plasma: -quality 90 " + card) ||
        !run("test -f " + photo + " || convert -size 4000x3000 -seed 2 plasma: -quality 90 " +
             photo)) {
        std::printf("cannot make the pictures (ImageMagick)\n");
        return 1;
    }
    compare("card 580x380", card, 200);
    compare("photo 4000x3000", photo, 5);
    return 0;
}
