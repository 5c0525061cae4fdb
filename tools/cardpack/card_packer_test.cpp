// The card packer against real fixture files: a card made, listed and
// unpacked gives back the very bytes it was made of, and bad input is
// refused with a reason before anything is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/portable/stdio_file.h"
#include "common/testing/portable/test_files.h"
#include "player/portable/package_reader.h"
#include "tools/cardpack/card_packer.h"

namespace kz8::cardpack {

// The packer writes and reads the card player's own format.
using namespace kz8::player;
namespace {

namespace fs = std::filesystem;
using testkit::readFile;

std::string card(const char* name) { return testkit::fixturePath(std::string("card/") + name); }

class CardPacker : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() /
            ("cardpack-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    MakeRequest fullRequest() {
        MakeRequest r;
        r.player = card("player.bin");
        r.front = card("card-rgb.jpg");
        r.back = card("card-back.jpg");
        r.sound = card("sound.mp3");
        r.video = card("clip.avi");
        r.videoLeft = 5, r.videoTop = 6, r.videoWidth = 160, r.videoHeight = 120;
        r.output = path("card.exe");
        return r;
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

TEST_F(CardPacker, RoundTripGivesBackIdenticalBytes) {
    MakeRequest request = fullRequest();
    auto playerBefore = readFile(request.player);
    Outcome made = makeCard(request);
    ASSERT_TRUE(made.ok) << made.error;
    EXPECT_TRUE(made.warnings.empty());
    EXPECT_EQ(readFile(request.player), playerBefore) << "the player file must not change";
    auto cardBytes = readFile(request.output);
    ASSERT_TRUE(cardBytes);
    EXPECT_EQ(std::vector<uint8_t>(cardBytes->begin(), cardBytes->begin() + playerBefore->size()),
              *playerBefore);

    Outcome listed = listCard(request.output);
    ASSERT_TRUE(listed.ok) << listed.error;
    std::string all;
    for (const auto& l : listed.lines) all += l + "\n";
    EXPECT_NE(all.find("suffix .avi, rectangle 5,6,160,120"), std::string::npos) << all;
    EXPECT_NE(all.find("sound: MP3"), std::string::npos) << all;

    Outcome extracted = extractCard(request.output, path("out"));
    ASSERT_TRUE(extracted.ok) << extracted.error;
    struct {
        const char* extractedName;
        std::string original;
    } parts[] = {{"front.jpg", request.front},
                 {"back.jpg", request.back},
                 {"video.avi", request.video},
                 {"sound.mp3", request.sound}};
    for (const auto& p : parts)
        EXPECT_EQ(readFile(path(std::string("out/") + p.extractedName)), readFile(p.original))
            << p.extractedName;
}

TEST_F(CardPacker, WaveSoundNoVideoAndOddPictureSizes) {
    MakeRequest request = fullRequest();
    request.video.clear();
    request.sound = card("sound.wav");
    request.back = card("other-size.jpg");
    Outcome made = makeCard(request);
    ASSERT_TRUE(made.ok) << made.error;
    ASSERT_EQ(made.warnings.size(), 1u);
    EXPECT_NE(made.warnings[0].find("579 x 381"), std::string::npos) << made.warnings[0];
    Outcome listed = listCard(request.output);
    ASSERT_TRUE(listed.ok);
    EXPECT_EQ(listed.lines[3], "video: none");
    EXPECT_EQ(listed.lines[4].rfind("sound: WAVE", 0), 0u) << listed.lines[4];
}

TEST_F(CardPacker, RefusesBadInputWithAReasonAndWritesNothing) {
    std::ofstream(path("clip.abcdefghijk")) << "x";
    std::ofstream(path("noise.mp3")) << "this is not sound at all";
    std::ofstream(path("exists.exe")) << "keep me";
    struct Case {
        const char* name;
        std::function<void(MakeRequest&)> change;
        const char* reasonHas;
    } cases[] = {
        {"missing player", [](MakeRequest& r) { r.player = "/no/such/player.exe"; }, "cannot read"},
        {"missing front", [](MakeRequest& r) { r.front = "/no/such.jpg"; }, "cannot read"},
        {"front not a JPEG", [](MakeRequest& r) { r.front = card("sound.wav"); },
         "not a usable JPEG"},
        {"sound of no known kind", [&](MakeRequest& r) { r.sound = path("noise.mp3"); },
         "neither a WAVE nor an MP3"},
        {"suffix too long", [&](MakeRequest& r) { r.video = path("clip.abcdefghijk"); },
         "longer than 11"},
        {"existing target", [&](MakeRequest& r) { r.output = path("exists.exe"); }, "--force"},
        {"output is the player",
         [&](MakeRequest& r) {
             r.player = path("exists.exe"), r.output = r.player, r.force = true;
         },
         "overwrite the input"},
    };
    for (const Case& c : cases) {
        MakeRequest request = fullRequest();
        c.change(request);
        Outcome made = makeCard(request);
        EXPECT_FALSE(made.ok) << c.name;
        EXPECT_NE(made.error.find(c.reasonHas), std::string::npos) << c.name << ": " << made.error;
    }
    EXPECT_FALSE(fs::exists(path("card.exe"))) << "nothing written on failure";
    std::ifstream kept(path("exists.exe"));
    std::string text;
    std::getline(kept, text);
    EXPECT_EQ(text, "keep me");

    MakeRequest forced = fullRequest();
    forced.output = path("exists.exe");
    forced.force = true;
    EXPECT_TRUE(makeCard(forced).ok) << "--force replaces the target";
    EXPECT_FALSE(listCard(card("player.bin")).ok) << "a player alone is no card";
}

TEST(VideoRect, ParsesFourSixteenBitNumbers) {
    MakeRequest r;
    EXPECT_TRUE(parseVideoRect("-5,10,320,240", r));
    EXPECT_EQ(r.videoLeft, -5);
    EXPECT_EQ(r.videoHeight, 240);
    for (const char* bad : {"1,2,3", "1,2,3,4,5", "1,2,3,40000", "a,b,c,d", ""})
        EXPECT_FALSE(parseVideoRect(bad, r)) << bad;
}

}  // namespace
}  // namespace kz8::cardpack
