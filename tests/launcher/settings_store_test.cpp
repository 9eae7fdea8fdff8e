#include "launcher/settings_store.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "launcher/settings_files.h"

namespace gp {
namespace {

using namespace std::string_literals;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

constexpr char kApp[] = "[HKEY_CURRENT_USER\\Software\\zorbel games\\Galaputt SE v1.1\\";

// A hive file with the header, then `body` (LF line ends).
std::string Hive(const std::string& body) {
  return "Windows Registry Editor Version 5.00\n" + body;
}

// One setting key holding `value` (the text after '=') under the launcher's path.
std::string Setting(const std::string& name, const std::string& value) {
  return kApp + name + "]\n\"" + name + "\"=" + value + "\n";
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  TempFolder dir;
  std::filesystem::path file = dir / "galaputt/user.reg";
  SettingsStore store{file};
};

TEST_F(SettingsStoreTest, KeyPathFollowsEveryChange) {
  EXPECT_EQ(store.KeyPath(), "\\Software\\zorbel games\\Galaputt SE v1.1\\");
  EXPECT_EQ(store.RootKey(), 1);
  store.SetUser("ann");
  EXPECT_EQ(store.KeyPath(), "\\Software\\zorbel games\\Galaputt SE v1.1\\ann\\");
  store.SetGroup("G");
  store.SetCompany("C");
  store.SetApplication("A");
  EXPECT_EQ(store.KeyPath(), "\\G\\C\\A\\ann\\");
  store.SetUser("");
  EXPECT_EQ(store.KeyPath(), "\\G\\C\\A\\");

  using Setter = void (SettingsStore::*)(std::string_view);
  for (Setter set :
       {&SettingsStore::SetGroup, &SettingsStore::SetCompany, &SettingsStore::SetApplication}) {
    try {
      (store.*set)("");
      ADD_FAILURE() << "an empty path part was taken";
    } catch (const SettingsError& e) {
      EXPECT_STREQ(e.what(), "This property may not be empty");
    }
  }
  EXPECT_EQ(store.KeyPath(), "\\G\\C\\A\\");
}

TEST_F(SettingsStoreTest, RootKeys) {
  const char* names[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",     "HKEY_LOCAL_MACHINE",
                         "HKEY_USERS",        "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG",
                         "HKEY_DYN_DATA"};
  for (int i = 0; i < kRootKeyCount; ++i) EXPECT_STREQ(RootKeyName(i), names[i]);
  EXPECT_THROW(store.SetRootKey(7), SettingsError);
  EXPECT_THROW(store.SetRootKey(-1), SettingsError);

  store.SetRootKey(2);
  store.Open();
  store.WriteInteger("Players", 3);
  store.Close();
  EXPECT_NE(ReadBytes(file).find(
                "[HKEY_LOCAL_MACHINE\\Software\\zorbel games\\Galaputt SE v1.1\\Players]"),
            std::string::npos);
  store.SetRootKey(1);
  store.Open();
  EXPECT_EQ(store.LookupInteger("Players").status, Found::kMissing);
  store.Close();
}

TEST_F(SettingsStoreTest, InactiveStoreRefusesReadsAndIgnoresWrites) {
  for (int round = 0; round < 2; ++round) {  // before any batch, and after one
    try {
      store.ReadBool("RunOnce");
      ADD_FAILURE() << "read without a batch";
    } catch (const SettingsError& e) {
      EXPECT_STREQ(e.what(), "Registry not opened");
    }
    EXPECT_THROW(store.ReadInteger("Players"), SettingsError);
    EXPECT_THROW(store.ReadString("Skin"), SettingsError);
    EXPECT_THROW(store.LookupString("Skin"), SettingsError);
    EXPECT_FALSE(store.WriteBool("RunOnce", true));
    store.Open();
    store.Close();
  }
  EXPECT_FALSE(std::filesystem::exists(file));  // batches without writes save nothing
}

TEST_F(SettingsStoreTest, BatchesOpenOnceAndSaveOnClose) {
  std::vector<std::string> trace;
  store.SetTrace(&trace);
  store.SetActive(true);
  store.Open();  // already active: nothing happens
  EXPECT_TRUE(store.WriteBool("Sound", true));
  EXPECT_TRUE(store.WriteInteger("Players", 2));
  EXPECT_TRUE(store.WriteString("skin", "Blue"));
  EXPECT_FALSE(std::filesystem::exists(file));  // nothing on disk until the batch ends
  EXPECT_TRUE(store.Close());
  store.SetActive(false);
  EXPECT_EQ(trace, (std::vector<std::string>{"Open", "WriteBool Sound", "WriteInteger Players",
                                             "WriteString skin", "Close"}));
  EXPECT_EQ(ReadBytes(file),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\zorbel games]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\zorbel games\\Galaputt SE v1.1]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\zorbel games\\Galaputt SE v1.1\\Sound]\r\n"
            "\"Sound\"=dword:00000001\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\zorbel games\\Galaputt SE v1.1\\Players]\r\n"
            "\"Players\"=dword:00000002\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\zorbel games\\Galaputt SE v1.1\\skin]\r\n"
            "\"skin\"=\"Blue\"\r\n\r\n");
}

TEST_F(SettingsStoreTest, ReadsByTypeAndTellsMissingFromWrongType) {
  WriteBytes(file, Hive(Setting("Two", "dword:00000002") + Setting("All", "dword:ffffffff") +
                        Setting("Zero", "dword:00000000") + Setting("Text", "\"Blue\"") +
                        Setting("Expand", "hex(2):42,00,00,00,43,00") +
                        Setting("Binary", "hex:01,00,00,00") + kApp + "Empty]\n" + kApp +
                        "Named]\n\"Different\"=dword:1\n"));
  store.Open();
  EXPECT_TRUE(store.ReadBool("Two"));
  EXPECT_TRUE(store.ReadBool("all"));
  EXPECT_FALSE(store.ReadBool("Zero"));
  EXPECT_EQ(store.ReadInteger("ALL"), -1);
  EXPECT_EQ(store.ReadString("text"), "Blue");
  EXPECT_EQ(store.ReadString("Expand"), "B");  // ends at the first zero

  struct Case {
    const char* name;
    Found as_integer, as_string;
  };
  const Case cases[] = {
      {"Two", Found::kOk, Found::kWrongType},
      {"Text", Found::kWrongType, Found::kOk},
      {"Expand", Found::kWrongType, Found::kOk},
      {"Binary", Found::kWrongType, Found::kWrongType},
      {"Empty", Found::kWrongType, Found::kWrongType},  // the key lacks its value
      {"Named", Found::kWrongType, Found::kWrongType},  // holds another value only
      {"Absent", Found::kMissing, Found::kMissing}};
  for (const Case& c : cases) {
    EXPECT_EQ(store.LookupInteger(c.name).status, c.as_integer) << c.name;
    EXPECT_EQ(store.LookupBool(c.name).status, c.as_integer) << c.name;
    EXPECT_EQ(store.LookupString(c.name).status, c.as_string) << c.name;
    if (c.as_integer != Found::kOk) {
      EXPECT_EQ(store.ReadInteger(c.name), 0) << c.name;
    }
    if (c.as_string != Found::kOk) {
      EXPECT_EQ(store.ReadString(c.name), "") << c.name;
    }
  }
  store.Close();
}

TEST_F(SettingsStoreTest, NamesIgnoreCase) {
  store.Open();
  store.WriteString("skin", "Blue");
  EXPECT_EQ(store.ReadString("Skin"), "Blue");
  store.WriteString("SKIN", "Red");
  store.Close();
  store.Open();
  EXPECT_EQ(store.ReadString("Skin"), "Red");
  store.Close();
  const std::string text = ReadBytes(file);
  EXPECT_NE(text.find("v1.1\\skin]\r\n\"skin\"=\"Red\""), std::string::npos) << text;
  EXPECT_EQ(text.find("SKIN"), std::string::npos);
}

TEST_F(SettingsStoreTest, StringsEndAtTheFirstZeroAndLongOnesAreRefused) {
  store.Open();
  EXPECT_TRUE(store.WriteString("Player 1", "Ann\0Bob"s));
  EXPECT_FALSE(store.WriteString("Player 2", std::string(kMaxRegDataBytes + 1, 'x')));
  EXPECT_NE(store.LastError().find("Player 2"), std::string::npos);
  EXPECT_TRUE(store.WriteString("Player 3", "two\nlines"));
  EXPECT_TRUE(store.Close());
  store.Open();
  EXPECT_EQ(store.ReadString("Player 1"), "Ann");
  EXPECT_EQ(store.LookupString("Player 2").status, Found::kMissing);
  EXPECT_EQ(store.ReadString("Player 3"), "two\nlines");
  store.Close();
}

TEST_F(SettingsStoreTest, UnparseableFileIsKeptAsideAndReportedOnce) {
  const std::string garbage = "\x01\x02 not a hive \xFF";
  WriteBytes(file, garbage);
  WriteBytes(dir / "galaputt/user.reg.bad", "an older bad file");
  store.Open();
  const std::string notice = store.TakeNotice();
  EXPECT_NE(notice.find("is not a settings file"), std::string::npos) << notice;
  EXPECT_NE(notice.find("user.reg.bad.1"), std::string::npos) << notice;
  EXPECT_EQ(store.TakeNotice(), "");
  EXPECT_EQ(store.LookupBool("RunOnce").status, Found::kMissing);
  store.Close();
  EXPECT_FALSE(std::filesystem::exists(file));

  store.Open();
  EXPECT_EQ(store.TakeNotice(), "");
  store.WriteBool("RunOnce", true);
  EXPECT_TRUE(store.Close());
  store.Open();
  EXPECT_TRUE(store.ReadBool("RunOnce"));
  store.Close();
  EXPECT_EQ(ReadBytes(dir / "galaputt/user.reg.bad.1"), garbage);
  EXPECT_EQ(ReadBytes(dir / "galaputt/user.reg.bad"), "an older bad file");
}

TEST_F(SettingsStoreTest, FileWithSkippedLinesIsKeptBeforeItIsReplaced) {
  const std::string text = Hive(Setting("Players", "dword:2") + "\"Broken\"=dword:\n");
  WriteBytes(file, text);
  store.Open();
  EXPECT_NE(store.TakeNotice().find("first is line 4"), std::string::npos);
  EXPECT_EQ(store.ReadInteger("Players"), 2);
  store.WriteInteger("Players", 3);
  EXPECT_TRUE(store.Close());
  EXPECT_EQ(ReadBytes(dir / "galaputt/user.reg.bad"), text);
  store.Open();
  EXPECT_EQ(store.ReadInteger("Players"), 3);
  EXPECT_EQ(store.TakeNotice(), "");
  store.Close();
}

TEST_F(SettingsStoreTest, FailedSaveReportsAndLosesNothingSaved) {
  store.Open();
  store.WriteInteger("Players", 1);
  ASSERT_TRUE(store.Close());
  const std::string saved = ReadBytes(file);

  SaveFaults faults;
  faults.before = [](SaveStep step, size_t) { return step != SaveStep::kRename; };
  store.SetSaveFaults(faults);
  store.Open();
  store.WriteInteger("Players", 3);
  EXPECT_FALSE(store.Close());
  EXPECT_NE(store.LastError().find("Cannot save the settings to"), std::string::npos);
  EXPECT_EQ(ReadBytes(file), saved);

  store.SetSaveFaults({});
  store.Open();
  EXPECT_EQ(store.ReadInteger("Players"), 1);
  store.WriteInteger("Players", 3);
  EXPECT_TRUE(store.Close());
  EXPECT_EQ(store.LastError(), "");
}

// The check runs as an unprivileged user: permissions do not bind the superuser,
// so under root it runs in a child process that has given its rights up.
std::string UnreadableAndStuck(const std::filesystem::path& file) {
  WriteBytes(file, Hive(Setting("Players", "dword:2")));
  std::filesystem::permissions(file, std::filesystem::perms::none);
  std::filesystem::permissions(
      file.parent_path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  std::string failures;
  {
    SettingsStore store{file};
    store.Open();
    if (store.TakeNotice().find("will not be saved over it") == std::string::npos) {
      failures += "no notice; ";
    }
    store.WriteInteger("Players", 3);
    if (store.Close()) failures += "the save claimed success; ";
    if (store.LastError().find("left as it is") == std::string::npos) failures += "no error; ";
  }
  std::filesystem::permissions(file.parent_path(), std::filesystem::perms::owner_all);
  std::filesystem::permissions(file, std::filesystem::perms::owner_all);
  if (ReadBytes(file) != Hive(Setting("Players", "dword:2"))) failures += "the file changed; ";
  return failures;
}

TEST_F(SettingsStoreTest, UnreadableFileThatCannotBeKeptAsideIsNotReplaced) {
  if (geteuid() != 0) {
    EXPECT_EQ(UnreadableAndStuck(file), "");
    return;
  }
  constexpr uid_t kNobody = 65534;
  std::filesystem::create_directories(file.parent_path());
  ASSERT_EQ(chown(dir.path().c_str(), kNobody, kNobody), 0);
  ASSERT_EQ(chown(file.parent_path().c_str(), kNobody, kNobody), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(2);
    const std::string failures = UnreadableAndStuck(file);
    if (!failures.empty()) std::fprintf(stderr, "%s\n", failures.c_str());
    _exit(failures.empty() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(SettingsPathTest, HiveFileFromTheEnvironment) {
  EXPECT_EQ(HiveFileFor("/x/cfg", "/home/u"), "/x/cfg/galaputt/user.reg");
  EXPECT_EQ(HiveFileFor("", "/home/u"), "/home/u/.config/galaputt/user.reg");
  EXPECT_EQ(HiveFileFor(nullptr, "/home/u"), "/home/u/.config/galaputt/user.reg");
  EXPECT_EQ(HiveFileFor("relative", "/home/u"), "/home/u/.config/galaputt/user.reg");
  EXPECT_EQ(HiveFileFor(nullptr, nullptr), "");

  SettingsStore nowhere{std::filesystem::path()};
  nowhere.Open();
  nowhere.WriteBool("RunOnce", true);
  EXPECT_FALSE(nowhere.Close());
  EXPECT_NE(nowhere.LastError().find("HOME"), std::string::npos);
}

}  // namespace
}  // namespace gp
