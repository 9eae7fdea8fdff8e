// The hole editor's file and scripts from untrusted bytes: a hole file kept line
// by line must come back byte for byte, any script must leave a file the game
// reads, and undoing every change must give the file back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/editor/edit_script.h"
#include "tools/editor/hole_model.h"
#include "tools/editor/hole_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The hole file, then after a zero byte the script.
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const size_t zero = bytes.find('\0');
  const std::string_view hole = bytes.substr(0, zero);
  const std::string_view script = zero == std::string_view::npos ? "" : bytes.substr(zero + 1);
  if (gp::editor::HoleText::Parse(hole).Write() != hole) std::abort();
  gp::editor::HoleModel m(hole);
  const std::string before = m.Text();
  if (before != hole) std::abort();
  gp::editor::RunEditScript(m, script, [](std::string&) { return true; });
  for (int n : m.Areas()) (void)gp::editor::FieldProblems(n, m.GetArea(n));
  // What was written reads the same again.
  if (gp::editor::HoleModel(m.Text()).Text() != m.Text()) std::abort();
  while (m.Undo()) {
  }
  if (m.Text() != before) std::abort();
  return 0;
}
