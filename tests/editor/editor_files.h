#pragma once
// The hole sources of content/holes for the editor's tests, read as bytes.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace gp::test {

// Every content hole, (name, bytes), by name.
inline std::vector<std::pair<std::string, std::string>> ContentHoles() {
  std::vector<std::pair<std::string, std::string>> out;
  const std::filesystem::path dir = std::string(GALAPUTT_SOURCE_DIR) + "/content/holes";
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    if (e.path().extension() != ".hole") continue;
    std::ifstream in(e.path(), std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    out.emplace_back(e.path().stem().string(), ss.str());
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
