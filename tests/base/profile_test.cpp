#include "base/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace gp {
namespace {

int32_t Num(const std::string& text, int32_t def = -7) {
  int32_t out = def;
  return ParseProfileNumber(text, out) ? out : def;
}

TEST(ProfileTest, Numbers) {
  EXPECT_EQ(Num("500"), 500);
  EXPECT_EQ(Num("+12"), 12);
  EXPECT_EQ(Num("-1"), -1);
  EXPECT_EQ(Num("007"), 7);
  EXPECT_EQ(Num("0x1F4"), 500);
  EXPECT_EQ(Num("0X1f4"), 500);
  EXPECT_EQ(Num("$1F4"), 500);
  EXPECT_EQ(Num("$ffffffff"), -1);
  EXPECT_EQ(Num("$80000000"), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(Num("0x000000001"), 1);
  EXPECT_EQ(Num("2147483647"), 2147483647);
  EXPECT_EQ(Num("-2147483648"), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(Num("0"), 0);
  // Not entirely a valid 32-bit number: the default.
  EXPECT_EQ(Num("500abc"), -7);
  EXPECT_EQ(Num("2147483648"), -7);
  EXPECT_EQ(Num("-2147483649"), -7);
  EXPECT_EQ(Num("99999999999999999999"), -7);
  EXPECT_EQ(Num("$100000000"), -7);
  EXPECT_EQ(Num("0x"), -7);  // "0x" only counts as a prefix when something follows
  EXPECT_EQ(Num("$"), -7);
  EXPECT_EQ(Num(""), -7);
  EXPECT_EQ(Num("-"), -7);
  EXPECT_EQ(Num("true"), -7);
  EXPECT_EQ(Num("1 2"), -7);
  EXPECT_EQ(Num("1.5"), -7);
  EXPECT_EQ(Num("0xG1"), -7);
  EXPECT_EQ(Num("-$10"), -7);
  EXPECT_EQ(Num(std::string("5\0", 2)), -7);
}

TEST(ProfileTest, NamesValuesAndFirstOccurrence) {
  const Profile p = Profile::FromText(
      "; a comment=with an equals sign\n"
      "orphan=1\n"
      "  [ Ball ]  \r\n"
      "  X  =  412  \r\n"
      "x=999\n"
      "Y=\t903\n"
      "[course]\n"
      "par=\n"
      "[ball]\n"
      "z=5\n"
      "[AREA7]\n"
      "Comment=  two  words  \n"
      "enabled=true\n"
      "kind=-1\n"
      "noequals\n"
      "=17\n");
  EXPECT_EQ(p.ReadInteger("ball", "x", 0), 412);
  EXPECT_EQ(p.ReadInteger("BALL", "y", 0), 903);
  // The repeated section is ignored as a whole, even for keys the first lacks.
  EXPECT_EQ(p.ReadInteger("ball", "z", 3), 3);
  EXPECT_EQ(p.ReadInteger("course", "par", 3), 3);  // empty value
  EXPECT_EQ(p.ReadString("area7", "comment", "d"), "two  words");
  EXPECT_FALSE(p.ReadBool("area7", "enabled", false));
  EXPECT_TRUE(p.ReadBool("area7", "kind", false));
  EXPECT_EQ(p.ReadString("area7", "missing", "d"), "d");
  EXPECT_EQ(p.ReadString("area8", "comment", "d"), "d");
  EXPECT_EQ(p.Find("", "orphan"), nullptr);
  EXPECT_EQ(p.Find("area7", ""), nullptr);
}

TEST(ProfileTest, LineEndsAndOddBytes) {
  const std::string text = std::string("[a]\rk1=1\r\rk2=2\n\nk3=3") + '\0' + "x\nk4=4";
  const Profile p = Profile::FromText(text);
  EXPECT_EQ(p.ReadInteger("a", "k1", 0), 1);
  EXPECT_EQ(p.ReadInteger("a", "k2", 0), 2);
  EXPECT_EQ(p.ReadInteger("a", "k3", 0), 0);  // NUL inside the value: not a number
  EXPECT_EQ(p.ReadInteger("a", "k4", 0), 4);
  EXPECT_EQ(p.ReadString("a", "k3", "").size(), 3u);  // "3", NUL, "x"
  // A section line without its bracket is just another ignored line.
  const Profile q = Profile::FromText("[a]\n[b\nk=5\n");
  EXPECT_EQ(q.ReadInteger("a", "k", 0), 5);
  EXPECT_EQ(q.ReadInteger("b", "k", 0), 0);
}

TEST(ProfileTest, LongTextIsCut) {
  const std::string longline = "[s]\nt=" + std::string(100000, 'q') + "\nn=8\n";
  const Profile p = Profile::FromText(longline);
  EXPECT_EQ(p.ReadString("s", "t", "").size(), kMaxProfileText);
  EXPECT_EQ(p.ReadInteger("s", "n", 0), 8);
}

TEST(ProfileTest, Files) {
  const Profile missing = Profile::FromFile("/nonexistent/dir/none.hole");
  EXPECT_EQ(missing.ReadInteger("ball", "x", 320), 320);
  // A directory cannot be read through: same as missing.
  EXPECT_EQ(Profile::FromFile("/").ReadInteger("ball", "x", 320), 320);

  char name[] = "/tmp/profile_testXXXXXX";
  const int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  FILE* f = fdopen(fd, "wb");
  std::fputs("[Course]\npar=$5\n", f);
  std::fclose(f);
  EXPECT_EQ(Profile::FromFile(name).ReadInteger("course", "PAR", 3), 5);
  // One byte over the limit (its sections would flood memory): same as missing.
  f = std::fopen(name, "ab");
  const std::string pad(kMaxProfileFileBytes - 16 + 1, '\n');
  std::fputs(pad.c_str(), f);
  std::fclose(f);
  EXPECT_EQ(Profile::FromFile(name).ReadInteger("course", "PAR", 3), 3);
  std::remove(name);
  // A pipe nobody writes to: same as missing, at once.
  ASSERT_EQ(mkfifo(name, 0600), 0);
  EXPECT_EQ(Profile::FromFile(name).ReadInteger("course", "PAR", 3), 3);
  std::remove(name);
}

TEST(ProfileTest, StrictCheckAcceptsWhatTheReaderReadsAndNamesTheFirstFault) {
  EXPECT_EQ(CheckProfileText(""), "");
  EXPECT_EQ(CheckProfileText("; note\r\n# note\n\n  [ One ]  \nA = 1\nb=\r[two]\na=2\n"), "");
  const std::pair<const char*, const char*> faults[] = {
      {"a=1\n[s]\n", "line 1: key a comes before any section"},
      {"[s]\nstray words\n", "line 2: neither a section, a key=value nor a comment"},
      {"[s]\n[s] x\n", "line 2: a section line must end with ']'"},
      {"[s]\n[]\n", "line 2: a section needs a name"},
      {"[s]\n=1\n", "line 2: a key needs a name before '='"},
      {"[S]\n[s]\n", "line 2: section [s] occurs twice"},
      {"[s]\nKey=1\nkey=2\n", "line 3: key key occurs twice"},
      // CR LF counts as one line end, a lone CR as one too.
      {"[s]\r\na=1\r\na=2\r\n", "line 3: key a occurs twice"},
      {"[s]\ra=1\ra=2", "line 3: key a occurs twice"},
  };
  for (const auto& [text, fault] : faults) EXPECT_EQ(CheckProfileText(text), fault) << text;
  // The same key in two sections is no fault.
  EXPECT_EQ(CheckProfileText("[a]\nk=1\n[b]\nk=1\n"), "");
}

}  // namespace
}  // namespace gp
