#include "launcher/hive_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

namespace gp {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxKeptNames = 1000;  // "<file>.bad" and "<file>.bad.1" .. ".bad.999"

std::string Quoted(const fs::path& p) {
  return "\"" + p.string() + "\"";
}

std::string ErrnoText(int err) {
  return std::strerror(err);
}

// Closes a file descriptor when it goes out of scope (unless released).
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

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

bool Exists(const fs::path& p) {
  struct stat st;
  return ::lstat(p.c_str(), &st) == 0 || errno != ENOENT;
}

// Creates each missing folder of `dir` with mode 0700.
bool CreateFolders(const fs::path& dir, int& err) {
  fs::path sofar;
  for (const fs::path& part : dir) {
    sofar /= part;
    struct stat st;
    if (::stat(sofar.c_str(), &st) == 0) continue;
    if (errno != ENOENT || (::mkdir(sofar.c_str(), 0700) != 0 && errno != EEXIST)) {
      err = errno;
      return false;
    }
  }
  return true;
}

// Runs the test hook before a step; false when it asks for a failure.
bool Allowed(const SaveFaults& faults, SaveStep step, size_t written) {
  if (!faults.before || faults.before(step, written)) return true;
  errno = EIO;
  return false;
}

bool WriteAll(int fd, std::string_view text, const SaveFaults& faults) {
  const size_t chunk = faults.write_chunk > 0 ? faults.write_chunk : 1;
  size_t done = 0;
  while (done < text.size()) {
    if (!Allowed(faults, SaveStep::kWrite, done)) return false;
    const size_t n = std::min(chunk, text.size() - done);
    const ssize_t w = ::write(fd, text.data() + done, n);
    if (w < 0 && errno == EINTR) continue;
    if (w < 0) return false;
    done += static_cast<size_t>(w);
  }
  return true;
}

// Writes, syncs and closes the temporary file; false with errno and `what` set.
bool WriteTemp(const fs::path& tmp, std::string_view text, const SaveFaults& faults,
               std::string& what) {
  what = "cannot create " + Quoted(tmp);
  if (!Allowed(faults, SaveStep::kOpenTemp, 0)) return false;
  Fd fd(::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (fd.get() < 0) return false;
  what = "cannot write " + Quoted(tmp);
  if (!WriteAll(fd.get(), text, faults)) return false;
  if (!Allowed(faults, SaveStep::kSyncFile, text.size()) || ::fsync(fd.get()) != 0) return false;
  if (!Allowed(faults, SaveStep::kCloseFile, text.size())) return false;
  return ::close(fd.release()) == 0;
}

void SyncFolder(const fs::path& dir, const SaveFaults& faults, size_t written) {
  if (!Allowed(faults, SaveStep::kSyncFolder, written)) return;
  Fd fd(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

fs::path KeptName(const fs::path& file, int n) {
  fs::path p = file;
  p += n == 0 ? std::string(".bad") : ".bad." + std::to_string(n);
  return p;
}

// Tries the kept names in turn; `place` puts the file at a name that is free
// and reports EEXIST when it is not.
template <typename Place>
fs::path KeepUnder(const fs::path& file, std::string& error, Place place) {
  for (int n = 0; n < kMaxKeptNames; ++n) {
    const fs::path kept = KeptName(file, n);
    if (place(kept)) return kept;
    if (errno != EEXIST) {
      error = "cannot keep " + Quoted(file) + " as " + Quoted(kept) + ": " + ErrnoText(errno);
      return {};
    }
  }
  error = "cannot keep " + Quoted(file) + " aside: every name up to " +
          Quoted(KeptName(file, kMaxKeptNames - 1)) + " is taken";
  return {};
}

// A second name for `file`: a hard link, else a copy made without replacing anything.
bool LinkOrCopy(const fs::path& file, const fs::path& kept) {
  if (::link(file.c_str(), kept.c_str()) == 0) return true;
  if (errno == EEXIST) return false;
  if (Exists(kept)) {
    errno = EEXIST;
    return false;
  }
  std::error_code ec;
  if (fs::copy_file(file, kept, fs::copy_options::none, ec)) return true;
  errno = ec.value() != 0 ? ec.value() : EIO;
  return false;
}

}  // namespace

HiveLoad LoadHiveFile(const fs::path& file) {
  HiveLoad out;
  // Opened without waiting: a pipe in the settings file's place is refused below.
  Fd fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
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
  const std::string text = hive.Serialize();
  const fs::path dir = file.parent_path();
  fs::path tmp = file;
  tmp += ".tmp";
  const std::string failed = "Cannot save the settings to " + Quoted(file) + ": ";
  int err = 0;
  if (!Allowed(faults, SaveStep::kCreateFolder, 0) || (!dir.empty() && !CreateFolders(dir, err))) {
    return failed + "cannot create the folder " + Quoted(dir) + ": " +
           ErrnoText(err != 0 ? err : errno);
  }
  std::string what;
  if (!WriteTemp(tmp, text, faults, what)) {
    err = errno;
    ::unlink(tmp.c_str());
    return failed + what + ": " + ErrnoText(err);
  }
  if (!Allowed(faults, SaveStep::kRename, text.size()) ||
      ::rename(tmp.c_str(), file.c_str()) != 0) {
    err = errno;
    ::unlink(tmp.c_str());
    return failed + "cannot rename " + Quoted(tmp) + ": " + ErrnoText(err);
  }
  SyncFolder(dir, faults, text.size());
  return "";
}

fs::path KeepAside(const fs::path& file, std::string& error) {
  return KeepUnder(file, error, [&file](const fs::path& kept) {
    if (::link(file.c_str(), kept.c_str()) == 0) {
      if (::unlink(file.c_str()) == 0) return true;
      const int err = errno;
      ::unlink(kept.c_str());
      errno = err;
      return false;
    }
    if (errno == EEXIST) return false;
    // No hard links here (or a folder): rename, after making sure nothing is replaced.
    if (Exists(kept)) {
      errno = EEXIST;
      return false;
    }
    return ::rename(file.c_str(), kept.c_str()) == 0;
  });
}

fs::path KeepCopy(const fs::path& file, std::string& error) {
  return KeepUnder(file, error, [&file](const fs::path& kept) { return LinkOrCopy(file, kept); });
}

}  // namespace gp
