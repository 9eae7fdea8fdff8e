// Every recorded game in this folder, replayed by the lab, must give exactly
// the output kept beside it: the same frames, strokes, standings and digest.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/lab_run.h"

namespace gp {
namespace {

std::string Folder() {
  return std::string(GALAPUTT_SOURCE_DIR) + "/tests/replays/";
}

std::vector<std::string> Recordings() {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(Folder())) {
    if (e.path().extension() == ".replay") names.push_back(e.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class Recording : public ::testing::TestWithParam<std::string> {};

TEST_P(Recording, ReplaysAsRecorded) {
  const std::string name = GetParam();
  std::ifstream f(Folder() + name + ".expected");
  ASSERT_TRUE(f) << "no " << name << ".expected beside the recording";
  std::stringstream expected;
  expected << f.rdbuf();
  const test::LabOutput out = test::RunLab("replay " + Folder() + name + ".replay");
  ASSERT_EQ(out.status, 0);
  EXPECT_EQ(out.text, expected.str());
}

TEST(Recordings, TheSetIsThere) {
  EXPECT_GE(Recordings().size(), 7u);
}

INSTANTIATE_TEST_SUITE_P(All, Recording, ::testing::ValuesIn(Recordings()),
                         [](const auto& info) {
                           std::string n = info.param;
                           for (char& c : n) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return n;
                         });

}  // namespace
}  // namespace gp
