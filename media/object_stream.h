#pragma once
// The object stream of the container files: a resource header, the signature
// "TPF0", then one object record of typed values. The reader checks every
// length against the bytes it has; the writer emits what the reader accepts.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "media/byte_reader.h"

namespace gp {

inline constexpr const char* kInvalidStreamFormat = "Invalid stream format";
inline constexpr const char* kPropertyDoesNotExist = "Property does not exist";
inline constexpr const char* kInvalidPropertyValue = "Invalid property value";

// Value type bytes.
enum ValueType : uint8_t {
  kVaNull = 0,  // end of a list
  kVaList = 1,  // start of a list
  kVaInt8 = 2,
  kVaInt16 = 3,
  kVaInt32 = 4,
  kVaString = 6,  // short string
  kVaIdent = 7,   // identifier (named constant)
  kVaFalse = 8,
  kVaTrue = 9,
  kVaBinary = 10,
  kVaLString = 12,  // long string
  kVaCollection = 14,
};

struct BinaryView {
  const uint8_t* data = nullptr;
  size_t size = 0;
};

// Property names compare without regard to case.
bool SameName(std::string_view a, std::string_view b);

class ObjectStreamReader {
 public:
  ObjectStreamReader(const uint8_t* data, size_t size) : r_(data, size) {}

  // The resource header and the signature; "Invalid stream format" when wrong.
  void ReadHeader();
  // Flags prefix (when present), class name and object name of an object record.
  void ReadObjectStart();
  // The next property name of the current property list; empty at its end.
  std::string NextProperty();
  // The child object list that ends an object record (must be empty).
  void ReadObjectEnd();

  // Typed values; a value of another type raises "Invalid property value".
  int32_t ReadInteger();
  std::string ReadString();
  bool ReadBoolean();
  BinaryView ReadBinary();
  uint32_t ReadColour();  // an integer or a standard colour name, 0x00BBGGRR

  // A collection: BeginCollection, then while NextItem() read the item's
  // property list with NextProperty until it returns empty.
  void BeginCollection();
  bool NextItem();

 private:
  std::string ShortString();
  ByteReader r_;
};

class ObjectStreamWriter {
 public:
  // Resource header, signature and the root object's start.
  ObjectStreamWriter(std::string_view resource_name, std::string_view class_name,
                     std::string_view object_name);

  void Property(std::string_view name);
  void Integer(int32_t v);
  void String(std::string_view s);
  void Boolean(bool b);
  void Binary(const uint8_t* data, size_t size);
  void BeginCollection();
  void BeginItem();
  void EndList();  // ends a property list, an item list or a collection

  // Ends the root object and returns the whole file.
  Bytes Finish();

 private:
  void ShortString(std::string_view s);
  Bytes out_;
  size_t length_at_ = 0;  // where the header's "length of the rest" goes
};

}  // namespace gp
