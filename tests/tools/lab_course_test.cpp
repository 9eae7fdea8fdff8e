// The lab on courses: the launcher's Course list as `launcher` prints it, and
// `course check` on a good course and on one with every kind of fault.
#include <gtest/gtest.h>

#include <string>

#include "support/course_files.h"
#include "support/env_var.h"
#include "support/lab_run.h"
#include "support/temp_folder.h"

namespace gp {
namespace {

// The JSON object that starts with "name":NAME, up to the end of its problems.
std::string HoleEntry(const std::string& json, const std::string& name) {
  const size_t at = json.find("{\"name\":\"" + name + "\"");
  if (at == std::string::npos) return "<missing>";
  return json.substr(at, json.find("]}", at) + 2 - at);
}

class LabCourseTest : public ::testing::Test {
 protected:
  std::string Course(const std::string& folder) const {
    return tmp.Path("data/galaputt/courses/" + folder) + "/";
  }

  test::TempFolder tmp;
  test::EnvVar data{"XDG_DATA_HOME", tmp.Path("data").c_str()};
  test::EnvVar cache{"XDG_CACHE_HOME", tmp.Path("cache").c_str()};
  test::EnvVar config{"XDG_CONFIG_HOME", tmp.Path("config").c_str()};
};

TEST_F(LabCourseTest, LauncherListsTheCoursesWithWhyOneCannotBePlayed) {
  test::WriteEasyCourse(Course("run"), "Sunday \"Run\"", {"r1"});
  test::WriteText(Course("odd") + "course.ini", "[course]\nname=Odd\nholes=a b\n");
  const test::LabOutput out = test::RunLab("launcher");
  ASSERT_EQ(out.status, 0) << out.text;
  const size_t at = out.text.find("\"courses\":[");
  ASSERT_NE(at, std::string::npos) << out.text;
  const std::string list = out.text.substr(at, out.text.find(']', at) + 1 - at);
  // The program folder may hold built-in courses between the SE Course and the player's.
  EXPECT_EQ(
      list.rfind("\"courses\":[{\"name\":\"SE Course\",\"available\":true,\"reason\":\"\"}", 0), 0u)
      << list;
  const size_t odd = list.find(
      "{\"name\":\"odd\",\"available\":false,\"reason\":\"course.ini: holes= \\\"a b\\\" is not a "
      "hole name (up to 64 letters, digits, '_' and '-')\"}");
  const size_t run =
      list.find("{\"name\":\"Sunday \\\"Run\\\"\",\"available\":true,\"reason\":\"\"}");
  EXPECT_NE(odd, std::string::npos) << list;
  EXPECT_NE(run, std::string::npos) << list;
  EXPECT_LT(odd, run);  // name order
}

TEST_F(LabCourseTest, CheckPassesAGoodCourse) {
  test::WriteEasyCourse(Course("run"), "Run", {"r1", "r2"});
  const test::LabOutput out = test::RunLab("course check " + Course("run") + " --budget 30");
  EXPECT_EQ(out.status, 0) << out.text;
  EXPECT_EQ(out.text.rfind("{\"course\":\"Run\",\"folder\":\"" + Course("run") +
                               "\",\"problems\":[],\"holes\":[",
                           0),
            0u)
      << out.text;
  for (const char* hole : {"r1", "r2"}) {
    const std::string e = HoleEntry(out.text, hole);
    EXPECT_NE(e.find("\"par\":2,\"solved\":true,\"strokes\":"), std::string::npos) << e;
    EXPECT_NE(e.find("\"faircup\":true,\"problems\":[]"), std::string::npos) << e;
  }
  EXPECT_NE(out.text.find("\"ok\":true}"), std::string::npos);
}

TEST_F(LabCourseTest, CheckNamesEveryFaultOfABrokenCourse) {
  // good -> nofloor -> boxed -> leaves -> (elsewhere); par 0 on "greedy".
  test::WriteText(Course("bad") + "course.ini",
                  "[course]\nname=Bad\nholes=good, nofloor, boxed, leaves\nextra=greedy\n");
  test::WriteText(Course("bad") + "good.hole", test::EasyHoleSource("nofloor"));
  test::WriteText(Course("bad") + "nofloor.hole",
                  "[course]\npar=3\n[area1]\nkind=5\ncomment=boxed\n");
  // The cup in a closed box of rails: no direction open, no line in.
  test::WriteText(Course("bad") + "boxed.hole",
                  test::EasyHoleSource("leaves") +
                      "[area6]\nkind=4\nx1=330\ny1=170\nx2=390\ny2=170\nenabled=1\n"
                      "[area7]\nkind=4\nx1=330\ny1=214\nx2=390\ny2=214\nenabled=1\n"
                      "[area8]\nkind=2\nx1=330\ny1=170\nx2=330\ny2=214\nenabled=1\n"
                      "[area9]\nkind=2\nx1=390\ny1=170\nx2=390\ny2=214\nenabled=1\n");
  test::WriteText(Course("bad") + "leaves.hole", test::EasyHoleSource("elsewhere"));
  test::WriteText(Course("bad") + "greedy.hole", test::EasyHoleSource("leaves", 0));
  const test::LabOutput out = test::RunLab("course check " + Course("bad") + " --budget 5");
  EXPECT_EQ(out.status, 1) << out.text;
  EXPECT_NE(out.text.find("\"ok\":false}"), std::string::npos);
  const std::string good = HoleEntry(out.text, "good");
  EXPECT_NE(good.find("\"solved\":true,\"strokes\":1,"), std::string::npos) << good;
  EXPECT_NE(good.find("\"faircup\":true,\"problems\":[]}"), std::string::npos) << good;
  EXPECT_EQ(HoleEntry(out.text, "nofloor"),
            "{\"name\":\"nofloor\",\"par\":3,\"solved\":false,\"strokes\":0,\"fineaim\":false,"
            "\"faircup\":false,\"problems\":[\"nofloor: no [floor1] section\"]}");
  const std::string boxed = HoleEntry(out.text, "boxed");
  EXPECT_NE(boxed.find("\"solved\":false"), std::string::npos) << boxed;
  EXPECT_NE(boxed.find("\"unfair cup: fair from 0 of 0 open directions (E:- SE:- S:- SW:- W:- "
                       "NW:- N:- NE:-)\""),
            std::string::npos)
      << boxed;
  EXPECT_NE(HoleEntry(out.text, "leaves")
                .find("\"leads to elsewhere, which is not a hole of the course\""),
            std::string::npos);
  const std::string greedy = HoleEntry(out.text, "greedy");
  EXPECT_NE(greedy.find("\"the solver needs 1 stroke, more than its par 0\""), std::string::npos)
      << greedy;
  EXPECT_NE(greedy.find("\"no hole of the course leads to it\""), std::string::npos) << greedy;
}

TEST_F(LabCourseTest, CheckOfACourseFileThatCannotBeReadOrOfNothing) {
  test::WriteText(Course("none") + "course.ini", "[course]\nholes=x\n");
  const test::LabOutput out = test::RunLab("course check " + Course("none"));
  EXPECT_EQ(out.status, 1);
  EXPECT_EQ(out.text, "{\"course\":\"\",\"folder\":\"" + Course("none") +
                          "\",\"problems\":[\"course.ini: name= is missing\"],\"holes\":[],"
                          "\"ok\":false}\n");
  EXPECT_EQ(test::RunLab("course check").status, 2);
  EXPECT_EQ(test::RunLab("course check " + Course("none") + " --budget 0").status, 2);
}

}  // namespace
}  // namespace gp
