#include "common/portable/le_bytes.h"

#include <gtest/gtest.h>

namespace kz8 {
inline namespace common {
namespace {

TEST(ByteReader, ReadsLittleEndianFieldsInOrder) {
    const uint8_t bytes[] = {0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF};
    ByteReader reader(bytes, sizeof bytes);
    uint8_t u8 = 0;
    uint16_t u16 = 0;
    uint32_t u32 = 0;
    int32_t i32 = 0;
    ASSERT_TRUE(reader.readU8(u8));
    ASSERT_TRUE(reader.readU16(u16));
    ASSERT_TRUE(reader.readU32(u32));
    ASSERT_TRUE(reader.readI32(i32));
    EXPECT_EQ(u8, 0x01);
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(u32, 0x12345678u);
    EXPECT_EQ(i32, -2);
    EXPECT_EQ(reader.remaining(), 0u);
}

TEST(ByteReader, ShortReadFailsAndKeepsPosition) {
    const uint8_t bytes[] = {1, 2, 3};
    ByteReader reader(bytes, sizeof bytes);
    uint32_t u32 = 0xAAAAAAAA;
    uint8_t u8 = 0;
    ASSERT_TRUE(reader.readU8(u8));
    EXPECT_FALSE(reader.readU32(u32));
    EXPECT_EQ(u32, 0xAAAAAAAAu) << "a failed read must not write its output";
    EXPECT_EQ(reader.position(), 1u);
    EXPECT_FALSE(reader.skip(3));
    EXPECT_TRUE(reader.skip(2));
    EXPECT_FALSE(reader.seek(4));
    EXPECT_TRUE(reader.seek(3));
    // Sizes near the top of size_t must not wrap the bounds check.
    EXPECT_FALSE(reader.has(SIZE_MAX));
}

TEST(ByteReader, FixedTextStopsAtNulOrFieldEnd) {
    const uint8_t bytes[] = {'m', 'p', '3', 0, 'x', 'A', 'V', 'T', 'P'};
    ByteReader reader(bytes, sizeof bytes);
    std::string text;
    ASSERT_TRUE(reader.readFixedText(5, text));
    EXPECT_EQ(text, "mp3");
    ASSERT_TRUE(reader.readFixedText(4, text));
    EXPECT_EQ(text, "AVTP");
    EXPECT_FALSE(reader.readFixedText(1, text));
}

TEST(ByteWriter, RoundTripsThroughReader) {
    std::vector<uint8_t> out;
    ByteWriter writer(out);
    writer.putU16(0xBEEF);
    writer.putI32(-123456);
    writer.putFixedText("2.0", 4);
    writer.putFixedText("much too long", 4);
    ASSERT_EQ(out.size(), 2u + 4 + 4 + 4);
    EXPECT_EQ(out[0], 0xEF);
    EXPECT_EQ(out[13], 0) << "an over-long text keeps its terminating NUL";

    ByteReader reader(out.data(), out.size());
    uint16_t u16 = 0;
    int32_t i32 = 0;
    std::string a, b;
    ASSERT_TRUE(reader.readU16(u16) && reader.readI32(i32));
    ASSERT_TRUE(reader.readFixedText(4, a) && reader.readFixedText(4, b));
    EXPECT_EQ(u16, 0xBEEF);
    EXPECT_EQ(i32, -123456);
    EXPECT_EQ(a, "2.0");
    EXPECT_EQ(b, "muc");
}

}  // namespace
}  // namespace common
}  // namespace kz8
