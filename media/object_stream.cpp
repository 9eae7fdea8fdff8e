#include "media/object_stream.h"

#include <algorithm>

namespace gp {

namespace {

constexpr uint16_t kResourceType = 10;

struct NamedColour {
  const char* name;
  uint32_t value;
};

// Standard colour names that a colour property may hold, 0x00BBGGRR.
constexpr NamedColour kColourNames[] = {
    {"clBlack", 0x000000},      {"clMaroon", 0x000080},  {"clGreen", 0x008000},
    {"clOlive", 0x008080},      {"clNavy", 0x800000},    {"clPurple", 0x800080},
    {"clTeal", 0x808000},       {"clGray", 0x808080},    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},        {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},       {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},      {"clLtGray", 0xC0C0C0},  {"clDkGray", 0x808080},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
};

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

void ObjectStreamReader::ReadHeader() {
  if (r_.U8() != 0xFF || r_.U16() != kResourceType) throw AssetError(kInvalidStreamFormat);
  while (r_.U8() != 0) {
  }
  r_.Skip(2 + 4);  // flags, length of the rest: not used
  if (r_.Str(4) != "TPF0") throw AssetError(kInvalidStreamFormat);
}

std::string ObjectStreamReader::ShortString() {
  return r_.Str(r_.U8());
}

void ObjectStreamReader::ReadObjectStart() {
  const uint8_t prefix = r_.Peek();
  if ((prefix & 0xF0) == 0xF0) {
    r_.U8();
    if (prefix & 0x02) ReadInteger();  // child position, not used
  }
  ShortString();  // class name
  ShortString();  // object name
}

std::string ObjectStreamReader::NextProperty() {
  return ShortString();
}

void ObjectStreamReader::ReadObjectEnd() {
  if (r_.U8() != kVaNull) throw AssetError(kInvalidStreamFormat);
}

int32_t ObjectStreamReader::ReadInteger() {
  switch (r_.U8()) {
    case kVaInt8:
      return static_cast<int8_t>(r_.U8());
    case kVaInt16:
      return static_cast<int16_t>(r_.U16());
    case kVaInt32:
      return r_.I32();
    default:
      throw AssetError(kInvalidPropertyValue);
  }
}

std::string ObjectStreamReader::ReadString() {
  switch (r_.U8()) {
    case kVaString:
      return ShortString();
    case kVaLString:
      return r_.Str(r_.U32());
    default:
      throw AssetError(kInvalidPropertyValue);
  }
}

bool ObjectStreamReader::ReadBoolean() {
  switch (r_.U8()) {
    case kVaFalse:
      return false;
    case kVaTrue:
      return true;
    default:
      throw AssetError(kInvalidPropertyValue);
  }
}

BinaryView ObjectStreamReader::ReadBinary() {
  if (r_.U8() != kVaBinary) throw AssetError(kInvalidPropertyValue);
  BinaryView v;
  v.size = r_.U32();
  v.data = r_.Bytes(v.size);
  return v;
}

uint32_t ObjectStreamReader::ReadColour() {
  const uint8_t type = r_.Peek();
  if (type != kVaIdent) return static_cast<uint32_t>(ReadInteger());
  r_.U8();
  const std::string name = ShortString();
  for (const NamedColour& c : kColourNames) {
    if (SameName(name, c.name)) return c.value;
  }
  throw AssetError(kInvalidPropertyValue);
}

void ObjectStreamReader::BeginCollection() {
  if (r_.U8() != kVaCollection) throw AssetError(kInvalidPropertyValue);
}

bool ObjectStreamReader::NextItem() {
  const uint8_t next = r_.Peek();
  if (next == kVaNull) {
    r_.U8();
    return false;
  }
  if (next == kVaInt8 || next == kVaInt16 || next == kVaInt32) ReadInteger();  // order number
  if (r_.U8() != kVaList) throw AssetError(kInvalidPropertyValue);
  return true;
}

ObjectStreamWriter::ObjectStreamWriter(std::string_view resource_name, std::string_view class_name,
                                       std::string_view object_name) {
  PutU8(out_, 0xFF);
  PutU16(out_, kResourceType);
  PutBytes(out_, resource_name.data(), resource_name.size());
  PutU8(out_, 0);
  PutU16(out_, 0x1030);  // flags: moveable, pure
  length_at_ = out_.size();
  PutU32(out_, 0);
  PutBytes(out_, "TPF0", 4);
  ShortString(class_name);
  ShortString(object_name);
}

void ObjectStreamWriter::ShortString(std::string_view s) {
  const size_t n = std::min<size_t>(s.size(), 255);
  PutU8(out_, static_cast<uint8_t>(n));
  PutBytes(out_, s.data(), n);
}

void ObjectStreamWriter::Property(std::string_view name) {
  ShortString(name);
}

void ObjectStreamWriter::Integer(int32_t v) {
  if (v >= -128 && v <= 127) {
    PutU8(out_, kVaInt8);
    PutU8(out_, static_cast<uint8_t>(v));
  } else if (v >= -32768 && v <= 32767) {
    PutU8(out_, kVaInt16);
    PutU16(out_, static_cast<uint16_t>(v));
  } else {
    PutU8(out_, kVaInt32);
    PutU32(out_, static_cast<uint32_t>(v));
  }
}

void ObjectStreamWriter::String(std::string_view s) {
  if (s.size() <= 255) {
    PutU8(out_, kVaString);
    ShortString(s);
  } else {
    PutU8(out_, kVaLString);
    PutU32(out_, static_cast<uint32_t>(s.size()));
    PutBytes(out_, s.data(), s.size());
  }
}

void ObjectStreamWriter::Boolean(bool b) {
  PutU8(out_, b ? kVaTrue : kVaFalse);
}

void ObjectStreamWriter::Binary(const uint8_t* data, size_t size) {
  PutU8(out_, kVaBinary);
  PutU32(out_, static_cast<uint32_t>(size));
  PutBytes(out_, data, size);
}

void ObjectStreamWriter::BeginCollection() {
  PutU8(out_, kVaCollection);
}
void ObjectStreamWriter::BeginItem() {
  PutU8(out_, kVaList);
}
void ObjectStreamWriter::EndList() {
  PutU8(out_, kVaNull);
}

Bytes ObjectStreamWriter::Finish() {
  EndList();  // root property list
  EndList();  // root child objects
  const uint32_t rest = static_cast<uint32_t>(out_.size() - length_at_ - 4);
  for (int i = 0; i < 4; ++i) out_[length_at_ + i] = static_cast<uint8_t>(rest >> (8 * i));
  return std::move(out_);
}

}  // namespace gp
