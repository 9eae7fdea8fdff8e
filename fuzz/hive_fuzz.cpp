// Settings hives from untrusted bytes: reading must never crash or grow
// without bound, and whatever was read must come back unchanged after writing
// it out and reading it again. The same text as UTF-16 (either byte order,
// with its mark) reads as the same hive, and every string read as a player's
// name is a short, printable name that survives its own round trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/text_encoding.h"
#include "launcher/reg_hive.h"
#include "base/text_codepage.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// A name read from the file: at most 64 printable code-page characters, and
// written back (UTF-8) and read again it is the same name.
void CheckName(std::string_view stored) {
  const std::string name = gp::PlayerName(stored);
  Check(name.size() <= gp::kMaxNameChars);
  for (char c : name) Check(gp::WesternPrintable(static_cast<unsigned char>(c)));
  const std::string utf8 = gp::NameToUtf8(name);
  Check(gp::Utf8OrWestern(utf8) == utf8);
  Check(gp::PlayerName(utf8) == name);
}

// Every value read the ways the settings store reads it.
void ReadAll(const gp::RegHive& hive) {
  for (const gp::RegKey& key : hive.keys()) {
    Check(hive.FindKey(key.path()) == &key);
    for (const gp::RegValue& v : key.values()) {
      Check(key.Find(v.name) == &v);
      (void)v.AsDword();
      if (const std::optional<std::string> text = v.AsString()) CheckName(*text);
    }
  }
}

// Well-formed UTF-8 text (no mark) as UTF-16 with its mark.
std::string AsUtf16(std::string_view utf8, bool bigendian) {
  std::string out = bigendian ? "\xFE\xFF" : "\xFF\xFE";
  const std::string le = gp::Utf8ToUtf16le(utf8);
  for (size_t i = 0; i + 1 < le.size(); i += 2) {
    out += bigendian ? le[i + 1] : le[i];
    out += bigendian ? le[i] : le[i + 1];
  }
  return out;
}

// UTF-16 files read as the UTF-8 text they hold.
void CheckUtf16(std::string_view bytes, const gp::RegHive& hive) {
  if (gp::Utf8OrWestern(bytes) != bytes || bytes.starts_with("\xEF\xBB\xBF") ||
      bytes.size() > gp::kMaxHiveFileBytes / 4) {
    return;
  }
  for (bool bigendian : {false, true}) {
    gp::RegParseReport rep;
    const gp::RegHive wide = gp::RegHive::Parse(AsUtf16(bytes, bigendian), &rep);
    Check(rep.ok && wide == hive);
  }
}

// The input's bytes as a value name and text written through the API.
void WriteThroughApi(gp::RegHive hive, std::string_view bytes) {
  const std::string_view name = bytes.substr(0, bytes.size() % 41);
  const std::string_view text = bytes.substr(name.size());
  if (!hive.SetString("HKEY_CURRENT_USER\\Software\\fuzz\\key", name, text)) return;
  gp::RegParseReport rep;
  const gp::RegHive back = gp::RegHive::Parse(hive.Serialize(), &rep);
  Check(rep.ok && rep.skipped_lines == 0);
  const gp::RegKey* key = back.FindKey("hkey_current_user\\software\\FUZZ\\key");
  Check(key != nullptr && key->Find(name) != nullptr);
  const std::optional<std::string> read = key->Find(name)->AsString();
  Check(read.has_value());
  // A text with a line break goes through UTF-16; other texts come back byte for byte.
  if (text.find('\n') == std::string_view::npos) {
    Check(*read == text.substr(0, text.find('\0')));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckName(bytes);
  gp::RegParseReport rep;
  const gp::RegHive hive = gp::RegHive::Parse(bytes, &rep);
  if (!rep.ok) {
    Check(hive.keys().empty() && !rep.error.empty());
    return 0;
  }
  ReadAll(hive);
  CheckUtf16(bytes, hive);
  const std::string text = hive.Serialize();
  gp::RegParseReport again;
  const gp::RegHive back = gp::RegHive::Parse(text, &again);
  Check(again.ok && again.skipped_lines == 0);
  Check(back == hive);
  Check(back.Serialize() == text);
  WriteThroughApi(hive, bytes);
  return 0;
}
