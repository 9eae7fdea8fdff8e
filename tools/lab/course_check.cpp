#include "tools/lab/course_check.h"

#include <algorithm>
#include <filesystem>

#include "app/course_play.h"
#include "base/profile.h"
#include "game/course_chain.h"
#include "game/course_file.h"
#include "game/setup.h"
#include "game/state.h"
#include "tools/lab/fair_cup.h"
#include "tools/lab/solve_game.h"
#include "ai/solver.h"

namespace gp::lab {

namespace {

namespace fs = std::filesystem;

// The solver looks for lines up to two strokes over par (the stroke limit is 9).
constexpr int kStrokesOverPar = 2;
constexpr int kMaxSolverStrokes = 8;

std::string ReadCoursePath(const std::string& path, Course& c) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    return ReadCourse(path.back() == '/' ? path : path + "/", c);
  }
  return ReadCourseFile(path, c);
}

// The hole compiled (or found compiled) where the game reads it; "" when it
// can be loaded, else why not.
std::string ReadyHole(const Course& c, const CourseBuild& b, const std::string& hole) {
  Course one = c;
  one.holes = {hole};
  one.extra.clear();
  if (std::string e = CheckHoleFiles(one); !e.empty()) return e;
  const HoleStatus s = CompiledState(b, hole);
  if (s.state == HoleState::Failed) return s.reason;
  if (s.state == HoleState::Stale) return CompileHole(b, hole);
  return "";
}

std::string Messages(const HeadlessPlatform& p) {
  std::string all;
  for (const std::string& m : p.messages()) all += (all.empty() ? "" : "; ") + m;
  return all;
}

// The solver on the hole alone, one player, the default rules.
void SolveHole(const CourseBuild& b, const std::string& programfolder, const std::string& hole,
               const CourseCheckOptions& o, HoleReport& r) {
  SolveGame game;
  game.SetHoleFolder(b.holes);
  if (const std::string e = game.Open(programfolder, hole, o.seed); !e.empty()) {
    const std::string why = Messages(game.platform());
    r.problems.push_back("the hole does not start: " + (why.empty() ? e : why));
    return;
  }
  r.par = gs().par;
  ai::SolveOptions so;
  so.maxstrokes = std::clamp(r.par + kStrokesOverPar, 1, kMaxSolverStrokes);
  so.budget = o.budget;
  so.beam = o.beam;
  const ai::Solution s = ai::Solve(game.HoleFrame(), so);
  r.solved = s.found;
  r.strokes = s.found ? s.strokes : 0;
  r.fineaim = s.fineaim;
  if (!s.found) {
    r.problems.push_back(s.outoftime ? "the solver ran out of time without a line into the cup"
                                     : "the solver found no line into the cup within " +
                                           std::to_string(so.maxstrokes) + " strokes");
  } else if (s.strokes > r.par) {
    r.problems.push_back("the solver needs " + std::to_string(s.strokes) +
                         (s.strokes == 1 ? " stroke" : " strokes") + ", more than its par " +
                         std::to_string(r.par));
  }
}

void SweepHole(const CourseBuild& b, const std::string& hole, HoleReport& r) {
  const CupSweep sweep = SweepCup(b.holes + hole + ".hole", hole);
  r.faircup = sweep.Fair();
  if (!r.faircup) {
    r.problems.push_back("unfair cup: fair from " + std::to_string(sweep.fair) + " of " +
                         std::to_string(sweep.allowed) + " open directions (" +
                         sweep.report.substr(std::min<size_t>(1, sweep.report.size())) + ")");
  }
}

}  // namespace

CourseReport CheckCourse(const std::string& path, const std::string& programfolder,
                         const std::string& cachefolder, const CourseCheckOptions& o) {
  CourseReport out;
  Course c;
  if (const std::string e = ReadCoursePath(path, c); !e.empty()) {
    out.folder = path;
    out.problems.push_back(e);
    return out;
  }
  out.course = c.name;
  out.folder = c.folder;
  const CourseBuild b = PlanCourse(c.folder, programfolder, cachefolder);
  for (const std::string& hole : c.AllHoles()) {
    HoleReport r;
    r.name = hole;
    // As the game reads it (par 3 when the file does not say).
    r.par = Profile::FromFile(c.folder + hole + ".hole").ReadInteger("course", "par", 3);
    if (const std::string e = ReadyHole(c, b, hole); !e.empty()) {
      r.problems.push_back(e);
    } else {
      SolveHole(b, programfolder, hole, o, r);
      SweepHole(b, hole, r);
    }
    out.holes.push_back(std::move(r));
  }
  for (const ChainProblem& p : CourseChainProblems(c, c.folder)) {
    for (HoleReport& r : out.holes) {
      if (r.name == p.hole) r.problems.push_back(p.text);
    }
  }
  out.ok =
      out.problems.empty() && std::all_of(out.holes.begin(), out.holes.end(),
                                          [](const HoleReport& r) { return r.problems.empty(); });
  return out;
}

}  // namespace gp::lab
