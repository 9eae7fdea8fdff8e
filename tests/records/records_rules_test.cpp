// The records' rules: the first to reach a score keeps it, computers never
// take a record from a person, unfinished games count for hole records but not
// for course records, balls the stroke limit took out set no record; the
// players' statistics; writing a game again changes nothing.
#include <gtest/gtest.h>

#include "records/records_fixture.h"
#include "records/records_store.h"
#include "support/temp_folder.h"

namespace gp {
namespace {

using test::Game;
using test::Result;
using test::Scalar;

class RecordsRules : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store.Open(file(), {})); }
  std::string file() const { return dir.Path("records.sqlite"); }
  // A finished game: its results and each player's total, to par and holes won.
  void Finish(const RecordedGame& g, const std::vector<HoleResult>& holes,
              const std::vector<FinalResult>& final, const std::string& when) {
    ASSERT_TRUE(store.Write(g, holes, &final, when));
  }
  HoleRecord Hole(Who who, const std::string& hole) {
    for (const HoleRecord& r : store.HoleRecords(who)) {
      if (r.hole == hole) return r;
    }
    return HoleRecord{};
  }

  test::TempFolder dir;
  RecordsStore store;
};

TEST_F(RecordsRules, TheFirstToReachAScoreKeepsIt) {
  // Across games: Bob's later 2 does not take Ann's 2, whatever the dates say.
  RecordedGame a = Game("a", {"Ann"}), b = Game("b", {"Bob"});
  ASSERT_TRUE(store.Write(a, {Result(1, 1, "course1hole1", 2)}));
  HoleResult early = Result(1, 1, "course1hole1", 2);
  early.date = "1999-01-01 00:00:00";
  ASSERT_TRUE(store.Write(b, {early}));
  EXPECT_EQ(Hole(Who::kPeople, "course1hole1").name, "Ann");
  // Within one game: the player who holed out first keeps the tie.
  RecordedGame c = Game("c", {"Cid", "Dee"});
  ASSERT_TRUE(store.Write(c, {Result(2, 1, "course2hole1", 3)}));
  ASSERT_TRUE(store.Write(c, {Result(2, 1, "course2hole1", 3), Result(1, 1, "course2hole1", 3)}));
  EXPECT_EQ(Hole(Who::kPeople, "course2hole1").name, "Dee");
  // A better score takes it.
  ASSERT_TRUE(store.Write(Game("d", {"Eve"}), {Result(1, 1, "course1hole1", 1)}));
  EXPECT_EQ(Hole(Who::kPeople, "course1hole1").name, "Eve");
  EXPECT_EQ(store.HeldHoleRecords("a"), (std::vector<std::pair<int, int>>{}));
  EXPECT_EQ(store.HeldHoleRecords("c"), (std::vector<std::pair<int, int>>{{2, 1}}));
}

TEST_F(RecordsRules, ComputersAreKeptApartAndTakeNoRecord) {
  const RecordedGame g = Game("g", {"Ann", "Rook:1", "Ace:3"});
  Finish(g,
         {Result(3, 1, "course1hole1", 1), Result(2, 1, "course1hole1", 2),
          Result(1, 1, "course1hole1", 4)},
         {{1, 30, 12, 0}, {2, 20, 2, 0}, {3, 15, -3, 1}}, "2024-05-01 11:00:00");
  const HoleRecord person = Hole(Who::kPeople, "course1hole1");
  EXPECT_EQ(person.name, "Ann");
  EXPECT_EQ(person.strokes, 4);
  EXPECT_EQ(person.computer, 0);
  const HoleRecord computer = Hole(Who::kComputers, "course1hole1");
  EXPECT_EQ(computer.name, "Ace");
  EXPECT_EQ(computer.computer, 3);
  ASSERT_EQ(store.CourseRecords(Who::kPeople).size(), 1u);
  EXPECT_EQ(store.CourseRecords(Who::kPeople)[0].total, 30);
  EXPECT_EQ(store.CourseRecords(Who::kComputers)[0].total, 15);
  // Only people hold records: Ann's hole and course.
  EXPECT_EQ(store.HeldHoleRecords("g"), (std::vector<std::pair<int, int>>{{1, 1}}));
  EXPECT_EQ(store.HeldCourseRecords("g"), (std::vector<int>{1}));
  // A game of computers only leaves the people's records empty.
  Finish(Game("h", {"Pro:2"}), {Result(1, 1, "course2hole1", 2)}, {{1, 10, -5, 0}},
         "2024-05-02 10:00:00");
  EXPECT_EQ(Hole(Who::kPeople, "course2hole1").name, "");
  EXPECT_EQ(Hole(Who::kComputers, "course2hole1").computer, 2);
}

TEST_F(RecordsRules, UnfinishedGamesCountForHolesNotForCourses) {
  const RecordedGame left = Game("left", {"Ann"});
  ASSERT_TRUE(store.Write(left, {Result(1, 1, "course1hole1", 1)}));
  EXPECT_EQ(Hole(Who::kPeople, "course1hole1").strokes, 1);
  EXPECT_TRUE(store.CourseRecords(Who::kPeople).empty());
  // A game started on another hole counts for holes, never for the course.
  RecordedGame part = Game("part", {"Bob"});
  part.firsthole = "course1hole3";
  part.wholecourse = false;
  Finish(part, {Result(1, 1, "course1hole3", 2)}, {{1, 12, -6, 0}}, "2024-05-01 12:00:00");
  EXPECT_TRUE(store.CourseRecords(Who::kPeople).empty());
  EXPECT_EQ(Hole(Who::kPeople, "course1hole3").name, "Bob");
  // A ball the stroke limit took out sets no hole record.
  Finish(Game("limit", {"Cid"}), {Result(1, 1, "course2hole1", 9, 3, false)}, {{1, 40, 22, 0}},
         "2024-05-01 13:00:00");
  EXPECT_EQ(Hole(Who::kPeople, "course2hole1").name, "");
  ASSERT_EQ(store.CourseRecords(Who::kPeople).size(), 1u);
  EXPECT_EQ(store.CourseRecords(Who::kPeople)[0].name, "Cid");
  // Training has records of its own.
  ASSERT_TRUE(store.Write(Game("t", {"Dee"}, "Training"), {Result(1, 1, "course1hole1", 3)}));
  EXPECT_EQ(store.HoleRecords(Who::kPeople, "Training").size(), 1u);
  EXPECT_EQ(store.HoleRecords(Who::kPeople, "SE Course").size(), 2u);
}

TEST_F(RecordsRules, CourseRecordGoesToTheFirstToFinishWithIt) {
  const RecordedGame early = Game("early", {"Ann"}), late = Game("late", {"Bob"});
  // Ann's game started first but finished after Bob's, with the same total.
  ASSERT_TRUE(store.Write(early, {Result(1, 1, "course1hole1", 3)}));
  Finish(late, {Result(1, 1, "course1hole1", 3)}, {{1, 20, 2, 0}}, "2024-05-01 11:00:00");
  Finish(early, {Result(1, 1, "course1hole1", 3)}, {{1, 20, 2, 0}}, "2024-05-01 10:30:00");
  ASSERT_EQ(store.CourseRecords(Who::kPeople).size(), 1u);
  EXPECT_EQ(store.CourseRecords(Who::kPeople)[0].name, "Bob");
  EXPECT_EQ(store.HeldCourseRecords("late"), (std::vector<int>{1}));
  EXPECT_TRUE(store.HeldCourseRecords("early").empty());
}

TEST_F(RecordsRules, PlayersStatistics) {
  // Ann and Bob tie (both win); Ann then plays alone (no winner of one) and
  // leaves a game; Rook plays under "Most Holes Won" and wins on holes.
  Finish(Game("g1", {"Ann", "Bob"}),
         {Result(1, 1, "course1hole1", 1, 2), Result(2, 1, "course1hole1", 4, 2)},
         {{1, 20, 1, 1}, {2, 20, 1, 0}}, "2024-05-01 11:00:00");
  Finish(Game("g2", {"Ann"}), {Result(1, 1, "course1hole1", 1, 2)}, {{1, 14, -4, 1}},
         "2024-05-01 12:00:00");
  ASSERT_TRUE(store.Write(Game("g3", {"Ann"}), {Result(1, 1, "course1hole1", 3, 2)}));
  RecordedGame most = Game("g4", {"Bob", "Rook:1"});
  most.scoring = 1;
  Finish(most, {Result(1, 1, "course1hole1", 9, 2, false), Result(2, 1, "course1hole1", 1, 2)},
         {{1, 10, -8, 0}, {2, 30, 12, 1}}, "2024-05-01 13:00:00");
  const std::vector<PlayerStats> players = store.Players();
  ASSERT_EQ(players.size(), 3u);
  // Most games first.
  EXPECT_EQ(players[0].name, "Ann");
  EXPECT_EQ(players[0].games, 2);
  EXPECT_EQ(players[0].wins, 1);
  EXPECT_EQ(players[0].unfinished, 1);
  EXPECT_EQ(players[0].holesinone, 2);
  EXPECT_EQ(players[0].holes, 3);
  EXPECT_DOUBLE_EQ(players[0].averagevspar, (-1 - 1 + 1) / 3.0);
  EXPECT_EQ(players[1].name, "Bob");
  EXPECT_EQ(players[1].games, 2);
  EXPECT_EQ(players[1].wins, 1) << "the tie, not the game lost on holes won";
  EXPECT_EQ(players[1].holesinone, 0) << "nine strokes taken out are no hole in one";
  EXPECT_DOUBLE_EQ(players[1].averagevspar, (2 + 7) / 2.0);
  EXPECT_EQ(players[2].name, "Rook");
  EXPECT_EQ(players[2].computer, 1);
  EXPECT_EQ(players[2].wins, 1);
}

TEST_F(RecordsRules, WritingAGameAgainChangesNothing) {
  const RecordedGame g = Game("g", {"Ann"});
  const std::vector<HoleResult> holes = {Result(1, 1, "course1hole1", 2), Result(1, 2, "course2hole1", 3)};
  ASSERT_TRUE(store.Write(g, {holes[0]}));
  HoleResult changed = holes[0];
  changed.strokes = 7;  // a result once written stays as it is
  ASSERT_TRUE(store.Write(g, {changed, holes[1]}));
  Finish(g, holes, {{1, 5, -1, 0}}, "2024-05-01 11:00:00");
  Finish(g, holes, {{1, 99, 50, 0}}, "2024-05-09 11:00:00");
  EXPECT_EQ(Scalar(file(), "SELECT COUNT(*) FROM games"), "1");
  EXPECT_EQ(Scalar(file(), "SELECT COUNT(*) FROM holes"), "2");
  EXPECT_EQ(Scalar(file(), "SELECT strokes FROM holes WHERE number = 1"), "2");
  EXPECT_EQ(Scalar(file(), "SELECT total FROM players"), "5");
  EXPECT_EQ(Scalar(file(), "SELECT finished || ' ' || endorder FROM games"), "2024-05-01 11:00:00 1");
}

TEST_F(RecordsRules, NamesKeepTheirLettersAsUtf8InTheFile) {
  RecordedGame g = Game("g", {"x"});
  g.players[0].name = "Zo\xEB \x80";  // the Western code page: e with diaeresis, the euro sign
  ASSERT_TRUE(store.Write(g, {Result(1, 1, "course1hole1", 2)}));
  EXPECT_EQ(Scalar(file(), "SELECT name FROM players"), "Zo\xC3\xAB \xE2\x82\xAC");
  EXPECT_EQ(Hole(Who::kPeople, "course1hole1").name, "Zo\xEB \x80");
}

}  // namespace
}  // namespace gp
