#pragma once
// A reader for sectioned key/value profile text ("[section]" lines, then
// "key=value" lines). Section and key names compare without regard to case,
// blanks around names and values are dropped, and when a section or a key
// occurs twice the first occurrence counts. Any other line is ignored.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace gp {

// Longest text value kept, in characters; the rest of a longer line is dropped.
constexpr size_t kMaxProfileText = 2047;
// Largest profile file read (a hole file is a few kilobytes), bytes.
constexpr size_t kMaxProfileFileBytes = size_t{256} << 10;

// Parses a whole value as a 32-bit number: decimal with an optional sign, or
// hexadecimal after "$" or after "0x"/"0X" (the latter only when the value is
// longer than two characters). Hexadecimal takes up to 32 bits, read as signed.
// Returns false (and leaves `out` alone) unless the whole value is such a number.
bool ParseProfileNumber(std::string_view text, int32_t& out);

// The strict reading of a file that people write by hand and that must be
// right (course files): every line is blank, a comment (";" or "#"), a
// "[section]" line, or a "key=value" line inside a section, and no section or
// key of a section occurs twice. Returns "" when it is so, else the first fault
// as "line N: ...".
std::string CheckProfileText(std::string_view text);

// Profile text's blanks: spaces and tabs.
inline bool IsProfileBlank(char c) {
  return c == ' ' || c == '\t';
}
// `s` without the blanks at either end.
inline std::string_view TrimProfileBlanks(std::string_view s) {
  while (!s.empty() && IsProfileBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsProfileBlank(s.back())) s.remove_suffix(1);
  return s;
}

class Profile {
 public:
  Profile() = default;
  // Parses profile text from memory; any bytes are accepted.
  static Profile FromText(std::string_view text);
  // Reads a file; a missing or unreadable file gives an empty profile, and so
  // does one that is no regular file or larger than kMaxProfileFileBytes.
  static Profile FromFile(const std::string& path);

  // The number under [section] key, or `def` when missing, empty or malformed.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  // A flag is a number: non-zero is true; anything else non-numeric gives `def`.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;
  // The text (at most kMaxProfileText characters), or `def` when the key is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& def) const;

  // The value as written (trimmed), or nullptr when the key is missing.
  const std::string* Find(std::string_view section, std::string_view key) const;

 private:
  using Keys = std::unordered_map<std::string, std::string>;  // lower-case key -> value
  std::unordered_map<std::string, Keys> sections_;            // lower-case section name
};

}  // namespace gp
