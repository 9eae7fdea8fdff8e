// Movies through FFmpeg: the input becomes a file (in memory) that is opened as
// the intro opens its movies, then up to 50 frames and the sound are taken.
// Every frame has the movie's natural size; a refusal says why in one line.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "media/ffmpeg/ffmpeg_movie.h"

namespace {

// A file in memory named by its /proc path, rewritten for every input.
struct MemoryFile {
  int fd = memfd_create("movie_fuzz", 0);
  std::string path = "/proc/self/fd/" + std::to_string(fd);

  bool Hold(const uint8_t* data, size_t size) const {
    if (fd < 0 || ftruncate(fd, 0) != 0) return false;
    for (size_t at = 0; at < size;) {
      const ssize_t n = pwrite(fd, data + at, size - at, static_cast<off_t>(at));
      if (n <= 0) return false;
      at += static_cast<size_t>(n);
    }
    return true;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const MemoryFile file;
  if (!file.Hold(data, size)) std::abort();
  std::string error;
  std::unique_ptr<gp::Movie> movie = gp::OpenFfmpegMovie(file.path, error);
  if (!movie) {
    if (error.empty() || error.find('\n') != std::string::npos) std::abort();
    return 0;
  }
  const size_t pixels = static_cast<size_t>(movie->Width()) * movie->Height();
  std::vector<uint32_t> colours;
  for (int n = 0; n < 50 && movie->NextFrame(colours); ++n) {
    if (colours.size() != pixels) std::abort();
  }
  if (movie->HasAudio() == movie->Audio().empty()) std::abort();
  return 0;
}
