#include "base/text_codepage.h"

#include "base/text_encoding.h"

namespace gp {

std::string PlayerName(std::string_view text) {
  const std::string utf8 = Utf8OrWestern(text);
  std::string name;
  for (size_t i = 0; i < utf8.size() && name.size() < kMaxNameChars;) {
    char32_t cp = 0;
    i += DecodeUtf8(utf8, i, cp);  // always well formed here
    const int byte = WesternByte(cp);
    name += byte >= 0 && WesternPrintable(static_cast<unsigned char>(byte))
                ? static_cast<char>(byte)
                : '?';
  }
  return name;
}

std::string NameToUtf8(std::string_view name) {
  std::string out;
  for (char ch : name) {
    const char32_t cp = WesternCodePoint(static_cast<unsigned char>(ch));
    AppendUtf8(out, cp != 0 ? cp : U'?');
  }
  return out;
}

}  // namespace gp
