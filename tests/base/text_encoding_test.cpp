// The Western code page, UTF-8 and UTF-16 conversions the settings file and
// the names go through.
#include "base/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace gp {
namespace {

TEST(TextEncodingTest, WesternCodePageBothWays) {
  EXPECT_EQ(WesternCodePoint(0x80), U'\u20AC');
  EXPECT_EQ(WesternCodePoint(0x9F), U'\u0178');
  EXPECT_EQ(WesternCodePoint(0xE9), U'\u00E9');
  int printable = 0;
  for (int b = 0; b < 256; ++b) {
    const char32_t cp = WesternCodePoint(static_cast<unsigned char>(b));
    if (cp != 0) {
      EXPECT_EQ(WesternByte(cp), b) << b;
    }
    printable += WesternPrintable(static_cast<unsigned char>(b));
  }
  EXPECT_EQ(printable, 95 + 123);  // 0x20..0x7E, and 0x80..0xFF but five unused bytes
  for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D, 0x7F, 0x1F})
    EXPECT_FALSE(WesternPrintable(b));
  EXPECT_EQ(WesternByte(U'\u2603'), -1);
  EXPECT_EQ(WesternByte(U'\u0081'), -1);  // a control character, not the unused byte
}

TEST(TextEncodingTest, OnlyWellFormedUtf8Decodes) {
  char32_t cp = 0;
  EXPECT_EQ(DecodeUtf8("\xF0\x9F\x8E\xB3", 0, cp), 4u);
  EXPECT_EQ(cp, U'\U0001F3B3');
  for (const std::string bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                "\xF5\x80\x80\x80", "\xE2\x82", "\x80", "\xC3("}) {
    EXPECT_EQ(DecodeUtf8(bad, 0, cp), 0u) << bad;
  }
}

TEST(TextEncodingTest, BytesThatAreNotUtf8ReadInTheCodePage) {
  EXPECT_EQ(Utf8OrWestern("Zo\xC3\xAB"), "Zo\xC3\xAB");
  EXPECT_EQ(Utf8OrWestern("Zo\xEB \x80"), "Zo\xC3\xAB \xE2\x82\xAC");
  EXPECT_EQ(Utf8OrWestern("\xE2\x82"), "\xC3\xA2\xE2\x80\x9A");  // a cut sequence, byte by byte
  EXPECT_EQ(Utf8OrWestern("\x81"), "\xEF\xBF\xBD");
  // Whatever the bytes, the result is UTF-8 and reads as itself.
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string once = Utf8OrWestern(all + all.substr(128) + "\xC3");
  EXPECT_EQ(Utf8OrWestern(once), once);
}

TEST(TextEncodingTest, Utf16EitherWayRound) {
  const std::string le("Z\0o\0\xEB\0<\xD8\xB3\xDF\0\xD8", 12);  // ends in a lone surrogate
  EXPECT_EQ(Utf16ToUtf8(le, false, false), "Zo\xC3\xAB\xF0\x9F\x8E\xB3\xEF\xBF\xBD");
  std::string be;
  for (size_t i = 0; i + 1 < le.size(); i += 2) be += std::string{le[i + 1], le[i]};
  EXPECT_EQ(Utf16ToUtf8(be + "x", true, false), Utf16ToUtf8(le, false, false));
  EXPECT_EQ(Utf16ToUtf8(std::string("A\0\0\0B\0", 6), false, true), "A");
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16le("Zo\xC3\xAB \xF0\x9F\x8E\xB3"), false, false),
            "Zo\xC3\xAB \xF0\x9F\x8E\xB3");
  EXPECT_EQ(Utf8ToUtf16le("\xEB"), std::string("\xEB\0", 2));
}

}  // namespace
}  // namespace gp
