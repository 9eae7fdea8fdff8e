#pragma once
// Image lists (".dxg"): items addressed by position, each a picture cut into
// equally sized patterns, optionally colour-keyed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "media/picture.h"

namespace gp {

struct ImageItem {
  // Properties as stored in the file.
  std::string name;
  int patternwidth = 0, patternheight = 0;  // 0 = the picture's size
  int skipwidth = 0, skipheight = 0;        // gaps between patterns
  bool systemmemory = false;
  bool transparent = true;
  uint32_t transparentcolor = 0;  // colour key, 0x00BBGGRR
  Picture picture;

  // Prepared for drawing (native RGB565 copy and pattern geometry).
  bool prepared = false;
  std::vector<uint16_t> native;  // picture in display pixels
  int pitch = 0;                 // row length of `native`, pixels
  uint16_t nativekey = 0;        // colour key in display pixels
  int w = 0, h = 0;              // pattern size
  int columns = 0, rows = 0;     // pattern grid
  int stepx = 0, stepy = 0;      // pattern size plus gap, pixels
  // Opaque runs of each pattern row, for the colour-keyed blit: the runs of row
  // r of pattern p are runs[rowruns[p * h + r]] .. runs[rowruns[p * h + r + 1] - 1].
  // Empty when the item is not transparent.
  struct Run {
    uint16_t x, len;  // pixels from the pattern's left edge
  };
  std::vector<uint32_t> rowruns;
  std::vector<Run> runs;

  int Width() const { return w; }
  int Height() const { return h; }
  int PatternCount() const { return columns * rows; }
  // Top-left corner of pattern p in the picture (p must be valid).
  int PatternX(int p) const { return (p % columns) * stepx; }
  int PatternY(int p) const { return (p / columns) * stepy; }
};

struct ImageList {
  std::vector<ImageItem> items;

  int Count() const { return static_cast<int>(items.size()); }
  // nullptr for an index outside the list.
  ImageItem* Item(int index);
  const ImageItem* Item(int index) const;
};

// Most pixels of all the pictures of one list together (twice the game's
// largest list, a course), and most pattern rows (patterns times their height):
// a list costs at most about 6 bytes a pixel to hold and prepare.
inline constexpr int64_t kMaxListPixels = int64_t{6} << 20;
inline constexpr int64_t kMaxListPatternRows = int64_t{1} << 20;
inline constexpr const char* kImageListTooLarge = "Image list is too large";

// Replaces the list's items with the file's; throws AssetError with the fixed
// messages, and kImageListTooLarge beyond the limits above (checked before a
// picture is decoded). Items are prepared at once when `prepare` is set (the
// display runs).
void LoadImageList(ImageList& list, const std::string& path, bool prepare = true);
// The same from the bytes of a file in memory.
void ReadImageList(ImageList& list, const uint8_t* data, size_t size, bool prepare = true);

// Builds the pattern geometry and the native pixels of an item.
void PrepareItem(ImageItem& item);
// Replaces an item's picture (skins, ball textures); prepared again at once.
void SetPicture(ImageItem& item, Picture picture);
uint32_t PicturePixel(const ImageItem& item, int x, int y);
void SetPicturePixel(ImageItem& item, int x, int y, uint32_t colour);

}  // namespace gp
