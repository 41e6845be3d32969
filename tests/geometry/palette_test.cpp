#include <gtest/gtest.h>

#include "geometry/palette.h"
#include "geometry/pixel.h"
#include "geometry/utf8.h"

#include <limits>

namespace zelmora {
namespace {

TEST(Palette, IndexAndColourRoundTrip) {
  for (int i = 0; i < kPaletteSize; ++i) EXPECT_EQ(PaletteIndex(PaletteColor(i, 1)), i);
  EXPECT_EQ(PaletteColor(14, 0), 0x0000FFu);  // red is entry 14, not 9
  EXPECT_EQ(PaletteColor(16, 0x123456), 0x123456u);
  EXPECT_EQ(PaletteColor(-1, 0x123456), 0x123456u);
  EXPECT_EQ(PaletteIndex(0x010203), -1);
}

struct PixelCase {
  double value;
  int expected;
};

class ToPixelTest : public ::testing::TestWithParam<PixelCase> {};

TEST_P(ToPixelTest, RoundsHalfToEvenAndClamps) {
  EXPECT_EQ(ToPixel(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ToPixelTest,
    ::testing::Values(PixelCase{0.5, 0}, PixelCase{1.5, 2}, PixelCase{2.5, 2}, PixelCase{-0.5, 0},
                      PixelCase{-1.5, -2}, PixelCase{10.4999, 10},
                      PixelCase{std::numeric_limits<double>::quiet_NaN(), 0},
                      PixelCase{std::numeric_limits<double>::infinity(), kMaxPixel},
                      PixelCase{-std::numeric_limits<double>::infinity(), -kMaxPixel},
                      PixelCase{1e300, kMaxPixel}, PixelCase{-3e9, -kMaxPixel}));

TEST(Utf8, NamesAreCutByCharactersNotBytes) {
  EXPECT_EQ(Utf8Length("Треугольник1"), 12u);
  EXPECT_EQ(Utf8Prefix("Треугольник12345", 12), "Треугольник1");
  EXPECT_EQ(Utf8Prefix("ABCDEFGHIJKLMNOP", 12), "ABCDEFGHIJKL");
  EXPECT_EQ(Utf8Prefix("ab", 12), "ab");
  // A broken byte counts as one character and is never split further.
  EXPECT_EQ(Utf8Length("\xD0"), 1u);
}

}  // namespace
}  // namespace zelmora
