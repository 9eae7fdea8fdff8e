#pragma once
// Writing AVI movies with FFmpeg: MPEG-4 part 2 video at a fixed quantiser and,
// optionally, a 22 050 Hz mono 16-bit PCM sound track interleaved with it.
// Deterministic: single-threaded, bit-exact flags, no metadata, so the same
// frames and samples give the same bytes every run.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gp::assets {

struct MovieFormat {
  int width = 640, height = 480;  // pixels, even
  int fps = 25;                   // frames per second
  int quantiser = 4;              // MPEG-4 qscale, 2 (best) .. 31
  int keyinterval = 25;           // frames between key frames
};

class MovieWriter {
 public:
  // Creates the file; `sound` (22 050 Hz mono samples, may be empty for a
  // silent movie) is spread over the frames as they are added. Throws
  // std::runtime_error with a message on failure.
  MovieWriter(const std::string& path, const MovieFormat& format, std::vector<int16_t> sound);
  ~MovieWriter();
  MovieWriter(const MovieWriter&) = delete;
  MovieWriter& operator=(const MovieWriter&) = delete;

  // Adds one frame of native 32-bit pixels 0xAARRGGBB (alpha ignored; Cairo's
  // ARGB32 layout), `stride` bytes per row, format.width x format.height.
  void AddFrame(const uint8_t* pixels, int stride);
  // Writes the rest of the sound, flushes the encoders and closes the file.
  void Finish();

  int frames() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace gp::assets
