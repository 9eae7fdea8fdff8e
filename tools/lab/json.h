#pragma once
// A small JSON writer for the lab's output: objects, arrays, numbers, strings.
// Numbers are printed with %.17g (doubles) or as integers; strings are escaped.
// Game text (names, messages) is in the single-byte Western code page; file
// and folder names are UTF-8 (Utf8String).

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "base/text_encoding.h"

namespace gp::lab {

class Json {
 public:
  Json& BeginObject() {
    Sep();
    out_ += '{';
    first_ = true;
    return *this;
  }
  Json& EndObject() {
    out_ += '}';
    first_ = false;
    return *this;
  }
  Json& BeginArray() {
    Sep();
    out_ += '[';
    first_ = true;
    return *this;
  }
  Json& EndArray() {
    out_ += ']';
    first_ = false;
    return *this;
  }
  // The key of the next value inside an object.
  Json& Key(std::string_view k) {
    Sep();
    Str(k);
    out_ += ':';
    first_ = true;  // the value follows without a comma
    return *this;
  }
  Json& Int(int64_t v) {
    Sep();
    out_ += std::to_string(v);
    return *this;
  }
  Json& Num(double v) {
    Sep();
    if (!std::isfinite(v)) {  // JSON has no infinities or NaN
      out_ += "null";
      return *this;
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    out_ += buf;
    return *this;
  }
  Json& Null() {
    Sep();
    out_ += "null";
    return *this;
  }
  Json& Bool(bool v) {
    Sep();
    out_ += v ? "true" : "false";
    return *this;
  }
  Json& String(std::string_view s) {
    Sep();
    Str(s);
    return *this;
  }
  // Text already in UTF-8 (a byte that is not is read in the Western code page).
  Json& Utf8String(std::string_view s) {
    Sep();
    Str(Utf8OrWestern(s), true);
    return *this;
  }

  template <typename T>
  Json& Field(std::string_view k, const T& v);

  const std::string& str() const { return out_; }
  // Prints the document and a newline on standard output.
  void Print() const {
    std::fwrite(out_.data(), 1, out_.size(), stdout);
    std::fputc('\n', stdout);
  }

 private:
  void Sep() {
    if (!first_ && !out_.empty()) out_ += ',';
    first_ = false;
  }
  void Str(std::string_view s, bool utf8 = false) {
    out_ += '"';
    for (unsigned char c : s) {
      switch (c) {
        case '"':
          out_ += "\\\"";
          break;
        case '\\':
          out_ += "\\\\";
          break;
        case '\n':
          out_ += "\\n";
          break;
        case '\r':
          out_ += "\\r";
          break;
        case '\t':
          out_ += "\\t";
          break;
        default:
          if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out_ += buf;
          } else if (c >= 0x80 && !utf8) {
            const char32_t cp = WesternCodePoint(c);
            AppendUtf8(out_, cp != 0 ? cp : U'\uFFFD');
          } else {
            out_ += static_cast<char>(c);
          }
      }
    }
    out_ += '"';
  }

  std::string out_;
  bool first_ = true;
};

template <>
inline Json& Json::Field<int>(std::string_view k, const int& v) {
  return Key(k).Int(v);
}
template <>
inline Json& Json::Field<int64_t>(std::string_view k, const int64_t& v) {
  return Key(k).Int(v);
}
template <>
inline Json& Json::Field<double>(std::string_view k, const double& v) {
  return Key(k).Num(v);
}
template <>
inline Json& Json::Field<bool>(std::string_view k, const bool& v) {
  return Key(k).Bool(v);
}
template <>
inline Json& Json::Field<std::string>(std::string_view k, const std::string& v) {
  return Key(k).String(v);
}

}  // namespace gp::lab
