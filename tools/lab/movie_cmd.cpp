// galaputt-lab movie FILE [--png N --out FILE.png]: an AVI movie as the intro
// plays it: natural size, frame rate, the frames it really decodes, whether it
// has sound, the length its header declares; optionally frame N (from 0) as PNG.
#include <cstdio>
#include <string>
#include <vector>

#include "media/ffmpeg/ffmpeg_movie.h"
#include "platform/headless/png_writer.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"
#include "tools/lab/parse.h"

namespace gp::lab {

namespace {

int RunMovie(const Args& args) {
  if (args.empty() || args[0].rfind("--", 0) == 0) return Fail("movie: missing FILE");
  const std::string* png = Option(args, "--png");
  const std::string* out = Option(args, "--out");
  int32_t wanted = -1;
  if (png && (!ParseInt(*png, wanted) || wanted < 0)) return Fail("movie: bad --png");
  if ((png != nullptr) != (out != nullptr)) return Fail("movie: --png N needs --out FILE");

  std::string error;
  std::unique_ptr<Movie> movie = OpenFfmpegMovie(args[0], error);
  if (!movie) {
    std::fprintf(stderr, "galaputt-lab: movie: %s: %s\n", args[0].c_str(), error.c_str());
    return 1;
  }
  std::vector<uint32_t> frame;
  int frames = 0;
  bool written = false;
  while (movie->NextFrame(frame)) {
    if (frames == wanted) {
      if (!WritePngColours(*out, frame.data(), movie->Width(), movie->Height())) {
        std::fprintf(stderr, "galaputt-lab: movie: cannot write %s\n", out->c_str());
        return 1;
      }
      written = true;
    }
    ++frames;
  }
  if (png && !written) {
    std::fprintf(stderr, "galaputt-lab: movie: no frame %d (the movie has %d)\n", wanted, frames);
    return 1;
  }
  Json j;
  j.BeginObject()
      .Field("width", movie->Width())
      .Field("height", movie->Height())
      .Field("fps", movie->FrameRate())
      .Field("frames", frames)
      .Field("audio", movie->HasAudio())
      .Field("duration_ms", movie->DurationMs())
      .EndObject()
      .Print();
  return 0;
}

const Registrar kMovie({"movie", "FILE [--png N --out FILE.png]", RunMovie});

}  // namespace

}  // namespace gp::lab
