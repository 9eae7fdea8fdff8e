#pragma once
// The asset compiler's generators: each makes one group of data files in the
// program folder and registers itself with a static Registrar.

#include <cstdint>
#include <string>
#include <vector>

namespace gp::assets {

struct Context {
  std::string out;      // the program folder, ending with '/'
  std::string content;  // the content/ source folder, ending with '/'
  std::string arg;      // for per-item generators: the item (e.g. a hole name)
  std::string source;   // "hole" from a file outside content/ (--hole FILE); else empty
};

struct Generator {
  const char* name;  // "gui", "menu", "sound", "menusound", "textures", "skins", "hole", ...
  // Makes the files; throws std::exception with a message on failure.
  void (*run)(const Context& ctx);
};

struct Registrar {
  explicit Registrar(Generator g);
};

const std::vector<Generator>& Generators();

// Prints one progress line: "galaputt-assets: wrote <file>".
void Progress(const std::string& file);

// Writes bytes to the program folder as `name` and reports it; throws when it cannot.
void WriteDataFile(const Context& ctx, const std::string& name, const std::vector<uint8_t>& bytes);

}  // namespace gp::assets
