// Settings hives from untrusted bytes: reading must never crash or grow
// without bound, and whatever was read must come back unchanged after writing
// it out and reading it again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "launcher/reg_hive.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Every value read the ways the settings store reads it.
void ReadAll(const gp::RegHive& hive) {
  for (const gp::RegKey& key : hive.keys()) {
    Check(hive.FindKey(key.path()) == &key);
    for (const gp::RegValue& v : key.values()) {
      Check(key.Find(v.name) == &v);
      (void)v.AsDword();
      (void)v.AsString();
    }
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
  gp::RegParseReport rep;
  const gp::RegHive hive = gp::RegHive::Parse(bytes, &rep);
  if (!rep.ok) {
    Check(hive.keys().empty() && !rep.error.empty());
    return 0;
  }
  ReadAll(hive);
  const std::string text = hive.Serialize();
  gp::RegParseReport again;
  const gp::RegHive back = gp::RegHive::Parse(text, &again);
  Check(again.ok && again.skipped_lines == 0);
  Check(back == hive);
  Check(back.Serialize() == text);
  WriteThroughApi(hive, bytes);
  return 0;
}
