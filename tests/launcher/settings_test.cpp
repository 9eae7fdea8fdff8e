#include "launcher/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "launcher/settings_files.h"

namespace gp {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

using Trace = std::vector<std::string>;

constexpr char kAppKey[] = "HKEY_CURRENT_USER\\Software\\zorbel games\\Galaputt SE v1.1\\";

// Settings unlike the defaults everywhere.
LauncherSettings Changed() {
  LauncherSettings s;
  s.skipintro = true;
  s.pullputt = false;
  s.pushputt = true;
  s.screen640 = false;
  s.screen1024 = true;
  s.bgsounds = false;
  s.soundon = false;
  s.soundoff = true;
  s.fastwrite = false;
  s.forceinterface = false;
  s.noflip = true;
  s.frameskip = 3;
  s.players = 3;
  s.gametype = 2;
  s.startplayer = 2;
  s.nextplayer = 1;
  s.whencollide = 1;
  s.scoring = 1;
  s.strokelimit = 3;
  s.plus1 = true;
  s.minus1 = true;
  s.skin = "Neon";
  s.player = {"Ann", "Bob", "", "D\xE9sir\xE9"};
  s.pull = {true, false, true, false};
  s.easy = {false, true, true, false};
  s.computer = {0, 3, 1, 2};
  return s;
}

class SettingsTest : public ::testing::Test {
 protected:
  // A hive holding "RunOnce" = 1 and the given settings (name, value text).
  void WriteSaved(const std::vector<std::pair<std::string, std::string>>& settings) {
    std::string text = "Windows Registry Editor Version 5.00\n";
    text += std::string("[") + kAppKey + "RunOnce]\n\"RunOnce\"=dword:00000001\n";
    for (const auto& [name, value] : settings) {
      text += std::string("[") + kAppKey + name + "]\n\"" + name + "\"=" + value + "\n";
    }
    WriteBytes(file, text);
  }

  TempFolder dir;
  std::filesystem::path file = dir / "user.reg";
  SettingsStore store{file};
};

TEST_F(SettingsTest, FirstRunShowsTheDefaultsAndReadsOnlyRunOnce) {
  Trace trace;
  store.SetTrace(&trace);
  const LauncherSettings s = LoadLauncherSettings(store);
  EXPECT_EQ(s, LauncherSettings{});
  EXPECT_EQ(trace, (Trace{"Open", "ReadBool RunOnce", "Close"}));
  EXPECT_FALSE(std::filesystem::exists(file));

  // The first-run choices themselves: 640x480, sound and background sound on,
  // fast writes and the full-screen interface on, every player pulling.
  EXPECT_TRUE(s.screen640 && s.soundon && s.bgsounds && s.fastwrite && s.forceinterface);
  EXPECT_FALSE(s.screen512 || s.screen800 || s.screen1024 || s.soundoff || s.noflip);
  EXPECT_EQ(s.pull, (std::array<bool, 4>{true, true, true, true}));
}

TEST_F(SettingsTest, RunOnceFalseOrOfAnotherTypeKeepsTheDefaults) {
  for (const std::string run_once : {"dword:00000000", "\"1\""}) {
    WriteBytes(file, std::string("Windows Registry Editor Version 5.00\n[") + kAppKey +
                         "RunOnce]\n\"RunOnce\"=" + run_once + "\n[" + kAppKey +
                         "Players]\n\"Players\"=dword:3\n");
    Trace trace;
    store.SetTrace(&trace);
    EXPECT_EQ(LoadLauncherSettings(store), LauncherSettings{}) << run_once;
    EXPECT_EQ(trace.size(), 3u);
  }
}

TEST_F(SettingsTest, ReadsEverySettingInItsOrder) {
  ASSERT_TRUE(SaveLauncherSettings(store, Changed()));
  Trace trace;
  store.SetTrace(&trace);
  EXPECT_EQ(LoadLauncherSettings(store), Changed());
  const Trace expected = {"Open",
                          "ReadBool RunOnce",
                          "Close",
                          "Open",
                          "ReadBool Skip Intro",
                          "ReadBool Push Putt",
                          "ReadBool Pull Putt",
                          "ReadBool Screen 512",
                          "ReadBool Screen 640",
                          "ReadBool Screen 800",
                          "ReadBool Screen 1024",
                          "ReadBool Background Sounds",
                          "ReadBool Sound",
                          "ReadBool Sound",
                          "ReadBool Fast Writes",
                          "ReadBool No Flip Interface",
                          "ReadBool Full Screen Interface",
                          "ReadInteger Frame Skip",
                          "ReadInteger Players",
                          "ReadInteger Game Type",
                          "ReadInteger Course",
                          "ReadInteger Start Player",
                          "ReadInteger Next Player",
                          "ReadInteger Collide",
                          "ReadInteger Scoring",
                          "ReadInteger Stroke Limit",
                          "ReadBool Plus 1",
                          "ReadBool Minus 1",
                          "ReadString Skin",
                          "ReadString Player 1",
                          "ReadString Player 2",
                          "ReadString Player 3",
                          "ReadString Player 4",
                          "ReadBool Pull 1",
                          "ReadBool Pull 2",
                          "ReadBool Pull 3",
                          "ReadBool Pull 4",
                          "ReadBool Easy 1",
                          "ReadBool Easy 2",
                          "ReadBool Easy 3",
                          "ReadBool Easy 4",
                          "ReadInteger Computer 1",
                          "ReadInteger Computer 2",
                          "ReadInteger Computer 3",
                          "ReadInteger Computer 4",
                          "Close"};
  EXPECT_EQ(trace, expected);
}

TEST_F(SettingsTest, WritesEverySettingInItsOrderAndTwiceGivesTheSameFile) {
  Trace trace;
  store.SetTrace(&trace);
  ASSERT_TRUE(SaveLauncherSettings(store, Changed()));
  const std::string first = ReadBytes(file);
  ASSERT_TRUE(SaveLauncherSettings(store, Changed()));
  EXPECT_EQ(ReadBytes(file), first);
  EXPECT_NE(first.find("RunOnce]\r\n\"RunOnce\"=dword:00000001\r\n"), std::string::npos);

  const std::vector<std::string> order = {"RunOnce",
                                          "Skip Intro",
                                          "Pull Putt",
                                          "Push Putt",
                                          "Screen 512",
                                          "Screen 640",
                                          "Screen 800",
                                          "Screen 1024",
                                          "Background Sounds",
                                          "Sound",
                                          "Fast Writes",
                                          "Full Screen Interface",
                                          "No Flip Interface",
                                          "Frame Skip",
                                          "Players",
                                          "Game Type",
                                          "Course",
                                          "Start Player",
                                          "Next Player",
                                          "Collide",
                                          "Scoring",
                                          "Stroke Limit",
                                          "Plus 1",
                                          "Minus 1",
                                          "skin",
                                          "Player 1",
                                          "Player 2",
                                          "Player 3",
                                          "Player 4",
                                          "Easy 1",
                                          "Easy 2",
                                          "Easy 3",
                                          "Easy 4",
                                          "Pull 1",
                                          "Pull 2",
                                          "Pull 3",
                                          "Pull 4",
                                          "Computer 1",
                                          "Computer 2",
                                          "Computer 3",
                                          "Computer 4"};
  // The trace of one save, and the keys of the file in the same order.
  ASSERT_EQ(trace.size(), 2 * (order.size() + 2));
  size_t at = 0;
  for (size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(trace[i + 1].substr(trace[i + 1].find(' ') + 1), order[i]);
    const size_t key = first.find(std::string(kAppKey) + order[i] + "]\r\n\"" + order[i] + "\"=");
    ASSERT_NE(key, std::string::npos) << order[i];
    EXPECT_GT(key, at) << order[i];
    at = key;
  }
  EXPECT_EQ(trace.front(), "Open");
  EXPECT_EQ(trace[order.size() + 1], "Close");
  EXPECT_NE(first.find("\"Player 4\"=\"D\xC3\xA9sir\xC3\xA9\"\r\n"), std::string::npos);  // UTF-8
  EXPECT_NE(first.find("\"Player 3\"=\"\"\r\n"), std::string::npos);
  EXPECT_NE(first.find("\"Frame Skip\"=dword:00000003\r\n"), std::string::npos);
}

TEST_F(SettingsTest, PartlySavedSetFallsBackPerSetting) {
  WriteSaved({{"Players", "dword:00000002"},
              {"Pull 1", "dword:00000001"},
              {"Player 2", "\"Bob\""},
              {"Sound", "dword:00000001"}});
  const LauncherSettings s = LoadLauncherSettings(store);
  EXPECT_EQ(s.players, 2);
  EXPECT_EQ(s.player, (std::array<std::string, 4>{"", "Bob", "", ""}));
  EXPECT_EQ(s.pull, (std::array<bool, 4>{true, false, false, false}));  // missing: pushes
  EXPECT_TRUE(s.soundon);
  EXPECT_FALSE(s.soundoff);
  EXPECT_FALSE(s.screen640 || s.bgsounds || s.fastwrite || s.forceinterface || s.pullputt);
  EXPECT_EQ(s.skin, "");
  EXPECT_EQ(MatchSkin(s.skin, {"[default interface]", "Neon"}), 0);
}

TEST_F(SettingsTest, WrongTypesAndPositionsOutsideTheirListsReadAsDefaults) {
  WriteSaved({{"Screen 640", "\"1\""},
              {"Sound", "hex:01"},
              {"Pull 2", "\"yes\""},
              {"Easy 3", "dword:00000007"},
              {"Player 1", "dword:00000001"},
              {"Skin", "dword:00000000"},
              {"Frame Skip", "dword:00000004"},
              {"Players", "dword:ffffffff"},
              {"Game Type", "dword:00000002"},
              {"Course", "dword:00000001"},
              {"Start Player", "dword:00000003"},
              {"Next Player", "\"1\""},
              {"Collide", "dword:00000001"},
              {"Scoring", "dword:00000002"},
              {"Stroke Limit", "dword:80000000"},
              {"Plus 1", "hex(4):01,00,00,00"}});
  const LauncherSettings s = LoadLauncherSettings(store);
  EXPECT_TRUE(s.screen640);
  EXPECT_TRUE(s.soundon);
  EXPECT_FALSE(s.soundoff);
  EXPECT_TRUE(s.pull[1]);
  EXPECT_TRUE(s.easy[2]);  // any non-zero number is true
  EXPECT_EQ(s.player[0], "Player 1");
  EXPECT_EQ(s.skin, "[default interface]");
  EXPECT_TRUE(s.plus1);  // a number written as hex(4) is still a number
  const std::pair<const char*, int> positions[] = {
      {"Frame Skip", s.frameskip},     {"Players", s.players},
      {"Game Type", s.gametype},       {"Course", s.course},
      {"Start Player", s.startplayer}, {"Next Player", s.nextplayer},
      {"Collide", s.whencollide},      {"Scoring", s.scoring},
      {"Stroke Limit", s.strokelimit}};
  const int expected[] = {0, 0, 2, 0, 0, 0, 1, 0, 0};
  for (size_t i = 0; i < std::size(positions); ++i) {
    EXPECT_EQ(positions[i].second, expected[i]) << positions[i].first;
  }
}

// Files saved before "Computer 1" to "Computer 4" existed load as they did:
// every player a person; a value outside 0..3 or of another type is a person too.
TEST_F(SettingsTest, FilesWithoutWhoPlaysLoadWithEveryPlayerAPerson) {
  ASSERT_TRUE(SaveLauncherSettings(store, Changed()));
  std::string text = ReadBytes(file);
  for (const char* n : {"1", "2", "3", "4"}) {
    const std::string key = std::string("[") + kAppKey + "Computer " + n + "]";
    const size_t at = text.find(key);
    ASSERT_NE(at, std::string::npos) << key;
    text.erase(at, text.find("\r\n\r\n", at) + 4 - at);
  }
  ASSERT_EQ(text.find("Computer"), std::string::npos);
  WriteBytes(file, text);
  LauncherSettings old = Changed();
  old.computer = {0, 0, 0, 0};
  EXPECT_EQ(LoadLauncherSettings(store), old);

  WriteSaved({{"Computer 1", "dword:00000004"},
              {"Computer 2", "\"3\""},
              {"Computer 3", "dword:ffffffff"},
              {"Computer 4", "dword:00000003"}});
  EXPECT_EQ(LoadLauncherSettings(store).computer, (std::array<int, 4>{0, 0, 0, 3}));
}

TEST_F(SettingsTest, GarbageAndHugeValuesNeverHurt) {
  WriteSaved({{"Player 1", "\"" + std::string(kMaxRegDataBytes + 10, 'x') + "\""},
              {"Player 2", "\"unterminated"},
              {"Player 3", "hex(2):41,00,42,00,00,00,43,00"},
              {"Players", "dword:zz"},
              {"Skin", "hex(1):" + std::string("4e,00,") + "65,00,6f,00,6e,00"}});
  const LauncherSettings s = LoadLauncherSettings(store);
  EXPECT_EQ(s.player[0], "Player 1");  // its key is there, its value was skipped
  EXPECT_EQ(s.player[1], "Player 2");
  EXPECT_EQ(s.player[2], "AB");
  EXPECT_EQ(s.players, 0);
  EXPECT_EQ(s.skin, "Neon");
  EXPECT_NE(store.TakeNotice().find("could not be read"), std::string::npos);

  // An over-long name is not saved; everything else is.
  LauncherSettings big = Changed();
  big.player[1] = std::string(kMaxRegDataBytes + 1, 'y');
  EXPECT_FALSE(SaveLauncherSettings(store, big));
  EXPECT_NE(store.LastError().find("Player 2"), std::string::npos);
  const LauncherSettings back = LoadLauncherSettings(store);
  EXPECT_EQ(back.players, 3);
  EXPECT_EQ(back.player[0], "Ann");
  EXPECT_EQ(back.player[1], "Player 2");  // the key left by the skipped value: default
}

TEST_F(SettingsTest, UnparseableFileGivesDefaultsAndSurvivesTheNextSave) {
  WriteBytes(file, "REGEDIT4\n[junk]\n");
  EXPECT_EQ(LoadLauncherSettings(store), LauncherSettings{});
  EXPECT_NE(store.TakeNotice().find("user.reg.bad"), std::string::npos);
  ASSERT_TRUE(SaveLauncherSettings(store, Changed()));
  EXPECT_EQ(LoadLauncherSettings(store), Changed());
  EXPECT_EQ(ReadBytes(dir / "user.reg.bad"), "REGEDIT4\n[junk]\n");
}

TEST_F(SettingsTest, FailedSaveKeepsTheSettingsSavedBefore) {
  ASSERT_TRUE(SaveLauncherSettings(store, Changed()));
  SaveFaults faults;
  faults.write_chunk = 100;
  faults.before = [](SaveStep step, size_t written) {
    return step != SaveStep::kWrite || written < 500;
  };
  store.SetSaveFaults(faults);
  EXPECT_FALSE(SaveLauncherSettings(store, LauncherSettings{}));
  EXPECT_NE(store.LastError().find("Input/output error"), std::string::npos);
  EXPECT_EQ(LoadLauncherSettings(store), Changed());
}

// The file's text: every character of the Western code page a name can hold,
// "Zoë" written by hand in UTF-8, by the registry editor in UTF-16, and by an
// earlier version as raw code-page bytes.
class SettingsTextTest : public SettingsTest {
 protected:
  // A whole hive text with RunOnce and the named string settings.
  static std::string Hive(const std::vector<std::pair<std::string, std::string>>& strings) {
    std::string text = "Windows Registry Editor Version 5.00\r\n";
    text += std::string("[") + kAppKey + "RunOnce]\r\n\"RunOnce\"=dword:00000001\r\n";
    for (const auto& [name, value] : strings) {
      text += std::string("[") + kAppKey + name + "]\r\n\"" + name + "\"=\"" + value + "\"\r\n";
    }
    return text;
  }
  // UTF-8 text as UTF-16 with its byte-order mark, as the registry editor writes it.
  static std::string Utf16(const std::string& utf8, bool bigendian) {
    std::string out = bigendian ? "\xFE\xFF" : "\xFF\xFE";
    for (size_t i = 0; i < utf8.size();) {
      char32_t cp = 0;
      const size_t n = DecodeUtf8(utf8, i, cp);
      EXPECT_GT(n, 0u);
      i += n;
      const char hi = static_cast<char>(cp >> 8), lo = static_cast<char>(cp & 0xFF);
      out += bigendian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return out;
  }
};

TEST_F(SettingsTextTest, EveryNameCharacterRoundTripsThroughUtf8) {
  std::string all;
  for (int b = 0x20; b <= 0xFF; ++b) {
    if (WesternPrintable(static_cast<unsigned char>(b))) all += static_cast<char>(b);
  }
  ASSERT_EQ(all.size(), 218u);
  LauncherSettings s = Changed();
  for (size_t i = 0; i < 4; ++i) s.player[i] = all.substr(i * 55, 55);
  s.skin = "Caf\xC3\xA9";  // a folder's own name, UTF-8
  ASSERT_TRUE(SaveLauncherSettings(store, s));
  const std::string bytes = ReadBytes(file);
  EXPECT_EQ(Utf8OrWestern(bytes), bytes) << "the file is UTF-8 throughout";
  EXPECT_NE(bytes.find("\"Player 1\"=\" !\\\"#$%&"), std::string::npos);
  EXPECT_NE(bytes.find("\xE2\x82\xAC"), std::string::npos);  // the euro sign, 0x80
  EXPECT_NE(bytes.find("\"skin\"=\"Caf\xC3\xA9\""), std::string::npos);
  EXPECT_EQ(LoadLauncherSettings(store), s);
}

TEST_F(SettingsTextTest, HandEditedUtf8AndRegistryEditorUtf16FilesReadTheSameNames) {
  const std::string zoe = "Zo\xC3\xAB", euro = "\xE2\x82\xAC 5", ellipsis = "Wait\xE2\x80\xA6";
  const std::string text = Hive({{"Player 1", zoe},
                                 {"Player 2", euro},
                                 {"Player 3", ellipsis},
                                 {"Player 4", "\xE6\x97\xA5 Sun"},
                                 {"Skin", "Caf\xC3\xA9"}});
  for (const std::string& bytes :
       {text, "\xEF\xBB\xBF" + text, Utf16(text, false), Utf16(text, true)}) {
    WriteBytes(file, bytes);
    const LauncherSettings s = LoadLauncherSettings(store);
    EXPECT_EQ(s.player[0], "Zo\xEB");
    EXPECT_EQ(s.player[1], "\x80 5");
    EXPECT_EQ(s.player[2], "Wait\x85");
    EXPECT_EQ(s.player[3], "? Sun");  // outside the code page
    EXPECT_EQ(s.skin, "Caf\xC3\xA9");
    EXPECT_EQ(store.TakeNotice(), "");
  }
}

TEST_F(SettingsTextTest, FilesOfEarlierVersionsKeepTheirNames) {
  // Raw code-page bytes in a file that claims UTF-8; one name mixes both.
  WriteBytes(file, Hive({{"Player 1", "Zo\xEB"},
                         {"Player 2", "\x80uro \x93quoted\x94"},
                         {"Player 3", "Ren\xC3\xA9 and Ren\xE9"},
                         {"Player 4", "bad \x81 byte"}}));
  const LauncherSettings s = LoadLauncherSettings(store);
  EXPECT_EQ(s.player[0], "Zo\xEB");
  EXPECT_EQ(s.player[1], "\x80uro \x93quoted\x94");
  EXPECT_EQ(s.player[2], "Ren\xE9 and Ren\xE9");
  EXPECT_EQ(s.player[3], "bad ? byte");  // a byte the code page leaves unused
  // Saved again, the same names are UTF-8 in the file.
  ASSERT_TRUE(SaveLauncherSettings(store, s));
  EXPECT_NE(ReadBytes(file).find("\"Player 1\"=\"Zo\xC3\xAB\""), std::string::npos);
  EXPECT_EQ(LoadLauncherSettings(store), s);
}

TEST_F(SettingsTextTest, NamesFromTheFileAreCappedAndCleanedAsTypedOnes) {
  const std::string long_name(70, 'x');
  WriteBytes(file, Hive({{"Player 1", long_name},
                         {"Player 2", std::string(63, 'y') + "\xC3\xAB\xC3\xAB"},
                         {"Player 3", "tab\there"}}));
  const LauncherSettings s = LoadLauncherSettings(store);
  EXPECT_EQ(s.player[0], std::string(64, 'x'));
  EXPECT_EQ(s.player[1], std::string(63, 'y') + "\xEB");  // 64 characters, not bytes
  EXPECT_EQ(s.player[2], "tab?here");
}

TEST(MatchSkinTest, IgnoresCaseAndFallsBackToTheDefaultInterface) {
  const std::vector<std::string> list = {"[default interface]", "Neon", "Wood Grain"};
  EXPECT_EQ(MatchSkin("Neon", list), 1);
  EXPECT_EQ(MatchSkin("wood GRAIN", list), 2);
  EXPECT_EQ(MatchSkin("[DEFAULT INTERFACE]", list), 0);
  EXPECT_EQ(MatchSkin("Marble", list), 0);  // its folder was removed
  EXPECT_EQ(MatchSkin("", list), 0);
  EXPECT_EQ(MatchSkin("Neo", list), 0);
  EXPECT_EQ(MatchSkin("Neon", {"[default interface]"}), 0);
}

}  // namespace
}  // namespace gp
