// JPEG pictures into DIB bytes, checked pixel by pixel against djpeg's
// decode of the same files (made by scripts/fixtures/cardpictures.sh).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "common/portable/jpeg_dib.h"
#include "common/testing/portable/test_files.h"

namespace kz8 {
inline namespace common {
namespace {

using testkit::fixturePath;
using testkit::PpmImage;
using testkit::readFile;

std::string card(const std::string& name) { return fixturePath("card/" + name); }

// djpeg's greyscale output (binary PGM), top-down.
struct Pgm {
    int width = 0, height = 0;
    std::vector<uint8_t> grey;
};
std::optional<Pgm> readPgm(const std::string& path) {
    auto bytes = readFile(path);
    if (!bytes) return std::nullopt;
    Pgm pgm;
    int maxval = 0, consumed = 0;
    std::string text(bytes->begin(), bytes->end());
    if (std::sscanf(text.c_str(), "P5 %d %d %d%n", &pgm.width, &pgm.height, &maxval, &consumed) !=
        3)
        return std::nullopt;
    size_t start = size_t(consumed) + 1;
    if (bytes->size() < start + size_t(pgm.width) * pgm.height) return std::nullopt;
    pgm.grey.assign(bytes->begin() + start, bytes->begin() + start + pgm.width * pgm.height);
    return pgm;
}

void expectCardHeader(const DibView& view, int width, int height, int bits, const char* name) {
    const DibHeader& h = view.header();
    EXPECT_EQ(h.width, width) << name;
    EXPECT_EQ(h.height, height) << name << ": positive height, bottom-up rows";
    EXPECT_EQ(h.bitCount, bits) << name;
    EXPECT_EQ(h.xPelsPerMeter, 7874) << name;
    EXPECT_EQ(h.yPelsPerMeter, 7874) << name;
    EXPECT_EQ(h.clrUsed, bits == 8 ? 256u : 0u) << name;
    EXPECT_EQ(h.clrImportant, 0u) << name;
    EXPECT_EQ(h.sizeImage, view.layout().stride * uint32_t(height)) << name;
    EXPECT_EQ(view.bytes() + 40 + 4 * h.clrUsed, view.pixels()) << name;
}

// Row padding must be zero, not leftovers of the decoder's buffers.
void expectZeroPadding(const DibView& view, size_t usedBytes, const char* name) {
    for (uint32_t y = 0; y < view.height(); ++y)
        for (size_t i = usedBytes; i < view.layout().stride; ++i)
            ASSERT_EQ(view.row(y)[i], 0) << name << ": padding byte " << i << " of row " << y;
}

TEST(JpegDib, ColourPicturesMatchDjpegInBlueGreenRedOrder) {
    const char* cases[] = {"card-rgb", "card-cmyk", "card-progressive", "odd-rgb", "other-size"};
    for (const char* name : cases) {
        std::string error;
        auto dib = decodeJpegFile(card(std::string(name) + ".jpg"), &error);
        ASSERT_TRUE(dib) << name << ": " << error;
        auto reference = PpmImage::parse(*readFile(card(std::string(name) + ".ppm")));
        ASSERT_TRUE(reference) << name;
        DibView view = dib->view();
        expectCardHeader(view, reference->width, reference->height, 24, name);
        int mismatches = 0;
        for (int y = 0; y < reference->height; ++y) {
            const uint8_t* row = view.row(uint32_t(y));
            for (int x = 0; x < reference->width; ++x) {
                testkit::Rgb want = reference->at(x, y);
                const uint8_t* px = row + 3 * x;
                if ((px[2] != want.r || px[1] != want.g || px[0] != want.b) && mismatches++ < 3)
                    ADD_FAILURE() << name << " pixel (" << x << "," << y << "): got BGR "
                                  << int(px[0]) << "," << int(px[1]) << "," << int(px[2])
                                  << " want RGB " << int(want.r) << "," << int(want.g) << ","
                                  << int(want.b);
            }
        }
        EXPECT_EQ(mismatches, 0) << name;
        expectZeroPadding(view, size_t(reference->width) * 3, name);
    }
}

TEST(JpegDib, GreyPicturesBecomeEightBitWithAGreyRamp) {
    for (const char* name : {"card-grey", "odd-grey"}) {
        auto dib = decodeJpegFile(card(std::string(name) + ".jpg"));
        ASSERT_TRUE(dib) << name;
        auto reference = readPgm(card(std::string(name) + ".pgm"));
        ASSERT_TRUE(reference) << name;
        DibView view = dib->view();
        expectCardHeader(view, reference->width, reference->height, 8, name);
        for (uint32_t i = 0; i < 256; ++i)
            ASSERT_EQ(*view.colour(i), (RgbQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0}))
                << name << ": ramp entry " << i;
        for (int y = 0; y < reference->height; ++y)
            ASSERT_EQ(
                std::memcmp(view.row(uint32_t(y)), &reference->grey[size_t(y) * reference->width],
                            size_t(reference->width)),
                0)
                << name << ": row " << y;
        expectZeroPadding(view, size_t(reference->width), name);
    }
}

TEST(JpegDib, DamagedOrMissingFilesGiveNoPicture) {
    const char* cases[] = {"truncated.jpg",  "cut-near-end.jpg", "corrupt.jpg",
                           "junk-front.jpg", "no-such-file.jpg", "sound.wav"};
    for (const char* name : cases) {
        std::string error;
        EXPECT_FALSE(decodeJpegFile(card(name), &error)) << name;
        EXPECT_FALSE(error.empty()) << name << ": the failure must say why";
    }
}

TEST(JpegDib, MemoryAndFileDecodingAgree) {
    auto bytes = readFile(card("card-cmyk.jpg"));
    ASSERT_TRUE(bytes);
    auto fromMemory = decodeJpegMemory(bytes->data(), bytes->size());
    auto fromFile = decodeJpegFile(card("card-cmyk.jpg"));
    ASSERT_TRUE(fromMemory && fromFile);
    EXPECT_EQ(fromMemory->bytes(), fromFile->bytes());

    EXPECT_FALSE(decodeJpegMemory(bytes->data(), 0));
    EXPECT_FALSE(decodeJpegMemory(bytes->data(), bytes->size() / 3)) << "cut short";
}

TEST(JpegDib, APictureWithoutItsEndMarkerIsWhole) {
    auto whole = decodeJpegFile(card("card-rgb.jpg"));
    std::string error;
    auto unended = decodeJpegFile(card("no-end-marker.jpg"), &error);
    ASSERT_TRUE(whole);
    ASSERT_TRUE(unended) << error;
    EXPECT_EQ(unended->bytes(), whole->bytes());
}

TEST(JpegDib, APictureTooLargeToDrawIsRefusedBeforeAllocation) {
    JpegInput input;
    input.path = card("huge.jpg");
    bool asked = false;
    std::string error;
    EXPECT_FALSE(decodeJpegIntoDib(
        input,
        [&](size_t) -> uint8_t* {
            asked = true;
            return nullptr;
        },
        &error));
    EXPECT_FALSE(asked) << "60000 x 60000 was allocated for";
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
}

TEST(JpegDib, OptionsChooseWhatCmykBecomesAndWhereTheDensityComesFrom) {
    struct Case {
        const char* file;
        CmykPictures cmyk;
        PictureDensity density;
        bool decodes;
        int32_t pelsPerMeter;
    } cases[] = {
        {"card-cmyk.jpg", CmykPictures::Convert, PictureDensity::Fixed, true, 7874},
        {"card-cmyk.jpg", CmykPictures::Refuse, PictureDensity::Fixed, false, 0},
        {"card-rgb.jpg", CmykPictures::Refuse, PictureDensity::FromJfif, true, 0},  // unit 0
        {"dense-150dpi.jpg", CmykPictures::Convert, PictureDensity::Fixed, true, 7874},
        {"dense-150dpi.jpg", CmykPictures::Refuse, PictureDensity::FromJfif, true, 5905},
    };
    for (const Case& c : cases) {
        JpegInput input;
        input.path = card(c.file);
        input.cmyk = c.cmyk;
        input.density = c.density;
        std::vector<uint8_t> bytes;
        std::string error;
        const bool decoded = decodeJpegIntoDib(
            input,
            [&](size_t size) {
                bytes.assign(size, 0);
                return bytes.data();
            },
            &error);
        ASSERT_EQ(decoded, c.decodes) << c.file << ": " << error;
        if (!decoded) {
            EXPECT_NE(error.find("CMYK"), std::string::npos) << error;
            continue;
        }
        auto dib = Dib::fromBytes(std::move(bytes));
        ASSERT_TRUE(dib) << c.file;
        EXPECT_EQ(dib->view().header().xPelsPerMeter, c.pelsPerMeter) << c.file;
        EXPECT_EQ(dib->view().header().yPelsPerMeter, c.pelsPerMeter) << c.file;
    }
}

TEST(JpegDib, RefusedAllocationFailsCleanly) {
    JpegInput input;
    input.path = card("card-rgb.jpg");
    size_t asked = 0;
    std::string error;
    EXPECT_FALSE(decodeJpegIntoDib(
        input,
        [&](size_t size) -> uint8_t* {
            asked = size;
            return nullptr;
        },
        &error));
    EXPECT_EQ(asked, 40u + 380u * 1740u) << "one block: header plus padded rows";
}

}  // namespace
}  // namespace common
}  // namespace kz8
