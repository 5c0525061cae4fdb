#include <gtest/gtest.h>

#include "common/portable/be_bytes.h"

namespace kz8 {
inline namespace common {
namespace {

TEST(BigEndianWriter, WritesMostSignificantFirstAndPatchesSizesInPlace) {
    std::vector<uint8_t> out;
    BigEndianWriter w(out);
    w.putU32(0);  // size, patched below
    w.putFourCc("moov");
    w.putU16(0x0102);
    w.putU64(0x0304050607080910ull);
    EXPECT_TRUE(w.patchU32(0, uint32_t(w.position())));
    EXPECT_FALSE(w.patchU32(w.position() - 3, 1)) << "a patch past the end";
    const std::vector<uint8_t> expected = {0, 0, 0, 18, 'm', 'o', 'o', 'v', 1,
                                           2, 3, 4, 5,  6,   7,   8,   9,   0x10};
    EXPECT_EQ(out, expected);
    EXPECT_EQ(loadU32BE(out.data() + 10), 0x03040506u);
}

}  // namespace
}  // namespace common
}  // namespace kz8
