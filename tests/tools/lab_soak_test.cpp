// The soak run as a program: a short clean run, and a run whose replay files
// cannot be written, which ends at once with that violation.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/lab_run.h"
#include "support/temp_folder.h"

namespace gp {
namespace {

TEST(LabSoakTest, AShortRunPlaysItsHolesAndKeepsNothing) {
  test::TempFolder out;
  const test::LabOutput o = test::RunLab("soak --holes 4 --seed 3 --out " + out.path().string());
  EXPECT_EQ(o.status, 0) << o.text;
  EXPECT_NE(o.text.find("\"holes\":4,"), std::string::npos) << o.text;
  EXPECT_NE(o.text.find("\"violations\":[]"), std::string::npos) << o.text;
  EXPECT_TRUE(std::filesystem::is_empty(out.path()));  // passing games leave no replay
}

TEST(LabSoakTest, AReplayThatCannotBeWrittenEndsTheRun) {
  test::TempFolder out;
  std::filesystem::create_directory(out / "soak-0.replay");  // in the first game's way
  const test::LabOutput o =
      test::RunLab("soak --holes 50 --seed 3 --out " + out.path().string());
  EXPECT_EQ(o.status, 1) << o.text;
  EXPECT_NE(o.text.find("cannot write"), std::string::npos) << o.text;
  EXPECT_NE(o.text.find("\"holes\":0,"), std::string::npos) << o.text;
}

}  // namespace
}  // namespace gp
