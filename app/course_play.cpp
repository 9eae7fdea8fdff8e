#include "app/course_play.h"

#include "base/user_files.h"

#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "game/course_chain.h"
#include "game/course_file.h"

extern char** environ;

namespace gp {

namespace fs = std::filesystem;

namespace {

// The compiler's own files are made in a temporary folder beside the cache's
// files and moved in one by one, the source's copy last: a compile cut short
// leaves no file that looks current.
constexpr const char* kBuildFolder = ".build-";
constexpr const char* kFailedSuffix = ".error";
// A hole that takes longer than this to compile is given up (milliseconds).
constexpr int kCompileLimitMs = 120000;
constexpr int kPollMs = 10;

std::string WithSlash(std::string s) {
  if (!s.empty() && s.back() != '/') s += '/';
  return s;
}

// 64-bit FNV-1a, as 16 hexadecimal digits.
std::string Fingerprint(const std::string& bytes) {
  uint64_t h = 14695981039346656037ull;
  for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
  return hex;
}

// The whole file, or false when it is missing, unreadable or too large.
bool ReadSmallFile(const std::string& path, std::string& out) {
  std::error_code ec;
  const uintmax_t size = fs::file_size(path, ec);
  if (ec || size > kMaxHoleFileBytes) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool HasFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

// The file's modification time; the earliest possible when it is missing.
fs::file_time_type Stamp(const std::string& path) {
  std::error_code ec;
  const fs::file_time_type t = fs::last_write_time(path, ec);
  return ec ? fs::file_time_type::min() : t;
}

bool CompilerThere(const CourseBuild& b) {
  return ::access(b.compiler.c_str(), X_OK) == 0;
}

// Reads the child's standard error from `fd` until it closes; false when the
// child ran too long (it is then killed).
bool ReadChild(int fd, pid_t pid, std::string& err, const IdleCall& idle) {
  const auto start = std::chrono::steady_clock::now();
  for (pollfd p{fd, POLLIN, 0};;) {
    if (idle) idle();
    if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(kCompileLimitMs)) {
      ::kill(pid, SIGKILL);
      return false;
    }
    if (::poll(&p, 1, kPollMs) <= 0) continue;
    char buf[4096];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n <= 0) return true;
    if (err.size() < 65536) err.append(buf, static_cast<size_t>(n));
  }
}

// Runs `args` with standard output discarded; its standard error in `err`.
// The exit status, or -1 when it could not run, ran too long or was killed.
int RunChild(const std::vector<std::string>& args, std::string& err, const IdleCall& idle) {
  int pipefd[2];
  if (::pipe2(pipefd, O_CLOEXEC) != 0) return -1;
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addopen(&fa, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&fa, pipefd[1], STDERR_FILENO);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &fa, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&fa);
  ::close(pipefd[1]);
  if (spawned != 0) {
    ::close(pipefd[0]);
    return -1;
  }
  const bool finished = ReadChild(pipefd[0], pid, err, idle);
  ::close(pipefd[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!finished || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// The compiler's last message, without its program name.
std::string LastMessage(const std::string& err) {
  std::string last;
  size_t start = 0;
  while (start < err.size()) {
    size_t end = err.find('\n', start);
    if (end == std::string::npos) end = err.size();
    if (end > start) last = err.substr(start, end - start);
    start = end + 1;
  }
  const std::string prefix = "galaputt-assets: ";
  if (last.rfind(prefix, 0) == 0) last.erase(0, prefix.size());
  return last;
}

void WriteAtomically(const std::string& path, const std::string& text) {
  const std::string tmp = path + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) return;
  }
  std::error_code ec;
  fs::rename(tmp, path, ec);
}

std::string RecordFailure(const CourseBuild& b, const std::string& hole, const std::string& source,
                          const std::string& why) {
  WriteAtomically(b.holes + hole + kFailedSuffix, Fingerprint(source) + "\n" + why + "\n");
  return why;
}

// Moves the compiled files into the hole folder, the source's copy last.
std::string MoveCompiled(const std::string& from, const CourseBuild& b, const std::string& hole) {
  for (const char* ext : {".dxg", ".dxw", ".hole"}) {
    const std::string name = hole + ext;
    if (!HasFile(from + name)) return "the asset compiler wrote no " + name;
  }
  for (const char* ext : {".dxg", ".dxw", ".hole"}) {
    std::error_code ec;
    fs::rename(from + hole + ext, b.holes + hole + ext, ec);
    if (ec) return "cannot write " + b.holes + hole + ext;
  }
  return "";
}

// The reason with the hole's name in front, unless the message names it already.
std::string Named(const std::string& hole, const std::string& why) {
  if (why.rfind(hole, 0) == 0 && why.size() > hole.size() &&
      (why[hole.size()] == ':' || why[hole.size()] == ' ' || why[hole.size()] == '.')) {
    return why;
  }
  return hole + ": " + why;
}

}  // namespace

// The player's folder of a kind, ending with '/'; empty when there is no home.
std::string UserFolderText(UserFolder kind) {
  const std::filesystem::path p = DefaultUserFolder(kind);
  return p.empty() ? "" : p.string() + "/";
}

std::string UserDataFolder() {
  return UserFolderText(UserFolder::Data);
}

std::string UserCacheFolder() {
  return UserFolderText(UserFolder::Cache);
}

CourseBuild PlanCourse(const std::string& coursefolder, const std::string& programfolder,
                       const std::string& cachefolder) {
  // Compared and named without the trailing '/' (a path ending in one has no file name).
  const auto canonical = [](std::string s) {
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    std::error_code ec;
    return fs::weakly_canonical(fs::absolute(s, ec), ec);
  };
  const fs::path course = canonical(coursefolder), program = canonical(programfolder);
  CourseBuild b;
  b.source = WithSlash(coursefolder);
  b.compiler = WithSlash(programfolder) + "galaputt-assets";
  const std::string c = WithSlash(course.string()), p = WithSlash(program.string());
  b.builtin = !p.empty() && c.rfind(p, 0) == 0;
  if (b.builtin) {
    b.holes = b.source;
    return b;
  }
  std::string name = course.filename().string();
  for (char& ch : name) {
    if (!ValidHoleName(std::string(1, ch))) ch = '_';
  }
  b.holes = WithSlash(cachefolder) + "courses/" + name + "-" + Fingerprint(c) + "/";
  return b;
}

HoleStatus CompiledState(const CourseBuild& b, const std::string& hole) {
  const std::string stem = b.holes + hole;
  if (b.builtin) {
    for (const char* ext : {".dxg", ".dxw"}) {
      if (!HasFile(stem + ext)) return {HoleState::Failed, hole + ext + " is missing: not built"};
    }
    return {HoleState::Ready, ""};
  }
  std::string source, cached;
  if (!ReadSmallFile(b.source + hole + ".hole", source)) {
    return {HoleState::Failed, hole + ".hole cannot be read"};
  }
  const fs::file_time_type compiler = Stamp(b.compiler);
  const bool current = ReadSmallFile(stem + ".hole", cached) && cached == source &&
                       Stamp(stem + ".hole") >= compiler && Stamp(stem + ".dxg") >= compiler &&
                       Stamp(stem + ".dxw") >= compiler && HasFile(stem + ".dxg") &&
                       HasFile(stem + ".dxw");
  if (current) return {HoleState::Ready, ""};
  std::string record;
  if (ReadSmallFile(stem + kFailedSuffix, record) && Stamp(stem + kFailedSuffix) >= compiler) {
    const size_t nl = record.find('\n');
    if (nl != std::string::npos && record.substr(0, nl) == Fingerprint(source)) {
      std::string why = record.substr(nl + 1);
      while (!why.empty() && why.back() == '\n') why.pop_back();
      return {HoleState::Failed, why};
    }
  }
  return {HoleState::Stale, ""};
}

std::string CompileHole(const CourseBuild& b, const std::string& hole, const IdleCall& idle) {
  if (b.builtin) {
    const HoleStatus s = CompiledState(b, hole);
    return s.state == HoleState::Ready ? "" : s.reason;
  }
  std::string source;
  if (!ReadSmallFile(b.source + hole + ".hole", source)) return hole + ".hole cannot be read";
  if (!CompilerThere(b)) return "the asset compiler " + b.compiler + " is missing";
  std::error_code ec;
  fs::create_directories(b.holes, ec);
  if (ec) return "cannot make the cache folder " + b.holes;
  const std::string tmp = b.holes + kBuildFolder + std::to_string(::getpid()) + "/";
  fs::remove_all(tmp, ec);
  fs::create_directories(tmp, ec);
  std::string err;
  const int status =
      RunChild({b.compiler, "--out", tmp, "--hole", b.source + hole + ".hole"}, err, idle);
  std::string why;
  // Only the compiler's own verdict on the source is kept: a compiler that
  // crashed or was stopped may do better next time.
  bool verdict = false;
  if (status != 0) {
    why = LastMessage(err);
    verdict = status > 0 && !why.empty();
    if (why.empty()) {
      why = status < 0 ? "the asset compiler did not finish" : "the asset compiler failed";
    }
  } else {
    why = MoveCompiled(tmp, b, hole);
  }
  fs::remove_all(tmp, ec);
  if (verdict) return RecordFailure(b, hole, source, why);
  if (!why.empty()) return why;
  fs::remove(b.holes + hole + kFailedSuffix, ec);
  return "";
}

std::string CourseUnplayable(const Course& c, const CourseBuild& b) {
  if (std::string e = CheckHoleFiles(c); !e.empty()) return e;
  bool stale = false;
  for (const std::string& hole : c.AllHoles()) {
    const HoleStatus s = CompiledState(b, hole);
    if (s.state == HoleState::Failed) return Named(hole, s.reason);
    stale |= s.state == HoleState::Stale;
  }
  if (stale && !CompilerThere(b)) {
    return "its holes need compiling and the asset compiler (galaputt-assets) is missing";
  }
  for (const ChainProblem& p : CourseChainProblems(c, c.folder)) {
    if (p.leaves) return p.hole + ": " + p.text;
  }
  return "";
}

std::string PrepareCourse(const Course& c, const CourseBuild& b, const IdleCall& idle) {
  if (std::string e = CourseUnplayable(c, b); !e.empty()) return e;
  for (const std::string& hole : c.AllHoles()) {
    if (CompiledState(b, hole).state != HoleState::Stale) continue;
    if (std::string e = CompileHole(b, hole, idle); !e.empty()) return Named(hole, e);
  }
  return "";
}

}  // namespace gp
