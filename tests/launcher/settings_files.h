#pragma once
// A fresh temporary folder for hive files, removed afterwards, and whole-file
// reading and writing.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace gp::test {

class TempFolder {
 public:
  TempFolder() {
    static int serial = 0;
    dir_ = std::filesystem::temp_directory_path() /
           ("galaputt_settings_" + std::to_string(getpid()) + "_" + std::to_string(++serial));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return dir_; }
  std::filesystem::path operator/(const std::string& name) const { return dir_ / name; }

 private:
  std::filesystem::path dir_;
};

// The whole file, or "<missing>" when it cannot be opened.
inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

}  // namespace gp::test
