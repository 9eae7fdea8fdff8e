// galaputt-lab render: the real game headless, a script of timed input, a PNG.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/lab_run.h"
#include "support/temp_folder.h"

namespace gp {
namespace {

namespace fs = std::filesystem;

using Output = test::LabOutput;

using test::Lab;

using test::TempPath;

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path) << text;
}

int JsonInt(const std::string& json, const std::string& key) {
  const size_t at = json.find("\"" + key + "\":");
  return at == std::string::npos ? -999 : std::atoi(json.c_str() + at + key.size() + 3);
}

class LabRender : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(std::string(GALAPUTT_GAME_DIR) + "/course1hole1.hole"))
        << "course1hole1 not built";
  }
};

TEST_F(LabRender, ScriptedStrokeMovesTheBallAndWritesAPng) {
  const std::string script = TempPath("render_stroke.txt"), png = TempPath("render_stroke.png");
  fs::remove(png);
  // Close the card, read where the ball shows, then press on it and drag.
  WriteText(script, "1 move 600 460\n2 down left\n3 up left  # card\n");
  const Output still =
      Lab("render --hole course1hole1 --frames 100 --script " + script + " --out " + png);
  ASSERT_EQ(still.status, 0) << still.text;
  EXPECT_EQ(JsonInt(still.text, "frames"), 100);
  EXPECT_EQ(JsonInt(still.text, "gamestate"), 0);
  const int sx = JsonInt(still.text, "screenx"), sy = JsonInt(still.text, "screeny");
  WriteText(script, "1 move 600 460\n2 down left\n3 up left\n\n# the stroke\n100 move " +
                        std::to_string(sx) + " " + std::to_string(sy) +
                        "\n101 down left\n102 move 220 240\n104 up left\n");
  const Output moved =
      Lab("render --hole course1hole1 --frames 400 --script " + script + " --out " + png);
  ASSERT_EQ(moved.status, 0) << moved.text;
  EXPECT_EQ(JsonInt(moved.text, "strokes"), 1);
  // Course pixels: the view follows the ball, so its screen place says little.
  EXPECT_GT(std::abs(JsonInt(moved.text, "x") - JsonInt(still.text, "x")) +
                std::abs(JsonInt(moved.text, "y") - JsonInt(still.text, "y")),
            100);
  char sig[8] = {};
  std::ifstream(png, std::ios::binary).read(sig, 8);
  EXPECT_EQ(std::string(sig + 1, 3), "PNG");
}

TEST_F(LabRender, BadInputIsOneErrorLine) {
  const std::string script = TempPath("render_bad.txt"), png = TempPath("render_bad.png");
  WriteText(script, "1 move 1 2\n2 jump\n");
  Output o = Lab("render --hole course1hole1 --script " + script + " --out " + png, "2>&1");
  EXPECT_NE(o.status, 0);
  EXPECT_NE(o.text.find("render_bad.txt:2: bad script line"), std::string::npos) << o.text;

  o = Lab("render --hole nosuchhole --out " + png, "2>&1");
  EXPECT_NE(o.status, 0);
  EXPECT_NE(o.text.find("Cannot open file"), std::string::npos) << o.text;

  o = Lab("render --hole course1hole1 --size 12 --out " + png, "2>&1");
  EXPECT_NE(o.status, 0);
}

}  // namespace
}  // namespace gp
