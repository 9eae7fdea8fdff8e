// galaputt-lab flic FILE [--png N --out FILE]: a FLIC animation as the launcher decodes
// it, one CRC-32 per frame of its 8-bit pixels followed by its 768-byte palette; with
// --png, frame N painted through its palette into a PNG.
#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "media/flic.h"
#include "platform/headless/png_writer.h"
#include "media/picture.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"
#include "tools/lab/parse.h"

namespace gp::lab {

namespace {

int Error(const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
  return 1;
}

uint32_t FrameCrc(const FlicImage& image) {
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, image.pixels.data(), static_cast<uInt>(image.pixels.size()));
  crc = crc32(crc, image.palette.data(), static_cast<uInt>(image.palette.size()));
  return static_cast<uint32_t>(crc);
}

bool WriteFrame(const FlicImage& image, const std::string& path) {
  Picture picture;
  picture.width = image.width;
  picture.height = image.height;
  picture.pixels.assign(static_cast<size_t>(image.width) * image.height, 0);
  PaintFlic(
      image, picture,
      PlaceFlic(FliPos::FliLeft, false, image.width, image.height, image.width, image.height));
  return WritePngColours(path, picture.pixels.data(), picture.width, picture.height);
}

int RunFlic(const Args& args) {
  if (args.empty()) return Fail("flic: missing FILE");
  const std::string* png = Option(args, "--png");
  const std::string* out = Option(args, "--out");
  int32_t png_frame = 0;
  if (png && (!ParseInt(*png, png_frame) || png_frame < 1)) return Fail("flic: bad --png N");
  if (png && !out) return Fail("flic: --png needs --out FILE");
  std::vector<uint32_t> crcs;
  std::string damage;
  try {
    std::optional<std::vector<uint8_t>> bytes = ReadFlicFile(args[0]);
    if (!bytes) return Error("Cannot open file " + args[0]);
    FlicDecoder flic(std::move(*bytes));
    bool written = false;
    while (flic.DecodeNext()) {
      crcs.push_back(FrameCrc(flic.image()));
      if (flic.current_frame() == png_frame) {
        if (!WriteFrame(flic.image(), *out)) return Error("Cannot write file " + *out);
        written = true;
      }
    }
    if (flic.status() == FlicStatus::kError) damage = flic.error();
    Json j;
    j.BeginObject()
        .Field("kind", std::string(flic.kind() == FlicKind::kFlc ? "FLC" : "FLI"))
        .Field("width", flic.width())
        .Field("height", flic.height())
        .Field("frames", flic.frame_count())
        .Field("delay", flic.delay_ms())
        .Key("crc")
        .BeginArray();
    for (uint32_t c : crcs) j.Int(c);
    j.EndArray().EndObject().Print();
    if (!damage.empty()) return Error(damage);
    if (png && !written) return Error("flic: no frame " + *png);
  } catch (const FlicError& e) {
    return Error(e.what());
  }
  return 0;
}

const Registrar kFlic({"flic", "FILE [--png N --out FILE]", RunFlic});

}  // namespace

}  // namespace gp::lab
