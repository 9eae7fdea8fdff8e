// Writes the crafted inputs, files built to cost far more than their size, into
// DIR/<target>/ for scripts/fuzz to run each target over (with the kept corpus
// and the regression cases): they are too large to keep in the repository. The
// small ones made by the same helpers are kept in fuzz/regressions/.
//
//   crafted_inputs DIR
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/hostile_files.h"

namespace {

using gp::test::Bytes;

// The hot-spot target's input: a two-byte length of the "Spots" part (0xFFFF:
// all of the rest), then "Spots", then "MaskItems".
Bytes SpotsInput(const Bytes& spots) {
  Bytes b = {0xFF, 0xFF};
  b.insert(b.end(), spots.begin(), spots.end());
  return b;
}

// Many combs of the most corners allowed over the menu picture, each with a
// mask item: every hover walks them all and highlights one.
Bytes ManyCombs(int count) {
  const Bytes one = gp::test::ManyCornerSpots(1024);
  Bytes b;
  gp::test::Put32(b, 0);
  gp::test::Put32(b, static_cast<uint32_t>(count));
  for (int i = 0; i < count; ++i) b.insert(b.end(), one.begin() + 8, one.end());
  Bytes masks;
  gp::test::Put32(masks, 16);
  gp::test::Put32(masks, static_cast<uint32_t>(count));
  for (int i = 0; i < count; ++i) {
    gp::test::Put32(masks, static_cast<uint32_t>(i));
    masks.push_back(1);
    for (int k = 0; k < 4; ++k) gp::test::Put32(masks, 0);
  }
  if (b.size() >= 0xFFFF) return SpotsInput(b);  // too long for the length: spots only
  Bytes input;
  gp::test::Put16(input, static_cast<uint32_t>(b.size()));
  input.insert(input.end(), b.begin(), b.end());
  input.insert(input.end(), masks.begin(), masks.end());
  return input;
}

Bytes HoleBytes(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

bool Write(const std::filesystem::path& dir, const std::string& target, const std::string& name,
           const Bytes& bytes) {
  std::error_code ec;
  std::filesystem::create_directories(dir / target, ec);
  const std::string path = (dir / target / name).string();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: crafted_inputs DIR\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  using namespace gp::test;
  const bool ok =
      Write(dir, "flic_fuzz", "black-chunks-4096x4096.flc", BlackChunksFlic(4096, 4096, 65535)) &&
      Write(dir, "flic_fuzz", "black-chunks-4096x2048.flc", BlackChunksFlic(4096, 2048, 65535)) &&
      Write(dir, "flic_fuzz", "black-chunks-640x480.flc", BlackChunksFlic(640, 480, 65535)) &&
      Write(dir, "flic_fuzz", "junk-tail.flc", JunkTailFlic(64, 48, 2, 900000)) &&
      Write(dir, "hotspots_fuzz", "comb-20000.spots", SpotsInput(ManyCornerSpots(20000))) &&
      Write(dir, "hotspots_fuzz", "combs-7x1024.spots", ManyCombs(7)) &&
      Write(dir, "hotspots_fuzz", "combs-100x1024.spots", ManyCombs(100)) &&
      Write(dir, "stream_fuzz", "low-rate-waves.dxw", LowRateWaveList(1)) &&
      Write(dir, "stream_fuzz", "tiny-patterns.dxg", TinyPatternImageList(1, 2048)) &&
      Write(dir, "stream_fuzz", "tiny-patterns-3.dxg", TinyPatternImageList(3, 1400)) &&
      Write(dir, "bitmap_fuzz", "rle-2896x2896.bmp", RleBitmap(2896, 2896)) &&
      Write(dir, "hole_file_fuzz", "many-sections.hole", HoleBytes(ManySectionsHole(250000)));
  if (!ok) {
    std::fprintf(stderr, "crafted_inputs: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
