#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/lab_run.h"

namespace {

struct Output {
  int status = -1;
  std::string out;
};

Output Lab(const std::string& args) {
  const gp::test::LabOutput r = gp::test::RunLab(args);
  Output o{r.status, r.text};
  while (!o.out.empty() && o.out.back() == '\n') o.out.pop_back();
  return o;
}

std::string Geom(const std::string& args) {
  const Output o = Lab("geom " + args);
  EXPECT_EQ(o.status, 0) << args;
  return o.out;
}

// The raw text of the first value of "key" at or after `from` (numbers, booleans, strings).
std::string Value(const std::string& json, const std::string& key, size_t from = 0) {
  const size_t k = json.find("\"" + key + "\":", from);
  if (k == std::string::npos) return "<missing>";
  size_t start = k + key.size() + 3, end = start;
  if (json[start] == '"') {
    end = json.find('"', start + 1) + 1;
  } else {
    while (end < json.size() && json[end] != ',' && json[end] != '}' && json[end] != ']') ++end;
  }
  return json.substr(start, end - start);
}

std::string TempHole(const std::string& text) {
  char name[] = "/tmp/lab_core_testXXXXXX";
  const int fd = mkstemp(name);
  EXPECT_GE(fd, 0);
  FILE* f = fdopen(fd, "wb");
  std::fputs(text.c_str(), f);
  std::fclose(f);
  return name;
}

TEST(LabCoreTest, GeomEdgeCases) {
  EXPECT_EQ(Geom("bytesin 64"), "1");
  EXPECT_EQ(Geom("bytecos 0"), "1");
  EXPECT_EQ(Geom("bytecos -64"), Geom("bytecos 192"));
  EXPECT_LT(std::abs(std::stod(Geom("bytesin 0"))), 1e-15);
  EXPECT_EQ(Geom("dist 0 0 3 4"), "5");
  EXPECT_EQ(Geom("dist 0 0 1 2"), "2");
  EXPECT_EQ(Geom("flatdist 0 0 3 2"), "5");
  EXPECT_EQ(Geom("flatdist 0 0 0 3"), "6");
  EXPECT_EQ(Geom("angleto 1 1 0 0"), "32");
  EXPECT_EQ(Geom("angleto -1 1 0 0"), "96");
  EXPECT_EQ(Geom("angleto -1 -1 0 0"), "160");
  EXPECT_EQ(Geom("angleto 1 -1 0 0"), "224");
  EXPECT_EQ(Geom("angleto 5 5 5 5"), "192");
  EXPECT_EQ(Geom("angleto 5 9 5 5"), "64");
  EXPECT_EQ(Geom("angleofvector 1.0 0.0"), "0");
  EXPECT_EQ(Geom("angleofvector -1.0 0.0"), "128");
  EXPECT_EQ(Geom("angleofvector 1.0 -0.0001"), "0");
  EXPECT_EQ(Geom("angleofvector 0.0 0.0"), "192");
  EXPECT_EQ(Geom("inquad 0 0 10 0 10 10 0 10 10 5"), "true");
  EXPECT_EQ(Geom("inquad 0 0 0 10 10 10 10 0 0 0"), "true");
  EXPECT_EQ(Geom("inquad 0 0 10 0 10 10 0 10 11 5"), "false");
  EXPECT_EQ(Geom("nearsegment 20 20 20 20 24 20"), "true");
  EXPECT_EQ(Geom("nearsegment 20 20 20 20 25 20"), "false");
  EXPECT_EQ(Geom("foldhalfturn 200"), "72");
  EXPECT_EQ(Geom("foldhalfturn 128"), "128");
  EXPECT_EQ(Geom("foldhalfturn -1"), "127");
  EXPECT_NE(Lab("geom dist 1 2 3").status, 0);
  EXPECT_NE(Lab("geom dist 1 2 3 x").status, 0);
  EXPECT_NE(Lab("geom tan 1").status, 0);
}

// Every command's name, as `galaputt-lab help` lists them.
std::vector<std::string> Commands() {
  const gp::test::LabOutput help = gp::test::RunLab("help", "2>&1 >/dev/null");
  std::vector<std::string> names;
  std::istringstream in(help.text);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("  ", 0) == 0) names.push_back(line.substr(2, line.find(' ', 2) - 2));
  }
  return names;
}

// A designer's typo never runs silently: every command, also one added later,
// refuses an option it does not declare with one line and exit code 2, before
// it does anything.
TEST(LabOptionsTest, EveryCommandRefusesAnUnknownOption) {
  const std::vector<std::string> names = Commands();
  ASSERT_GE(names.size(), 15u);
  for (const std::string& name : names) {
    const gp::test::LabOutput o = gp::test::RunLab(name + " --bogus 1", "2>&1 >/dev/null");
    EXPECT_EQ(o.status, 2) << name;
    EXPECT_EQ(o.text.find("galaputt-lab: " + name + ": unknown option --bogus"), 0u) << o.text;
    EXPECT_EQ(std::count(o.text.begin(), o.text.end(), '\n'), 1) << o.text;
  }
}

TEST(LabOptionsTest, RefusedWhereTheyWereTakenBefore) {
  const std::string shot = "shot --hole /nonexistent/flat.hole --ball 0,0 --angle 0 --speed 1";
  for (const std::string& args :
       {std::string("hole /nonexistent/flat.hole --bogus 1"), shot + " --bogus 2",
        std::string("render --hole course1hole1 --out /tmp/never.png --bogus 3"),
        std::string("autoplay --out /tmp/never.replay --holes 1 --bogus F"),
        std::string("replay /nonexistent/x.replay --bogus"),
        // A value option without its value, and one whose value is another option.
        std::string("hole /nonexistent/flat.hole --seed"), shot + " --z --trace"}) {
    const gp::test::LabOutput o = gp::test::RunLab(args, "2>&1 >/dev/null");
    EXPECT_EQ(o.status, 2) << args;
    EXPECT_EQ(std::count(o.text.begin(), o.text.end(), '\n'), 1) << args << ": " << o.text;
  }
  EXPECT_NE(gp::test::RunLab("hole /nonexistent/flat.hole --seed", "2>&1 >/dev/null")
                .text.find("--seed needs a value"),
            std::string::npos);
}

TEST(LabOptionsTest, DeclaredOptionsStillRun) {
  const std::string shot =
      "shot --hole /nonexistent/flat.hole --ball 0,0 --angle 0 --speed 1 --max-frames 2";
  // Rule flags with and without their 0/1, a negative value, repeated options.
  EXPECT_EQ(Lab(shot + " --plus1 --minus1 0 --training").status, 0);
  EXPECT_EQ(Lab(shot + " --z 0 --vz -1.5 --other 50,50 --other 60,60 --trace").status, 0);
  EXPECT_EQ(Lab("hole /nonexistent/flat.hole --players 2 --seed -4").status, 0);
  EXPECT_EQ(Lab("geom dist -3 -4 0 0").status, 0);
  // Either of two alternatives ("--hole NAME|--course DIR") is declared.
  const gp::test::LabOutput course =
      gp::test::RunLab("render --course /nonexistent --out /tmp/never.png", "2>&1 >/dev/null");
  EXPECT_EQ(course.text.find("unknown option"), std::string::npos) << course.text;
}

TEST(LabCoreTest, HoleEdgeCases) {
  const std::string path = TempHole(
      "[course]\npar=5\n"
      "[area2]\nkind=4\nx1=0x1F4\ny1=$1F4\nx2=500abc\nenabled=true\n"
      "[area3]\nkind=23\nenabled=-1\n"
      "[area7]\nkind=2\n[area7]\nkind=3\n");
  const Output o = Lab("hole " + path + " --players 4 --seed 9");
  std::remove(path.c_str());
  ASSERT_EQ(o.status, 0);
  EXPECT_EQ(Value(o.out, "par"), "5");
  EXPECT_EQ(Value(o.out, "totalpar"), "5");
  EXPECT_EQ(Value(o.out, "nexthole"), "\"\"");  // no cup
  const size_t a2 = o.out.find("\"index\":2,");
  EXPECT_EQ(Value(o.out, "x1", a2), "500");
  EXPECT_EQ(Value(o.out, "y1", a2), "500");
  EXPECT_EQ(Value(o.out, "x2", a2), "0");
  EXPECT_EQ(Value(o.out, "enabled", a2), "false");
  EXPECT_EQ(Value(o.out, "enabled", o.out.find("\"index\":3,")), "true");
  EXPECT_EQ(Value(o.out, "kind", o.out.find("\"index\":7,")), "2");
  EXPECT_NE(o.out.find("\"index\":99,"), std::string::npos);
  // Four separate starts.
  const size_t players = o.out.find("\"players\":[");
  size_t at = players;
  for (int i = 0; i < 4; ++i) {
    at = o.out.find("\"x\":", at + 1);
    EXPECT_LT(at, o.out.find("\"areas\""));
  }

  const Output missing = Lab("hole /nonexistent/none.hole");
  ASSERT_EQ(missing.status, 0);
  EXPECT_EQ(Value(missing.out, "par"), "3");
  EXPECT_EQ(Value(missing.out, "kind"), "0");
  EXPECT_NE(Lab("hole").status, 0);
  EXPECT_NE(Lab("hole x.hole --players 5").status, 0);
}

TEST(LabCoreTest, ShotOnAHoleWithoutAreas) {
  const Output o = Lab("shot --hole /nonexistent/flat.hole --ball 100,100 --angle 0 --speed 4");
  ASSERT_EQ(o.status, 0);
  EXPECT_EQ(Value(o.out, "frames"), "400");
  EXPECT_EQ(Value(o.out, "steps"), "800");
  const size_t fin = o.out.find("\"final\"");
  EXPECT_NEAR(std::stod(Value(o.out, "x", fin)), 1700, 5);
  EXPECT_EQ(Value(o.out, "moving", fin), "false");

  const Output fast =
      Lab("shot --hole /nonexistent/flat.hole --ball 0,0 --angle 64 --speed 4 "
          "--timescale 4 --max-frames 10");
  ASSERT_EQ(fast.status, 0);
  EXPECT_EQ(Value(fast.out, "frames"), "10");
  EXPECT_EQ(Value(fast.out, "steps"), "50");
}

TEST(LabCoreTest, ShotBounceAndTrace) {
  const Output o =
      Lab("shot --hole /nonexistent/flat.hole --ball 0,0 --angle 0 --speed 0 "
          "--z 0 --vz -2.4 --max-frames 1 --trace");
  ASSERT_EQ(o.status, 0);
  // Two trace lines (one frame at timescale 1), then the result.
  const size_t first = o.out.find('\n');
  const size_t second = o.out.find('\n', first + 1);
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(Value(o.out, "step"), "1");
  EXPECT_NEAR(std::stod(Value(o.out, "vz")), 1.56 - 0.2, 1e-9);
  EXPECT_EQ(Value(o.out, "sounds", second), "[2");
  EXPECT_NE(Lab("shot --hole x --ball 1 --angle 0 --speed 1").status, 0);
  EXPECT_NE(Lab("shot --hole x --ball 1,1 --angle 0 --speed 1 --timescale 3").status, 0);
}

TEST(LabCoreTest, ShotWithOtherBallsAndRules) {
  // Player 1 rolls into player 2's resting ball: with "When Touching" it moves on.
  const std::string base =
      "shot --hole /nonexistent/flat.hole --ball 100,100 --angle 0 --speed 2 "
      "--other 150,100 --other 100,400";
  const Output touch = Lab(base + " --whencollide 1");
  ASSERT_EQ(touch.status, 0);
  const size_t balls = touch.out.find("\"balls\":[");
  ASSERT_NE(balls, std::string::npos);
  const size_t second = touch.out.find("\"x\":", touch.out.find("\"x\":", balls) + 1);
  EXPECT_GT(std::stod(Value(touch.out, "x", second - 1)), 200);  // knocked on
  const size_t third = touch.out.find("\"x\":", second + 1);
  EXPECT_EQ(std::stod(Value(touch.out, "x", third - 1)), 100);  // out of the way: still
  EXPECT_NE(touch.out.find("\"bgsounds\":["), std::string::npos);
  EXPECT_NE(touch.out.find("{\"index\":99,\"kind\":0,\"enabled\":false}"), std::string::npos);

  // "Never": the balls pass through each other.
  const Output never = Lab(base + " --whencollide 0");
  ASSERT_EQ(never.status, 0);
  const size_t b2 = never.out.find("\"balls\":[");
  const size_t x2 = never.out.find("\"x\":", never.out.find("\"x\":", b2) + 1);
  EXPECT_EQ(std::stod(Value(never.out, "x", x2 - 1)), 150);

  EXPECT_NE(Lab(base + " --other 1,1 --other 2,2").status, 0);  // four others
  EXPECT_NE(Lab(base + " --startplayer 3").status, 0);
  EXPECT_NE(Lab(base + " --strokelimit 5").status, 0);
  EXPECT_NE(Lab(base + " --other 1").status, 0);
}

}  // namespace
