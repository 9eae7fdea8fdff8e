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

}  // namespace gp::lab
