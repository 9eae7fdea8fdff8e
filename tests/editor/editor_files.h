#pragma once
// The hole sources of content/ for the editor's tests, read as bytes.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace gp::test {

// Every content hole, (name, bytes), by name: the SE Course's and the training
// round's, and those of the further built-in courses (content/courses/NAME/).
inline std::vector<std::pair<std::string, std::string>> ContentHoles() {
  namespace fs = std::filesystem;
  std::vector<std::pair<std::string, std::string>> out;
  const std::string content = std::string(GALAPUTT_SOURCE_DIR) + "/content/";
  std::vector<fs::path> dirs{content + "holes"};
  for (const auto& e : fs::directory_iterator(content + "courses")) {
    if (e.is_directory()) dirs.push_back(e.path());
  }
  for (const fs::path& dir : dirs) {
    for (const auto& e : fs::directory_iterator(dir)) {
      if (e.path().extension() != ".hole") continue;
      std::ifstream in(e.path(), std::ios::binary);
      std::ostringstream ss;
      ss << in.rdbuf();
      out.emplace_back(e.path().stem().string(), ss.str());
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace gp::test
