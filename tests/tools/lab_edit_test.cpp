// galaputt-lab edit as a program: the script's result saved to --out and
// printed as `hole` prints it; a bad script line named by file and number.
#include <gtest/gtest.h>

#include <string>

#include "support/lab_run.h"
#include "support/temp_folder.h"
#include "tests/editor/editor_files.h"
#include "tools/editor/course_file.h"

namespace gp {
namespace {

std::string Write(const test::TempFolder& dir, const std::string& name, const std::string& text) {
  return dir.Write(name, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string Source(const std::string& hole) {
  return std::string(GALAPUTT_SOURCE_DIR) + "/content/holes/" + hole + ".hole";
}

TEST(LabEdit, PrintsTheSavedHoleAsHoleDoes) {
  test::TempFolder dir;
  const std::string script = Write(dir, "s.txt",
                                   "add water 300,600 p3=1\n"
                                   "move 1 10,0\n"
                                   "par 4\n");
  const std::string out = dir.Path("out.hole");
  const test::LabOutput edit =
      test::Lab("edit --hole " + Source("course1hole3") + " --script " + script + " --out " + out);
  ASSERT_EQ(edit.status, 0) << edit.text;
  const test::LabOutput hole = test::Lab("hole " + out + " --seed 0");
  ASSERT_EQ(hole.status, 0);
  // The same document, with the numbers of the added areas after it.
  ASSERT_EQ(edit.text.rfind(",\"added\":[25]}\n"), edit.text.size() - 15) << edit.text;
  EXPECT_EQ(edit.text.substr(0, edit.text.size() - 15), hole.text.substr(0, hole.text.size() - 2));
  EXPECT_NE(edit.text.find("\"par\":4"), std::string::npos);
  EXPECT_NE(edit.text.find("\"index\":25,\"kind\":24"), std::string::npos);
  // Everything else of the designer's file is still there.
  const std::string saved = test::ReadText(out);
  EXPECT_NE(saved.find("; course1hole3: Lantern Loop\n"), std::string::npos);
  EXPECT_NE(saved.find("[paint7]\ntype=asteroid\n"), std::string::npos);
}

TEST(LabEdit, SaveLinesWriteTheHoleAsItStoodThen) {
  test::TempFolder dir;
  const std::string src = Write(dir, "in.hole", "[course]\npar=3\n");
  const std::string script = Write(dir, "s.txt", "par 5\nsave\npar 6\n");
  const std::string out = dir.Path("out.hole");
  const test::LabOutput r =
      test::Lab("edit --hole " + src + " --script " + script + " --out " + out);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(test::ReadText(out), "[course]\npar=5\n");
  EXPECT_NE(r.text.find("\"par\":6"), std::string::npos);  // the model at the script's end
  EXPECT_EQ(test::ReadText(src), "[course]\npar=3\n");     // the source is never written
}

// --new starts from the room a new hole starts as in the editor, named after
// the file it is saved to; --hole and --new together, or neither, are refused.
TEST(LabEdit, NewStartsFromTheEditorsStartingRoom) {
  test::TempFolder dir;
  const std::string script = Write(dir, "s.txt", "par 3\n");
  const std::string out = dir.Path("lagoon.hole");
  const test::LabOutput r = test::Lab("edit --new --script " + script + " --out " + out);
  ASSERT_EQ(r.status, 0) << r.text;
  std::string room = editor::NewHoleText("lagoon", "");
  room.replace(room.find("par=2"), 5, "par=3");
  EXPECT_EQ(test::ReadText(out), room);
  EXPECT_NE(r.text.find("\"par\":3"), std::string::npos);
  EXPECT_EQ(test::Lab("edit --new --hole " + out + " --script " + script + " --out " + out).status,
            2);
  EXPECT_EQ(test::Lab("edit --script " + script + " --out " + out).status, 2);
}

TEST(LabEdit, ReportsBadScriptsAndFiles) {
  test::TempFolder dir;
  const std::string src = Write(dir, "in.hole", "[course]\npar=3\n");
  const std::string bad = Write(dir, "bad.txt", "par 4\n\nmove 3 1,1\n");
  const std::string out = dir.Path("out.hole");
  const test::LabOutput r =
      test::Lab("edit --hole " + src + " --script " + bad + " --out " + out, "2>&1 >/dev/null");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.text, "galaputt-lab: " + bad + ":3: no area 3\n");
  EXPECT_EQ(test::ReadText(out), "");  // nothing saved
  EXPECT_EQ(test::Lab("edit --hole " + dir.Path("none.hole") + " --script " + bad + " --out " + out)
                .status,
            2);
  EXPECT_EQ(test::Lab("edit --hole " + src + " --out " + out).status, 2);
}

}  // namespace
}  // namespace gp
