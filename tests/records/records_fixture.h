#pragma once
// Games and results for the records tests, and a look at the file beside the
// store (another connection, as another program would have).

#include <string>
#include <vector>

#include "records/records_store.h"
#include "records/sqlite_db.h"

namespace gp::test {

// A game on `course` of the given players ("Name" a person, "Name:2" the
// computer as Pro), started on the course's first hole.
inline RecordedGame Game(const std::string& uid, const std::vector<std::string>& players,
                         const std::string& course = "SE Course") {
  RecordedGame g;
  g.uid = uid;
  g.started = "2024-05-01 10:00:00";
  g.course = course;
  g.firsthole = course == "Training" ? "training1" : "course1hole1";
  g.gametype = "Stroke Play";
  for (const std::string& p : players) {
    const size_t colon = p.find(':');
    RecordedPlayer rp;
    rp.name = p.substr(0, colon);
    if (colon != std::string::npos) rp.computer = std::stoi(p.substr(colon + 1));
    g.players.push_back(rp);
  }
  return g;
}

inline HoleResult Result(int slot, int number, const std::string& hole, int strokes, int par = 3,
                         bool holed = true) {
  HoleResult r;
  r.slot = slot;
  r.number = number;
  r.hole = hole;
  r.par = par;
  r.strokes = strokes;
  r.holed = holed;
  r.date = "2024-05-01 10:0" + std::to_string(number) + ":00";
  return r;
}

// Runs fixed SQL on the file and returns the first column of the first row.
inline std::string Scalar(const std::string& file, const char* sql) {
  sql::Database db(file, sql::Database::Access::ReadWrite);
  sql::Statement st(db, sql);
  return st.Step() ? st.Text(0) : "";
}

}  // namespace gp::test
