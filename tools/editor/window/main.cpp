// galaputt-editor: the hole editor.
//   galaputt-editor [--size WxH] [--zoom Z] [HOLE | COURSE_FOLDER]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/editor/window/editor_window.h"

namespace {

constexpr const char* kUsage =
    "usage: galaputt-editor [--size WxH] [--zoom Z] [HOLE | COURSE_FOLDER]\n"
    "  HOLE           a hole file (NAME.hole); one that does not exist yet starts as a new room\n"
    "  COURSE_FOLDER  a course folder (course.ini and its holes)\n"
    "  --size WxH     the window's size (1280x800)\n"
    "  --zoom Z       the course's first zoom (0.25 to 4; fitted when not given)\n";

// Returns an exit code when the program should end at once, -1 to run.
int ParseOptions(int argc, char** argv, gp::editor::EditorOptions& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool value = i + 1 < argc;
    if (a == "--help") {
      std::printf("%s", kUsage);
      return 0;
    } else if (a == "--version") {
      std::printf("galaputt-editor 0.1.0\n");
      return 0;
    } else if (a == "--size" && value &&
               std::sscanf(argv[i + 1], "%dx%d", &o.width, &o.height) == 2 && o.width >= 640 &&
               o.height >= 480 && o.width <= 8192 && o.height <= 8192) {
      ++i;
    } else if (a == "--zoom" && value && (o.zoom = std::atof(argv[i + 1])) >= 0.25 && o.zoom <= 4) {
      ++i;
    } else if (a[0] != '-' && o.target.empty()) {
      o.target = a;
    } else {
      std::fprintf(stderr, "galaputt-editor: bad option %s\n%s", a.c_str(), kUsage);
      return 2;
    }
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  gp::editor::EditorOptions o;
  if (const int code = ParseOptions(argc, argv, o); code >= 0) return code;
  return gp::editor::RunEditor(o);
}
