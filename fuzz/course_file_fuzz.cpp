// Course files (course.ini) from untrusted bytes: reading must never crash or
// hang, a course it accepts obeys every rule the game relies on, and what it
// writes back reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/profile.h"
#include "game/course_file.h"
#include "game/state.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  (void)gp::CheckProfileText(text);
  gp::Course c;
  if (!gp::ParseCourse(text, c).empty()) return 0;
  Check(!c.name.empty() && c.name.size() <= gp::kMaxCourseName);
  Check(!c.holes.empty() && c.holes.size() <= static_cast<size_t>(gp::kMaxHoles));
  for (const std::string& h : c.AllHoles()) Check(gp::ValidHoleName(h));
  gp::Course back;
  Check(gp::ParseCourse(gp::FormatCourse(c), back).empty());
  Check(back.name == c.name && back.holes == c.holes && back.extra == c.extra);
  return 0;
}
