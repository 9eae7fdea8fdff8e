// The lab's records command, autoplay and match recording into a records file of the
// test's own and keeping its unfinished game there.
#include <gtest/gtest.h>

#include <string>

#include "records/records_fixture.h"
#include "support/lab_run.h"
#include "support/temp_folder.h"

namespace gp {
namespace {

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(LabRecords, AutoplayRecordsAndRecordsPrintsThem) {
  test::TempFolder dir;
  const std::string db = dir.Path("records.sqlite"), kept = dir.Path("unfinished.replay");
  // A person and the computer as Pro, left after two holes: kept, unfinished.
  const test::LabOutput play = test::Lab(
      "autoplay --out " + dir.Path("a.replay") + " --players 2 --seed 3 --names Ann,Pro " +
      "--computer 0,2 --holes 2 --records " + db + " --unfinished " + kept);
  ASSERT_EQ(play.status, 0) << play.text;
  EXPECT_TRUE(std::filesystem::exists(kept));
  const test::LabOutput out = test::Lab("records --db " + db);
  ASSERT_EQ(out.status, 0);
  const std::string& j = out.text;
  EXPECT_NE(j.find("\"holes\":["), std::string::npos) << j;
  EXPECT_NE(j.find("\"courses\":[]"), std::string::npos) << "no game played to its end: " << j;
  EXPECT_NE(j.find("{\"name\":\"Ann\",\"games\":0,\"wins\":0,"), std::string::npos) << j;
  EXPECT_NE(j.find("\"computer\":2,\"unfinished\":1,\"holes\":2}"), std::string::npos) << j;
  for (const char* field : {"\"hole\":", "\"strokes\":", "\"name\":", "\"computer\":", "\"date\":",
                            "\"holesinone\":", "\"averagevspar\":"}) {
    EXPECT_GE(Count(j, field), 1u) << field;
  }
  EXPECT_EQ(test::Scalar(db, "SELECT COUNT(*) FROM holes"), "4");
}

TEST(LabRecords, MatchRecordsItsHolesAndNoneOfItsSearches) {
  test::TempFolder dir;
  const std::string db = dir.Path("records.sqlite");
  const test::LabOutput play =
      test::Lab("match --players rookie,ace --course training --holes 2 --seed 5 --records " + db);
  ASSERT_EQ(play.status, 0) << play.text;
  // Two holes of two players, and nothing of the thousands of trial strokes.
  EXPECT_EQ(test::Scalar(db, "SELECT COUNT(*) FROM holes"), "4");
  const test::LabOutput out = test::Lab("records --db " + dir.Path("records.sqlite"));
  ASSERT_EQ(out.status, 0);
  EXPECT_NE(out.text.find("\"computer\":3"), std::string::npos) << out.text;
  // Without --records a match keeps nothing anywhere.
  const test::LabOutput none = test::Lab("match --players ace --course training --holes 1");
  ASSERT_EQ(none.status, 0) << none.text;
  EXPECT_EQ(test::Scalar(db, "SELECT COUNT(*) FROM holes"), "4");
}

TEST(LabRecords, ReadsWithoutChangingAnyFile) {
  test::TempFolder dir;
  // None yet: no records, and no file made.
  const test::LabOutput none = test::Lab("records --db " + dir.Path("none.sqlite"));
  EXPECT_EQ(none.status, 0);
  EXPECT_NE(none.text.find("\"holes\":[],\"courses\":[],\"players\":[]"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "none.sqlite"));
  // A damaged one is an error, and stays where it is for the game to set aside.
  dir.Write("bad.sqlite", {'n', 'o', 't', ' ', 'a', ' ', 'd', 'b'});
  const test::LabOutput bad =
      test::Lab("records --db " + dir.Path("bad.sqlite"), "2>&1 >/dev/null");
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.text.find("is damaged or not a records file"), std::string::npos) << bad.text;
  EXPECT_TRUE(std::filesystem::exists(dir / "bad.sqlite"));
  EXPECT_FALSE(std::filesystem::exists(dir / "bad.sqlite.bad"));
}

}  // namespace
}  // namespace gp
