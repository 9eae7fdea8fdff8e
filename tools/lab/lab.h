#pragma once
// galaputt-lab: each command lives in its own file and registers itself here.
// Output is one JSON document on standard output; errors are one line on
// standard error with a non-zero exit code.

#include <string>
#include <vector>

namespace gp::lab {

using Args = std::vector<std::string>;

struct Command {
  const char* name;
  // The arguments as `galaputt-lab help` shows them, and the declaration of
  // the command's options: every "--name" in it is an option the command
  // takes. A placeholder after it (a word starting with a capital or a digit:
  // N, FILE, X,Y, 0..2) says it takes a value; one in brackets ("--plus1
  // [0|1]") that the value may be left out; "[rules]" stands for the rule
  // options (rules_options.h). Before the command runs, any other argument
  // starting with "--", or a value option without its value, is refused with
  // one line on standard error and exit code 2.
  const char* usage;
  int (*run)(const Args& args);  // args after the command name
};

struct Registrar {
  explicit Registrar(Command c);
};

// Prints "galaputt-lab: <message>" on standard error and returns 2.
int Fail(const std::string& message);

// The folder of the running lab binary: the program folder with the data, ending with '/'.
std::string ProgramFolder();

// Option helpers: "--name value" pairs after the positional arguments.
bool HasFlag(const Args& args, const std::string& name);
// The value after --name, or nullptr.
const std::string* Option(const Args& args, const std::string& name);

// An option as a usage line declares it.
struct OptionSpec {
  enum class Kind { kFlag, kValue, kMaybeValue };
  std::string name;  // "--seed"
  Kind kind = Kind::kFlag;
};
// The options a usage line declares, "[rules]" expanded.
std::vector<OptionSpec> DeclaredOptions(const std::string& usage);
// Why `args` do not fit the options of `usage` ("unknown option --bogus",
// "--seed needs a value"); empty when they do.
std::string CheckOptions(const std::string& usage, const Args& args);

}  // namespace gp::lab
