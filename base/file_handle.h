#pragma once
// Small helpers for code that opens files itself: a descriptor closed when it
// goes out of scope, and the words of an error message about a file.

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <utility>

namespace gp {

// Closes a file descriptor when it goes out of scope (unless released).
class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// A file's name in double quotes, as messages show it.
inline std::string Quoted(const std::filesystem::path& p) {
  return "\"" + p.string() + "\"";
}

// The system's words for an errno value.
inline std::string ErrnoText(int err) {
  return std::strerror(err);
}

}  // namespace gp
