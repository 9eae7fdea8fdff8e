#include "launcher/hive_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

#include "base/file_handle.h"

namespace gp {

namespace fs = std::filesystem;

namespace {

// Reads up to `limit` + 1 bytes so that an over-long file shows as one.
bool ReadAll(int fd, size_t limit, std::string& out, int& err) {
  char buf[8192];
  while (out.size() <= limit) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      err = errno;
      return false;
    }
    if (n == 0) break;
    out.append(buf, static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

HiveLoad LoadHiveFile(const fs::path& file) {
  HiveLoad out;
  // Opened without waiting: a pipe in the settings file's place is refused below.
  FileHandle fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0 && errno == ENOENT) return out;
  out.status = HiveLoad::Status::kUnreadable;
  int err = fd.get() < 0 ? errno : 0;
  std::string bytes;
  struct stat st;
  if (fd.get() >= 0 && ::fstat(fd.get(), &st) != 0) err = errno;
  if (fd.get() >= 0 && err == 0 && !S_ISREG(st.st_mode)) err = EISDIR;
  if (fd.get() < 0 || err != 0 || !ReadAll(fd.get(), kMaxHiveFileBytes, bytes, err)) {
    out.message = "cannot read " + Quoted(file) + ": " + ErrnoText(err);
    return out;
  }
  out.hive = RegHive::Parse(bytes, &out.report);
  if (!out.report.ok) {
    out.status = HiveLoad::Status::kUnparseable;
    out.message = Quoted(file) + " is not a settings file: " + out.report.error;
    return out;
  }
  out.status = HiveLoad::Status::kOk;
  return out;
}

std::string SaveHiveFile(const fs::path& file, const RegHive& hive, const SaveFaults& faults) {
  const std::string error = SaveFileAtomically(file, hive.Serialize(), faults);
  return error.empty() ? "" : "Cannot save the settings to " + Quoted(file) + ": " + error;
}

}  // namespace gp
