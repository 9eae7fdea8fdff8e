#pragma once
// Autodesk FLIC animations (FLC and the older FLI) decoded from bytes in memory:
// the 128-byte header, frame chunks one after another into one cumulative 8-bit
// image and 256-entry palette, "go to frame n", and painting a frame into a
// 32-bit picture. Damaged files never make the decoder read out of bounds: a
// chunk whose data runs out keeps what it drew, and a file that ends early
// stops decoding with an error state.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "media/picture.h"

namespace gp {

// Largest width or height accepted, and largest image (a 4K screen), in pixels.
inline constexpr int kFlicMaxSide = 4096;
inline constexpr int64_t kFlicMaxPixels = int64_t{1} << 23;
inline constexpr size_t kFlicHeaderSize = 128;

// An unusable file: empty, too short for a header, wrong magic number, absurd size.
struct FlicError : std::runtime_error {
  explicit FlicError(const std::string& message) : std::runtime_error(message) {}
};

enum class FlicKind { kFli, kFlc };

// Where an unscaled frame is drawn inside its area.
enum class FliPos { FliCentre, FliLeft, FliRight };

// One frame's 8-bit pixels (width * height palette indices, top row first) and its
// palette as 8-bit R, G, B per entry.
struct FlicImage {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;
  std::array<uint8_t, 768> palette{};

  // The colour of a palette entry as 0x00BBGGRR.
  uint32_t Colour(int index) const {
    const uint8_t* p = &palette[static_cast<size_t>(index & 0xFF) * 3];
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16;
  }
};

// Why DecodeNext returned false: every frame of the header's count was decoded, or the
// file gave out (or was damaged) before that.
enum class FlicStatus { kReady, kEnd, kError };

class FlicDecoder {
 public:
  // Takes the whole file. Throws FlicError when the header is unusable.
  explicit FlicDecoder(std::vector<uint8_t> file);

  FlicKind kind() const { return kind_; }
  int width() const { return image_.width; }
  int height() const { return image_.height; }
  int frame_count() const { return frame_count_; }  // without the ring frame
  int64_t delay_ms() const { return delay_ms_; }    // file's frame delay, milliseconds

  int current_frame() const { return current_; }  // 1-based; 0 = none decoded yet
  const FlicImage& image() const { return image_; }
  FlicStatus status() const { return status_; }
  const std::string& error() const { return error_; }  // set with FlicStatus::kError

  // Decodes the next frame into image(). False after the last frame (kEnd) or when no
  // further frame can be found (kError); it stays false until Rewind.
  bool DecodeNext();
  // The next DecodeNext gives frame 1 again, starting from black pixels and palette.
  void Rewind();
  // Makes frame n current: 1 or an earlier frame than the current one starts over from
  // frame 1, then frames are decoded forward. False when frame n does not exist.
  bool GoToFrame(int n);

 private:
  bool FindFrame(size_t& start, size_t& size);
  bool Search(size_t& pos) const;
  size_t FrameSize(size_t start) const;

  std::vector<uint8_t> file_;
  FlicKind kind_ = FlicKind::kFlc;
  int frame_count_ = 0;
  int64_t delay_ms_ = 0;
  FlicImage image_;
  std::vector<size_t> starts_;    // file offsets of the frame chunks found so far, in order
  bool searched_to_end_ = false;  // the search for the frame after the last one failed
  int current_ = 0;
  FlicStatus status_ = FlicStatus::kReady;
  std::string error_;
};

// Applies one frame chunk (16-byte header and its sub-chunks, `size` bytes) to image.
// A frame costs the bytes it holds plus a few whole images at most: a BLACK chunk on an
// image already black is passed over, and a pixel chunk that would take the frame past
// four images' worth of painting is left out. Used by the decoder; exposed for benchmarks and tools.
void ApplyFlicFrame(const uint8_t* frame, size_t size, FlicImage& image);

// The whole file, or nothing when it cannot be opened as a regular file. Throws
// FlicError when it cannot be read or is absurdly large.
std::optional<std::vector<uint8_t>> ReadFlicFile(const std::string& path);

// Where a frame goes in an area: its top-left corner and drawn size, in pixels.
struct FlicPlacement {
  int x = 0, y = 0, width = 0, height = 0;
};
// Unscaled: centred ((area - frame) div 2 on both axes, truncating toward zero), top
// left, or top right. Stretched: the whole area.
FlicPlacement PlaceFlic(FliPos pos, bool stretch, int area_width, int area_height, int frame_width,
                        int frame_height);
// Paints image through its palette into target at the placement, clipped to target.
// A placement larger or smaller than the image scales it (nearest pixel).
void PaintFlic(const FlicImage& image, Picture& target, const FlicPlacement& where);

}  // namespace gp
