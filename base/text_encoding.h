#pragma once
// Text encodings: the single-byte Western code page (Windows-1252) that the
// game's names and fonts use, UTF-8 that files and the desktop use, and UTF-16
// as the Windows registry editor writes it.

#include <cstddef>
#include <string>
#include <string_view>

namespace gp {

// The character of a byte of the Western code page; 0 for the five bytes the
// page leaves unused (0x81, 0x8D, 0x8F, 0x90, 0x9D).
char32_t WesternCodePoint(unsigned char byte);
// The byte of the Western code page for a character; -1 when the page lacks it.
int WesternByte(char32_t cp);
// A byte that shows a character: 0x20..0x7E and 0x80..0xFF but the unused ones.
bool WesternPrintable(unsigned char byte);

// The length of the well-formed UTF-8 sequence at s[i] and its character; 0
// when the bytes there are not one (cut short, overlong, a surrogate, beyond
// U+10FFFF).
size_t DecodeUtf8(std::string_view s, size_t i, char32_t& cp);
void AppendUtf8(std::string& out, char32_t cp);
// Text read as UTF-8 where it is well formed and any other byte as a character
// of the Western code page (U+FFFD for an unused one): always valid UTF-8.
std::string Utf8OrWestern(std::string_view bytes);

// UTF-16 code units (little- or big-endian bytes) as UTF-8; an unpaired
// surrogate becomes U+FFFD and an odd last byte is dropped. With
// `stop_at_zero` the text ends at the first zero unit.
std::string Utf16ToUtf8(std::string_view bytes, bool bigendian, bool stop_at_zero);
// UTF-8 as UTF-16LE bytes, read as Utf8OrWestern reads it.
std::string Utf8ToUtf16le(std::string_view s);

}  // namespace gp
