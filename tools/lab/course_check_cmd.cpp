// galaputt-lab course check PATH [--budget SECONDS] [--seed S] [--beam N]: every
// hole of a course loaded, compiled, solved and its cup swept, the order of the
// holes checked; exit 1 when anything is wrong.
//   {"course", "folder", "problems": [...], "holes": [{"name", "par", "solved",
//    "strokes", "fineaim", "faircup", "problems": [...]}...], "ok"}
#include <string>

#include "app/course_play.h"
#include "tools/lab/course_check.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"
#include "tools/lab/parse.h"

namespace gp::lab {

namespace {

std::string ParseCheckOptions(const Args& args, CourseCheckOptions& o) {
  if (const std::string* v = Option(args, "--budget")) {
    if (!ParseDouble(*v, o.budget) || o.budget <= 0) return "--budget must be a positive number";
  }
  if (const std::string* v = Option(args, "--seed")) {
    int32_t seed = 0;
    if (!ParseInt(*v, seed) || seed < 0) return "bad --seed";
    o.seed = static_cast<uint64_t>(seed);
  }
  if (const std::string* v = Option(args, "--beam")) {
    if (!ParseInt(*v, o.beam) || o.beam < 1 || o.beam > 100) return "--beam must be 1 to 100";
  }
  return "";
}

void Strings(Json& j, const char* key, const std::vector<std::string>& list) {
  j.Key(key).BeginArray();
  for (const std::string& s : list) j.String(s);
  j.EndArray();
}

void PrintReport(const CourseReport& r) {
  Json j;
  j.BeginObject().Field("course", r.course).Field("folder", r.folder);
  Strings(j, "problems", r.problems);
  j.Key("holes").BeginArray();
  for (const HoleReport& h : r.holes) {
    j.BeginObject().Field("name", h.name).Field("par", h.par).Field("solved", h.solved);
    j.Field("strokes", h.strokes).Field("fineaim", h.fineaim).Field("faircup", h.faircup);
    Strings(j, "problems", h.problems);
    j.EndObject();
  }
  j.EndArray().Field("ok", r.ok).EndObject().Print();
}

int RunCourse(const Args& args) {
  if (args.size() < 2 || args[0] != "check" || args[1].empty() || args[1][0] == '-') {
    return Fail("usage: course check DIR [--budget SECONDS] [--seed S] [--beam N]");
  }
  CourseCheckOptions o;
  if (const std::string e = ParseCheckOptions(args, o); !e.empty()) return Fail(e);
  const CourseReport r = CheckCourse(args[1], ProgramFolder(), UserCacheFolder(), o);
  PrintReport(r);
  return r.ok ? 0 : 1;
}

const Registrar kCourse({"course", "check DIR [--budget SECONDS] [--seed S] [--beam N]",
                         RunCourse});

}  // namespace

}  // namespace gp::lab
