#include <unistd.h>

#include <climits>
#include <cstdio>
#include <vector>

#include "tools/lab/lab.h"

namespace gp::lab {

namespace {
std::vector<Command>& Commands() {
  static std::vector<Command> list;
  return list;
}

int Usage() {
  std::fprintf(stderr, "usage: galaputt-lab COMMAND [ARGS...]\ncommands:\n");
  for (const Command& c : Commands()) std::fprintf(stderr, "  %s %s\n", c.name, c.usage);
  return 2;
}
}  // namespace

Registrar::Registrar(Command c) { Commands().push_back(c); }

int Fail(const std::string& message) {
  std::fprintf(stderr, "galaputt-lab: %s\n", message.c_str());
  return 2;
}

std::string ProgramFolder() {
  char buf[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "./";
  std::string path(buf, static_cast<size_t>(n));
  return path.substr(0, path.find_last_of('/') + 1);
}

bool HasFlag(const Args& args, const std::string& name) {
  for (const std::string& a : args) {
    if (a == name) return true;
  }
  return false;
}

const std::string* Option(const Args& args, const std::string& name) {
  for (size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == name) return &args[i + 1];
  }
  return nullptr;
}

}  // namespace gp::lab

int main(int argc, char** argv) {
  using namespace gp::lab;
  if (argc < 2) return Usage();
  const std::string name = argv[1];
  if (name == "--help" || name == "help") {
    Usage();
    return 0;
  }
  for (const Command& c : Commands()) {
    if (name == c.name) return c.run(Args(argv + 2, argv + argc));
  }
  Fail("unknown command: " + name);
  return Usage();
}
