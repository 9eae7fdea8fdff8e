// FLIC files from memory: the header, every frame once, a loop back to frame 1 and
// on once more, a jump backwards, and painting the result scaled into a small area.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "media/flic.h"
#include "media/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    gp::FlicDecoder flic(std::vector<uint8_t>(data, data + size));
    while (flic.DecodeNext()) {
    }
    const int last = flic.current_frame();
    flic.Rewind();
    while (flic.DecodeNext()) {
    }
    flic.GoToFrame(last / 2 + 1);
    gp::Picture area;
    area.width = 37;
    area.height = 23;
    area.pixels.assign(static_cast<size_t>(area.width) * area.height, 0);
    gp::PaintFlic(flic.image(), area,
                  gp::PlaceFlic(gp::FliPos::FliCentre, false, area.width, area.height, flic.width(),
                                flic.height()));
    gp::PaintFlic(flic.image(), area,
                  gp::PlaceFlic(gp::FliPos::FliRight, true, area.width, area.height, flic.width(),
                                flic.height()));
  } catch (const gp::FlicError&) {
  }
  return 0;
}
