#include "launcher/records_panel.h"

#include <cmath>
#include <cstdio>

#include "game/setup.h"
#include "records/records_store.h"

namespace gp {

namespace {

// A computer player's name with its skill, or with "computer" when its name
// is its skill's.
std::string Shown(const std::string& name, int computer) {
  if (computer == kPerson) return name;
  const std::string skill = ComputerSkillName(computer);
  return name + " (" + (name == skill ? std::string("computer") : skill) + ")";
}

std::string Day(const std::string& date) {
  return date.substr(0, 10);
}

std::string ComputerBest(int value, int computer) {
  return std::to_string(value) + " " + ComputerSkillName(computer);
}

// "+0.50", "-1.25", "0.00".
std::string Signed(double v) {
  if (std::fabs(v) < 0.005) return "0.00";
  char text[24];
  std::snprintf(text, sizeof text, "%+.2f", v);
  return text;
}

RecordsTab CourseTab(RecordsStore& store, const std::string& course) {
  RecordsTab tab;
  tab.title = course;
  const std::vector<HoleRecord> people = store.HoleRecords(Who::kPeople, course);
  const std::vector<HoleRecord> computers = store.HoleRecords(Who::kComputers, course);
  // Every hole somebody has a result on, people's first in the order played.
  std::vector<const HoleRecord*> holes;
  for (const HoleRecord& r : people) holes.push_back(&r);
  for (const HoleRecord& c : computers) {
    bool known = false;
    for (const HoleRecord* r : holes) known = known || r->hole == c.hole;
    if (!known) holes.push_back(&c);
  }
  for (const HoleRecord* h : holes) {
    RecordsRow row;
    row.what = h->hole;
    row.par = std::to_string(h->par);
    row.best = "-";
    for (const HoleRecord& r : people) {
      if (r.hole != h->hole) continue;
      row.best = std::to_string(r.strokes);
      row.by = r.name;
      row.date = Day(r.date);
    }
    for (const HoleRecord& c : computers) {
      if (c.hole == h->hole) row.computer = ComputerBest(c.strokes, c.computer);
    }
    tab.rows.push_back(row);
  }
  RecordsRow total;
  total.what = "Course";
  total.best = "-";
  for (const CourseRecord& r : store.CourseRecords(Who::kPeople, course)) {
    total.best = std::to_string(r.total);
    total.by = r.name;
    total.date = Day(r.date);
  }
  for (const CourseRecord& c : store.CourseRecords(Who::kComputers, course)) {
    total.computer = ComputerBest(c.total, c.computer);
  }
  tab.rows.push_back(total);
  return tab;
}

}  // namespace

const std::vector<std::string>& RecordsCourses() {
  static const std::vector<std::string> courses = [] {
    GameSetup course, training;
    training.training = true;
    return std::vector<std::string>{CourseName(course), CourseName(training)};
  }();
  return courses;
}

RecordsPanelData LoadRecordsPanel(const std::filesystem::path& file) {
  RecordsPanelData data;
  RecordsStore store;
  // Only read: the file is made by the first game, not by looking.
  RecordsStore::Options options;
  options.create = false;
  store.Open(file, options);
  for (const std::string& course : RecordsCourses())
    data.courses.push_back(CourseTab(store, course));
  for (const PlayerStats& p : store.Players()) {
    RecordsPlayerRow row;
    row.name = Shown(p.name, p.computer);
    row.games = std::to_string(p.games);
    row.wins = std::to_string(p.wins);
    row.holesinone = std::to_string(p.holesinone);
    row.average = p.holes > 0 ? Signed(p.averagevspar) : "-";
    data.players.push_back(row);
  }
  data.notice = store.TakeNotice();
  return data;
}

}  // namespace gp
