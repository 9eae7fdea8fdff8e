#include "media/image_list.h"

#include <algorithm>

#include "base/asset_error.h"
#include "media/bitmap_codec.h"
#include "media/object_stream.h"
#include "media/rgb565.h"

namespace gp {

namespace {

// One property of an image item; unknown names raise "Property does not exist".
// `pixels` counts the pixels of the list's pictures so far; a picture that would
// take it past the limit is refused before it is decoded.
void ReadImageProperty(ObjectStreamReader& s, const std::string& name, ImageItem& item,
                       int64_t& pixels) {
  if (SameName(name, "Name")) {
    item.name = s.ReadString();
  } else if (SameName(name, "PatternWidth")) {
    item.patternwidth = s.ReadInteger();
  } else if (SameName(name, "PatternHeight")) {
    item.patternheight = s.ReadInteger();
  } else if (SameName(name, "SkipWidth")) {
    item.skipwidth = s.ReadInteger();
  } else if (SameName(name, "SkipHeight")) {
    item.skipheight = s.ReadInteger();
  } else if (SameName(name, "SystemMemory")) {
    item.systemmemory = s.ReadBoolean();
  } else if (SameName(name, "Transparent")) {
    item.transparent = s.ReadBoolean();
  } else if (SameName(name, "TransparentColor")) {
    item.transparentcolor = s.ReadColour();
  } else if (SameName(name, "Picture.Data")) {
    const BinaryView b = s.ReadBinary();
    pixels += PictureDataPixels(b.data, b.size);
    if (pixels > kMaxListPixels) throw AssetError(kImageListTooLarge);
    item.picture = DecodePictureData(b.data, b.size);
  } else {
    throw AssetError(kPropertyDoesNotExist);
  }
}

// Count of patterns along one side: (side + skip) div (size + skip), never negative.
int PatternsAlong(int side, int size, int skip) {
  const int64_t step = int64_t{size} + skip;
  if (size <= 0 || step <= 0) return 0;
  return static_cast<int>(std::max<int64_t>(0, (int64_t{side} + skip) / step));
}

void BuildRuns(ImageItem& item) {
  item.rowruns.clear();
  item.runs.clear();
  if (!item.transparent || item.PatternCount() == 0) return;
  const int count = item.PatternCount();
  item.rowruns.reserve(static_cast<size_t>(count) * item.h + 1);
  const uint16_t key = item.nativekey;
  for (int p = 0; p < count; ++p) {
    const int px = item.PatternX(p), py = item.PatternY(p);
    for (int r = 0; r < item.h; ++r) {
      item.rowruns.push_back(static_cast<uint32_t>(item.runs.size()));
      const uint16_t* row = &item.native[static_cast<size_t>(py + r) * item.pitch + px];
      int x = 0;
      while (x < item.w) {
        while (x < item.w && row[x] == key) ++x;
        const int start = x;
        while (x < item.w && row[x] != key) ++x;
        if (x > start) {
          item.runs.push_back({static_cast<uint16_t>(start), static_cast<uint16_t>(x - start)});
        }
      }
    }
  }
  item.rowruns.push_back(static_cast<uint32_t>(item.runs.size()));
}

}  // namespace

ImageItem* ImageList::Item(int index) {
  return index >= 0 && index < Count() ? &items[static_cast<size_t>(index)] : nullptr;
}

const ImageItem* ImageList::Item(int index) const {
  return index >= 0 && index < Count() ? &items[static_cast<size_t>(index)] : nullptr;
}

namespace {

// The pattern size and grid of an item, from its picture and pattern properties.
void PrepareGeometry(ImageItem& item) {
  const Picture& pic = item.picture;
  const int pw = pic.empty() ? 0 : pic.width, ph = pic.empty() ? 0 : pic.height;
  item.w = item.patternwidth > 0 ? item.patternwidth : pw;
  item.h = item.patternheight > 0 ? item.patternheight : ph;
  if (pw == 0 || ph == 0) {
    item.columns = item.rows = 0;
  } else if (item.w == pw && item.h == ph) {
    item.columns = item.rows = 1;
  } else {
    item.columns = PatternsAlong(pw, item.w, item.skipwidth);
    item.rows = PatternsAlong(ph, item.h, item.skipheight);
  }
  if (item.columns == 0 || item.rows == 0) item.columns = item.rows = 0;
  item.stepx = item.w + (item.columns > 1 ? item.skipwidth : 0);
  item.stepy = item.h + (item.rows > 1 ? item.skipheight : 0);
}

}  // namespace

void PrepareItem(ImageItem& item) {
  PrepareGeometry(item);
  const Picture& pic = item.picture;
  item.native.resize(pic.pixels.size());
  std::transform(pic.pixels.begin(), pic.pixels.end(), item.native.begin(), ToNative);
  item.pitch = pic.empty() ? 0 : pic.width;
  item.nativekey = ToNative(item.transparentcolor);
  BuildRuns(item);
  item.prepared = true;
}

void SetPicture(ImageItem& item, Picture picture) {
  item.picture = std::move(picture);
  if (item.prepared) PrepareItem(item);
}

uint32_t PicturePixel(const ImageItem& item, int x, int y) {
  const Picture& p = item.picture;
  if (x < 0 || y < 0 || x >= p.width || y >= p.height) return 0;
  return p.at(x, y);
}

void SetPicturePixel(ImageItem& item, int x, int y, uint32_t colour) {
  Picture& p = item.picture;
  if (x < 0 || y < 0 || x >= p.width || y >= p.height) return;
  p.pixels[static_cast<size_t>(y) * p.width + x] = colour;
}

void ReadImageList(ImageList& list, const uint8_t* data, size_t size, bool prepare) {
  list.items.clear();
  int64_t pixels = 0, rows = 0;
  ObjectStreamReader s(data, size);
  s.ReadHeader();
  s.ReadObjectStart();
  for (std::string name = s.NextProperty(); !name.empty(); name = s.NextProperty()) {
    if (SameName(name, "List")) {
      s.BeginCollection();
      while (s.NextItem()) {
        ImageItem item;
        for (std::string p = s.NextProperty(); !p.empty(); p = s.NextProperty()) {
          ReadImageProperty(s, p, item, pixels);
        }
        if (prepare) {
          // Pattern rows are counted on the geometry, before their runs are built.
          PrepareGeometry(item);
          rows += int64_t{item.PatternCount()} * item.h;
          if (rows > kMaxListPatternRows) throw AssetError(kImageListTooLarge);
          PrepareItem(item);
        }
        list.items.push_back(std::move(item));
      }
    } else if (SameName(name, "List.ColorTable")) {
      s.ReadBinary();  // a palette for paletted displays: not used
    } else {
      throw AssetError(kPropertyDoesNotExist);
    }
  }
  s.ReadObjectEnd();
}

void LoadImageList(ImageList& list, const std::string& path, bool prepare) {
  list.items.clear();
  const Bytes bytes = ReadWholeFile(path);
  ReadImageList(list, bytes.data(), bytes.size(), prepare);
}

}  // namespace gp
