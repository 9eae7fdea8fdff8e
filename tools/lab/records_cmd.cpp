// records [--db FILE]: the records and statistics of a records file (the
// player's own by default), read without changing it:
//   {"db", "holes": [{"hole","strokes","name","computer","date","course","par"}...],
//    "courses": [{"course","total","name","date","computer","topar"}...],
//    "players": [{"name","games","wins","holesinone","averagevspar","computer",
//                 "unfinished","holes"}...]}
// Each hole and course has its record (computer 0, a person's) and, listed
// after those, the best of the computer players (computer 1 Rookie, 2 Pro,
// 3 Ace), which never takes a record from a person. A missing file has no
// records; a damaged one is an error.
#include <filesystem>
#include <string>

#include "base/user_files.h"
#include "records/records_store.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"

namespace gp::lab {

namespace {

void HoleList(Json& j, RecordsStore& store) {
  j.Key("holes").BeginArray();
  for (const Who who : {Who::kPeople, Who::kComputers}) {
    for (const HoleRecord& r : store.HoleRecords(who)) {
      j.BeginObject()
          .Field("hole", r.hole)
          .Field("strokes", r.strokes)
          .Field("name", r.name)
          .Field("computer", r.computer)
          .Field("date", r.date)
          .Field("course", r.course)
          .Field("par", r.par)
          .EndObject();
    }
  }
  j.EndArray();
}

void CourseList(Json& j, RecordsStore& store) {
  j.Key("courses").BeginArray();
  for (const Who who : {Who::kPeople, Who::kComputers}) {
    for (const CourseRecord& r : store.CourseRecords(who)) {
      j.BeginObject()
          .Field("course", r.course)
          .Field("total", r.total)
          .Field("name", r.name)
          .Field("date", r.date)
          .Field("computer", r.computer)
          .Field("topar", r.topar)
          .EndObject();
    }
  }
  j.EndArray();
}

void PlayerList(Json& j, RecordsStore& store) {
  j.Key("players").BeginArray();
  for (const PlayerStats& p : store.Players()) {
    j.BeginObject()
        .Field("name", p.name)
        .Field("games", p.games)
        .Field("wins", p.wins)
        .Field("holesinone", p.holesinone)
        .Key("averagevspar");
    if (p.holes > 0) {
      j.Num(p.averagevspar);
    } else {
      j.Null();
    }
    j.Field("computer", p.computer)
        .Field("unfinished", p.unfinished)
        .Field("holes", p.holes)
        .EndObject();
  }
  j.EndArray();
}

int RunRecords(const Args& args) {
  std::filesystem::path db;
  if (const std::string* file = Option(args, "--db")) {
    db = *file;
  } else {
    db = DefaultUserFolder(UserFolder::Data) / "records.sqlite";
  }
  RecordsStore store;
  std::error_code ec;
  const bool exists = std::filesystem::exists(db, ec);
  // A file that cannot be read is a load error (exit status 1).
  if (!store.Open(db, RecordsStore::Options{false, false, false}) && exists) {
    const std::string notice = store.TakeNotice();
    Fail(notice.empty() ? db.string() + " is damaged or not a records file" : notice);
    return 1;
  }
  Json j;
  j.BeginObject().Field("db", db.string());
  HoleList(j, store);
  bool failed = store.queryfailed();
  CourseList(j, store);
  failed = failed || store.queryfailed();
  PlayerList(j, store);
  failed = failed || store.queryfailed();
  j.EndObject();
  if (exists && failed) {
    Fail(store.TakeNotice());
    return 1;
  }
  j.Print();
  return 0;
}

const Registrar kRecords({"records", "[--db FILE]", RunRecords});

}  // namespace

}  // namespace gp::lab
