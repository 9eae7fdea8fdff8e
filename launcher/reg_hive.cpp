#include "launcher/reg_hive.h"

#include <utility>

#include "base/text_encoding.h"

namespace gp {

const char kRegHeader[] = "Windows Registry Editor Version 5.00";

namespace {

constexpr size_t kHexBytesPerLine = 24;  // written hex data wraps after this many bytes
// Longest hex text (all continuation lines joined) looked at: room for
// kMaxRegDataBytes bytes as "xx," plus some blanks.
constexpr size_t kMaxHexText = 4 * kMaxRegDataBytes;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  return TrimRight(TrimLeft(s));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Takes 1 to `max_digits` hexadecimal digits from the front of `s`.
bool TakeHexNumber(std::string_view& s, size_t max_digits, uint32_t& out) {
  size_t n = 0;
  uint32_t v = 0;
  while (n < s.size() && HexDigit(s[n]) >= 0) {
    if (n == max_digits) return false;
    v = v * 16 + static_cast<uint32_t>(HexDigit(s[n]));
    ++n;
  }
  if (n == 0) return false;
  s.remove_prefix(n);
  out = v;
  return true;
}

// Case-insensitive "starts with" that also removes the prefix.
bool TakePrefix(std::string_view& s, std::string_view prefix) {
  if (s.size() < prefix.size() || RegFold(s.substr(0, prefix.size())) != prefix) return false;
  s.remove_prefix(prefix.size());
  return true;
}

// Components split at backslashes, empty ones dropped, joined again.
std::string NormalizePath(std::string_view path) {
  std::string out;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) {
      if (!out.empty()) out += '\\';
      out.append(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return out;
}

// A string value written in quotes would not survive a line break; such text is
// written as hex(1), UTF-16LE with its terminating zero.
bool NeedsHexForm(const RegValue& v) {
  return v.form == RegValue::Form::kString && v.data.find('\n') != std::string::npos;
}

bool FitsLimits(const RegValue& v) {
  if (v.name.size() > kMaxRegNameBytes || v.name.find('\n') != std::string::npos) return false;
  if (v.data.size() > kMaxRegDataBytes) return false;
  return !NeedsHexForm(v) || Utf8ToUtf16le(v.data).size() + 2 <= kMaxRegDataBytes;
}

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  out += '"';
}

void AppendHex(std::string& out, uint32_t type, std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  if (type == kRegBinary) {
    out += "hex:";
  } else {
    out += "hex(";
    std::string n;
    do {
      n.insert(n.begin(), kDigits[type & 15]);
      type >>= 4;
    } while (type != 0);
    out += n + "):";
  }
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) {
      out += ',';
      if (i % kHexBytesPerLine == 0) out += "\\\r\n  ";
    }
    const auto b = static_cast<uint8_t>(bytes[i]);
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
}

void AppendValue(std::string& out, const RegValue& v) {
  if (v.name.empty()) {
    out += '@';
  } else {
    AppendQuoted(out, v.name);
  }
  out += '=';
  if (v.form == RegValue::Form::kDword) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "dword:";
    for (int shift = 28; shift >= 0; shift -= 4) out += kDigits[(v.dword >> shift) & 15];
  } else if (NeedsHexForm(v)) {
    AppendHex(out, kRegSz, Utf8ToUtf16le(v.data) + std::string(2, '\0'));
  } else if (v.form == RegValue::Form::kString) {
    AppendQuoted(out, v.data);
  } else {
    AppendHex(out, v.type, v.data);
  }
  out += "\r\n";
}

// Hands out the lines of a text one by one, without their line ends.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  bool Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(pos_, end - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = end + 1;
    ++number_;
    return true;
  }
  int number() const { return number_; }

 private:
  std::string_view text_;
  size_t pos_ = 0;
  int number_ = 0;
};

// Reads a quoted name or text at the front of `s` (escapes \" and \\; any other
// backslash stays as it is). False when unterminated or longer than `max`.
bool TakeQuoted(std::string_view& s, size_t max, std::string& out) {
  if (s.empty() || s.front() != '"') return false;
  out.clear();
  for (size_t i = 1; i < s.size(); ++i) {
    char c = s[i];
    if (c == '"') {
      s.remove_prefix(i + 1);
      return true;
    }
    if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '"' || s[i + 1] == '\\')) c = s[++i];
    if (out.size() == max) return false;
    out += c;
  }
  return false;
}

// After a value only blanks and a comment may follow.
bool OnlyCommentLeft(std::string_view rest) {
  rest = TrimLeft(rest);
  return rest.empty() || rest.front() == ';';
}

class Parser {
 public:
  Parser(std::string_view text, RegHive& hive, RegParseReport& report)
      : lines_(text), hive_(hive), report_(report) {}

  void Run() {
    std::string_view line;
    lines_.Next(line);  // the header, already checked
    while (lines_.Next(line)) {
      const int number = lines_.number();
      const std::string_view t = Trim(line);
      if (t.empty() || t.front() == ';') continue;
      const bool ok = t.front() == '[' ? KeyLine(t) : ValueLine(t);
      if (!ok) {
        if (report_.skipped_lines++ == 0) report_.first_skipped = number;
      }
    }
  }

 private:
  // "[path]"; a bad key line also makes the values below it homeless. A file
  // lists the keys it has: the keys above them are not made up.
  bool KeyLine(std::string_view t) {
    have_key_ = false;
    if (t.size() < 3 || t.back() != ']' || t[1] == '-') return false;
    key_ = NormalizePath(t.substr(1, t.size() - 2));
    have_key_ = hive_.CreateKey(key_, false) != nullptr;
    return have_key_;
  }

  bool ValueLine(std::string_view t) {
    RegValue v;
    const bool parsed = ParseValue(t, v);  // always consumes continuation lines
    return parsed && have_key_ && hive_.SetValue(key_, std::move(v));
  }

  bool ParseValue(std::string_view t, RegValue& v) {
    if (t.front() == '@') {
      t.remove_prefix(1);
    } else if (!TakeQuoted(t, kMaxRegNameBytes, v.name)) {
      return false;
    }
    t = TrimLeft(t);
    if (t.empty() || t.front() != '=') return false;
    t = TrimLeft(t.substr(1));
    if (!t.empty() && t.front() == '"') {
      v.form = RegValue::Form::kString;
      v.type = kRegSz;
      return TakeQuoted(t, kMaxRegDataBytes, v.data) && OnlyCommentLeft(t);
    }
    if (TakePrefix(t, "dword:")) {
      v.form = RegValue::Form::kDword;
      v.type = kRegDword;
      return TakeHexNumber(t, 8, v.dword) && OnlyCommentLeft(t);
    }
    if (!TakePrefix(t, "hex")) return false;
    v.form = RegValue::Form::kHex;
    v.type = kRegBinary;
    if (!t.empty() && t.front() == '(') {
      t.remove_prefix(1);
      if (!TakeHexNumber(t, 8, v.type) || !TakePrefix(t, ")")) return SkipContinuation(t);
    }
    if (!TakePrefix(t, ":")) return SkipContinuation(t);
    return HexData(t, v.data);
  }

  // Joins the continuation lines of a hex value (a line ending in a backslash
  // goes on in the next one; a comment ends it), then reads comma-separated bytes.
  bool HexData(std::string_view t, std::string& data) {
    std::string text;
    bool fits = true, more = true;
    while (more) {
      t = TrimRight(t.substr(0, t.find(';')));
      more = !t.empty() && t.back() == '\\';
      if (more) t.remove_suffix(1);
      if (fits && text.size() + t.size() <= kMaxHexText) {
        text.append(t);
      } else {
        fits = false;
      }
      if (more && !NextContinuation(t)) return false;
    }
    return fits && ParseHexBytes(text, data);
  }

  // The next line, unless the file ends or the line starts a key or a value
  // (then a damaged value does not swallow it).
  bool NextContinuation(std::string_view& t) {
    LineReader ahead = lines_;
    if (!ahead.Next(t)) return false;
    const std::string_view start = TrimLeft(t);
    if (!start.empty() && (start.front() == '[' || start.front() == '"' || start.front() == '@')) {
      return false;
    }
    lines_ = ahead;
    return true;
  }

  bool SkipContinuation(std::string_view t) {
    std::string ignored;
    HexData(t, ignored);
    return false;
  }

  static bool ParseHexBytes(std::string_view text, std::string& data) {
    text = Trim(text);
    if (text.empty()) return true;
    while (true) {
      const size_t comma = text.find(',');
      std::string_view token = Trim(text.substr(0, comma));
      uint32_t b = 0;
      if (!TakeHexNumber(token, 2, b) || !token.empty()) return false;
      if (data.size() == kMaxRegDataBytes) return false;
      data += static_cast<char>(b);
      if (comma == std::string_view::npos) return true;
      text.remove_prefix(comma + 1);
    }
  }

  LineReader lines_;
  RegHive& hive_;
  RegParseReport& report_;
  std::string key_;  // the current key's normalised path
  bool have_key_ = false;
};

}  // namespace

std::string RegFold(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::optional<uint32_t> RegValue::AsDword() const {
  if (form == Form::kDword) return dword;
  if (form == Form::kHex && type == kRegDword && data.size() == 4) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(data[i]);
    return v;
  }
  return std::nullopt;
}

std::optional<std::string> RegValue::AsString() const {
  if (form == Form::kString) return data.substr(0, data.find('\0'));
  if (form == Form::kHex && (type == kRegSz || type == kRegExpandSz)) {
    return Utf16ToUtf8(data, false, true);
  }
  return std::nullopt;
}

const RegValue* RegKey::Find(std::string_view name) const {
  const auto it = index_.find(RegFold(name));
  return it == index_.end() ? nullptr : &values_[it->second];
}

void RegKey::Set(RegValue value) {
  const auto [it, added] = index_.try_emplace(RegFold(value.name), values_.size());
  if (added) {
    values_.push_back(std::move(value));
  } else {
    value.name = std::move(values_[it->second].name);
    values_[it->second] = std::move(value);
  }
}

RegHive RegHive::Parse(std::string_view bytes, RegParseReport* report) {
  RegParseReport local;
  RegParseReport& rep = report ? *report : local;
  rep = {};
  RegHive hive;
  if (bytes.size() > kMaxHiveFileBytes) {
    rep.error = "the file is larger than " + std::to_string(kMaxHiveFileBytes) + " bytes";
    return hive;
  }
  std::string converted;
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    converted = Utf16ToUtf8(bytes.substr(2), bytes[0] == '\xFE', false);
    bytes = converted;
  } else if (bytes.starts_with("\xEF\xBB\xBF")) {
    bytes.remove_prefix(3);
  }
  std::string_view first;
  LineReader(bytes).Next(first);
  if (TrimRight(first) != kRegHeader) {
    rep.error = std::string("the first line is not \"") + kRegHeader + "\"";
    return hive;
  }
  rep.ok = true;
  Parser(bytes, hive, rep).Run();
  return hive;
}

std::string RegHive::Serialize() const {
  std::string out = kRegHeader;
  out += "\r\n\r\n";
  for (const RegKey& key : keys_) {
    out += '[' + key.path() + "]\r\n";
    for (const RegValue& v : key.values()) AppendValue(out, v);
    out += "\r\n";
  }
  return out;
}

const RegKey* RegHive::FindKey(std::string_view path) const {
  const auto it = index_.find(RegFold(NormalizePath(path)));
  return it == index_.end() ? nullptr : &keys_[it->second];
}

RegKey* RegHive::CreateKey(std::string_view path, bool with_parents) {
  const std::string norm = NormalizePath(path);
  if (norm.empty() || norm.size() > kMaxRegNameBytes || norm.front() == '-' ||
      norm.find('\n') != std::string::npos) {
    return nullptr;
  }
  const auto found = index_.find(RegFold(norm));
  if (found != index_.end()) return &keys_[found->second];
  // Every key between the root and this one exists in a real registry too.
  const size_t last = norm.rfind('\\');
  const RegKey* parent = nullptr;
  if (last != std::string::npos && norm.find('\\') != last) {
    const std::string above = norm.substr(0, last);
    parent = with_parents ? CreateKey(above, true) : FindKey(above);
  }
  index_.emplace(RegFold(norm), keys_.size());
  // Under an existing key, its spelling stands.
  keys_.emplace_back(parent != nullptr ? parent->path() + norm.substr(last) : norm);
  return &keys_.back();
}

bool RegHive::SetValue(std::string_view path, RegValue value) {
  if (value.form == RegValue::Form::kDword) {
    value.type = kRegDword;
    value.data.clear();
  } else if (value.form == RegValue::Form::kString) {
    value.type = kRegSz;
  }
  if (!FitsLimits(value)) return false;
  RegKey* key = CreateKey(path);
  if (key == nullptr) return false;
  key->Set(std::move(value));
  return true;
}

bool RegHive::SetDword(std::string_view path, std::string_view name, uint32_t value) {
  RegValue v;
  v.name = name;
  v.form = RegValue::Form::kDword;
  v.dword = value;
  return SetValue(path, std::move(v));
}

bool RegHive::SetString(std::string_view path, std::string_view name, std::string_view text) {
  RegValue v;
  v.name = name;
  v.data = text;
  return SetValue(path, std::move(v));
}

}  // namespace gp
