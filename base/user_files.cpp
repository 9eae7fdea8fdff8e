#include "base/user_files.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <utility>

#include "base/file_handle.h"

namespace gp {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxKeptNames = 1000;  // "<file>.bad" and "<file>.bad.1" .. ".bad.999"

struct FolderVariable {
  const char* variable;
  const char* underhome;  // the folder under the home folder when the variable is unset
};
constexpr FolderVariable kFolders[] = {
    {"XDG_CONFIG_HOME", ".config"},
    {"XDG_DATA_HOME", ".local/share"},
    {"XDG_STATE_HOME", ".local/state"},
    {"XDG_CACHE_HOME", ".cache"},
};

bool NonEmpty(const char* s) {
  return s != nullptr && s[0] != '\0';
}

bool Exists(const fs::path& p) {
  struct stat st;
  return ::lstat(p.c_str(), &st) == 0 || errno != ENOENT;
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
  FileHandle fd(::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (fd.get() < 0) return false;
  what = "cannot write " + Quoted(tmp);
  if (!WriteAll(fd.get(), text, faults)) return false;
  if (!Allowed(faults, SaveStep::kSyncFile, text.size()) || ::fsync(fd.get()) != 0) return false;
  if (!Allowed(faults, SaveStep::kCloseFile, text.size())) return false;
  return ::close(fd.release()) == 0;
}

void SyncFolder(const fs::path& dir, const SaveFaults& faults, size_t written) {
  if (!Allowed(faults, SaveStep::kSyncFolder, written)) return;
  FileHandle fd(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
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

fs::path UserFolderFor(UserFolder kind, const char* xdg, const char* home) {
  const FolderVariable& f = kFolders[static_cast<int>(kind)];
  if (NonEmpty(xdg) && xdg[0] == '/') return fs::path(xdg) / "galaputt";
  if (NonEmpty(home)) return fs::path(home) / f.underhome / "galaputt";
  return {};
}

fs::path DefaultUserFolder(UserFolder kind) {
  const char* home = std::getenv("HOME");
  if (!NonEmpty(home)) {
    const passwd* pw = ::getpwuid(::getuid());
    home = pw != nullptr ? pw->pw_dir : nullptr;
  }
  return UserFolderFor(kind, std::getenv(kFolders[static_cast<int>(kind)].variable), home);
}

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

std::string SaveFileAtomically(const fs::path& file, std::string_view text,
                               const SaveFaults& faults) {
  const fs::path dir = file.parent_path();
  fs::path tmp = file;
  tmp += ".tmp";
  int err = 0;
  if (!Allowed(faults, SaveStep::kCreateFolder, 0) || (!dir.empty() && !CreateFolders(dir, err))) {
    return "cannot create the folder " + Quoted(dir) + ": " + ErrnoText(err != 0 ? err : errno);
  }
  std::string what;
  if (!WriteTemp(tmp, text, faults, what)) {
    err = errno;
    ::unlink(tmp.c_str());
    return what + ": " + ErrnoText(err);
  }
  if (!Allowed(faults, SaveStep::kRename, text.size()) ||
      ::rename(tmp.c_str(), file.c_str()) != 0) {
    err = errno;
    ::unlink(tmp.c_str());
    return "cannot rename " + Quoted(tmp) + ": " + ErrnoText(err);
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
