#pragma once
// An in-memory registry hive: keys named by their full path
// ("HKEY_CURRENT_USER\Software\..."), each holding named values, and its text
// form, the ".reg" file format ("Windows Registry Editor Version 5.00").
//
// Key and value names compare without regard to ASCII letter case and keep the
// spelling they were first given. Keys and values keep their insertion order, so
// the written text is deterministic.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace gp {

// Limits that keep memory bounded whatever a file holds.
constexpr size_t kMaxHiveFileBytes = 1u << 20;  // a larger file is not read at all
constexpr size_t kMaxRegNameBytes = 1024;       // key path or value name
constexpr size_t kMaxRegDataBytes = 16384;      // one value's text or raw bytes

// Registry value types as numbered in "hex(N):".
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;

struct RegValue {
  enum class Form : uint8_t {
    kDword,   // "Name"=dword:0000002a
    kString,  // "Name"="text"
    kHex,     // "Name"=hex:.. or "Name"=hex(N):.. raw bytes of type N
  };
  std::string name;  // as first written; empty = the key's default value ("@")
  Form form = Form::kString;
  uint32_t type = kRegSz;  // registry type: 4 for kDword, 1 for kString, N for kHex
  uint32_t dword = 0;      // kDword only
  std::string data;        // kString: the text as written; kHex: the raw bytes

  // The number of a REG_DWORD (also one written as hex(4) with four bytes).
  std::optional<uint32_t> AsDword() const;
  // The text of a REG_SZ or REG_EXPAND_SZ (hex(1)/hex(2) hold UTF-16LE, given as
  // UTF-8); the text ends at the first zero byte (zero code unit for hex forms).
  std::optional<std::string> AsString() const;

  bool operator==(const RegValue&) const = default;
};

class RegKey {
 public:
  explicit RegKey(std::string path) : path_(std::move(path)) {}
  const std::string& path() const { return path_; }
  const std::vector<RegValue>& values() const { return values_; }
  const RegValue* Find(std::string_view name) const;
  // Replaces the value of the same name (keeping its place and first spelling)
  // or appends it.
  void Set(RegValue value);
  bool operator==(const RegKey& o) const { return path_ == o.path_ && values_ == o.values_; }

 private:
  std::string path_;  // components joined by single backslashes, as first written
  std::vector<RegValue> values_;
  std::unordered_map<std::string, size_t> index_;  // lower-case name -> position
};

// What parsing a hive text found.
struct RegParseReport {
  bool ok = false;        // false: no header line, or the text is too large
  std::string error;      // why, when !ok
  int skipped_lines = 0;  // lines that could not be read and were left out
  int first_skipped = 0;  // 1-based line number of the first of them, 0 = none
};

class RegHive {
 public:
  // Reads hive text. Accepts UTF-8 text with or without a UTF-8 byte-order mark,
  // and UTF-16 text (little- or big-endian) with its byte-order mark. The first line must be the
  // header; any line that cannot be read is skipped. Never fails on bad bytes
  // beyond reporting them.
  static RegHive Parse(std::string_view bytes, RegParseReport* report = nullptr);
  // The text form: header, then each key and its values, CRLF line ends, UTF-8
  // without a byte-order mark.
  std::string Serialize() const;

  // Key paths are split at backslashes; empty components are dropped.
  const RegKey* FindKey(std::string_view path) const;
  // Finds or creates the key and, `with_parents`, every missing key above it
  // (below the root). Returns nullptr when the path is empty, too long, starts
  // with "-" or holds a line break.
  RegKey* CreateKey(std::string_view path, bool with_parents = true);

  // Set a value, creating the key. False when a name or the data is invalid
  // (line break in a name, data beyond kMaxRegDataBytes).
  bool SetDword(std::string_view path, std::string_view name, uint32_t value);
  bool SetString(std::string_view path, std::string_view name, std::string_view text);
  bool SetValue(std::string_view path, RegValue value);

  const std::vector<RegKey>& keys() const { return keys_; }
  bool operator==(const RegHive& o) const { return keys_ == o.keys_; }

 private:
  std::vector<RegKey> keys_;
  std::unordered_map<std::string, size_t> index_;  // lower-case normalised path -> position
};

// "Windows Registry Editor Version 5.00"
extern const char kRegHeader[];

// ASCII-only lower case, the registry's comparison of names.
std::string RegFold(std::string_view s);

}  // namespace gp
