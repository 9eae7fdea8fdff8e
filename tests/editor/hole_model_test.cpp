// The hole model: what it reads is what the game reads, its changes keep the
// designer's file, and every change is undone and redone whole.
#include "tools/editor/hole_model.h"

#include <gtest/gtest.h>

#include <string>

#include "base/random.h"
#include "game/area_kind.h"
#include "game/hole_file.h"
#include "game/state.h"
#include "support/temp_folder.h"
#include "tests/editor/editor_files.h"

namespace gp::editor {
namespace {

bool SameArea(const Area& a, const Area& b) {
  for (int f = 0; f < kFieldCount; ++f) {
    if (FieldValue(a, static_cast<Field>(f)) != FieldValue(b, static_cast<Field>(f))) return false;
  }
  return a.comment == b.comment;
}

// A hole with comments, own keys, keys out of order and a gap in the numbers.
constexpr const char* kHole =
    "; my hole\n"
    "[ball]\n"
    "y=200\n"
    "x=100\n"
    "[course]\n"
    "par=3\n"
    "; the cup\n"
    "[area1]\n"
    "kind=5\n"
    "enabled=1\n"
    "x1=500\n"
    "y1=400\n"
    "r=10\n"
    "x2=482\n"
    "y2=393\n"
    "comment=course1hole2\n"
    "[area2]\n"
    "kind=4\n"
    "; top rail\n"
    "x1=100\n"
    "y1=100\n"
    "x2=700\n"
    "y2=100\n"
    "note=keep me\n"
    "enabled=1\n"
    "[area5]\n"
    "kind=25\n"
    "x1=300\n"
    "y1=300\n"
    "r=16\n"
    "x2=600\n"
    "y2=200\n"
    "x3=600\n"
    "y3=190\n"
    "x4=650\n"
    "y4=190\n"
    "enabled=1\n"
    "[canvas]\n"
    "width=1200\n"
    "height=960\n"
    "[floor1]\n"
    "points=60,60 1140,60 1140,900 60,900\n";

TEST(HoleModel, ReadsEveryContentHoleAsTheGameDoes) {
  for (const auto& [name, bytes] : test::ContentHoles()) {
    SCOPED_TRACE(name);
    const HoleModel m(bytes);
    ResetGameState();
    gs().numplayers = 1;
    LoadHoleText(bytes);
    for (int i = 1; i <= kMaxAreas; ++i) EXPECT_TRUE(SameArea(m.GetArea(i), gs().areas[i])) << i;
    EXPECT_EQ(m.Par(), gs().par);
    ASSERT_NE(m.Cup(), 0);
    EXPECT_EQ(m.GetArea(m.Cup()).x1, gs().cupx);
    EXPECT_EQ(m.NextHole(), gs().nexthole);
  }
}

TEST(HoleModel, SavesUnchangedFilesByteForByte) {
  test::TempFolder dir;
  for (const auto& [name, bytes] : test::ContentHoles()) {
    const std::string in = dir.Write(name + ".hole", {bytes.begin(), bytes.end()});
    HoleModel m;
    std::string error;
    ASSERT_TRUE(HoleModel::Load(in, m, error)) << error;
    // A change taken back again leaves the file as it was, too.
    ASSERT_TRUE(m.Move(m.Cup(), 5, 5));
    ASSERT_TRUE(m.Undo());
    ASSERT_TRUE(m.Save(dir.Path(name + ".out"), error)) << error;
    EXPECT_EQ(test::ReadText(dir.Path(name + ".out")), bytes) << name;
  }
}

TEST(HoleModel, LoadAndSaveReportFilesTheyCannotUse) {
  HoleModel m;
  std::string error;
  EXPECT_FALSE(HoleModel::Load("/nonexistent/x.hole", m, error));
  EXPECT_NE(error.find("cannot read"), std::string::npos);
  EXPECT_FALSE(m.Save("/nonexistent/dir/x.hole", error));
  EXPECT_NE(error.find("cannot write"), std::string::npos);
}

TEST(HoleModel, AChangedAreaListsItsKeysInOrderKeepingNotesAndOwnKeys) {
  HoleModel m(kHole);
  ASSERT_TRUE(m.SetField(2, kFieldP1, "1"));
  const std::string t = m.Text();
  EXPECT_NE(t.find("[area2]\nkind=4\n; top rail\nx1=100\ny1=100\nx2=700\ny2=100\nnote=keep me\n"
                   "p1=1\nenabled=1\n[area5]"),
            std::string::npos)
      << t;
  // Sections not changed stay exactly as written (the cup's keys out of order).
  EXPECT_NE(t.find("; the cup\n[area1]\nkind=5\nenabled=1\nx1=500"), std::string::npos);
  EXPECT_NE(t.find("[ball]\ny=200\nx=100\n"), std::string::npos);
}

TEST(HoleModel, AddsAtTheLowestFreeNumberInNumberOrder) {
  HoleModel m(kHole);
  EXPECT_EQ(m.Add(kHorizontalWall, {{100, 800}}), 3);
  EXPECT_EQ(m.Add(kHorizontalWall, {{100, 820}}), 4);
  EXPECT_EQ(m.Add(kHorizontalWall, {{100, 840}}), 6);
  const std::string t = m.Text();
  const size_t a2 = t.find("[area2]"), a3 = t.find("[area3]"), a4 = t.find("[area4]");
  const size_t a5 = t.find("[area5]"), a6 = t.find("[area6]"), canvas = t.find("[canvas]");
  EXPECT_TRUE(a2 < a3 && a3 < a4 && a4 < a5 && a5 < a6 && a6 < canvas) << t;
  EXPECT_NE(t.find("[area3]\nkind=4\nx1=100\ny1=800\nx2=220\ny2=800\nenabled=1\n"),
            std::string::npos);
}

TEST(HoleModel, AnEmptySectionIsReusedForANewArea) {
  HoleModel m("[area1]\n; spare\nnote=x\n");
  EXPECT_EQ(m.Add(kMine, {{300, 300}}), 1);
  EXPECT_EQ(m.Text(), "[area1]\n; spare\nnote=x\nkind=27\nx1=300\ny1=300\nr=12\nenabled=1\n");
}

TEST(HoleModel, EveryKindAddedAtAPointIsUsableAsItStands) {
  for (int kind : AllKinds()) {
    SCOPED_TRACE(kind);
    HoleModel m("[canvas]\nwidth=1200\nheight=960\n");
    const int n = m.Add(kind, {{500, 400}});
    ASSERT_EQ(n, 1) << m.error();
    const Area a = m.GetArea(n);
    EXPECT_EQ(a.kind, kind);
    EXPECT_TRUE(a.enabled);
    EXPECT_EQ(FieldProblems(n, a), std::vector<std::string>{});
    EXPECT_NE(ShapeOf(a), Shape::None);
  }
}

TEST(HoleModel, NewDevicesGetTheirPictures) {
  HoleModel m("");
  const Area cup = m.GetArea(m.Add(kCup, {{400, 300}}));
  EXPECT_EQ(cup.x2, 400 - 10 - 8);  // the lip's top-left
  EXPECT_EQ(cup.y2, 300 - 5 - 2);
  const int pipe = m.Add(kPipe, {{200, 200}});
  const Area p = m.GetArea(pipe);
  ASSERT_NE(p.p3, 0);
  EXPECT_EQ(*m.Value("images", "item" + std::to_string(p.p3)), "pipecover " + std::to_string(pipe));
  const Area s1 = m.GetArea(m.Add(kSpring, {{600, 300}}));
  const Area s2 = m.GetArea(m.Add(kSpring, {{700, 300}}));
  EXPECT_EQ(s1.p4, s2.p4);  // springs share one animation
  EXPECT_EQ(*m.Value("images", "item" + std::to_string(s1.p4)), "spring");
  EXPECT_EQ(s1.p1, 580);
  EXPECT_EQ(s1.p2, 260);
}

TEST(HoleModel, AddTakesShapesFromItsPoints) {
  HoleModel m("");
  const Area seg = m.GetArea(m.Add(kVerticalWall, {{100, 100}, {100, 300}}));
  EXPECT_EQ(ShapeOf(seg), Shape::Segment);
  EXPECT_EQ(seg.y2, 300);
  const Area box = m.GetArea(m.Add(kWater, {{400, 300}, {200, 100}}));  // any two corners
  EXPECT_EQ(ShapeOf(box), Shape::Quad);
  EXPECT_EQ(box.x1, 200);
  EXPECT_EQ(box.y3, 300);
  const Area ring = m.GetArea(m.Add(kMine, {{100, 100}, {130, 100}}));
  EXPECT_EQ(ring.r, 30);
  const Area quad = m.GetArea(m.Add(kSlowZone, {{10, 10}, {90, 10}, {99, 60}, {5, 60}}));
  EXPECT_EQ(quad.x3, 99);
  const std::string before = m.Text();
  EXPECT_EQ(m.Add(kSlowZone, {{1, 1}, {2, 2}, {3, 3}}), 0);
  EXPECT_EQ(m.Add(kCup, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}), 0);
  EXPECT_EQ(m.Add(kSlowZone, {{10, 10}, {90, 10}, {0, 60}, {5, 60}}), 0);  // corner 3 at x = 0
  EXPECT_EQ(m.Add(46, {{10, 10}}), 0);
  EXPECT_EQ(m.Text(), before);
}

TEST(HoleModel, MoveTakesTheAreasPicturesAlongButNotItsExits) {
  HoleModel m(kHole);
  ASSERT_TRUE(m.Move(1, 10, -4));
  const Area cup = m.GetArea(1);
  EXPECT_EQ(cup.x1, 510);
  EXPECT_EQ(cup.x2, 492);  // the lip
  EXPECT_EQ(cup.y2, 389);
  ASSERT_TRUE(m.Move(5, 20, 20));
  const Area tele = m.GetArea(5);
  EXPECT_EQ(tele.x1, 320);
  EXPECT_EQ(tele.x2, 600);  // the exit stays where it leads
  EXPECT_EQ(tele.x4, 650);
  const int water = m.Add(kWater, {{400, 500}});
  const Area before = m.GetArea(water);
  ASSERT_TRUE(m.Move(water, 30, 0));
  EXPECT_EQ(m.GetArea(water).x3, before.x3 + 30);
  EXPECT_EQ(m.GetArea(water).p1, before.p1);  // the return point stays
  const int spring = m.Add(kSpring, {{800, 500}});
  ASSERT_TRUE(m.SetField(spring, kFieldP1, "0"));  // no animation
  ASSERT_TRUE(m.SetField(spring, kFieldP3, "64"));
  const Area still = m.GetArea(spring);
  ASSERT_TRUE(m.Move(spring, 5, 5));
  EXPECT_EQ(m.GetArea(spring).p1, 0);
  EXPECT_EQ(m.GetArea(spring).p2, still.p2);  // nothing of the animation moves
  EXPECT_EQ(m.GetArea(spring).p3, 64);        // nor its launch direction
  EXPECT_FALSE(m.Move(9, 1, 1));
  EXPECT_EQ(m.error(), "no area 9");
}

TEST(HoleModel, CornersAndCentres) {
  HoleModel m(kHole);
  ASSERT_TRUE(m.SetCorner(2, 2, 800, 100));
  EXPECT_EQ(m.GetArea(2).x2, 800);
  ASSERT_TRUE(m.SetCorner(1, 1, 600, 450));  // a circle's centre: the lip follows
  EXPECT_EQ(m.GetArea(1).x2, 582);
  EXPECT_FALSE(m.SetCorner(1, 2, 1, 1));
  EXPECT_FALSE(m.SetCorner(2, 3, 1, 1));
  const int q = m.Add(kSlowZone, {{200, 600}});
  ASSERT_TRUE(m.SetCorner(q, 3, 400, 700));
  EXPECT_EQ(m.GetArea(q).x3, 400);
  EXPECT_EQ(m.GetArea(q).y3, 700);
  EXPECT_FALSE(m.SetCorner(q, 4, 0, 700));
  ASSERT_TRUE(m.SetField(1, kFieldR, "14"));
  EXPECT_EQ(m.GetArea(1).r, 14);
}

TEST(HoleModel, FieldsTakeNumbersAsTheFileWritesThem) {
  HoleModel m(kHole);
  ASSERT_TRUE(m.SetField(2, kFieldP2, "0x1F4"));
  EXPECT_EQ(m.GetArea(2).p2, 500);
  EXPECT_NE(m.Text().find("p2=500\n"), std::string::npos);
  ASSERT_TRUE(m.SetField(1, kFieldComment, "  course2hole1  "));
  EXPECT_EQ(m.NextHole(), "course2hole1");
  // A field set to its default leaves the file.
  ASSERT_TRUE(m.SetField(2, kFieldP2, "0"));
  EXPECT_EQ(m.Text().find("p2="), std::string::npos);
  const std::string before = m.Text();
  const bool undo = m.CanUndo();
  EXPECT_FALSE(m.SetField(2, kFieldX1, "12abc"));
  EXPECT_FALSE(m.SetField(2, kFieldKind, "0"));
  EXPECT_FALSE(m.SetField(2, kFieldComment, "two\nlines"));
  EXPECT_FALSE(m.SetField(3, kFieldX1, "5"));
  EXPECT_EQ(m.Text(), before);
  EXPECT_EQ(m.CanUndo(), undo);
}

TEST(HoleModel, DeleteTakesEverySectionOfTheNumberAndThePipesCover) {
  HoleModel m("[area3]\nkind=4\n[area3]\nkind=2\n[area4]\nkind=27\n");
  ASSERT_TRUE(m.Delete(3));
  EXPECT_FALSE(m.HasArea(3));  // the repeated section would have counted next
  const int pipe = m.Add(kPipe, {{300, 300}});
  ASSERT_TRUE(m.Delete(pipe));
  EXPECT_EQ(m.Text().find("pipecover"), std::string::npos);
  EXPECT_FALSE(m.Delete(50));
  HoleModel c(kHole);
  ASSERT_TRUE(c.Delete(1));
  EXPECT_EQ(c.Text().find("; the cup"), std::string::npos);  // the comment about it goes too
  EXPECT_EQ(c.Cup(), 0);
}

TEST(HoleModel, DuplicateCopiesOwnKeysAndGivesAPipeItsOwnCover) {
  HoleModel m(kHole);
  const int copy = m.Duplicate(2, 0, 24);
  EXPECT_EQ(copy, 3);
  EXPECT_EQ(m.GetArea(3).y1, 124);
  EXPECT_NE(m.Text().find("[area3]\nkind=4\nx1=100\ny1=124\nx2=700\ny2=124\nnote=keep me\n"),
            std::string::npos)
      << m.Text();
  const int pipe = m.Add(kPipe, {{300, 600}});
  const int twin = m.Duplicate(pipe, 40, 0);
  EXPECT_NE(m.GetArea(twin).p3, m.GetArea(pipe).p3);
  EXPECT_EQ(m.GetArea(twin).p1, m.GetArea(pipe).p1 + 40);
}

TEST(HoleModel, StartParAndNextHole) {
  HoleModel m("; nothing yet\n[area1]\nkind=4\n");
  ASSERT_TRUE(m.SetStart(50, 60));
  ASSERT_TRUE(m.SetPar(4));
  EXPECT_EQ(m.Text(), "; nothing yet\n[ball]\nx=50\ny=60\n[course]\npar=4\n[area1]\nkind=4\n");
  EXPECT_FALSE(m.SetNext("course1hole2"));  // no cup
  EXPECT_FALSE(m.SetPar(0));
  HoleModel h(kHole);
  ASSERT_TRUE(h.SetStart(100, 250));  // x unchanged: only y is written
  EXPECT_NE(h.Text().find("[ball]\nx=100\ny=250\n"), std::string::npos);
  ASSERT_TRUE(h.SetNext("training1"));
  EXPECT_EQ(h.NextHole(), "training1");
}

TEST(HoleModel, LookSections) {
  HoleModel m(kHole);
  ASSERT_TRUE(m.SetLook("canvas", "title", "Two Rooms"));
  ASSERT_TRUE(m.SetLook("sounds", "ambient", "2"));
  EXPECT_EQ(*m.Value("canvas", "title"), "Two Rooms");
  EXPECT_EQ(m.AddLookSection("floor"), "floor2");
  ASSERT_TRUE(m.SetLook("floor2", "points", "1,1 2,2 3,1"));
  EXPECT_EQ(m.AddLookSection("floor"), "floor3");
  ASSERT_TRUE(m.SetLook("floor3", "points", "5,5 6,6 7,5"));
  EXPECT_EQ(m.LookSections(),
            (std::vector<std::string>{"canvas", "floor1", "floor2", "floor3", "sounds"}));
  ASSERT_TRUE(m.DeleteLookSection("floor2"));  // floor3 becomes floor2: no gap
  EXPECT_EQ(*m.Value("floor2", "points"), "5,5 6,6 7,5");
  EXPECT_EQ(m.Value("floor3", "points"), nullptr);
  ASSERT_TRUE(m.SetLook("canvas", "title", ""));
  EXPECT_EQ(m.Value("canvas", "title"), nullptr);
  EXPECT_FALSE(m.SetLook("area1", "kind", "4"));
  EXPECT_FALSE(m.SetLook("canvas", "a=b", "1"));
}

TEST(HoleModel, UndoAndRedoTakeEveryChangeWhole) {
  HoleModel m(kHole);
  std::vector<std::string> states{m.Text()};
  ASSERT_TRUE(m.Add(kMine, {{600, 600}}));
  states.push_back(m.Text());
  ASSERT_TRUE(m.Move(2, 0, 10));
  states.push_back(m.Text());
  ASSERT_TRUE(m.Delete(5));
  states.push_back(m.Text());
  ASSERT_TRUE(m.SetPar(5));
  states.push_back(m.Text());
  ASSERT_TRUE(m.SetLook("canvas", "scheme", "3"));
  states.push_back(m.Text());
  ASSERT_TRUE(m.Duplicate(1, 30, 0));
  states.push_back(m.Text());
  for (size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(m.Undo());
    EXPECT_EQ(m.Text(), states[i - 1]) << i;
  }
  EXPECT_FALSE(m.Undo());
  for (size_t i = 1; i < states.size(); ++i) {
    ASSERT_TRUE(m.Redo());
    EXPECT_EQ(m.Text(), states[i]) << i;
  }
  EXPECT_FALSE(m.Redo());
  m.Undo();
  m.Undo();
  ASSERT_TRUE(m.SetStart(1, 1));  // a new change ends the redo list
  EXPECT_FALSE(m.CanRedo());
}

TEST(HoleModel, AGroupIsOneStepAndRestartsFromItsStart) {
  HoleModel m(kHole);
  const std::string start = m.Text();
  m.BeginGroup();
  for (int d = 1; d <= 5; ++d) {  // a drag: each step from the drag's start
    m.RestartGroup();
    ASSERT_TRUE(m.Move(2, d, 0));
  }
  m.EndGroup();
  EXPECT_EQ(m.GetArea(2).x1, 105);
  ASSERT_TRUE(m.Undo());
  EXPECT_EQ(m.Text(), start);
  EXPECT_FALSE(m.CanUndo());
  m.BeginGroup();
  m.EndGroup();  // nothing happened: no step
  EXPECT_FALSE(m.CanUndo());
  EXPECT_TRUE(m.CanRedo());
}

}  // namespace
}  // namespace gp::editor
