// The line-by-line file: every byte comes back, only what changed is new.
#include "tools/editor/hole_text.h"

#include <gtest/gtest.h>

#include "tests/editor/editor_files.h"

namespace gp::editor {
namespace {

TEST(HoleText, EveryContentHoleComesBackByteForByte) {
  const auto holes = test::ContentHoles();
  ASSERT_GE(holes.size(), 14u);
  for (const auto& [name, bytes] : holes) {
    EXPECT_EQ(HoleText::Parse(bytes).Write(), bytes) << name;
  }
}

TEST(HoleText, OddFilesComeBackByteForByte) {
  const char* const files[] = {
      "",
      "no sections at all\n",
      "[ball]\r\nx=1\r\ny=2",                            // CRLF, no final line ending
      "key=before any section\n[Area7] \n KIND = 5 \n",  // stray key, odd case and blanks
      "[area7]\nkind=2\n[area7]\nkind=4\n;end",          // a repeated section
      "[half\nkind=1\n\r\r\n[x]\n=5\n;c\n",              // a broken section line, lone CRs
  };
  for (const char* f : files) EXPECT_EQ(HoleText::Parse(f).Write(), f) << f;
}

TEST(HoleText, NotesStayWithTheLinesBelowThem) {
  HoleText t = HoleText::Parse(
      "; the hole\n[ball]\nx=1\n; the cup\n[area1]\n; its kind\nkind=5\nx1=3\n; tail\n");
  ASSERT_EQ(t.sections.size(), 2u);
  EXPECT_EQ(t.preamble.size(), 1u);          // the file's opening comment
  EXPECT_EQ(t.sections[1].lead.size(), 1u);  // "; the cup" above [area1]
  EXPECT_EQ(t.sections[1].entries[0].notes[0].text, "; its kind");
  EXPECT_EQ(t.sections[1].tail[0].text, "; tail");
}

TEST(HoleText, SetKeepsSpacingAndDropsDeadRepeats) {
  HoleText t = HoleText::Parse("[area1]\nkind = 5 \n; two\nx1=1\nKIND=9\n");
  Section& s = t.sections[0];
  s.Set("kind", "4");
  EXPECT_EQ(t.Write(), "[area1]\nkind = 4 \n; two\nx1=1\n");  // the repeated kind went
  s.Set("r", "10");
  EXPECT_EQ(t.Write(), "[area1]\nkind = 4 \n; two\nx1=1\nr=10\n");
  s.order = {"kind", "x1", "y1", "r"};
  s.Set("y1", "2");
  EXPECT_EQ(t.Write(), "[area1]\nkind = 4 \n; two\nx1=1\ny1=2\nr=10\n");
}

TEST(HoleText, RemoveHandsNotesOnAndKeepsOtherKeys) {
  HoleText t = HoleText::Parse("[a]\n; about p1\np1=5\nnote=mine\n; about p2\np2=6\n");
  t.sections[0].Remove("p1");
  EXPECT_EQ(t.Write(), "[a]\n; about p1\nnote=mine\n; about p2\np2=6\n");
  t.sections[0].Remove("p2");
  EXPECT_EQ(t.Write(), "[a]\n; about p1\nnote=mine\n; about p2\n");
}

TEST(HoleText, OrderPutsKnownKeysInPlaceAndOwnKeysAfterTheirNeighbour) {
  HoleText t = HoleText::Parse("[s]\ny=2\nmine=1\n; x\nx=1\n");
  t.sections[0].order = {"x", "y"};
  EXPECT_EQ(t.Write(), "[s]\n; x\nx=1\ny=2\nmine=1\n");
}

TEST(HoleText, NewLinesFollowTheFilesLineEndings) {
  HoleText t = HoleText::Parse("[ball]\r\nx=1");
  t.sections[0].Set("y", "2");
  t.Insert(1, "course").Set("par", "3");
  EXPECT_EQ(t.Write(), "[ball]\r\nx=1\r\ny=2\r\n[course]\r\npar=3");
}

TEST(HoleText, FindsSectionsAsTheReaderDoesAndRenames) {
  HoleText t = HoleText::Parse("[ Floor2 ]\nlevel=1\n[floor2]\n");
  EXPECT_EQ(t.Find("FLOOR2"), 0);
  t.Rename(0, "floor1");
  EXPECT_EQ(t.Write(), "[ floor1 ]\nlevel=1\n[floor2]\n");
  EXPECT_EQ(t.Find("floor2"), 1);
}

}  // namespace
}  // namespace gp::editor
