#pragma once
// Runs the built galaputt-lab from the program folder and captures its output.

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace gp::test {

struct LabOutput {
  int status = -1;
  std::string text;
};

// `redirect` picks which stream is captured ("2>/dev/null": standard output,
// "2>&1 >/dev/null": standard error).
inline LabOutput RunLab(const std::string& args, const char* redirect = "2>/dev/null") {
  const std::string cmd = std::string(GALAPUTT_GAME_DIR) + "/galaputt-lab " + args + " " + redirect;
  LabOutput o;
  FILE* p = popen(cmd.c_str(), "r");
  if (p == nullptr) return o;
  char buf[4096];
  size_t n = 0;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) o.text.append(buf, n);
  const int st = pclose(p);
  o.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return o;
}

// The short name the lab tests use.
inline LabOutput Lab(const std::string& args, const char* redirect = "2>/dev/null") {
  return RunLab(args, redirect);
}

}  // namespace gp::test
