// The movie export's core natively: 10 s of 640 x 480 frames at 30 a
// second and 22050 Hz 8-bit sound through the driver, scaler, JPEG encoder
// and writer, against ffmpeg making the same movie from the same raw files
// (area scaling, MJPEG 'jpeg' at about the same quality, pcm_u8 in mov),
// in one run. Both read their input from files in the same folder.
// Usage: bench_movie WORK_FOLDER
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "movie/portable/conversion_driver.h"
#include "movie/portable/movie_file.h"
#include "movie/portable/quicktime_movie_sink.h"

namespace {

using namespace kz8::movie;
using Clock = std::chrono::steady_clock;

constexpr int kWidth = 640, kHeight = 480, kFrames = 300;
constexpr size_t kFrameBytes = size_t(kWidth) * kHeight * 3;
constexpr size_t kSoundBytes = 220500;

// Reads the raw files as the media layer would hand them over.
class RawFilesSource : public MovieSource {
public:
    RawFilesSource(const std::string& frames, const std::string& sound)
        : frames_(frames, std::ios::binary), sound_(sound, std::ios::binary) {}
    int64_t duration() const override { return 10 * kUnitsPerSecond; }
    int64_t timePerFrame() const override { return 333333; }
    bool hasSound() const override { return true; }
    FrameRead nextFrame(BgrPicture& frame) override {
        frame.width = kWidth;
        frame.height = kHeight;
        frame.rows.resize(kFrameBytes);
        return frames_.read(reinterpret_cast<char*>(frame.rows.data()), kFrameBytes)
                   ? FrameRead::frame
                   : FrameRead::end;
    }
    bool nextSoundBlock(std::vector<uint8_t>& bytes, int64_t& span) override {
        bytes.resize(5000);
        sound_.read(reinterpret_cast<char*>(bytes.data()), 5000);
        bytes.resize(size_t(sound_.gcount()));
        span = int64_t(bytes.size()) * kUnitsPerSecond / 22050;
        return !bytes.empty();
    }

private:
    std::ifstream frames_, sound_;
};

void writeInputs(const std::string& frames, const std::string& sound) {
    std::ofstream out(frames, std::ios::binary);
    std::vector<uint8_t> frame(kFrameBytes);
    for (int n = 0; n < kFrames; ++n) {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                uint8_t* p = frame.data() + (size_t(y) * kWidth + x) * 3;
                p[0] = uint8_t(x + n * 2);
                p[1] = uint8_t(y + x / 3);
                p[2] = uint8_t((x * y / 64 + n) & 0xFF);
            }
        out.write(reinterpret_cast<const char*>(frame.data()), std::streamsize(frame.size()));
    }
    std::vector<uint8_t> pcm(kSoundBytes);
    for (size_t i = 0; i < pcm.size(); ++i) pcm[i] = uint8_t(128 + 60 * ((i / 25) % 2));
    std::ofstream(sound, std::ios::binary)
        .write(reinterpret_cast<const char*>(pcm.data()), std::streamsize(pcm.size()));
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_movie WORK_FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const std::string frames = (folder / "frames.bgr").string();
    const std::string sound = (folder / "sound.u8").string();
    writeInputs(frames, sound);

    auto start = Clock::now();
    {
        RawFilesSource source(frames, sound);
        ConversionDriver driver(source, nullptr);
        StdioMovieFile file((folder / "ours.mov").string());
        QuickTimeMovieSink sink(file);
        if (driver.prepare() != ConversionResult::done || !sink.begin() ||
            driver.run(sink) != ConversionResult::done || !file.close()) {
            std::fprintf(stderr, "bench_movie: our conversion failed\n");
            return 1;
        }
    }
    const double ours = secondsSince(start);

    const std::string peer =
        "ffmpeg -v error -y -threads 1 -f rawvideo -pix_fmt bgr24 -s 640x480 -r 30 -i " + frames +
        " -f u8 -ar 22050 -ac 1 -i " + sound +
        " -vf scale=320:240:flags=area -c:v mjpeg -tag:v jpeg -q:v 6 -pix_fmt yuvj420p"
        " -c:a pcm_u8 -f mov " +
        (folder / "peer.mov").string();
    start = Clock::now();
    if (std::system(peer.c_str()) != 0) {
        std::fprintf(stderr, "bench_movie: ffmpeg failed\n");
        return 1;
    }
    const double theirs = secondsSince(start);
    std::printf(
        "10 s of 640 x 480 at 30 fps with sound: ours %.2f s, ffmpeg %.2f s: %.2fx "
        "(goal <= 1.5)\n",
        ours, theirs, ours / theirs);
    return 0;
}
