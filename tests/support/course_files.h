#pragma once
// A player's course in a temporary folder: course.ini and hole sources the
// asset compiler accepts, small and easy (an open room of 480 x 384 with the
// cup across from the ball start), so the solver holes each in a stroke or two.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace gp::test {

// A hole source: par `par`, its cup naming `next`, the cup at (cupx, 192).
inline std::string EasyHoleSource(const std::string& next, int par = 2, int cupx = 360) {
  const auto wall = [](int i, int kind, int x1, int y1, int x2, int y2) {
    return "[area" + std::to_string(i) + "]\nkind=" + std::to_string(kind) +
           "\nx1=" + std::to_string(x1) + "\ny1=" + std::to_string(y1) +
           "\nx2=" + std::to_string(x2) + "\ny2=" + std::to_string(y2) + "\nenabled=1\n";
  };
  return "[canvas]\nwidth=480\nheight=384\nscheme=2\nseed=7\ntitle=Test Green\n"
         "[floor1]\npoints=48,48 432,48 432,336 48,336\n"
         "[ball]\nx=120\ny=192\n"
         "[course]\npar=" +
         std::to_string(par) +
         "\n"
         "[area1]\nkind=5\nx1=" +
         std::to_string(cupx) + "\ny1=192\nr=9\nx2=" + std::to_string(cupx - 17) +
         "\ny2=186\nenabled=1\ncomment=" + next + "\n" + wall(2, 4, 48, 48, 432, 48) +
         wall(3, 4, 48, 336, 432, 336) + wall(4, 2, 48, 48, 48, 336) +
         wall(5, 2, 432, 48, 432, 336);
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// `dir`/course.ini naming `holes` (and `extra`), and an easy hole source for
// each main hole, each cup naming the next and the last the first.
inline void WriteEasyCourse(const std::filesystem::path& dir, const std::string& name,
                            const std::vector<std::string>& holes) {
  std::string list;
  for (const std::string& h : holes) list += (list.empty() ? "" : ",") + h;
  WriteText(dir / "course.ini", "[course]\nname=" + name + "\nholes=" + list + "\n");
  for (size_t i = 0; i < holes.size(); ++i) {
    WriteText(dir / (holes[i] + ".hole"), EasyHoleSource(holes[(i + 1) % holes.size()]));
  }
}

}  // namespace gp::test
