#include "base/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace gp {

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Up to 32 bits of hexadecimal digits, taken as a signed 32-bit value.
bool ParseHex(std::string_view digits, int32_t& out) {
  if (digits.empty()) return false;
  uint64_t v = 0;
  for (char c : digits) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    v = v * 16 + static_cast<uint64_t>(d);
    if (v > 0xFFFFFFFFull) return false;
  }
  out = static_cast<int32_t>(static_cast<uint32_t>(v));
  return true;
}

bool ParseDecimal(std::string_view t, int32_t& out) {
  bool negative = false;
  if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  if (t.empty()) return false;
  int64_t v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > 2147483647LL) return false;
  out = static_cast<int32_t>(v);
  return true;
}

std::string LineFault(int line, const std::string& what) {
  return "line " + std::to_string(line) + ": " + what;
}

}  // namespace

std::string CheckProfileText(std::string_view text) {
  std::vector<std::string> sections, keys;  // lower case; keys of the current section
  for (int number = 1; !text.empty(); ++number) {
    // Lines end where the lenient reader ends them: at CR, LF or CR LF.
    size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = TrimProfileBlanks(text.substr(0, end));
    const bool crlf = end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n';
    text.remove_prefix(std::min(text.size(), end + (crlf ? 2 : 1)));
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      if (line.back() != ']') return LineFault(number, "a section line must end with ']'");
      const std::string name = Lower(TrimProfileBlanks(line.substr(1, line.size() - 2)));
      if (name.empty()) return LineFault(number, "a section needs a name");
      for (const std::string& s : sections) {
        if (s == name) return LineFault(number, "section [" + name + "] occurs twice");
      }
      sections.push_back(name);
      keys.clear();
      continue;
    }
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      return LineFault(number, "neither a section, a key=value nor a comment");
    }
    const std::string key = Lower(TrimProfileBlanks(line.substr(0, eq)));
    if (key.empty()) return LineFault(number, "a key needs a name before '='");
    if (sections.empty()) return LineFault(number, "key " + key + " comes before any section");
    for (const std::string& k : keys) {
      if (k == key) return LineFault(number, "key " + key + " occurs twice");
    }
    keys.push_back(key);
  }
  return "";
}

bool ParseProfileNumber(std::string_view text, int32_t& out) {
  if (text.empty()) return false;
  if (text.front() == '$') return ParseHex(text.substr(1), out);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return ParseHex(text.substr(2), out);
  }
  return ParseDecimal(text, out);
}

Profile Profile::FromText(std::string_view text) {
  Profile p;
  Keys* current = nullptr;  // nullptr: before any section, or inside a repeated one
  while (!text.empty()) {
    size_t end = 0;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    const std::string_view line = TrimProfileBlanks(text.substr(0, end));
    text.remove_prefix(end < text.size() ? end + 1 : end);

    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      if (close == std::string_view::npos) continue;
      auto [it, fresh] = p.sections_.try_emplace(Lower(TrimProfileBlanks(line.substr(1, close - 1))));
      current = fresh ? &it->second : nullptr;
      continue;
    }
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos || current == nullptr) continue;
    const std::string_view key = TrimProfileBlanks(line.substr(0, eq));
    if (key.empty()) continue;
    std::string_view value = TrimProfileBlanks(line.substr(eq + 1));
    if (value.size() > kMaxProfileText) value = value.substr(0, kMaxProfileText);
    current->try_emplace(Lower(key), value);
  }
  return p;
}

Profile Profile::FromFile(const std::string& path) {
  // Opened without waiting, so that a pipe in the file's place cannot hold the reader.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Profile();
  struct stat st {};
  std::string bytes;
  bool failed = ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
                static_cast<uintmax_t>(st.st_size) > kMaxProfileFileBytes;
  char buf[65536];
  while (!failed) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failed = n < 0;
      break;
    }
    bytes.append(buf, static_cast<size_t>(n));
    failed = bytes.size() > kMaxProfileFileBytes;
  }
  ::close(fd);
  // A file that cannot be read through counts as missing.
  return failed ? Profile() : FromText(bytes);
}

const std::string* Profile::Find(std::string_view section, std::string_view key) const {
  const auto s = sections_.find(Lower(TrimProfileBlanks(section)));
  if (s == sections_.end()) return nullptr;
  const auto k = s->second.find(Lower(TrimProfileBlanks(key)));
  return k == s->second.end() ? nullptr : &k->second;
}

int32_t Profile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  const std::string* v = Find(section, key);
  int32_t out = def;
  if (v == nullptr || !ParseProfileNumber(*v, out)) return def;
  return out;
}

bool Profile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

std::string Profile::ReadString(std::string_view section, std::string_view key,
                                const std::string& def) const {
  const std::string* v = Find(section, key);
  return v == nullptr ? def : *v;
}

}  // namespace gp
