// galaputt-assets: writes every data file the game needs into the program folder.
//   galaputt-assets --out DIR [--content DIR] [--hole FILE]... [NAME[:ARG]...]
// With no names every generator runs; "hole:course1hole1" runs one hole of
// content/holes/, and --hole FILE compiles the hole source FILE (a course's
// hole, anywhere) into NAME.hole, NAME.dxg and NAME.dxw, NAME its file's stem.
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/assets/generator.h"

namespace gp::assets {

namespace {
std::vector<Generator>& List() {
  static std::vector<Generator> list;
  return list;
}

std::string WithSlash(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

constexpr const char* kUsage =
    "usage: galaputt-assets --out DIR [--content DIR] [--hole FILE]... [NAME[:ARG]...]\n";

void RunWanted(const Context& ctx, const std::vector<std::string>& wanted) {
  for (const Generator& g : Generators()) {
    if (wanted.empty()) {
      if (std::strcmp(g.name, "hole") == 0) continue;  // holes are named one by one
      g.run(ctx);
      continue;
    }
    for (const std::string& w : wanted) {
      const std::string name = w.substr(0, w.find(':'));
      if (name != g.name) continue;
      Context c = ctx;
      c.arg = w.find(':') == std::string::npos ? "" : w.substr(w.find(':') + 1);
      g.run(c);
    }
  }
}

// Each --hole FILE through the hole generator.
void RunHoleFiles(const Context& ctx, const std::vector<std::string>& files) {
  for (const Generator& g : Generators()) {
    if (std::strcmp(g.name, "hole") != 0) continue;
    for (const std::string& f : files) {
      Context c = ctx;
      c.source = f;
      c.arg = std::filesystem::path(f).stem().string();
      g.run(c);
    }
  }
}
}  // namespace

Registrar::Registrar(Generator g) { List().push_back(g); }
const std::vector<Generator>& Generators() { return List(); }

void WriteDataFile(const Context& ctx, const std::string& name, const std::vector<uint8_t>& bytes) {
  std::ofstream f(ctx.out + name, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + ctx.out + name);
  Progress(name);
}

void Progress(const std::string& file) {
  std::printf("galaputt-assets: wrote %s\n", file.c_str());
  std::fflush(stdout);
}

}  // namespace gp::assets

int main(int argc, char** argv) {
  using namespace gp::assets;
  Context ctx;
  ctx.content = "content/";
  std::vector<std::string> wanted, holes;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      ctx.out = WithSlash(argv[++i]);
    } else if (std::strcmp(argv[i], "--content") == 0 && i + 1 < argc) {
      ctx.content = WithSlash(argv[++i]);
    } else if (std::strcmp(argv[i], "--hole") == 0 && i + 1 < argc) {
      holes.emplace_back(argv[++i]);
    } else if (std::strcmp(argv[i], "--list") == 0) {
      for (const Generator& g : Generators()) std::printf("%s\n", g.name);
      return 0;
    } else if (argv[i][0] == '-') {
      std::fprintf(stderr, "%s", kUsage);
      return 2;
    } else {
      wanted.emplace_back(argv[i]);
    }
  }
  if (ctx.out.empty()) {
    std::fprintf(stderr, "galaputt-assets: --out DIR is required\n");
    return 2;
  }
  try {
    if (holes.empty() || !wanted.empty()) RunWanted(ctx, wanted);
    RunHoleFiles(ctx, holes);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "galaputt-assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
