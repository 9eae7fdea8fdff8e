#pragma once
// Movies read with FFmpeg: AVI files only (no format guessing), video through
// libavcodec and libswscale, the sound track resampled with libswresample.
// FFmpeg's own logging is silenced; every read is bounded, so a damaged or
// hostile file ends in an error or an early end, never a crash or a hang.

#include <memory>
#include <string>

#include "media/movie.h"

namespace gp {

// Opens the AVI movie at `path` and decodes its first frame and its whole
// sound track. Returns nullptr with a one-line reason in `error` when the file
// is missing, is not an AVI, has no video the libraries can decode, or yields
// no picture at all.
std::unique_ptr<Movie> OpenFfmpegMovie(const std::string& path, std::string& error);

}  // namespace gp
