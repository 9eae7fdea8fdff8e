// The holes a hole file names as its successors, and a hole's place in its course.

#include "game/course_chain.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "base/profile.h"
#include "game/course_file.h"
#include "game/hole_tables.h"
#include "game/state.h"
#include "support/temp_folder.h"

namespace gp {
namespace {

using Names = std::vector<std::string>;

std::string AreaText(int i, int kind, const std::string& comment, int p1 = 0) {
  return "[area" + std::to_string(i) + "]\nkind=" + std::to_string(kind) +
         "\np1=" + std::to_string(p1) + "\ncomment=" + comment + "\n";
}

TEST(NextHoles, CupThenTextSwitchesThenTheBonusHole) {
  // Two cups (the last counts), a text switch for the next hole and one for a
  // spare slot, a cannon and a hidden area, the cup's name repeated.
  const std::string text = AreaText(1, 5, "first") + AreaText(2, 28, "switched") + AreaText(3, 28, "spare", 1) +
                           AreaText(4, 29, "cannon") + AreaText(5, 5, "cup") + AreaText(6, 29, "hidden") +
                           AreaText(7, 28, "cup") + AreaText(8, 28, "");
  EXPECT_EQ(NextHoles(Profile::FromText(text)), (Names{"cup", "switched", "course5hole1"}));
  EXPECT_EQ(NextHoles(Profile::FromText("")), Names{});
  EXPECT_EQ(NextHoles(Profile::FromText(AreaText(1, 5, ""))), Names{});
}

class CoursePlaceTest : public ::testing::Test {
 protected:
  void Hole(const std::string& name, const std::string& areas) {
    std::ofstream(folder.Path(name + ".hole")) << "[course]\npar=3\n" << areas;
  }
  int Place(const std::string& hole, const std::string& first = "h1") {
    return CoursePlace(folder.path().string() + "/", first, hole, 6);
  }
  test::TempFolder folder;
};

TEST_F(CoursePlaceTest, CountsAlongTheCupsWithTheBonusHoleBesideItsPlace) {
  // h1 -> h2 -> h3 (hidden: bonus) -> h4 -> h5 -> h6 -> h1; the bonus hole -> h5.
  Hole("h1", AreaText(1, 5, "h2"));
  Hole("h2", AreaText(1, 5, "h3"));
  Hole("h3", AreaText(1, 5, "h4") + AreaText(2, 29, "hidden"));
  Hole("h4", AreaText(1, 5, "h5"));
  Hole("course5hole1", AreaText(1, 5, "h5"));
  Hole("h5", AreaText(1, 5, "h6"));
  Hole("h6", AreaText(1, 5, "h1") + AreaText(2, 5, "h7"));
  Hole("h7", AreaText(1, 5, "h1"));
  EXPECT_EQ(Place("h1"), 1);
  EXPECT_EQ(Place("h2"), 2);
  EXPECT_EQ(Place("h4"), 4);
  EXPECT_EQ(Place("course5hole1"), 4);
  EXPECT_EQ(Place("h6"), 6);
  EXPECT_EQ(Place("h7"), 0);  // a seventh place is beyond a game
  EXPECT_EQ(Place("nowhere"), 0);
  EXPECT_EQ(Place("h3", "h2"), 2);  // from another first hole
}

TEST_F(CoursePlaceTest, MissingFilesAndLoopsEndTheSearch) {
  Hole("a", AreaText(1, 5, "b"));
  Hole("b", AreaText(1, 5, "a") + AreaText(2, 28, "b"));  // back to the start, and to itself
  EXPECT_EQ(Place("b", "a"), 2);
  EXPECT_EQ(Place("c", "a"), 0);
  EXPECT_EQ(Place("x", "missing"), 0);
  EXPECT_EQ(Place("missing", "missing"), 1);
}

class CourseChainTest : public CoursePlaceTest {
 protected:
  // "hole: text" for every problem, and which of them lead out of the course.
  std::vector<std::string> Problems(const Course& c, std::vector<bool>* leaves = nullptr) {
    std::vector<std::string> out;
    for (const ChainProblem& p : CourseChainProblems(c, folder.path().string() + "/")) {
      out.push_back(p.hole + ": " + p.text);
      if (leaves) leaves->push_back(p.leaves);
    }
    return out;
  }
  static Course Make(Names holes, Names extra = {}) {
    Course c;
    c.name = "test";
    c.holes = std::move(holes);
    c.extra = std::move(extra);
    return c;
  }
};

TEST_F(CourseChainTest, AChainThatFollowsHolesAndReturnsFromItsExtrasIsRight) {
  // a -> b (switch: s) -> c -> back to a; the secret s takes b's next place, back to c.
  Hole("a", AreaText(1, 5, "b"));
  Hole("b", AreaText(1, 5, "c") + AreaText(2, 28, "s"));
  Hole("s", AreaText(1, 5, "c"));
  Hole("c", AreaText(1, 5, "a"));
  EXPECT_EQ(Problems(Make({"a", "b", "c"}, {"s"})), Names{});
  // The last hole's cup is never followed: any hole of the course will do, or none.
  Hole("c", AreaText(1, 5, ""));
  EXPECT_EQ(Problems(Make({"a", "b", "c"}, {"s"})), Names{});
  // A one-hole course.
  EXPECT_EQ(Problems(Make({"c"})), Names{});
}

TEST_F(CourseChainTest, ChainsThatLeaveTheCourseOrBreakItsOrderAreNamed) {
  Hole("a", AreaText(1, 5, "c"));                               // skips b
  Hole("b", AreaText(1, 5, "zz"));                              // out of the course
  Hole("c", AreaText(1, 5, "a") + AreaText(2, 29, "hidden"));   // the bonus hole is not here
  Hole("d", AreaText(1, 28, "nowhere") + AreaText(2, 5, "a"));  // a switch out; no place
  Hole("e", AreaText(1, 5, "a"));                               // extra, back to the wrong hole
  Hole("f", "");                                                // a hole without a cup
  Hole("g", AreaText(1, 5, "e"));                               // leads to the extra e
  std::vector<bool> leaves;
  EXPECT_EQ(
      Problems(Make({"a", "b", "g", "f", "c"}, {"d", "e"}), &leaves),
      (Names{"a: its cup names c; hole 2 of holes= is b",
             "b: leads to zz, which is not a hole of the course",
             "b: its cup names zz; hole 3 of holes= is g",
             "g: its cup names e; hole 4 of holes= is f",
             "f: its cup names no hole; hole 5 of holes= is c",
             "c: leads to course5hole1, which is not a hole of the course",
             "d: leads to nowhere, which is not a hole of the course",
             "d: no hole of the course leads to it", "e: its cup names a; hole 5 of holes= is c"}));
  EXPECT_EQ(leaves,
            (std::vector<bool>{false, true, false, false, false, true, true, false, false}));
}

TEST(CourseChainContent, TheBuiltInRoundsFollowTheirCourseFiles) {
  const std::string holes = std::string(GALAPUTT_SOURCE_DIR) + "/content/holes/";
  for (const char* file : {"course.ini", "training.ini"}) {
    SCOPED_TRACE(file);
    Course c;
    ASSERT_EQ(ReadCourseFile(holes + file, c), "");
    EXPECT_EQ(static_cast<int>(c.holes.size()), kHolesPerGame);
    EXPECT_EQ(c.holes.front(),
              std::string(file) == "course.ini" ? kFirstCourseHole : kFirstTrainingHole);
    EXPECT_EQ(CheckHoleFiles(c), "");
    for (const ChainProblem& p : CourseChainProblems(c, holes))
      ADD_FAILURE() << p.hole << ": " << p.text;
  }
}

}  // namespace
}  // namespace gp
