#include "tools/editor/edit_script.h"

#include <sstream>

#include "base/profile.h"
#include "tools/editor/view_geometry.h"

namespace gp::editor {

namespace {

// One line split into words; `rest` keeps the text after the first words for
// values that may hold blanks.
struct ScriptLine {
  std::vector<std::string> w;
  std::string line;
  // The text after word i (blanks around it dropped).
  std::string After(size_t i) const {
    size_t at = 0;
    for (size_t k = 0; k <= i && at != std::string::npos; ++k) {
      at = line.find_first_not_of(" \t", at);
      if (at != std::string::npos) at = line.find_first_of(" \t", at);
    }
    if (at == std::string::npos) return "";
    const size_t from = line.find_first_not_of(" \t", at);
    if (from == std::string::npos) return "";
    return line.substr(from, line.find_last_not_of(" \t\r") - from + 1);
  }
};

ScriptLine Split(const std::string& line) {
  ScriptLine out;
  out.line = line;
  std::istringstream in(line);
  for (std::string s; in >> s;) out.w.push_back(s);
  return out;
}

bool Number(const std::string& s, int& v) {
  int32_t n = 0;
  if (!ParseProfileNumber(s, n)) return false;
  v = n;
  return true;
}

bool ParsePoint(const std::string& s, Point& p) {
  const size_t comma = s.find(',');
  return comma != std::string::npos && Number(s.substr(0, comma), p.x) &&
         Number(s.substr(comma + 1), p.y);
}

class Runner {
 public:
  Runner(HoleModel& m, const std::function<bool(std::string&)>& save, ScriptRun& run)
      : m_(m), save_(save), run_(run) {}

  // An error text, empty when the line was applied.
  std::string Line(const ScriptLine& l) {
    const std::string& op = l.w[0];
    if (op == "add") return Add(l);
    if (op == "walls") return Walls(l);
    if (op == "move") return Need(l, 3) ? Move(l) : Usage("move N DX,DY");
    if (op == "corner") return Need(l, 4) ? Corner(l) : Usage("corner N K X,Y");
    if (op == "set") return l.w.size() >= 3 ? Set(l) : Usage("set N FIELD VALUE");
    if (op == "delete") return Need(l, 2) ? Delete(l) : Usage("delete N");
    if (op == "duplicate") return Duplicate(l);
    if (op == "undo") return !Need(l, 1) ? Usage("undo") : m_.Undo() ? "" : "nothing to undo";
    if (op == "redo") return !Need(l, 1) ? Usage("redo") : m_.Redo() ? "" : "nothing to redo";
    if (op == "start") return Need(l, 2) ? Start(l) : Usage("start X,Y");
    if (op == "par") return Need(l, 2) ? Par(l) : Usage("par N");
    if (op == "next") return l.w.size() == 2 ? Did(m_.SetNext(l.w[1])) : Usage("next NAME");
    if (op == "look")
      return l.w.size() >= 3 ? Did(m_.SetLook(l.w[1], l.w[2], l.After(2)))
                             : Usage("look SECTION KEY [VALUE]");
    if (op == "save") return Need(l, 1) ? Save() : Usage("save");
    return "unknown operation \"" + op + "\"";
  }

 private:
  static bool Need(const ScriptLine& l, size_t n) { return l.w.size() == n; }
  static std::string Usage(const std::string& u) { return "expected: " + u; }
  std::string Did(bool ok) { return ok ? "" : m_.error(); }

  std::string AreaNumber(const std::string& s, int& n) {
    if (!Number(s, n) || n < 1 || n > kMaxAreas)
      return "an area number is 1 to 99, not \"" + s + "\"";
    return "";
  }

  using Fields = std::vector<std::pair<Field, std::string>>;

  // Points, then FIELD=VALUE words, from word `from` on; `closed` takes the
  // word "closed" after the points (a chain of walls back to its start).
  std::string PointsAndFields(const ScriptLine& l, size_t from, std::vector<Point>& pts,
                              Fields& fields, bool* closed = nullptr) {
    for (size_t i = from; i < l.w.size(); ++i) {
      const size_t eq = l.w[i].find('=');
      Field f;
      if (eq != std::string::npos) {
        if (!FieldOfKey(l.w[i].substr(0, eq), f))
          return "unknown field \"" + l.w[i].substr(0, eq) + "\"";
        fields.emplace_back(f, l.w[i].substr(eq + 1));
        continue;
      }
      if (closed && l.w[i] == "closed" && fields.empty() && !*closed) {
        *closed = true;
        continue;
      }
      Point p;
      if (!fields.empty() || (closed && *closed) || !ParsePoint(l.w[i], p))
        return "bad point \"" + l.w[i] + "\" (X,Y)";
      pts.push_back(p);
    }
    return "";
  }

  // Adds one area with its fields inside the open group; its number, 0 on error.
  int AddOne(int kind, const std::vector<Point>& pts, const Fields& fields, std::string& error) {
    const int n = m_.Add(kind, pts);
    error = n ? "" : m_.error();
    for (size_t i = 0; n && error.empty() && i < fields.size(); ++i) {
      if (!m_.SetField(n, fields[i].first, fields[i].second)) error = m_.error();
    }
    return error.empty() ? n : 0;
  }

  std::string Add(const ScriptLine& l) {
    if (l.w.size() < 3) return Usage("add KIND X1,Y1 [X2,Y2 ...] [FIELD=VALUE ...]");
    // The kind is every word before the first point: a number or a name of
    // one or more words ("slope left").
    size_t first = 2;
    Point p;
    while (first < l.w.size() && !ParsePoint(l.w[first], p)) ++first;
    if (first == l.w.size()) first = 2;  // no point at all: the points' own error
    std::string name = l.w[1];
    for (size_t i = 2; i < first; ++i) name += " " + l.w[i];
    int kind = 0;
    if (!KindByName(name, kind)) return "unknown kind \"" + name + "\"";
    std::vector<Point> pts;
    Fields fields;
    if (std::string e = PointsAndFields(l, first, pts, fields); !e.empty()) return e;
    m_.BeginGroup();
    std::string error;
    const int n = AddOne(kind, pts, fields, error);
    if (!error.empty()) m_.RestartGroup();
    m_.EndGroup();
    if (error.empty()) run_.added.push_back(n);
    return error;
  }

  // A chain of walls through the points, each taking the kind of its slope,
  // as walls drawn with the mouse do; one undo step.
  std::string Walls(const ScriptLine& l) {
    std::vector<Point> pts;
    Fields fields;
    bool closed = false;
    if (std::string e = PointsAndFields(l, 1, pts, fields, &closed); !e.empty()) return e;
    if (pts.size() < 2 || (closed && pts.size() < 3))
      return Usage("walls X1,Y1 X2,Y2 [X3,Y3 ...] [closed] [FIELD=VALUE ...]");
    if (closed) pts.push_back(pts.front());
    std::vector<int> made;
    std::string error;
    m_.BeginGroup();
    for (size_t i = 0; i + 1 < pts.size() && error.empty(); ++i) {
      const int kind = WallKindOf(pts[i], pts[i + 1]);
      if (kind == 0) {
        error = "wall " + std::to_string(i + 1) + " from " + std::to_string(pts[i].x) + "," +
                std::to_string(pts[i].y) + " to " + std::to_string(pts[i + 1].x) + "," +
                std::to_string(pts[i + 1].y) +
                " is not on a wall slope (level, upright, 1 in 2 or 45 degrees)";
      } else if (const int n = AddOne(kind, {pts[i], pts[i + 1]}, fields, error)) {
        made.push_back(n);
      }
    }
    if (!error.empty()) m_.RestartGroup();
    m_.EndGroup();
    if (error.empty()) run_.added.insert(run_.added.end(), made.begin(), made.end());
    return error;
  }

  std::string Move(const ScriptLine& l) {
    int n = 0;
    Point d;
    if (std::string e = AreaNumber(l.w[1], n); !e.empty()) return e;
    if (!ParsePoint(l.w[2], d)) return "bad offset \"" + l.w[2] + "\" (DX,DY)";
    return Did(m_.Move(n, d.x, d.y));
  }

  std::string Corner(const ScriptLine& l) {
    int n = 0, k = 0;
    Point p;
    if (std::string e = AreaNumber(l.w[1], n); !e.empty()) return e;
    if (!Number(l.w[2], k)) return "a corner is 1 to 4, not \"" + l.w[2] + "\"";
    if (!ParsePoint(l.w[3], p)) return "bad point \"" + l.w[3] + "\" (X,Y)";
    return Did(m_.SetCorner(n, k, p.x, p.y));
  }

  std::string Set(const ScriptLine& l) {
    int n = 0;
    Field f;
    if (std::string e = AreaNumber(l.w[1], n); !e.empty()) return e;
    if (!FieldOfKey(l.w[2], f)) return "unknown field \"" + l.w[2] + "\"";
    const std::string value = l.After(2);
    if (f != kFieldComment && l.w.size() != 4) return Usage("set N FIELD VALUE");
    return Did(m_.SetField(n, f, value));
  }

  std::string Delete(const ScriptLine& l) {
    int n = 0;
    if (std::string e = AreaNumber(l.w[1], n); !e.empty()) return e;
    return Did(m_.Delete(n));
  }

  std::string Duplicate(const ScriptLine& l) {
    int n = 0;
    Point d{24, 24};
    if (l.w.size() != 2 && l.w.size() != 3) return Usage("duplicate N [DX,DY]");
    if (std::string e = AreaNumber(l.w[1], n); !e.empty()) return e;
    if (l.w.size() == 3 && !ParsePoint(l.w[2], d)) return "bad offset \"" + l.w[2] + "\" (DX,DY)";
    const int m = m_.Duplicate(n, d.x, d.y);
    if (m) run_.added.push_back(m);
    return m ? "" : m_.error();
  }

  std::string Start(const ScriptLine& l) {
    Point p;
    if (!ParsePoint(l.w[1], p)) return "bad point \"" + l.w[1] + "\" (X,Y)";
    return Did(m_.SetStart(p.x, p.y));
  }

  std::string Par(const ScriptLine& l) {
    int p = 0;
    if (!Number(l.w[1], p)) return "a par is a number, not \"" + l.w[1] + "\"";
    return Did(m_.SetPar(p));
  }

  std::string Save() {
    std::string error;
    if (!save_(error)) return error;
    ++run_.saves;
    return "";
  }

  HoleModel& m_;
  const std::function<bool(std::string&)>& save_;
  ScriptRun& run_;
};

}  // namespace

ScriptRun RunEditScript(HoleModel& model, std::string_view script,
                        const std::function<bool(std::string& error)>& save) {
  ScriptRun run;
  Runner r(model, save, run);
  std::istringstream in{std::string(script)};
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const ScriptLine w = Split(line);
    if (w.w.empty() || w.w[0][0] == '#') continue;
    if (std::string e = r.Line(w); !e.empty()) {
      run.line = number;
      run.error = e;
      return run;
    }
  }
  return run;
}

}  // namespace gp::editor
