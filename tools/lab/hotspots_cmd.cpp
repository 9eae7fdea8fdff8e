// galaputt-lab hotspots --spots FILE [--maskitems FILE] [--at X,Y]...: the spot
// list as the launcher reads it, and the spot hit at each picture point.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "media/hot_spots.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"
#include "tools/lab/parse.h"

namespace gp::lab {

namespace {

// Stored spot properties are a few hundred bytes; anything this large is not one.
constexpr std::streamoff kMaxFileBytes = 16 << 20;

struct Options {
  std::string spots, maskitems;
  std::vector<std::pair<int32_t, int32_t>> at;
};

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) throw HotSpotsError("cannot open " + path);
  std::ifstream f(path, std::ios::binary);
  if (!f) throw HotSpotsError("cannot open " + path);
  f.seekg(0, std::ios::end);
  const std::streamoff size = f.tellg();
  if (size < 0) throw HotSpotsError("cannot read " + path);
  if (size > kMaxFileBytes) throw HotSpotsError(path + ": too large for spot data");
  f.seekg(0);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  f.read(reinterpret_cast<char*>(bytes.data()), size);
  if (!f) throw HotSpotsError("cannot read " + path);
  return bytes;
}

bool ParsePoint(const std::string& s, std::pair<int32_t, int32_t>& out) {
  const size_t comma = s.find(',');
  return comma != std::string::npos && ParseInt(s.substr(0, comma), out.first) &&
         ParseInt(s.substr(comma + 1), out.second);
}

// Fills `o` from the arguments; returns an error message, "" when fine.
std::string ParseOptions(const Args& args, Options& o) {
  for (size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return "missing value after " + args[i];
    const std::string& v = args[i + 1];
    if (args[i] == "--spots") {
      o.spots = v;
    } else if (args[i] == "--maskitems") {
      o.maskitems = v;
    } else if (args[i] == "--at") {
      o.at.emplace_back();
      if (!ParsePoint(v, o.at.back())) return "bad point " + v + " (want X,Y)";
    } else {
      return "unknown option " + args[i];
    }
  }
  return o.spots.empty() ? "missing --spots FILE" : "";
}

void PrintSpot(Json& j, const Spot& s) {
  j.BeginObject()
      .Field("shape", int{s.shape})
      .Field("tag", int{s.tag})
      .Field("enabled", s.enabled)
      .Field("hint", s.hint)
      .Key("points")
      .BeginArray();
  for (int32_t v : s.points) j.Int(v);
  j.EndArray().Key("mask");
  if (!s.mask) {
    j.Null();
  } else {
    j.BeginObject().Field("states", int{s.mask->states}).Key("points").BeginArray();
    for (int32_t v : s.mask->points) j.Int(v);
    j.EndArray().EndObject();
  }
  j.EndObject();
}

int RunHotspots(const Args& args) {
  Options o;
  HotSpots spots;
  try {
    const std::string error = ParseOptions(args, o);
    if (!error.empty()) throw HotSpotsError(error);
    const std::vector<uint8_t> bytes = ReadFile(o.spots);
    spots = ReadSpots(bytes.data(), bytes.size());
    if (!o.maskitems.empty()) {
      const std::vector<uint8_t> mask = ReadFile(o.maskitems);
      ReadMaskItems(spots, mask.data(), mask.size());
    }
  } catch (const HotSpotsError& e) {
    std::fprintf(stderr, "galaputt-lab: hotspots: %s\n", e.what());
    return 1;
  }
  Json j;
  j.BeginObject().Key("spots").BeginArray();
  for (const Spot& s : spots.items) PrintSpot(j, s);
  j.EndArray().Key("hits").BeginArray();
  for (const auto& [x, y] : o.at) j.Int(spots.SpotAt(x, y));
  j.EndArray().EndObject().Print();
  return 0;
}

const Registrar kHotspots({"hotspots", "--spots FILE [--maskitems FILE] [--at X,Y]...", RunHotspots});

}  // namespace

}  // namespace gp::lab
