#include "base/text_encoding.h"

#include <cstdint>

namespace gp {

namespace {

// Characters of bytes 0x80..0x9F in the Western code page; 0 = unused.
constexpr char32_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

constexpr char32_t kReplacement = 0xFFFD;

// The character at s[i] as Utf8OrWestern reads it; advances i.
char32_t NextCharacter(std::string_view s, size_t& i) {
  char32_t cp = 0;
  const size_t len = DecodeUtf8(s, i, cp);
  if (len > 0) {
    i += len;
    return cp;
  }
  cp = WesternCodePoint(static_cast<unsigned char>(s[i++]));
  return cp != 0 ? cp : kReplacement;
}

}  // namespace

char32_t WesternCodePoint(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

int WesternByte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] != 0 && kHigh[i] == cp) return 0x80 + i;
  }
  return -1;
}

bool WesternPrintable(unsigned char byte) {
  return (byte >= 0x20 && byte < 0x7F) || (byte >= 0x80 && WesternCodePoint(byte) != 0);
}

size_t DecodeUtf8(std::string_view s, size_t i, char32_t& cp) {
  const auto b = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
  const uint8_t lead = b(i);
  size_t len = 0;
  if (lead < 0x80) {
    len = 1;
  } else if ((lead >> 5) == 6) {
    len = 2;
  } else if ((lead >> 4) == 14) {
    len = 3;
  } else if ((lead >> 3) == 30) {
    len = 4;
  }
  if (len == 0 || i + len > s.size()) return 0;
  char32_t v = len == 1 ? lead : lead & (0x7F >> len);
  for (size_t k = 1; k < len; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    v = (v << 6) | (b(i + k) & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
  if (v < kMin[len] || v > 0x10FFFF || (v >= 0xD800 && v < 0xE000)) return 0;
  cp = v;
  return len;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string Utf8OrWestern(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) AppendUtf8(out, NextCharacter(bytes, i));
  return out;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigendian, bool stop_at_zero) {
  std::string out;
  const size_t units = bytes.size() / 2;
  auto unit = [&](size_t i) {
    const auto lo = static_cast<uint8_t>(bytes[2 * i + (bigendian ? 1 : 0)]);
    const auto hi = static_cast<uint8_t>(bytes[2 * i + (bigendian ? 0 : 1)]);
    return static_cast<char32_t>(lo | hi << 8);
  };
  for (size_t i = 0; i < units; ++i) {
    char32_t u = unit(i);
    if (u == 0 && stop_at_zero) break;
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < units && unit(i + 1) >= 0xDC00 &&
        unit(i + 1) < 0xE000) {
      u = 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
      ++i;
    } else if (u >= 0xD800 && u < 0xE000) {
      u = kReplacement;
    }
    AppendUtf8(out, u);
  }
  return out;
}

std::string Utf8ToUtf16le(std::string_view s) {
  std::string out;
  auto put = [&out](char32_t u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  };
  for (size_t i = 0; i < s.size();) {
    const char32_t cp = NextCharacter(s, i);
    if (cp >= 0x10000) {
      put(0xD800 + ((cp - 0x10000) >> 10));
      put(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      put(cp);
    }
  }
  return out;
}

}  // namespace gp
