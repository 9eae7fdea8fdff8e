// match: a whole game of computer players headless, one JSON document.
//   galaputt-lab match --players SKILL[,SKILL...] [--course se|training] [--seed S]
//                      [--holes N] [--check] [--record FILE] [--records FILE] [rules]
// SKILL is rookie, pro or ace; one to four players. The rules are the options
// every game command takes (tools/lab/rules_options.h). --holes stops after N
// holes; --check watches every frame with the soak's rules and lists what
// broke them under "violations" (exit status 1 when any did). --records FILE
// keeps the game's results in that records file (none otherwise).
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tools/lab/json.h"
#include "tools/lab/lab.h"
#include "tools/lab/match.h"
#include "tools/lab/parse.h"
#include "tools/lab/rules_options.h"
#include "tools/lab/soak_check.h"

namespace gp::lab {

namespace {

std::string ParseSkills(const std::string& list, std::vector<int>& out) {
  std::stringstream in(list);
  std::string name;
  while (std::getline(in, name, ',')) {
    const int skill = SkillNumber(name);
    if (skill == 0) return "--players: unknown skill \"" + name + "\" (rookie, pro or ace)";
    out.push_back(skill);
  }
  if (out.empty() || out.size() > 4) return "--players names one to four skills";
  return "";
}

std::string ParseMatch(const Args& args, MatchOptions& o) {
  const std::string* players = Option(args, "--players");
  if (!players) return "match needs --players SKILL[,SKILL...]";
  if (const std::string e = ParseSkills(*players, o.skills); !e.empty()) return e;
  if (const std::string e = ParseRules(args, o.setup); !e.empty()) return e;
  if (const std::string* c = Option(args, "--course")) {
    if (*c != "se" && *c != "training") return "--course must be se or training";
    o.setup.training = *c == "training";
  }
  if (const std::string* v = Option(args, "--seed")) {
    int32_t seed = 0;
    if (!ParseInt(*v, seed) || seed < 0) return "bad --seed";
    o.seed = static_cast<uint64_t>(seed);
  }
  if (const std::string* v = Option(args, "--holes")) {
    if (!ParseInt(*v, o.holes) || o.holes < 1 || o.holes > 6) return "--holes must be 1 to 6";
  }
  if (const std::string* v = Option(args, "--record")) o.record = *v;
  if (const std::string* v = Option(args, "--records")) o.records = *v;
  return "";
}

int64_t Median(std::vector<int64_t> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void PrintMatch(const MatchOptions& o, const MatchResult& r, const SoakCheck* check) {
  Json j;
  j.BeginObject().Key("course").String(o.setup.training ? "training" : "se");
  j.Key("seed").Int(static_cast<int64_t>(o.seed));
  j.Key("holes").BeginArray();
  for (const MatchHole& h : r.holes) {
    j.BeginObject().Field("name", h.name).Field("par", h.par).Key("strokes").BeginArray();
    for (const int s : h.strokes) j.Int(s);
    j.EndArray().EndObject();
  }
  j.EndArray().Key("totals").BeginArray();
  for (const int t : r.totals) j.Int(t);
  j.EndArray().Field("winner", r.winner).Field("gameover", r.gameover);
  j.Key("decisions").Int(static_cast<int64_t>(r.simframes.size()));
  j.Key("simframes").BeginObject().Key("median").Int(Median(r.simframes));
  j.Key("max").Int(r.simframes.empty() ? 0
                                       : *std::max_element(r.simframes.begin(), r.simframes.end()));
  j.EndObject().Field("frames", r.frames).Field("seconds", r.seconds);
  if (check) {
    j.Key("violations").BeginArray();
    for (const std::string& v : check->violations()) j.String(v);
    j.EndArray();
  }
  j.EndObject().Print();
}

int RunMatch(const Args& args) {
  MatchOptions o;
  if (const std::string e = ParseMatch(args, o); !e.empty()) return Fail(e);
  SoakLimits limits;
  limits.holes = o.holes;
  SoakCheck check(limits);
  const bool checking = HasFlag(args, "--check");
  if (checking) o.watch = &check;
  const MatchResult r = PlayMatch(o, ProgramFolder());
  if (!r.error.empty()) return Fail(r.error);
  PrintMatch(o, r, checking ? &check : nullptr);
  return checking && !check.violations().empty() ? 1 : 0;
}

const Registrar kMatch({"match",
                        "--players SKILL[,SKILL...] [--course se|training] [--seed S] "
                        "[--holes N] [--check] [--record FILE] [--records FILE] [rules]",
                        RunMatch});

}  // namespace

}  // namespace gp::lab
