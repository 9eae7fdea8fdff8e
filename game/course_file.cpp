#include "game/course_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "base/profile.h"
#include "game/state.h"

namespace gp {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCourseSection = "course";
constexpr const char* kCourseKeys[] = {"name", "holes", "extra"};

// Valid UTF-8 without control characters (a name is shown and printed as it is).
bool PrintableUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x20 || c == 0x7F) return false;
    size_t len = 1;
    uint32_t cp = c, least = 0;
    if ((c & 0xE0) == 0xC0) {
      len = 2, cp = c & 0x1F, least = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3, cp = c & 0x0F, least = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4, cp = c & 0x07, least = 0x10000;
    } else if (c >= 0x80) {
      return false;
    }
    if (i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k) {
      const auto d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = cp << 6 | (d & 0x3F);
    }
    // Overlong forms, surrogates, code points past U+10FFFF, C1 controls.
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) ||
        (cp >= 0x80 && cp < 0xA0)) {
      return false;
    }
    i += len;
  }
  return true;
}

std::string Trimmed(std::string_view s) {
  const size_t a = s.find_first_not_of(" \t");
  if (a == std::string_view::npos) return "";
  return std::string(s.substr(a, s.find_last_not_of(" \t") - a + 1));
}

std::string Lowered(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

std::string Quoted(std::string_view s) {
  return "\"" + std::string(s) + "\"";
}

// The comma-separated hole names of one key; an error text or "".
std::string SplitHoles(const std::string& key, const std::string& value,
                       std::vector<std::string>& out) {
  out.clear();
  if (value.empty()) return "";
  size_t start = 0;
  while (true) {
    const size_t comma = value.find(',', start);
    const std::string name = Trimmed(
        std::string_view(value).substr(start, comma == std::string::npos ? comma : comma - start));
    if (name.empty()) return key + "= has an empty name between commas";
    if (!ValidHoleName(name)) {
      return key + "= " + Quoted(name) +
             " is not a hole name (up to 64 letters, digits, '_' and '-')";
    }
    out.push_back(name);
    if (comma == std::string::npos) return "";
    start = comma + 1;
  }
}

// Only the [course] section and its three keys may appear. Runs on text that
// CheckProfileText accepted, so every line is blank, a comment, a section or a key.
std::string UnknownNames(std::string_view text, bool& section) {
  section = false;
  for (int number = 1; !text.empty(); ++number) {
    size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) end = text.size();
    const std::string line = Trimmed(text.substr(0, end));
    const bool crlf = end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n';
    text.remove_prefix(std::min(text.size(), end + (crlf ? 2 : 1)));
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    const std::string where = "line " + std::to_string(number) + ": ";
    if (line[0] == '[') {
      const std::string name = Lowered(Trimmed(std::string_view(line).substr(1, line.size() - 2)));
      if (name != kCourseSection) return where + "unknown section [" + name + "] (only [course])";
      section = true;
      continue;
    }
    const std::string key = Lowered(Trimmed(std::string_view(line).substr(0, line.find('='))));
    if (std::find(std::begin(kCourseKeys), std::end(kCourseKeys), key) == std::end(kCourseKeys)) {
      return where + "unknown key " + key + " (name, holes, extra)";
    }
  }
  return "";
}

std::string CheckNames(const Course& c) {
  if (c.holes.empty()) return "holes= names no hole";
  if (c.holes.size() > static_cast<size_t>(kMaxHoles)) {
    return "holes= names " + std::to_string(c.holes.size()) + " holes; a game has at most " +
           std::to_string(kMaxHoles);
  }
  if (c.extra.size() > static_cast<size_t>(kMaxExtraHoles)) {
    return "extra= names more than " + std::to_string(kMaxExtraHoles) + " holes";
  }
  const std::vector<std::string> all = c.AllHoles();
  for (size_t i = 0; i < all.size(); ++i) {
    if (std::find(all.begin(), all.begin() + static_cast<long>(i), all[i]) !=
        all.begin() + static_cast<long>(i)) {
      return "hole " + Quoted(all[i]) + " is named twice";
    }
  }
  return "";
}

}  // namespace

std::vector<std::string> Course::AllHoles() const {
  std::vector<std::string> all = holes;
  all.insert(all.end(), extra.begin(), extra.end());
  return all;
}

bool Course::Has(const std::string& hole) const {
  return std::find(holes.begin(), holes.end(), hole) != holes.end() ||
         std::find(extra.begin(), extra.end(), hole) != extra.end();
}

bool ValidHoleName(std::string_view name) {
  if (name.empty() || name.size() > kMaxHoleName) return false;
  return std::all_of(name.begin(), name.end(), [](char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
           ch == '_' || ch == '-';
  });
}

std::string ParseCourse(std::string_view text, Course& out) {
  if (text.size() > kMaxCourseFileBytes) {
    return "larger than " + std::to_string(kMaxCourseFileBytes / 1024) + " KB";
  }
  if (text.find('\0') != std::string_view::npos) return "holds a zero byte: not a text file";
  if (std::string e = CheckProfileText(text); !e.empty()) return e;
  bool section = false;
  if (std::string e = UnknownNames(text, section); !e.empty()) return e;
  if (!section) return "no [course] section";
  const Profile p = Profile::FromText(text);
  const std::string* name = p.Find(kCourseSection, "name");
  Course c;
  c.folder = out.folder;
  if (name == nullptr || name->empty()) return "name= is missing";
  if (name->size() > kMaxCourseName) {
    return "name= is longer than " + std::to_string(kMaxCourseName) + " characters";
  }
  if (!PrintableUtf8(*name)) return "name= is not printable UTF-8 text";
  c.name = *name;
  const std::string* holes = p.Find(kCourseSection, "holes");
  if (holes == nullptr) return "holes= is missing";
  if (std::string e = SplitHoles("holes", *holes, c.holes); !e.empty()) return e;
  if (const std::string* extra = p.Find(kCourseSection, "extra")) {
    if (std::string e = SplitHoles("extra", *extra, c.extra); !e.empty()) return e;
  }
  if (std::string e = CheckNames(c); !e.empty()) return e;
  out = std::move(c);
  return "";
}

std::string FormatCourse(const Course& c) {
  const auto join = [](const std::vector<std::string>& names) {
    std::string s;
    for (const std::string& n : names) s += (s.empty() ? "" : ", ") + n;
    return s;
  };
  std::string s = "[course]\nname=" + c.name + "\nholes=" + join(c.holes) + "\n";
  if (!c.extra.empty()) s += "extra=" + join(c.extra) + "\n";
  return s;
}

std::string ReadCourse(const std::string& folder, Course& out) {
  return ReadCourseFile(folder + kCourseFile, out);
}

std::string ReadCourseFile(const std::string& path, Course& out) {
  const fs::path p(path);
  const std::string file = p.filename().string();
  std::error_code ec;
  if (!fs::is_regular_file(p, ec)) return file + ": missing";
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return file + ": cannot be read";
  std::string text;
  char buf[4096];
  size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0 && text.size() <= kMaxCourseFileBytes) {
    text.append(buf, n);
  }
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return file + ": cannot be read";
  std::string folder = p.parent_path().string();
  out.folder = folder.empty() ? "./" : folder + "/";
  if (std::string e = ParseCourse(text, out); !e.empty()) return file + ": " + e;
  return "";
}

std::string CheckHoleFiles(const Course& c) {
  for (const std::string& hole : c.AllHoles()) {
    const fs::path path = c.folder + hole + ".hole";
    std::error_code ec;
    if (!fs::exists(path, ec)) return hole + ".hole is missing";
    if (!fs::is_regular_file(path, ec)) return hole + ".hole is not a file";
    const uintmax_t size = fs::file_size(path, ec);
    if (ec) return hole + ".hole cannot be read";
    if (size > kMaxHoleFileBytes) return hole + ".hole is larger than 1 MB";
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return hole + ".hole cannot be read";
    std::fclose(f);
  }
  return "";
}

}  // namespace gp
