// Fair cups: on every hole, a putt aimed straight at the cup from 60 pixels
// drops for a useful band of strengths from most directions the course allows
// (the lab's fair-cup sweep, as `course check` runs it).
#include <gtest/gtest.h>

#include <string>

#include "support/game_dir.h"
#include "tools/lab/fair_cup.h"
#include "tools/lab/putt_runner.h"

namespace {

using gp::test::kGameDir;

class FairCup : public ::testing::TestWithParam<std::string> {};

TEST_P(FairCup, CarefulPuttsDropFromMostDirections) {
  const std::string path = kGameDir + GetParam() + ".hole";
  ASSERT_FALSE(gp::lab::ReadFloors(path).empty()) << path;
  const gp::lab::CupSweep s = gp::lab::SweepCup(path, GetParam());
  // Most: three in four of the allowed directions, and never fewer than three.
  EXPECT_GE(s.allowed, 3) << GetParam() << s.report;
  EXPECT_GE(4 * s.fair, 3 * s.allowed) << GetParam() << s.report;
  EXPECT_GE(s.fair, 3) << GetParam() << s.report;
}

INSTANTIATE_TEST_SUITE_P(Holes, FairCup,
                         ::testing::Values("course1hole1", "course2hole1", "course1hole3",
                                           "course1hole4", "course2hole9", "course3hole6",
                                           "course5hole1", "course4hole4", "training1",
                                           "course1hole2", "course2hole5", "course1hole5",
                                           "course3hole9", "course4hole3"));

}  // namespace
