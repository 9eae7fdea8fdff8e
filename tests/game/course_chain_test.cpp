// The holes a hole file names as its successors, and a hole's place in its course.

#include "game/course_chain.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "base/profile.h"
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

}  // namespace
}  // namespace gp
