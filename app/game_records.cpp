#include "app/game_records.h"

#include <cstdio>
#include <ctime>

#include "app/game_window.h"
#include "game/names.h"
#include "game/setup.h"
#include "game/state.h"

namespace gp {

namespace {

std::string g_recordsfile;

constexpr const char* kRecordLine = "NEW HOLE RECORD";
// Characters of a name on the records page.
constexpr size_t kPageNameChars = 16;

bool InGame(int slot, int number) {
  return slot >= 1 && slot <= kMaxPlayers && number >= 1 && number <= kMaxHoles;
}

// "  BEST        2  ALICE             2024-05-01": a label, a number, who, the day.
std::string PageEntry(const char* label, int value, const std::string& name, int computer,
                      const std::string& date) {
  std::string who = Capitalized(name);
  const std::string skill = Capitalized(ComputerSkillName(computer));
  if (computer != kPerson && who != skill) who += " (" + skill + ")";
  if (who.size() > kPageNameChars + 6) who.resize(kPageNameChars + 6);
  char line[96];
  std::snprintf(line, sizeof line, "  %-10s %3d  %-22s %.10s", label, value, who.c_str(),
                date.c_str());
  return line;
}

}  // namespace

void SetRecordsFile(const std::string& path) {
  g_recordsfile = path;
}

const std::string& RecordsFile() {
  return g_recordsfile;
}

std::string RecordsNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

GameRecords& gamerecords() {
  static GameRecords records;
  return records;
}

void GameRecords::Begin(const GameSetup& s, const std::string& uid, const std::string& firsthole,
                        bool wholecourse) {
  store_.Close();
  results_.clear();
  final_.clear();
  finished_.clear();
  hold_ = false;
  unsaved_ = false;
  view_ = RecordsView{};
  game_ = RecordedGame{};
  game_.uid = uid;
  game_.started = RecordsNow();
  game_.course = CourseName(s);
  game_.firsthole = firsthole;
  game_.wholecourse = wholecourse;
  game_.training = s.training;
  game_.gametype = GameTypeName(s);
  game_.startplayer = s.startplayer;
  game_.nextplayer = s.nextplayer;
  game_.whencollide = s.whencollide;
  game_.scoring = s.scoring;
  game_.plus1 = s.plus1;
  game_.minus1 = s.minus1;
  game_.strokelimit = StrokeLimit(s);
  for (int i = 0; i < s.numplayers && i < kMaxPlayers; ++i) {
    game_.players.push_back(
        RecordedPlayer{s.playername[static_cast<size_t>(i)], s.computer[static_cast<size_t>(i)]});
  }
  if (g_recordsfile.empty()) return;
  store_.Open(g_recordsfile, RecordsStore::Options{});
  if (const std::string notice = store_.TakeNotice(); !notice.empty()) ReportError(notice);
}

bool GameRecords::Person(int slot) const {
  return slot >= 1 && slot <= static_cast<int>(game_.players.size()) &&
         game_.players[static_cast<size_t>(slot - 1)].computer == kPerson;
}

void GameRecords::CarryOut() {
  GameState& g = gs();
  if (searching_) {
    // A stroke tried by a search on the game as it stands: nothing of it happened.
    for (int p = 1; p <= kMaxPlayers; ++p) g.holedout[p] = 0;
    return;
  }
  std::vector<size_t> fresh;  // this call's results
  // Results are kept only where they go somewhere: into the records file, or
  // collected while a kept game plays forward (the solver's and the soak's
  // games, without a file, would only pile them up).
  const bool keep = active() || hold_;
  for (int p = 1; p <= kMaxPlayers; ++p) {
    const int number = g.holedout[p];
    g.holedout[p] = 0;
    if (number == 0 || !keep || p > static_cast<int>(game_.players.size())) continue;
    HoleResult r;
    r.slot = p;
    r.number = number;
    r.hole = g.holename;
    r.par = g.par;
    r.strokes = number <= kMaxHoles ? g.players[p].holestrokes[number] : g.players[p].strokes;
    r.holed = !g.takenout[p];
    r.date = RecordsNow();
    fresh.push_back(results_.size());
    results_.push_back(r);
  }
  const bool ended = g.gameover && finished_.empty();
  if (ended) {
    finished_ = RecordsNow();
    for (int p = 1; p <= static_cast<int>(game_.players.size()); ++p) {
      const Ball& b = g.players[p];
      final_.push_back(FinalResult{p, b.total, b.topar, b.holeswon});
    }
  }
  if ((fresh.empty() && !ended) || hold_ || !active()) return;
  Save();
  for (size_t i : fresh) {
    const HoleResult& r = results_[i];
    if (!r.holed || !Person(r.slot) || !InGame(r.slot, r.number)) continue;
    if (view_.hole[static_cast<size_t>(r.slot)][static_cast<size_t>(r.number)]) {
      view_.line = kRecordLine;
      view_.linefor = g.bigmessage;  // the result just shown
    }
  }
}

void GameRecords::Save() {
  unsaved_ = !store_.Write(game_, results_, finished_.empty() ? nullptr : &final_, finished_);
  if (const std::string notice = store_.TakeNotice(); !notice.empty()) ReportError(notice);
  UpdateMarks();
}

void GameRecords::UpdateMarks() {
  view_.hole = {};
  view_.course = {};
  for (const auto& [slot, number] : store_.HeldHoleRecords(game_.uid)) {
    if (Person(slot) && InGame(slot, number)) {
      view_.hole[static_cast<size_t>(slot)][static_cast<size_t>(number)] = true;
    }
  }
  for (int slot : store_.HeldCourseRecords(game_.uid)) {
    if (Person(slot) && slot <= kMaxPlayers) view_.course[static_cast<size_t>(slot)] = true;
  }
}

void GameRecords::Hold(bool on) {
  const bool was = hold_;
  hold_ = on;
  if (was && !on && active() && (!results_.empty() || !finished_.empty())) Save();
}

void GameRecords::End() {
  if (unsaved_ && !hold_ && active()) Save();
  store_.Close();
}

void GameRecords::FillPage() {
  const GameState& g = gs();
  std::vector<std::string>& page = view_.page;
  page.clear();
  page.push_back("HOLE " + std::to_string(g.holenumber) + " - " + Capitalized(g.holename) +
                 " - PAR " + std::to_string(g.par));
  if (!active()) {
    page.push_back(g_recordsfile.empty() ? "  NO RECORDS ARE KEPT"
                                         : "  THE RECORDS CANNOT BE READ");
    return;
  }
  const auto hole_entry = [&](Who who, const char* label) {
    for (const HoleRecord& r : store_.HoleRecords(who, game_.course)) {
      if (r.hole == g.holename) {
        page.push_back(PageEntry(label, r.strokes, r.name, r.computer, r.date));
        return true;
      }
    }
    return false;
  };
  if (!hole_entry(Who::kPeople, "BEST")) page.push_back("  NO RECORD YET");
  hole_entry(Who::kComputers, "COMPUTER");
  page.push_back("");
  page.push_back(Capitalized(game_.course));
  const auto course_entry = [&](Who who, const char* label) {
    const std::vector<CourseRecord> list = store_.CourseRecords(who, game_.course);
    if (list.empty()) return false;
    const CourseRecord& r = list.front();
    page.push_back(PageEntry(label, r.total, r.name, r.computer, r.date));
    return true;
  };
  if (!course_entry(Who::kPeople, "BEST TOTAL")) page.push_back("  NO RECORD YET");
  course_entry(Who::kComputers, "COMPUTER");
}

}  // namespace gp
