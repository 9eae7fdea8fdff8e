#pragma once
// Reads what `galaputt-lab solve` prints back into a line of strokes, and runs
// the command.

#include <cmath>
#include <cstdlib>
#include <string>

#include "ai/solver.h"
#include "tests/support/lab_run.h"

namespace gp::test {

struct LabSolution {
  bool parsed = false;
  int par = 0;
  ai::Solution line;
};

// The number after "key": in `text` from `from`; NaN when there is none.
inline double JsonNumber(const std::string& text, const std::string& key, size_t from = 0) {
  const size_t at = text.find("\"" + key + "\":", from);
  if (at == std::string::npos) return std::nan("");
  const char* start = text.c_str() + at + key.size() + 3;
  char* end = nullptr;
  const double v = std::strtod(start, &end);
  return end == start ? std::nan("") : v;
}

inline bool JsonTrue(const std::string& text, const std::string& key) {
  return text.find("\"" + key + "\":true") != std::string::npos;
}

// The solve command's document: par, strokes, found, fineaim and each shot.
inline LabSolution ParseSolution(const std::string& text) {
  LabSolution s;
  const size_t shots = text.find("\"shots\":[");
  const size_t end = text.find(']', shots);
  if (shots == std::string::npos || end == std::string::npos) return s;
  s.par = static_cast<int>(JsonNumber(text, "par"));
  s.line.strokes = static_cast<int>(JsonNumber(text, "strokes"));
  s.line.found = JsonTrue(text, "found");
  s.line.fineaim = JsonTrue(text, "fineaim");
  s.line.outoftime = JsonTrue(text, "outoftime");
  s.line.nodes = static_cast<int64_t>(JsonNumber(text, "nodes", end));
  s.line.seconds = JsonNumber(text, "seconds", end);
  for (size_t at = text.find('{', shots); at != std::string::npos && at < end;
       at = text.find('{', at + 1)) {
    ai::SolvedShot shot;
    shot.angle = static_cast<int>(JsonNumber(text, "angle", at));
    shot.speed = JsonNumber(text, "speed", at);
    shot.fromx = JsonNumber(text, "fromx", at);
    shot.fromy = JsonNumber(text, "fromy", at);
    shot.tox = JsonNumber(text, "tox", at);
    shot.toy = JsonNumber(text, "toy", at);
    shot.frame = static_cast<int>(JsonNumber(text, "frame", at));
    s.line.shots.push_back(shot);
  }
  s.parsed = true;
  return s;
}

// Runs `galaputt-lab solve ARGS`; `text` gets what it printed.
inline LabSolution LabSolve(const std::string& args, std::string& text) {
  const LabOutput out = RunLab("solve " + args);
  text = out.text;
  if (out.status != 0) return {};
  return ParseSolution(out.text);
}

}  // namespace gp::test
