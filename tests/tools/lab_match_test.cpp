// galaputt-lab match and the launcher's "Played by" as the lab shows them:
// the match's document, its refusals, and the computer fields of `launcher`.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/lab_run.h"
#include "support/temp_folder.h"
#include "tests/integration/game_driver.h"

namespace gp {
namespace {

using test::RunLab;

TEST(LabMatch, OneHoleOfTrainingAsOneDocument) {
  ASSERT_TRUE(testing::MissingData({"training1"}).empty());
  const test::LabOutput o =
      RunLab("match --players rookie,ace --course training --holes 1 --seed 4");
  ASSERT_EQ(o.status, 0) << o.text;
  const std::string& t = o.text;
  EXPECT_EQ(t.rfind("{\"course\":\"training\",\"seed\":4,\"holes\":[{\"name\":\"training1\",", 0),
            0u)
      << t;
  for (const char* key :
       {"\"par\":2", "\"strokes\":[", "\"totals\":[", "\"winner\":", "\"decisions\":",
        "\"simframes\":{\"median\":", "\"max\":", "\"seconds\":"}) {
    EXPECT_NE(t.find(key), std::string::npos) << key << " in " << t;
  }
  EXPECT_NE(t.find("\"gameover\":false"), std::string::npos);  // one hole of six
  EXPECT_EQ(t.find("violations"), std::string::npos);          // only with --check
}

TEST(LabMatch, RefusesWhatItCannotPlay) {
  for (const char* args :
       {"", "--players", "--players coach", "--players rookie,,ace",
        "--players ace,ace,ace,ace,ace", "--players ace --course moon", "--players ace --holes 7",
        "--players ace --seed -1", "--players ace --whencollide 2"}) {
    const test::LabOutput o = RunLab(std::string("match ") + args, "2>&1 >/dev/null");
    EXPECT_EQ(o.status, 2) << args;
    EXPECT_EQ(o.text.rfind("galaputt-lab: ", 0), 0u) << args << ": " << o.text;
  }
}

TEST(LabLauncher, PlayedByShowsPerPlayerAndInTheSetup) {
  test::TempFolder dir;
  const std::string script = (dir / "script.txt").string();
  std::ofstream(script) << "spot 0\ntab 2\nselect playedby 3\ntab 4\nselect playedby 1\n"
                           "click launch\n";
  const test::LabOutput o =
      RunLab("launcher --hive " + (dir / "user.reg").string() + " --script " + script);
  ASSERT_EQ(o.status, 0) << o.text;
  const size_t players = o.text.find("\"players\":[");
  ASSERT_NE(players, std::string::npos) << o.text;
  size_t at = players;
  for (const char* c : {"0", "3", "0", "1"}) {
    at = o.text.find("\"computer\":", at);
    ASSERT_NE(at, std::string::npos);
    at += 11;
    EXPECT_EQ(o.text.substr(at, 1), c);
  }
  EXPECT_NE(o.text.find("\"computer\":[0,3,0,1]"), std::string::npos) << o.text;
}

}  // namespace
}  // namespace gp
