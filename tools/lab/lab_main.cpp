#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <sstream>
#include <vector>

#include "tools/lab/lab.h"
#include "tools/lab/rules_options.h"

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

bool IsOption(const std::string& arg) {
  return arg.size() > 2 && arg.compare(0, 2, "--") == 0;
}

// "--name" at the front of a usage word, without what follows it ("]", "...").
std::string OptionName(const std::string& word) {
  size_t n = 2;
  while (n < word.size() && (std::isalnum(static_cast<unsigned char>(word[n])) || word[n] == '-')) {
    ++n;
  }
  return word.substr(0, n);
}

// A value placeholder: N, FILE, X,Y, WxH, 0..2, 1.
bool IsPlaceholder(const std::string& word) {
  return !word.empty() && (std::isupper(static_cast<unsigned char>(word[0])) ||
                           std::isdigit(static_cast<unsigned char>(word[0])));
}

std::vector<std::string> Words(const std::string& usage) {
  std::vector<std::string> words;
  std::istringstream in(usage);
  for (std::string w; in >> w;) {
    if (w == "[rules]") {
      for (const std::string& r : Words(kRuleOptions)) words.push_back(r);
      continue;
    }
    // Alternatives ("--hole NAME|--course DIR") are words of their own.
    for (size_t bar; (bar = w.find('|')) != std::string::npos; w.erase(0, bar + 1)) {
      if (bar > 0) words.push_back(w.substr(0, bar));
    }
    if (!w.empty()) words.push_back(w);
  }
  return words;
}

}  // namespace

Registrar::Registrar(Command c) {
  Commands().push_back(c);
}

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

std::vector<OptionSpec> DeclaredOptions(const std::string& usage) {
  const std::vector<std::string> words = Words(usage);
  std::vector<OptionSpec> specs;
  for (size_t i = 0; i < words.size(); ++i) {
    std::string w = words[i];
    if (w.front() == '[') w.erase(0, 1);
    if (!IsOption(w)) continue;
    OptionSpec spec{OptionName(w), OptionSpec::Kind::kFlag};
    // A word closing the option's brackets ("--trace]") has no value after it.
    const bool closed = w.size() > spec.name.size() && w[spec.name.size()] == ']';
    if (!closed && i + 1 < words.size()) {
      const std::string& next = words[i + 1];
      if (IsPlaceholder(next)) spec.kind = OptionSpec::Kind::kValue;
      if (next.size() > 1 && next[0] == '[' && IsPlaceholder(next.substr(1))) {
        spec.kind = OptionSpec::Kind::kMaybeValue;
      }
    }
    specs.push_back(spec);
  }
  return specs;
}

std::string CheckOptions(const std::string& usage, const Args& args) {
  const std::vector<OptionSpec> specs = DeclaredOptions(usage);
  for (size_t i = 0; i < args.size(); ++i) {
    if (!IsOption(args[i])) continue;
    const OptionSpec* spec = nullptr;
    for (const OptionSpec& s : specs) {
      if (s.name == args[i]) spec = &s;
    }
    if (spec == nullptr) return "unknown option " + args[i];
    const bool has_value = i + 1 < args.size() && !IsOption(args[i + 1]);
    if (spec->kind == OptionSpec::Kind::kValue && !has_value) {
      return args[i] + " needs a value";
    }
    if (spec->kind != OptionSpec::Kind::kFlag && has_value) ++i;
  }
  return "";
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
    if (name != c.name) continue;
    const Args args(argv + 2, argv + argc);
    if (const std::string e = CheckOptions(c.usage, args); !e.empty()) {
      return Fail(name + ": " + e + " (usage: " + name + " " + c.usage + ")");
    }
    return c.run(args);
  }
  Fail("unknown command: " + name);
  return Usage();
}
