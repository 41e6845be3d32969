#include <gtest/gtest.h>

#include "document/cp1251.h"
#include "document/line_code.h"

namespace zelmora {
namespace {

TEST(LineCode, KeyRunsByPosition) {
  // Position 1 uses key 1, 2 uses 5, 3 uses 3, 4 uses 4, 5 uses 1 again.
  EXPECT_EQ(EncodeLine("AAAAA"), std::string("@<>=@"));
  EXPECT_EQ(DecodeLine("@<>=@"), "AAAAA");
  // Bytes wrap around 0 and 255 in both directions.
  const std::string low("\x00\x01\x02\x03", 4);
  EXPECT_EQ(DecodeLine(EncodeLine(low)), low);
  EXPECT_EQ(static_cast<unsigned char>(EncodeLine(low)[0]), 255);
  EXPECT_EQ(EncodeLine(""), "");
}

TEST(Cp1251, CyrillicRoundTripsAndForeignTextIsRefused) {
  const std::string name = "Точка Ёё №1";
  const auto bytes = Utf8ToCp1251(name);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(bytes->size(), 11u);
  EXPECT_EQ(static_cast<unsigned char>((*bytes)[0]), 0xD2);  // Т
  EXPECT_EQ(Cp1251ToUtf8(*bytes), name);
  EXPECT_FALSE(FitsCp1251("点"));
  EXPECT_FALSE(FitsCp1251("\xD0"));  // broken UTF-8
  EXPECT_EQ(Utf8ToCp1251Lossy("a点b"), "a?b");
  EXPECT_EQ(Cp1251ToUtf8("\x98"), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace zelmora
