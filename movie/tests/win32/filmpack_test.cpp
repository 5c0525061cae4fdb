// Filmpack.dll under Wine, called through its export as a host calls it,
// on clips ffmpeg made: every movie it writes is listed in a manifest that
// filmpack_movies_check then reads with ffprobe and ffmpeg. Failures leave
// no working file and no new or changed target.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "common/testing/portable/test_files.h"
#include "common/testing/win32/logged_process.h"
#include "common/testing/win32/message_box_answerer.h"
#include "movie/portable/sound_converter.h"

namespace {

using kz8::testkit::fixturePath;
using kz8::testkit::readFile;
using Convert = unsigned char(__cdecl*)(const char*, const char*, void(__cdecl*)(float));

const std::string kOut = KZ8_MOVIE_OUT;           // Windows path
const std::string kOutUnix = KZ8_MOVIE_OUT_UNIX;  // where the checker finds it
const std::string kFixturesUnix = std::string(KZ8_FIXTURES_DIR).substr(2);

std::vector<float> progressSeen;
void __cdecl recordProgress(float percent) { progressSeen.push_back(percent); }

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void addToManifest(const std::string& line) {
    std::ofstream(kOut + "\\manifest.txt", std::ios::app) << line << "\n";
}

class Filmpack : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CreateDirectoryA(kOut.c_str(), nullptr);
        DeleteFileA((kOut + "\\manifest.txt").c_str());
    }
    void SetUp() override {
        ASSERT_NE(library_, nullptr);
        ASSERT_NE(convert_, nullptr);
        progressSeen.clear();
    }
    ~Filmpack() override { FreeLibrary(library_); }

    HMODULE library_ = LoadLibraryA(KZ8_FILMPACK_DLL);
    Convert convert_ = library_ ? reinterpret_cast<Convert>(reinterpret_cast<void*>(
                                      GetProcAddress(library_, "ConvertFunction")))
                                : nullptr;
};

// What the movie's sound must be for a 44.1 kHz stereo source: our own
// converter over the same PCM.
std::string convertedSound(const std::string& name) {
    const auto pcm = readFile(fixturePath("movie/" + name + ".s16"));
    kz8::movie::SoundConverter converter({kz8::movie::PcmFormat::Sample::s16, 2, 44100});
    std::vector<uint8_t> sound;
    if (pcm) converter.convert(pcm->data(), pcm->size(), sound);
    converter.finish(sound);
    const std::string path = kOut + "\\" + name + "-expected.u8";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(sound.data()), std::streamsize(sound.size()));
    return kOutUnix + "/" + name + "-expected.u8";
}

TEST_F(Filmpack, ConvertsEveryKindOfClip) {
    struct Row {
        const char* name;
        int frameDuration;
        int mostFrames;
        std::string sound;
    } rows[] = {
        {"msvideo1-25-u8", 24, 76, "--sound-equals " + kFixturesUnix + "/movie/msvideo1-25-u8.u8"},
        {"msvideo1-30-s16", 20, 91, "--sound-equals " + convertedSound("msvideo1-30-s16")},
        {"msvideo1-silent", 60, 21, "--no-sound"},
        {"sound-23.5s", 120, 119,
         "--sound-equals " + kFixturesUnix + "/movie/sound-23.5s.u8" +
             " --sound-chunks 220500,220500,77175"},
        {"yuy2", 60, 11, "--no-sound"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string target = kOut + "\\" + row.name + ".mov";
        DeleteFileA(target.c_str());
        progressSeen.clear();
        ASSERT_EQ(convert_(fixturePath(std::string("movie/") + row.name + ".avi").c_str(),
                           target.c_str(), recordProgress),
                  1);
        EXPECT_FALSE(exists(target + "_tmp"));
        ASSERT_GE(progressSeen.size(), 2u);
        EXPECT_TRUE(std::is_sorted(progressSeen.begin(), progressSeen.end()));
        EXPECT_GE(progressSeen.front(), 0.0f);
        EXPECT_EQ(progressSeen.back(), 100.0f);
        EXPECT_NE(std::find(progressSeen.begin(), progressSeen.end(), 90.0f), progressSeen.end());
        addToManifest(kOutUnix + "/" + row.name + ".mov --frame-duration " +
                      std::to_string(row.frameDuration) + " --most-frames " +
                      std::to_string(row.mostFrames) + " --first-frame " + kFixturesUnix +
                      "/movie/" + row.name + "-first.bgr " + row.sound);
    }
}

TEST_F(Filmpack, FailuresLeaveNoWorkingFileAndNoNewTarget) {
    const std::string older = kOut + "\\older.mov";
    std::ofstream(older, std::ios::binary) << "an older movie";
    const std::string folderTarget = kOut + "\\a-folder.mov";
    CreateDirectoryA(folderTarget.c_str(), nullptr);
    struct Row {
        std::string source, target;
        std::vector<std::string> boxes;
    } rows[] = {
        {kOut + "\\no-such-clip.avi", kOut + "\\none.mov", {}},
        {fixturePath("movie/garbage.avi"), older, {}},
        {fixturePath("movie/msvideo1-silent.avi"), kOut + "\\no-such-folder\\x.mov", {}},
        {fixturePath("movie/msvideo1-silent.avi"), folderTarget, {"Save File failed"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.target);
        kz8::testkit::MessageBoxAnswerer boxes;
        EXPECT_EQ(convert_(row.source.c_str(), row.target.c_str(), nullptr), 0);
        EXPECT_EQ(boxes.texts, row.boxes);
        EXPECT_FALSE(exists(row.target + "_tmp"));
    }
    EXPECT_FALSE(exists(kOut + "\\none.mov"));
    const auto kept = readFile(older);
    EXPECT_EQ(std::string(kept->begin(), kept->end()), "an older movie");
    EXPECT_TRUE(GetFileAttributesA(folderTarget.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(Filmpack, TheToolDrawsItsBarAndExplainsFailures) {
    using kz8::testkit::LoggedProcess;
    using kz8::testkit::quoted;
    const std::string tool = quoted(KZ8_FILMPACK_TOOL);
    const std::string clip = quoted(fixturePath("movie/msvideo1-25-u8.avi"));
    const std::string target = kOut + "\\tool.mov";
    DeleteFileA(target.c_str());
    {
        LoggedProcess run(tool + " " + clip + " " + quoted(target), "filmpack-tool.log");
        EXPECT_EQ(run.exitStatus(60000), 0u);
        EXPECT_NE(run.log().find("100%"), std::string::npos) << run.log();
    }
    addToManifest(kOutUnix + "/tool.mov --frame-duration 24 --most-frames 76");
    const struct {
        std::string arguments, said;
    } failures[] = {
        {"", "usage: filmpack"},
        {clip, "usage: filmpack"},
        {clip + " " + quoted(target), "exists"},
        {quoted(kOut + "\\missing.avi") + " " + quoted(kOut + "\\m.mov"), "no source"},
        {quoted(fixturePath("movie/garbage.avi")) + " " + quoted(kOut + "\\g.mov"), "failed"},
    };
    for (const auto& failure : failures) {
        LoggedProcess run(tool + " " + failure.arguments, "filmpack-tool-failing.log");
        EXPECT_EQ(run.exitStatus(60000), 1u) << failure.arguments;
        EXPECT_NE(run.log().find(failure.said), std::string::npos) << run.log();
    }
}

}  // namespace
