// Movies written natively through the sink (scaler, JPEG, writer), each
// checked as ffprobe and ffmpeg read it: clean probe, every frame
// decoding, the sound byte for byte in ten-second chunks, and the first
// frame close to ffmpeg's own area scaling of the source picture.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "movie/portable/movie_file.h"
#include "movie/portable/quicktime_movie_sink.h"

namespace kz8::movie {
namespace {

const std::filesystem::path kFolder = KZ8_MOVIE_TEST_DIR;

// Smooth colour waves with a white corner, as a photograph would be: a
// flip or a swap of red and blue shows at once.
BgrPicture sourcePicture(int width, int height, int frame) {
    BgrPicture picture{width, height, std::vector<uint8_t>(size_t(width) * height * 3)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = picture.rows.data() + (size_t(y) * width + x) * 3;
            const bool corner = x < width / 8 && y < height / 8;
            p[0] = corner ? 255 : uint8_t((x + frame * 4) * 255 / width);
            p[1] = corner ? 255 : uint8_t(y * 255 / height);
            p[2] = corner ? 255 : uint8_t(128 + 100 * std::sin(x / 40.0) * std::cos(y / 30.0));
        }
    return picture;
}

void writeBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

int runCommand(const std::string& command) { return std::system(command.c_str()); }

TEST(QuickTimeWriter, WritesMoviesThatFfmpegReadsWhole) {
    struct Row {
        const char* name;
        int frames;
        uint32_t duration;
        size_t soundBytes;
        const char* chunks;
    } rows[] = {
        {"sound-23.5s", 45, 20, 518175, "220500,220500,77175"},
        {"sound-20s", 3, 24, 441000, "220500,220500"},
        {"sound-short", 2, 85, 1000, "1000"},
        {"silent", 5, 40, 0, nullptr},
    };
    std::filesystem::create_directories(kFolder);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto movie = kFolder / (std::string(row.name) + ".mov");
        const auto sound = kFolder / (std::string(row.name) + ".u8");
        const auto source = kFolder / (std::string(row.name) + ".bgr");
        const auto reference = kFolder / (std::string(row.name) + "-area.bgr");
        std::vector<uint8_t> pcm(row.soundBytes);
        for (size_t i = 0; i < pcm.size(); ++i) pcm[i] = uint8_t(i * 2654435761u >> 13);
        writeBytes(sound, pcm);
        {
            StdioMovieFile file(movie.string());
            ASSERT_TRUE(file.isOpen());
            QuickTimeMovieSink sink(file);
            ASSERT_TRUE(sink.begin());
            for (int frame = 0; frame < row.frames; ++frame)
                ASSERT_TRUE(sink.addFrame(sourcePicture(640, 480, frame), row.duration));
            ASSERT_TRUE(sink.finish(pcm));
            ASSERT_TRUE(file.close());
        }
        writeBytes(source, sourcePicture(640, 480, 0).rows);
        ASSERT_EQ(runCommand("ffmpeg -v error -y -f rawvideo -pix_fmt bgr24 -s 640x480 -i " +
                             source.string() +
                             " -vf scale=320:240:flags=area -f rawvideo -pix_fmt bgr24 " +
                             reference.string()),
                  0);
        std::string check = std::string(KZ8_CHECK_MOVIE) + " " + movie.string() +
                            " --frame-duration " + std::to_string(row.duration) + " --frames " +
                            std::to_string(row.frames) + " --first-frame " + reference.string();
        check += row.soundBytes == 0
                     ? std::string(" --no-sound")
                     : " --sound-equals " + sound.string() + " --sound-chunks " + row.chunks;
        EXPECT_EQ(runCommand(check), 0);
    }
}

TEST(QuickTimeWriter, RefusesAnEmptyFrameAndAFileItCannotWrite) {
    std::filesystem::create_directories(kFolder);
    StdioMovieFile file((kFolder / "refused.mov").string());
    QuickTimeWriter writer(file);
    ASSERT_TRUE(writer.begin());
    const uint8_t jpeg[4] = {0xFF, 0xD8, 0xFF, 0xD9};
    EXPECT_FALSE(writer.addFrame(jpeg, 0, 20));
    EXPECT_FALSE(writer.addFrame(jpeg, sizeof jpeg, 0));
    EXPECT_EQ(writer.frames(), 0u);
    EXPECT_FALSE(StdioMovieFile((kFolder / "no-such-folder" / "x.mov").string()).isOpen());
}

// A file that claims to be just short of 4 GiB already.
struct NearlyFullFile : MovieFile {
    uint64_t bytes = 0xFFFFFF00u;
    bool append(const uint8_t*, size_t size) override {
        bytes += size;
        return true;
    }
    bool overwrite(uint64_t, const uint8_t*, size_t) override { return true; }
    uint64_t size() const override { return bytes; }
    bool close() override { return true; }
};

TEST(QuickTimeWriter, FailsRatherThanPassFourGigabytes) {
    NearlyFullFile file;
    QuickTimeWriter writer(file);
    ASSERT_TRUE(writer.begin());
    const std::vector<uint8_t> jpeg(200, 0xAB);
    EXPECT_TRUE(writer.addFrame(jpeg.data(), jpeg.size(), 20));
    EXPECT_FALSE(writer.addFrame(jpeg.data(), jpeg.size(), 20));
    EXPECT_EQ(writer.frames(), 1u);
    EXPECT_FALSE(writer.finish(std::vector<uint8_t>(100, 128)));
}

}  // namespace
}  // namespace kz8::movie
