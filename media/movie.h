#pragma once
// A decoded movie, whatever library reads it: its natural size, its frame
// rate, its frames one after another as colours, and its whole sound track
// ready for the mixer. The intro window plays the movies through this.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace gp {

class Movie {
 public:
  virtual ~Movie() = default;

  // The natural size in pixels; the movie is shown at this size, never scaled.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Frames per second (> 0).
  virtual double FrameRate() const = 0;
  // The length the file declares, in milliseconds (0 when it declares none).
  virtual int DurationMs() const = 0;

  // Decodes the next frame into `colours`: Width() * Height() colours 0x00BBGGRR
  // (red in the lowest byte), top row first. Returns false at the end of the
  // movie; a damaged stream ends there too.
  virtual bool NextFrame(std::vector<uint32_t>& colours) = 0;
  // True once NextFrame has returned false.
  virtual bool AtEnd() const = 0;

  // The sound track: true when the movie has one that could be decoded.
  virtual bool HasAudio() const = 0;
  // The whole sound track as 22 050 Hz mono signed 16-bit samples (empty when
  // there is none), to be played by the mixer as one buffer.
  virtual const std::vector<int16_t>& Audio() const = 0;
};

// Opens the movie at `path`; on failure returns nullptr and a one-line reason
// in `error`. The platform that can read movies provides one.
using MovieOpener =
    std::function<std::unique_ptr<Movie>(const std::string& path, std::string& error)>;

}  // namespace gp
