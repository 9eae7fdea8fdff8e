#include "tools/lab/rules_options.h"

#include "tools/lab/parse.h"

namespace gp::lab {

namespace {

std::string Ranged(const Args& args, const std::string& name, int lo, int hi, int& out) {
  const std::string* v = Option(args, name);
  if (!v) return "";
  int32_t n = 0;
  if (!ParseInt(*v, n) || n < lo || n > hi) {
    return name + " must be " + std::to_string(lo) + " to " + std::to_string(hi);
  }
  out = n;
  return "";
}

}  // namespace

bool FlagValue(const Args& args, const std::string& name, bool fallback) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != name) continue;
    if (i + 1 < args.size() && (args[i + 1] == "0" || args[i + 1] == "1")) {
      return args[i + 1] == "1";
    }
    return true;
  }
  return fallback;
}

std::string ParseRules(const Args& args, GameSetup& s) {
  int limit = StrokeLimit(s);
  for (const std::string& e :
       {Ranged(args, "--startplayer", 0, 2, s.startplayer),
        Ranged(args, "--nextplayer", 0, 1, s.nextplayer),
        Ranged(args, "--whencollide", 0, 1, s.whencollide),
        Ranged(args, "--scoring", 0, 1, s.scoring), Ranged(args, "--strokelimit", 6, 9, limit)}) {
    if (!e.empty()) return e;
  }
  s.strokelimit = std::to_string(limit);
  s.plus1 = FlagValue(args, "--plus1", s.plus1);
  s.minus1 = FlagValue(args, "--minus1", s.minus1);
  s.training = FlagValue(args, "--training", s.training);
  return "";
}

}  // namespace gp::lab
