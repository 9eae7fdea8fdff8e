#include "tools/editor/hole_build.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace gp::editor {

namespace fs = std::filesystem;

namespace {

// The files a compile of hole `name` makes.
constexpr const char* kOutputs[] = {".dxg", ".dxw"};

bool WriteFile(const std::string& path, const std::string& text) {
  const std::string tmp = path + ".new";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    f.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!f) return false;
  }
  return std::rename(tmp.c_str(), path.c_str()) == 0;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// The compiler's last line of complaint, without its program name.
std::string CompileError(const std::string& log, int status) {
  std::string line;
  std::istringstream in(log);
  for (std::string l; std::getline(in, l);) {
    if (!l.empty()) line = l;
  }
  const std::string prefix = "galaputt-assets: ";
  if (line.rfind(prefix, 0) == 0) line = line.substr(prefix.size());
  if (line.empty()) line = "the asset compiler failed (status " + std::to_string(status) + ")";
  return line;
}

}  // namespace

std::string OwnFolder() {
  char buf[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "./";
  const std::string path(buf, static_cast<size_t>(n));
  return path.substr(0, path.find_last_of('/') + 1);
}

HoleBuild::~HoleBuild() {
  Stop();
  if (!work_.empty()) {
    std::error_code ec;
    fs::remove_all(work_, ec);
  }
}

// Workshops of editors that ended without clearing up (killed, or their
// display gone): named by their process, which no longer runs.
void ClearStale(const std::string& tmp) {
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(tmp, ec)) {
    const std::string f = e.path().filename().string();
    const std::string prefix = "galaputt-editor-";
    if (f.rfind(prefix, 0) != 0) continue;
    const long pid = std::strtol(f.c_str() + prefix.size(), nullptr, 10);
    if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
      fs::remove_all(e.path(), ec);
    }
  }
}

bool HoleBuild::Open(const std::string& program, const std::string& name) {
  program_ = program;
  name_ = name;
  const char* env = std::getenv("TMPDIR");
  const std::string tmp = env && *env ? env : "/tmp";
  ClearStale(tmp);
  std::string pattern = tmp + "/galaputt-editor-" + std::to_string(getpid()) + "-XXXXXX";
  if (!mkdtemp(pattern.data())) {
    error_ = "cannot make a folder in " + tmp;
    return false;
  }
  work_ = pattern + "/";
  std::error_code ec;
  fs::create_directories(work_ + "game", ec);
  fs::create_directories(work_ + "content/holes", ec);
  fs::create_directories(work_ + "out", ec);
  // Every data file of the program folder but this hole's own.
  for (const auto& e : fs::directory_iterator(program, ec)) {
    const std::string file = e.path().filename().string();
    if (file.rfind(name + ".", 0) == 0) continue;
    fs::create_symlink(e.path(), work_ + "game/" + file, ec);
  }
  if (ec) {
    error_ = "cannot link the data of " + program + ": " + ec.message();
    return false;
  }
  error_.clear();
  return true;
}

bool HoleBuild::WriteHole(const std::string& text) {
  return WriteFile(GameFolder() + name_ + ".hole", text);
}

void HoleBuild::Start(const std::string& text) {
  Stop();
  if (!WriteFile(work_ + "content/holes/" + name_ + ".hole", text)) {
    error_ = "cannot write the hole for the compiler";
    return;
  }
  const std::string compiler = program_ + "galaputt-assets";
  const std::string out = work_ + "out", content = work_ + "content";
  const std::string what = "hole:" + name_, log = work_ + "out/log";
  child_ = fork();
  if (child_ == 0) {
    const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
      dup2(fd, STDOUT_FILENO);
      dup2(fd, STDERR_FILENO);
    }
    execl(compiler.c_str(), compiler.c_str(), "--out", out.c_str(), "--content", content.c_str(),
          what.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  if (child_ < 0) error_ = "cannot start " + compiler;
}

bool HoleBuild::Running() {
  if (child_ <= 0) return false;
  int status = 0;
  const pid_t r = waitpid(child_, &status, WNOHANG);
  if (r == 0) return true;
  child_ = -1;
  Finish(r < 0 ? -1 : status);
  return false;
}

bool HoleBuild::Compile(const std::string& text) {
  Start(text);
  if (child_ <= 0) return false;
  int status = 0;
  const pid_t r = waitpid(child_, &status, 0);
  child_ = -1;
  const int before = compiled_;
  Finish(r < 0 ? -1 : status);
  return compiled_ > before;
}

void HoleBuild::Finish(int status) {
  const bool ok = status >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (!ok) {
    error_ = WIFEXITED(status) && WEXITSTATUS(status) == 127
                 ? "cannot run " + program_ + "galaputt-assets"
                 : CompileError(ReadFile(work_ + "out/log"), status);
    return;
  }
  // The new pictures replace the old ones; the hole is the one compiled.
  for (const char* ext : kOutputs) {
    const std::string from = work_ + "out/" + name_ + ext, to = GameFolder() + name_ + ext;
    if (std::rename(from.c_str(), to.c_str()) != 0) {
      error_ = "the asset compiler wrote no " + name_ + ext;
      return;
    }
  }
  const std::string hole = work_ + "out/" + name_ + ".hole";
  std::rename(hole.c_str(), (GameFolder() + name_ + ".hole").c_str());
  error_.clear();
  ++compiled_;
}

void HoleBuild::Stop() {
  if (child_ <= 0) return;
  kill(child_, SIGTERM);
  waitpid(child_, nullptr, 0);
  child_ = -1;
}

}  // namespace gp::editor
