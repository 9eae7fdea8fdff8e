// Edit scripts: each operation reaches the model, a bad line stops the script
// and is named by its number, and the field table holds the real holes.
#include "tools/editor/edit_script.h"

#include <gtest/gtest.h>

#include <string>

#include "game/area_kind.h"
#include "tests/editor/editor_files.h"

namespace gp::editor {
namespace {

const std::function<bool(std::string&)> kNoSave = [](std::string&) { return true; };

constexpr const char* kStart = "[ball]\nx=100\ny=100\n[area1]\nkind=5\nx1=300\ny1=300\nr=10\n";

TEST(EditScript, RunsEveryOperation) {
  HoleModel m(kStart);
  int saved = 0;
  std::string at_save;
  const ScriptRun run = RunEditScript(m,
                                      "# a script\n"
                                      "\n"
                                      "add 4 100,50 700,50\n"
                                      "add cup 500,500 comment=course1hole2 r=12\n"
                                      "move 2 0,10\n"
                                      "corner 2 2 800,60\n"
                                      "set 1 comment the old cup\n"
                                      "set 2 p1 $10\n"
                                      "duplicate 2 0,100\n"
                                      "delete 1\n"
                                      "start 120,140\n"
                                      "par 4\n"
                                      "next training1\n"
                                      "look canvas title A Title\n"
                                      "save\n"
                                      "add mine 600,600\n"
                                      "undo\n"
                                      "undo\n"
                                      "redo\n",
                                      [&](std::string&) {
                                        ++saved;
                                        at_save = m.Text();
                                        return true;
                                      });
  ASSERT_TRUE(run.ok()) << run.line << ": " << run.error;
  EXPECT_EQ(saved, 1);
  EXPECT_EQ(run.added, (std::vector<int>{2, 3, 4, 1}));
  EXPECT_EQ(m.Text(), at_save);  // the mine undone, then the title undone and redone
  EXPECT_EQ(m.GetArea(2).y1, 60);
  EXPECT_EQ(m.GetArea(2).x2, 800);
  EXPECT_EQ(m.GetArea(2).p1, 16);
  EXPECT_EQ(m.GetArea(3).r, 12);
  EXPECT_EQ(m.GetArea(4).y1, 160);
  EXPECT_FALSE(m.HasArea(1));
  EXPECT_EQ(m.NextHole(), "training1");
  EXPECT_EQ(m.BallX(), 120);
  EXPECT_EQ(m.Par(), 4);
  EXPECT_EQ(*m.Value("canvas", "title"), "A Title");
}

TEST(EditScript, AKindNameOfSeveralWordsRunsToTheFirstPoint) {
  HoleModel m(kStart);
  const ScriptRun run = RunEditScript(m, "add slope left 100,100 300,200 p1=3\n", kNoSave);
  ASSERT_TRUE(run.ok()) << run.line << ": " << run.error;
  ASSERT_EQ(run.added.size(), 1u);
  int want = 0;
  ASSERT_TRUE(KindByName("slope left", want));
  EXPECT_EQ(m.GetArea(run.added[0]).kind, want);
  EXPECT_EQ(m.GetArea(run.added[0]).p1, 3);
}

TEST(EditScript, ABadLineIsNamedAndStopsTheScript) {
  const struct {
    const char* script;
    int line;
    const char* error;
  } cases[] = {
      {"par 3\nfly 1\npar 4\n", 2, "unknown operation \"fly\""},
      {"add 46 1,1\n", 1, "unknown kind \"46\""},
      {"add slope 1,1 2,2\n", 1, "unknown kind \"slope\""},
      {"add slope sideways 1,1 2,2\n", 1, "unknown kind \"slope sideways\""},
      {"add teleporter 1,1 2,2 3,3\n", 1, "give 1, 2 or 4 points"},
      {"add 4 1,1 colour=red\n", 1, "unknown field \"colour\""},
      {"add 4 1;1\n", 1, "bad point \"1;1\" (X,Y)"},
      {"move 1 5\n", 1, "bad offset \"5\" (DX,DY)"},
      {"move 100 5,5\n", 1, "an area number is 1 to 99, not \"100\""},
      {"\n\nmove 7 5,5\n", 3, "no area 7"},
      {"corner 1 2 5,5\n", 1, "area 1 is round: its corner 1 is its centre"},
      {"set 1 x1 ten\n", 1, "x1 takes a number, not \"ten\""},
      {"set 1 x1 1 2\n", 1, "expected: set N FIELD VALUE"},
      {"set 1 colour 1\n", 1, "unknown field \"colour\""},
      {"undo\n", 1, "nothing to undo"},
      {"par 4\nundo\nredo\nredo\n", 4, "nothing to redo"},
      {"delete 1\nnext x\n", 2, "the hole has no cup (kind 5) to name the next hole"},
      {"look area1 kind 4\n", 1, "[area1] is not a look section"},
      {"par\n", 1, "expected: par N"},
      {"save now\n", 1, "expected: save"},
  };
  for (const auto& c : cases) {
    HoleModel m(kStart);
    const ScriptRun run = RunEditScript(m, c.script, kNoSave);
    EXPECT_EQ(run.line, c.line) << c.script;
    EXPECT_EQ(run.error, c.error) << c.script;
  }
  // Lines after the bad one are not run, the lines before stay applied.
  HoleModel m(kStart);
  RunEditScript(m, "par 5\nbad\npar 6\n", kNoSave);
  EXPECT_EQ(m.Par(), 5);
}

TEST(EditScript, AFailedAddLeavesNoHalfArea) {
  HoleModel m(kStart);
  const std::string before = m.Text();
  const ScriptRun run = RunEditScript(m, "add 4 100,100 x1=abc\n", kNoSave);
  EXPECT_EQ(run.line, 1);
  EXPECT_EQ(m.Text(), before);
  EXPECT_FALSE(m.CanUndo());
}

TEST(EditScript, ASaveThatFailsStopsTheScript) {
  HoleModel m(kStart);
  const ScriptRun run = RunEditScript(m, "par 4\nsave\npar 5\n", [](std::string& e) {
    e = "cannot write /x.hole";
    return false;
  });
  EXPECT_EQ(run.line, 2);
  EXPECT_EQ(run.error, "cannot write /x.hole");
  EXPECT_EQ(m.Par(), 4);
}

// A chain of walls: each segment takes the kind its slope needs, "closed"
// returns to the first point, fields go to every wall, and the whole chain is
// one undo step.
TEST(EditScript, WallsTakeTheKindsOfTheirSlopes) {
  HoleModel m(kStart);
  const ScriptRun run = RunEditScript(
      m, "walls 100,300 300,300 360,240 360,400 320,420 120,320 closed comment=invisible\n",
      kNoSave);
  ASSERT_TRUE(run.ok()) << run.error;
  ASSERT_EQ(run.added, (std::vector<int>{2, 3, 4, 5, 6, 7}));
  const int kinds[] = {kHorizontalWall,    kRisingDiagonalWall, kVerticalWall,
                       kRisingShallowWall, kFallingShallowWall, kFallingDiagonalWall};
  for (int i = 0; i < 6; ++i) {
    const Area a = m.GetArea(2 + i);
    EXPECT_EQ(a.kind, kinds[i]) << "wall " << i + 1;
    EXPECT_EQ(a.comment, "invisible");
    EXPECT_TRUE(a.enabled);
    EXPECT_TRUE(WallMatchesKind(a)) << "wall " << i + 1;
  }
  // Each wall starts where the one before ends; the last ends at the first point.
  EXPECT_EQ(m.GetArea(3).x1, 300);
  EXPECT_EQ(m.GetArea(7).x1, 120);
  EXPECT_EQ(m.GetArea(7).x2, 100);
  EXPECT_EQ(m.GetArea(7).y2, 300);
  ASSERT_TRUE(m.Undo());
  EXPECT_EQ(m.Areas(), std::vector<int>{1});
  EXPECT_FALSE(m.CanUndo());
}

TEST(EditScript, AWallOffTheSlopesAddsNoneOfTheChain) {
  const struct {
    const char* script;
    const char* error;
  } cases[] = {
      {"walls 100,100 200,100 260,140\n",
       "wall 2 from 200,100 to 260,140 is not on a wall slope (level, upright, 1 in 2 or 45 "
       "degrees)"},
      {"walls 100,100\n", "expected: walls X1,Y1 X2,Y2 [X3,Y3 ...] [closed] [FIELD=VALUE ...]"},
      {"walls 100,100 200,100 closed\n",
       "expected: walls X1,Y1 X2,Y2 [X3,Y3 ...] [closed] [FIELD=VALUE ...]"},
      {"walls 100,100 200,100 closed 300,300\n", "bad point \"300,300\" (X,Y)"},
      {"walls 100,100 200,100 p1=x\n", "p1 takes a number, not \"x\""},
      {"walls 100,100 200,100 colour=red\n", "unknown field \"colour\""},
  };
  for (const auto& c : cases) {
    HoleModel m(kStart);
    const std::string before = m.Text();
    const ScriptRun run = RunEditScript(m, c.script, kNoSave);
    EXPECT_EQ(run.line, 1) << c.script;
    EXPECT_EQ(run.error, c.error) << c.script;
    EXPECT_EQ(m.Text(), before) << c.script;
    EXPECT_TRUE(run.added.empty()) << c.script;
  }
}

TEST(FieldTable, HoldsEveryContentHole) {
  for (const auto& [name, bytes] : test::ContentHoles()) {
    const HoleModel m(bytes);
    for (int n : m.Areas()) {
      EXPECT_EQ(FieldProblems(n, m.GetArea(n)), std::vector<std::string>{}) << name;
    }
  }
}

TEST(FieldTable, NamesWhatIsWrong) {
  Area a;
  a.kind = kWater, a.x1 = 10, a.y1 = 10, a.x2 = 50, a.y2 = 10, a.x3 = 50, a.y3 = 40, a.x4 = 10;
  a.y4 = 40, a.p3 = 2;
  EXPECT_EQ(FieldProblems(7, a),
            std::vector<std::string>{"area 7 (water): p3 (green splash) must be 0 to 1"});
  a.x4 = 0;
  EXPECT_EQ(FieldProblems(7, a)[0], "area 7 (water): x3 and x4 must both be 0 or both be set");
  Area t;
  t.kind = kTeleporter, t.x1 = 5, t.x2 = 9;  // a segment, but a teleporter needs its x2..y4
  EXPECT_EQ(FieldProblems(2, t)[0], "area 2 (teleporter): must be round (r at least 1)");
  Area w;
  w.kind = kHorizontalWall, w.x1 = 0, w.y1 = 0, w.x2 = 100, w.y2 = 5;
  ASSERT_EQ(FieldProblems(1, w).size(), 1u);
  EXPECT_NE(FieldProblems(1, w)[0].find("must match its slope"), std::string::npos);
  Area c;
  c.kind = kCannonOrHidden, c.x1 = 1, c.x2 = 9, c.x3 = 9, c.x4 = 1, c.comment = "boom";
  EXPECT_EQ(FieldProblems(3, c),
            std::vector<std::string>{"area 3 (cannon or hidden hole): comment must be one of: "
                                     "cannon,hidden"});
}

TEST(FieldTable, DescribesFieldsByKindAndShape) {
  Area pipe;
  pipe.kind = kPipe, pipe.r = 10;
  EXPECT_STREQ(NoteFor(pipe, kFieldX1).label, "centre");
  EXPECT_STREQ(NoteFor(pipe, kFieldX2).label, "exit");
  EXPECT_EQ(NoteFor(pipe, kFieldX2).role, Role::Place);
  EXPECT_EQ(NoteFor(pipe, kFieldP1).role, Role::Picture);
  EXPECT_EQ(NoteFor(pipe, kFieldP5).label, nullptr);  // unused
  Area quad;
  quad.kind = kSlowZone, quad.x3 = 5, quad.x4 = 5;
  EXPECT_STREQ(NoteFor(quad, kFieldX2).label, "corner 2");
  int k = 0;
  EXPECT_TRUE(KindByName("cup", k));
  EXPECT_EQ(k, kCup);
  EXPECT_FALSE(KindByName("slope", k));  // four kinds share the word
  EXPECT_TRUE(KindByName("slope left", k));
  EXPECT_EQ(k, kSlopeLeft);
}

}  // namespace
}  // namespace gp::editor
