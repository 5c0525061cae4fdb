// The capture library's rules, natively: which connection is tried after
// which outcome, the media kind of a pin, device names cut to their field,
// and the sizes of the frames and DIBs at the limits of 32 bits.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "capture/portable/connection_plan.h"
#include "capture/portable/device_names.h"
#include "capture/portable/frame_rows.h"
#include "capture/portable/media_kind.h"
#include "capture/portable/render_dib.h"

namespace kz8::capture {
namespace {

class ScriptedConnector : public PinConnector {
public:
    explicit ScriptedConnector(std::set<Link> succeeding) : succeeding_(std::move(succeeding)) {}
    bool connect(Link link) override {
        tried.push_back(link);
        return succeeding_.count(link) > 0;
    }
    std::vector<Link> tried;

private:
    std::set<Link> succeeding_;
};

TEST(ConnectionPlan, EveryCombinationOfOutcomesGivesItsSequence) {
    using L = Link;
    const std::vector<Link> throughDecompressor = {
        L::captureToDecompressor, L::decompressorToDibFilter, L::converterToDibFilter,
        L::renderDibFilterOutput};
    const std::vector<Link> decompressorThenConverter = {
        L::captureToDecompressor, L::decompressorToDibFilter, L::decompressorToConverter,
        L::converterToDibFilter, L::renderDibFilterOutput};
    const std::vector<Link> throughConverter = {L::captureToConverter, L::converterToDibFilter,
                                                L::renderDibFilterOutput};
    const std::vector<Link> all = {L::captureToDecompressor,   L::captureToConverter,
                                   L::decompressorToDibFilter, L::decompressorToConverter,
                                   L::converterToDibFilter,    L::renderDibFilterOutput};
    for (unsigned outcomes = 0; outcomes < 64; ++outcomes) {
        std::set<Link> succeeding;
        for (size_t bit = 0; bit < all.size(); ++bit)
            if (outcomes & (1u << bit)) succeeding.insert(all[bit]);
        ScriptedConnector connector(succeeding);
        connectCaptureChain(connector);

        std::vector<Link> expected;
        if (!succeeding.count(L::captureToDecompressor)) {
            expected = {L::captureToDecompressor};
            expected.insert(expected.end(), throughConverter.begin(), throughConverter.end());
        } else if (succeeding.count(L::decompressorToDibFilter)) {
            expected = throughDecompressor;
        } else {
            expected = decompressorThenConverter;
        }
        EXPECT_EQ(connector.tried, expected) << "outcomes " << outcomes;
    }
}

TEST(MediaKind, FollowsTheMajorTypesOffered) {
    using M = MajorType;
    struct Row {
        std::vector<MajorType> types;
        MediaKind kind;
        bool video;
    } rows[] = {
        {{}, MediaKind::none, false},
        {{M::other, M::other}, MediaKind::none, false},
        {{M::audio}, MediaKind::audioOnly, false},
        {{M::other, M::video}, MediaKind::video, true},
        {{M::audio, M::other, M::video}, MediaKind::videoAndAudio, true},
        {{M::video, M::video, M::audio}, MediaKind::videoAndAudio, true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(mediaKindOf(row.types), row.kind);
        EXPECT_EQ(includesVideo(mediaKindOf(row.types)), row.video);
    }
}

bool shiftJisLead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
bool noLeadBytes(unsigned char) { return false; }

TEST(DeviceNames, AreCutToTheirFieldWithoutSplittingACharacter) {
    struct Row {
        std::string name;
        LeadByteTest lead;
        size_t keptBytes;
    } rows[] = {
        {std::string(120, 'a'), noLeadBytes, 79},
        {std::string(79, 'a'), noLeadBytes, 79},
        {"", noLeadBytes, 0},
        // A two-byte character whose second byte would be byte 80 goes whole.
        {std::string(78, 'a') + "\x95\x5c" + "b", shiftJisLead, 78},
        {std::string(77, 'a') + "\x95\x5c" + "b", shiftJisLead, 79},
        // A lead byte at the very end counts alone.
        {std::string(10, 'a') + "\x95", shiftJisLead, 11},
    };
    for (const Row& row : rows) {
        DeviceNames names;
        ASSERT_TRUE(names.add(row.name, row.lead));
        const char* kept = names.name(0);
        ASSERT_NE(kept, nullptr);
        EXPECT_EQ(std::strlen(kept), row.keptBytes);
        EXPECT_EQ(std::string(kept), row.name.substr(0, row.keptBytes));
    }
}

TEST(DeviceNames, HoldAHundredAndAnswerNullOutsideTheList) {
    DeviceNames names;
    EXPECT_EQ(names.name(0), nullptr);
    for (int device = 0; device < 101; ++device)
        EXPECT_EQ(names.add("Camera " + std::to_string(device), noLeadBytes), device < 100);
    EXPECT_EQ(names.count(), 100);
    EXPECT_STREQ(names.name(99), "Camera 99");
    for (int index : {-1, 100, 101, std::numeric_limits<int>::min()})
        EXPECT_EQ(names.name(index), nullptr) << index;
    names.clear();
    EXPECT_EQ(names.count(), 0);
    EXPECT_EQ(names.name(0), nullptr);
}

TEST(RenderDib, SizesAreWorkedOutWithoutOverflow) {
    constexpr int64_t kIntMax = std::numeric_limits<int32_t>::max();
    struct Row {
        int64_t width, height;
        bool fits;
        size_t stride;
    } rows[] = {
        {161, 120, true, 484},
        {160, 120, true, 480},
        {640, 480, true, 1920},
        {1, 1, true, 4},
        {0, 120, false, 0},
        {161, 0, false, 0},
        {-161, 120, false, 0},
        {161, -120, false, 0},
        // The largest block of 2^31 - 1 bytes, and one row more.
        {4, (kIntMax - 40) / 12, true, 12},
        {4, (kIntMax - 40) / 12 + 1, false, 0},
        {kIntMax, 1, false, 0},
        {65536, 65536, false, 0},
    };
    for (const Row& row : rows) {
        const auto layout = renderDibLayout(row.width, row.height);
        ASSERT_EQ(layout.has_value(), row.fits) << row.width << " x " << row.height;
        if (!layout) continue;
        EXPECT_EQ(layout->stride, row.stride);
        EXPECT_EQ(layout->totalSize, 40 + row.stride * size_t(row.height));
        EXPECT_LE(layout->totalSize, size_t(kIntMax));
    }
}

TEST(FrameRows, SamplesOfEitherOrderArePackedBottomRowFirst) {
    // Two rows of one pixel: the top one 1,2,3, the bottom one 4,5,6.
    const uint8_t bottomUp[] = {4, 5, 6, 0, 1, 2, 3, 0};
    const uint8_t topDown[] = {1, 2, 3, 0, 4, 5, 6, 0};
    for (const auto& [height, sample] : {std::pair{2, bottomUp}, std::pair{-2, topDown}}) {
        const auto shape = rgb24FrameShape(1, height);
        ASSERT_TRUE(shape);
        EXPECT_EQ(shape->height, 2);
        uint8_t packed[6] = {};
        ASSERT_TRUE(packSample(*shape, sample, sizeof bottomUp, packed));
        EXPECT_EQ(std::vector<uint8_t>(packed, packed + 6),
                  (std::vector<uint8_t>{4, 5, 6, 1, 2, 3}));
        // A short sample is refused rather than read past its end.
        EXPECT_FALSE(packSample(*shape, sample, sizeof bottomUp - 1, packed));
    }
    for (const auto& [width, height] : {std::pair<int64_t, int64_t>{0, 2},
                                        {1, 0},
                                        {-1, 2},
                                        {65536, 65536},
                                        {1, std::numeric_limits<int64_t>::min()}})
        EXPECT_FALSE(rgb24FrameShape(width, height)) << width << " x " << height;
}

}  // namespace
}  // namespace kz8::capture
