#pragma once
// A workshop for the hole being edited: a temporary program folder holding
// links to every data file of the real one, the hole's pictures and sounds
// compiled by the program folder's asset compiler (`galaputt-assets`, run as
// a child process), and the hole as the editor has it now. The game, the
// solver and the checks play the hole from there; the real program folder is
// never written. The workshop goes when the build does; one left by an editor
// that was killed is cleared by the next.
//
//   WORK/game/      the program folder the game runs from (links, NAME.*)
//   WORK/content/   the compiler's sources (holes/NAME.hole)
//   WORK/out/       a compile's output, moved into game/ when it succeeds

#include <sys/types.h>

#include <string>

namespace gp::editor {

// The folder of the running program, ending with '/'.
std::string OwnFolder();

class HoleBuild {
 public:
  HoleBuild() = default;
  ~HoleBuild();
  HoleBuild(const HoleBuild&) = delete;
  HoleBuild& operator=(const HoleBuild&) = delete;

  // Makes the workshop for hole `name` with the data of `program` (ending
  // with '/'); false with error() set.
  bool Open(const std::string& program, const std::string& name);
  const std::string& name() const { return name_; }
  // The program folder to play from, ending with '/'.
  std::string GameFolder() const { return work_ + "game/"; }

  // Starts compiling `text` and returns at once; a compile still running is
  // stopped first.
  void Start(const std::string& text);
  // Whether a compile runs; when one has just ended, its result is taken:
  // compiled() counts the successes, error() says why the last one failed
  // (empty when it succeeded).
  bool Running();
  // Compiles `text` and waits for the end; false with error().
  bool Compile(const std::string& text);
  int compiled() const { return compiled_; }
  const std::string& error() const { return error_; }

  // Writes `text` as the game's NAME.hole (what Try and the solver play)
  // without compiling its pictures.
  bool WriteHole(const std::string& text);

 private:
  void Stop();
  void Finish(int status);

  std::string program_, name_, work_;
  pid_t child_ = -1;
  int compiled_ = 0;
  std::string error_;
};

}  // namespace gp::editor
