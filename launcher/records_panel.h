#pragma once
// What the launcher's Records panel shows, read from the records file: a tab
// per course ("SE Course", "Training") with each hole's record and the
// course's, and a tab of the players' statistics. Texts are ready to draw,
// in the Western code page; computer players are marked with their skill.

#include <filesystem>
#include <string>
#include <vector>

namespace gp {

// One row of a course tab: a hole, or the whole course (its last row).
struct RecordsRow {
  std::string what;      // the hole's name, or "Course"
  std::string par;       // the hole's par; "" for the course
  std::string best;      // strokes (total for the course); "-" when nobody has one
  std::string by;        // who holds it
  std::string date;      // the day it was set, "YYYY-MM-DD"
  std::string computer;  // the computers' best: "5 Pro"; "" when none
};

struct RecordsPlayerRow {
  std::string name;  // a computer player's skill in brackets after the name
  std::string games, wins, holesinone, average;
};

struct RecordsTab {
  std::string title;  // "SE Course", "Training"
  std::vector<RecordsRow> rows;
};

struct RecordsPanelData {
  std::vector<RecordsTab> courses;
  std::vector<RecordsPlayerRow> players;
  std::string notice;  // what is wrong with the file, if anything (told once)
};

// The courses a tab is shown for, in order.
const std::vector<std::string>& RecordsCourses();

// Reads `file` (a missing one has no records yet; a damaged one is set aside
// and said so in `notice`).
RecordsPanelData LoadRecordsPanel(const std::filesystem::path& file);

}  // namespace gp
