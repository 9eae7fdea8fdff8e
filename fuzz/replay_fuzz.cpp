// Replay files from untrusted bytes: reading must never crash, and whatever was
// read must come back the same after writing it out and reading it again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/replay.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  gp::Replay r;
  std::string error;
  if (!gp::ParseReplay(text, r, error)) {
    Check(!error.empty());
    return 0;
  }
  // A replay written out reads back to the same replay, and writing that gives
  // the same text again.
  const std::string once = gp::FormatReplay(r);
  gp::Replay back;
  Check(gp::ParseReplay(once, back, error));
  Check(back.seed == r.seed && back.firsthole == r.firsthole && back.frames == r.frames);
  Check(back.events.size() == r.events.size() && back.rates.size() == r.rates.size());
  Check(gp::FormatReplay(back) == once);
  // Single event lines the way render scripts read them.
  int px = 0, py = 0;
  gp::ReplayEvent e;
  if (gp::ParseEventLine(text.substr(0, text.find('\n')), px, py, e)) {
    const std::string line = gp::FormatEvent(e);
    gp::ReplayEvent again;
    if (!line.empty())
      Check(gp::ParseEventLine(line, px, py, again) && gp::FormatEvent(again) == line);
  }
  return 0;
}
