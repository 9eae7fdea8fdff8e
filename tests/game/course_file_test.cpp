// Course files (course.ini): what a good one gives, every fault named, and the
// hole files a course needs.
#include "game/course_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace gp {
namespace {

using Names = std::vector<std::string>;

std::string Parse(const std::string& text, Course* out = nullptr) {
  Course c;
  const std::string e = ParseCourse(text, c);
  if (out) *out = c;
  return e;
}

TEST(CourseFile, AGoodFileGivesNameHolesAndExtraHoles) {
  Course c;
  ASSERT_EQ(Parse("; my course\r\n# made by hand\r\n"
                  "  [ Course ]  \r\n"
                  "Name =  Nebula Run \r\n"
                  "HOLES= neb1 ,neb2,  neb_3-b\r\n"
                  "extra=secret\r\n",
                  &c),
            "");
  EXPECT_EQ(c.name, "Nebula Run");
  EXPECT_EQ(c.holes, (Names{"neb1", "neb2", "neb_3-b"}));
  EXPECT_EQ(c.extra, Names{"secret"});
  EXPECT_EQ(c.AllHoles(), (Names{"neb1", "neb2", "neb_3-b", "secret"}));
  EXPECT_TRUE(c.Has("secret") && c.Has("neb2") && !c.Has("neb"));
  // extra= may be left out or empty; names may be any printable UTF-8.
  ASSERT_EQ(Parse("[course]\nname=Caf\xC3\xA9 \xE2\x98\x84\nholes=a\nextra=\n", &c), "");
  EXPECT_EQ(c.name, "Caf\xC3\xA9 \xE2\x98\x84");
  EXPECT_EQ(c.holes, Names{"a"});
  EXPECT_TRUE(c.extra.empty());
  // Nine holes is a whole game.
  EXPECT_EQ(Parse("[course]\nname=x\nholes=1,2,3,4,5,6,7,8,9\n"), "");
}

TEST(CourseFile, WhatItWritesReadsBackTheSame) {
  Course c;
  c.name = "Round Trip";
  c.holes = {"one", "two"};
  c.extra = {"three"};
  Course back;
  ASSERT_EQ(Parse(FormatCourse(c), &back), "");
  EXPECT_EQ(back.name, c.name);
  EXPECT_EQ(back.holes, c.holes);
  EXPECT_EQ(back.extra, c.extra);
  c.extra.clear();
  EXPECT_EQ(FormatCourse(c).find("extra"), std::string::npos);
}

TEST(CourseFile, EveryFaultIsNamed) {
  const std::string ten = "[course]\nname=x\nholes=1,2,3,4,5,6,7,8,9,10\n";
  std::string extras = "[course]\nname=x\nholes=a\nextra=";
  for (int i = 0; i < 21; ++i) extras += (i ? "," : "") + std::string("e") + std::to_string(i);
  const std::pair<std::string, std::string> faults[] = {
      {"", "no [course] section"},
      {"; only a comment\n", "no [course] section"},
      {"[course]\nholes=a\n", "name= is missing"},
      {"[course]\nname=\nholes=a\n", "name= is missing"},
      {"[course]\nname=" + std::string(41, 'n') + "\nholes=a\n",
       "name= is longer than 40 characters"},
      {"[course]\nname=a\x01z\nholes=a\n", "name= is not printable UTF-8 text"},
      {"[course]\nname=\xFF\nholes=a\n", "name= is not printable UTF-8 text"},
      {"[course]\nname=\xC0\xAF\nholes=a\n", "name= is not printable UTF-8 text"},      // overlong
      {"[course]\nname=\xED\xA0\x80\nholes=a\n", "name= is not printable UTF-8 text"},  // surrogate
      {"[course]\nname=\xE2\x98\nholes=a\n", "name= is not printable UTF-8 text"},      // cut short
      {"[course]\nname=x\n", "holes= is missing"},
      {"[course]\nname=x\nholes=\n", "holes= names no hole"},
      {ten, "holes= names 10 holes; a game has at most 9"},
      {extras, "extra= names more than 20 holes"},
      {"[course]\nname=x\nholes=a,,b\n", "holes= has an empty name between commas"},
      {"[course]\nname=x\nholes=a,\n", "holes= has an empty name between commas"},
      {"[course]\nname=x\nholes=a b\n",
       "holes= \"a b\" is not a hole name (up to 64 letters, digits, '_' and '-')"},
      {"[course]\nname=x\nholes=a\nextra=../a\n",
       "extra= \"../a\" is not a hole name (up to 64 letters, digits, '_' and '-')"},
      {"[course]\nname=x\nholes=a,b\nextra=a\n", "hole \"a\" is named twice"},
      {"[course]\nname=x\nhole=a\n", "line 3: unknown key hole (name, holes, extra)"},
      {"[cours]\nname=x\nholes=a\n", "line 1: unknown section [cours] (only [course])"},
      {"[course]\nname=x\nholes=a\nholes=b\n", "line 4: key holes occurs twice"},
      {"[course]\nname=x\nholes=a\njust words\n",
       "line 4: neither a section, a key=value nor a comment"},
      {std::string("[course]\nname=x\0\nholes=a\n", 24), "holds a zero byte: not a text file"},
      {"[course]\nname=x\nholes=a\n;" + std::string(kMaxCourseFileBytes, ' '), "larger than 64 KB"},
  };
  for (const auto& [text, fault] : faults) {
    Course c;
    c.name = "untouched";
    EXPECT_EQ(ParseCourse(text, c), fault) << text.substr(0, 80);
    EXPECT_EQ(c.name, "untouched");
  }
}

TEST(CourseFile, HoleNamesStayInsideTheirFolder) {
  EXPECT_TRUE(ValidHoleName("course1hole1"));
  EXPECT_TRUE(ValidHoleName("A-b_9"));
  EXPECT_TRUE(ValidHoleName(std::string(64, 'h')));
  for (const std::string& bad :
       std::vector<std::string>{"", "a/b", "..", ".hidden", "a.b", "sp ace", "t\tab", "\xC3\xA9",
                                std::string(65, 'h')}) {
    EXPECT_FALSE(ValidHoleName(bad)) << bad;
  }
}

TEST(CourseFile, ReadFromItsFolderWithTheFileNamedInFaults) {
  test::TempFolder dir;
  const std::string folder = dir.path().string() + "/";
  Course c;
  EXPECT_EQ(ReadCourse(folder, c), "course.ini: missing");
  std::filesystem::create_directory(dir / "course.ini");
  EXPECT_EQ(ReadCourse(folder, c), "course.ini: missing");  // a folder is no file
  std::filesystem::remove(dir / "course.ini");
  std::ofstream(dir / "course.ini") << "[course]\nname=Here\nholes=h1,h2\n";
  ASSERT_EQ(ReadCourse(folder, c), "");
  EXPECT_EQ(c.folder, folder);
  EXPECT_EQ(c.name, "Here");
  std::ofstream(dir / "other.ini") << "[course]\nname=Other\n";
  EXPECT_EQ(ReadCourseFile(folder + "other.ini", c), "other.ini: holes= is missing");
  std::ofstream(dir / "other.ini") << "[course]\nname=Other\nholes=h2\n";
  ASSERT_EQ(ReadCourseFile(folder + "other.ini", c), "");
  EXPECT_EQ(c.folder, folder);
  EXPECT_EQ(c.holes, Names{"h2"});
}

TEST(CourseFile, EveryHoleNeedsAReadableFileOfItsOwn) {
  test::TempFolder dir;
  Course c;
  c.folder = dir.path().string() + "/";
  c.holes = {"h1", "h2"};
  c.extra = {"x"};
  EXPECT_EQ(CheckHoleFiles(c), "h1.hole is missing");
  std::ofstream(dir / "h1.hole") << "[course]\npar=3\n";
  std::ofstream(dir / "h2.hole") << "[course]\npar=3\n";
  EXPECT_EQ(CheckHoleFiles(c), "x.hole is missing");  // extra holes too
  std::filesystem::create_directory(dir / "x.hole");
  EXPECT_EQ(CheckHoleFiles(c), "x.hole is not a file");
  std::filesystem::remove(dir / "x.hole");
  std::ofstream(dir / "x.hole") << std::string(kMaxHoleFileBytes + 1, ';');
  EXPECT_EQ(CheckHoleFiles(c), "x.hole is larger than 1 MB");
  std::ofstream(dir / "x.hole") << "[course]\npar=3\n";
  EXPECT_EQ(CheckHoleFiles(c), "");
}

}  // namespace
}  // namespace gp
