#include "launcher/hive_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "launcher/settings_files.h"

namespace gp {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

RegHive Sample(uint32_t players, const std::string& skin) {
  RegHive h;
  h.SetDword("HKEY_CURRENT_USER\\Software\\G\\Players", "Players", players);
  h.SetString("HKEY_CURRENT_USER\\Software\\G\\skin", "skin", skin);
  return h;
}

TEST(HiveFileTest, LoadTellsMissingGoodBadAndUnreadable) {
  TempFolder dir;
  const auto file = dir / "user.reg";
  EXPECT_EQ(LoadHiveFile(file).status, HiveLoad::Status::kMissing);

  WriteBytes(file, Sample(3, "x").Serialize());
  HiveLoad ok = LoadHiveFile(file);
  EXPECT_EQ(ok.status, HiveLoad::Status::kOk);
  EXPECT_EQ(ok.hive, Sample(3, "x"));

  WriteBytes(file, "[HKEY_CURRENT_USER\\Software]\n");
  HiveLoad bad = LoadHiveFile(file);
  EXPECT_EQ(bad.status, HiveLoad::Status::kUnparseable);
  EXPECT_NE(bad.message.find(file.string()), std::string::npos);

  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  HiveLoad folder = LoadHiveFile(file);
  EXPECT_EQ(folder.status, HiveLoad::Status::kUnreadable);
  EXPECT_NE(folder.message.find("cannot read"), std::string::npos);

  // A pipe nobody writes to is refused at once, not waited on.
  std::filesystem::remove(file);
  ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
  EXPECT_EQ(LoadHiveFile(file).status, HiveLoad::Status::kUnreadable);
}

TEST(HiveFileTest, SaveCreatesPrivateFoldersAndLeavesNoTemporaryFile) {
  TempFolder dir;
  const auto file = dir / "config/galaputt/user.reg";
  ASSERT_EQ(SaveHiveFile(file, Sample(1, "a")), "");
  EXPECT_EQ(ReadBytes(file), Sample(1, "a").Serialize());
  EXPECT_FALSE(std::filesystem::exists(dir / "config/galaputt/user.reg.tmp"));
  struct stat st;
  ASSERT_EQ(::stat((dir / "config/galaputt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  // A stale temporary file from an interrupted save is simply replaced.
  WriteBytes(dir / "config/galaputt/user.reg.tmp", "half a file");
  ASSERT_EQ(SaveHiveFile(file, Sample(2, "b")), "");
  EXPECT_EQ(LoadHiveFile(file).hive, Sample(2, "b"));
}

TEST(HiveFileTest, FailedStepsReportAndKeepTheOldFile) {
  const SaveStep steps[] = {SaveStep::kCreateFolder, SaveStep::kOpenTemp,  SaveStep::kWrite,
                            SaveStep::kSyncFile,     SaveStep::kCloseFile, SaveStep::kRename};
  for (SaveStep failing : steps) {
    TempFolder dir;
    const auto file = dir / "user.reg";
    const std::string old_text = Sample(1, "old").Serialize();
    WriteBytes(file, old_text);
    SaveFaults faults;
    faults.write_chunk = 16;
    faults.before = [failing](SaveStep step, size_t written) {
      return step != failing || (step == SaveStep::kWrite && written < 32);
    };
    const std::string error = SaveHiveFile(file, Sample(2, "new"), faults);
    EXPECT_NE(error.find("Cannot save the settings to \"" + file.string() + "\""),
              std::string::npos)
        << static_cast<int>(failing);
    EXPECT_NE(error.find("Input/output error"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(file), old_text);
    EXPECT_FALSE(std::filesystem::exists(dir / "user.reg.tmp"));
  }
  // Syncing the folder comes after the new file is in place: not a failure.
  TempFolder dir;
  SaveFaults faults;
  faults.before = [](SaveStep step, size_t) { return step != SaveStep::kSyncFolder; };
  EXPECT_EQ(SaveHiveFile(dir / "user.reg", Sample(2, "new"), faults), "");
  EXPECT_EQ(LoadHiveFile(dir / "user.reg").hive, Sample(2, "new"));
}

TEST(HiveFileTest, SaveIntoAFileWhereAFolderShouldBe) {
  TempFolder dir;
  WriteBytes(dir / "galaputt", "not a folder");
  const std::string error = SaveHiveFile(dir / "galaputt/user.reg", Sample(1, "a"));
  EXPECT_NE(error.find("Not a directory"), std::string::npos) << error;
}

// A save stopped dead (the process killed) at every step and after every few
// bytes leaves the old hive or the new one, never anything else; on a first run
// (no folder, no file yet) it leaves no hive or the new one.
TEST(HiveFileTest, KilledSaveLeavesOldOrNewHive) {
  for (const bool first_run : {false, true}) {
    SCOPED_TRACE(first_run ? "first run" : "replacing a hive");
    TempFolder dir;
    const auto file = dir / "config/galaputt/user.reg";
    const RegHive old_hive = Sample(1, "old");
    const RegHive new_hive = Sample(3, std::string(300, 'n'));
    const auto start = [&] {
      std::filesystem::remove_all(dir / "config");
      if (!first_run) {
        std::filesystem::create_directories(file.parent_path());
        WriteBytes(file, old_hive.Serialize());
      }
    };
    start();
    int saw_new = 0, saw_old = 0;
    for (int stop_at = 0;; ++stop_at) {
      const pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        SaveFaults faults;
        faults.write_chunk = 6;
        int calls = 0;
        faults.before = [&calls, stop_at](SaveStep, size_t) {
          if (calls++ == stop_at) _exit(9);
          return true;
        };
        _exit(SaveHiveFile(file, new_hive, faults).empty() ? 0 : 1);
      }
      int status = 0;
      ASSERT_EQ(waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFEXITED(status));
      const HiveLoad load = LoadHiveFile(file);
      if (first_run && load.status == HiveLoad::Status::kMissing) {
        ++saw_old;
      } else {
        ASSERT_EQ(load.status, HiveLoad::Status::kOk) << "stopped at " << stop_at;
        EXPECT_EQ(load.report.skipped_lines, 0);
        const bool is_new = load.hive == new_hive;
        EXPECT_TRUE(is_new || (!first_run && load.hive == old_hive)) << "stopped at " << stop_at;
        saw_new += is_new;
        saw_old += !is_new;
      }
      if (WEXITSTATUS(status) != 9) {
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_GT(stop_at, 60);  // the writes really were interrupted many times
        break;
      }
      start();  // the next run starts from the same files again
    }
    EXPECT_GE(saw_new, 2);  // stopped before the folder sync, and the full run
    EXPECT_GT(saw_old, 60);
  }
}

TEST(HiveFileTest, KeepAsideNeverReplacesAKeptFile) {
  TempFolder dir;
  const auto file = dir / "user.reg";
  std::string error;
  for (int n = 0; n < 3; ++n) {
    WriteBytes(file, "bad " + std::to_string(n));
    const auto kept = KeepAside(file, error);
    EXPECT_EQ(kept.filename().string(),
              n == 0 ? "user.reg.bad" : "user.reg.bad." + std::to_string(n));
    EXPECT_FALSE(std::filesystem::exists(file));
  }
  EXPECT_EQ(ReadBytes(dir / "user.reg.bad"), "bad 0");
  EXPECT_EQ(ReadBytes(dir / "user.reg.bad.2"), "bad 2");

  WriteBytes(file, "copy me");
  const auto copy = KeepCopy(file, error);
  EXPECT_EQ(copy.filename().string(), "user.reg.bad.3");
  EXPECT_EQ(ReadBytes(file), "copy me");
  EXPECT_EQ(ReadBytes(copy), "copy me");
  // Replacing the file (as a save does) leaves the kept copy alone.
  ASSERT_EQ(SaveHiveFile(file, Sample(1, "a")), "");
  EXPECT_EQ(ReadBytes(copy), "copy me");

  // A folder in the file's place goes aside too.
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  EXPECT_EQ(KeepAside(file, error).filename().string(), "user.reg.bad.4");

  EXPECT_TRUE(KeepAside(dir / "none.reg", error).empty());
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;
}

}  // namespace
}  // namespace gp
