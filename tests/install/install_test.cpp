// The install: the build's install rules into a temporary prefix, every file a
// Linux desktop expects where it expects it (the desktop entry and the AppStream
// metainfo checked by their validators), and the installed game started from
// there headless (SDL's dummy drivers) finding its data and writing nothing into
// the prefix.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "support/temp_folder.h"

namespace gp {
namespace {

namespace fs = std::filesystem;

constexpr int kIconSizes[] = {32, 48, 64, 128, 256};

// Runs a shell command; its exit status, or -1 when it did not exit.
int Shell(const std::string& cmd) {
  const int st = std::system(cmd.c_str());
  return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

std::string Read(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

// Every path under `dir` with its size and modification time.
std::map<std::string, std::string> Listing(const fs::path& dir) {
  std::map<std::string, std::string> out;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(dir)) {
    struct stat st {};
    EXPECT_EQ(::lstat(e.path().c_str(), &st), 0) << e.path();
    out[fs::relative(e.path(), dir).string()] = std::to_string(st.st_size) + " " +
                                                std::to_string(st.st_mtim.tv_sec) + "." +
                                                std::to_string(st.st_mtim.tv_nsec);
  }
  return out;
}

// A PNG's width and height from its header; 0 x 0 when it is not a PNG.
std::pair<int, int> PngSize(const fs::path& p) {
  const std::string b = Read(p);
  if (b.size() < 24 || b.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return {0, 0};
  const auto be32 = [&b](size_t at) {
    return (static_cast<unsigned char>(b[at]) << 24) |
           (static_cast<unsigned char>(b[at + 1]) << 16) |
           (static_cast<unsigned char>(b[at + 2]) << 8) | static_cast<unsigned char>(b[at + 3]);
  };
  return {be32(16), be32(20)};
}

class InstallTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    tmp_ = new test::TempFolder();
    prefix_ = *tmp_ / "prefix";
    install_status_ =
        Shell(std::string(CMAKE_PROGRAM) + " --install " + GALAPUTT_BUILD_DIR + " --prefix " +
              prefix_.string() + " > " + (*tmp_ / "install.log").string() + " 2>&1");
  }
  static void TearDownTestSuite() {
    delete tmp_;
    tmp_ = nullptr;
  }
  void SetUp() override { ASSERT_EQ(install_status_, 0) << Read(*tmp_ / "install.log"); }

  // The installed game run from an empty folder, with its own home, settings
  // folder and SDL's dummy drivers; stopped after `seconds` with SIGTERM.
  static int RunInstalled(const std::string& name, const std::string& args, int seconds) {
    const fs::path run = *tmp_ / ("run-" + name);
    fs::create_directories(run / "home");
    const std::string env = "cd " + run.string() + " && HOME=" + (run / "home").string() +
                            " XDG_CONFIG_HOME=" + (run / "config").string() +
                            " SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ";
    return Shell(env + "timeout -k 5 -s TERM " + std::to_string(seconds) + " " +
                 (prefix_ / "bin" / "galaputt").string() + " " + args + " > out.txt 2> err.txt");
  }

  static test::TempFolder* tmp_;
  static fs::path prefix_;
  static int install_status_;
};

test::TempFolder* InstallTest::tmp_ = nullptr;
fs::path InstallTest::prefix_;
int InstallTest::install_status_ = -1;

TEST_F(InstallTest, ProgramFolderCommandsDesktopEntryIconsAndManualPages) {
  const fs::path folder = prefix_ / "lib/galaputt";
  for (const char* f :
       {"galaputt", "galaputt-lab", "galaputt-editor", "galaputt-assets", "course1hole1.hole",
        "course1hole1.dxg", "gui.dxg", "menu.dxg", "sound.dxw", "intro.avi", "mainmenu.bmp",
        "interface.flc", "menu.spots", "textures/classic.bmp", "skins/Nebula/panel.bmp",
        "course.ini", "training.ini"}) {
    EXPECT_TRUE(fs::is_regular_file(folder / f)) << f;
  }
  // Only what the game needs: the asset compiler (it compiles the holes of a
  // player's own courses into the cache), no build files.
  EXPECT_TRUE(fs::is_regular_file(folder / "galaputt-assets"));
  EXPECT_FALSE(fs::exists(folder / "icons"));
  for (const char* program : {"galaputt", "galaputt-lab", "galaputt-editor"}) {
    const fs::path cmd = prefix_ / "bin" / program;
    ASSERT_TRUE(fs::is_symlink(cmd)) << cmd;
    EXPECT_TRUE(fs::read_symlink(cmd).is_relative());
    EXPECT_TRUE(fs::equivalent(cmd, folder / program));
  }
  const fs::path desktop = prefix_ / "share/applications/galaputt.desktop";
  ASSERT_TRUE(fs::exists(desktop));
  EXPECT_EQ(Shell(std::string(DESKTOP_FILE_VALIDATE) + " " + desktop.string()), 0);
  EXPECT_NE(Read(desktop).find("\nExec=galaputt\n"), std::string::npos);
  EXPECT_NE(Read(desktop).find("\nIcon=galaputt\n"), std::string::npos);
  for (int size : kIconSizes) {
    const std::string dim = std::to_string(size) + "x" + std::to_string(size);
    const fs::path icon = prefix_ / "share/icons/hicolor" / dim / "apps/galaputt.png";
    EXPECT_EQ(PngSize(icon), std::make_pair(size, size)) << icon;
  }
  // The software centres' description names the desktop entry as what it launches.
  const fs::path metainfo = prefix_ / "share/metainfo/com.zorbelgames.Galaputt.metainfo.xml";
  ASSERT_TRUE(fs::exists(metainfo));
  const fs::path report = *tmp_ / "appstream.txt";
  EXPECT_EQ(Shell(std::string(APPSTREAMCLI) + " validate --no-net " + metainfo.string() + " > " +
                  report.string() + " 2>&1"),
            0)
      << Read(report);
  const std::string meta = Read(metainfo);
  EXPECT_NE(meta.find("<launchable type=\"desktop-id\">galaputt.desktop</launchable>"),
            std::string::npos);
  const fs::path version = *tmp_ / "version.txt";
  ASSERT_EQ(Shell((prefix_ / "bin/galaputt").string() + " --version > " + version.string()), 0);
  std::string v = Read(version);  // "galaputt 0.1.0\n"
  v = v.substr(v.find(' ') + 1);
  v = v.substr(0, v.find('\n'));
  EXPECT_NE(meta.find("<release version=\"" + v + "\""), std::string::npos)
      << "the newest release should be the version galaputt --version prints, " << v;
  EXPECT_EQ(Read(prefix_ / "share/man/man6/galaputt.6").rfind(".TH GALAPUTT 6", 0), 0u);
  EXPECT_EQ(Read(prefix_ / "share/man/man1/galaputt-lab.1").rfind(".TH GALAPUTT\\-LAB 1", 0), 0u);
  EXPECT_EQ(Read(prefix_ / "share/man/man1/galaputt-editor.1").rfind(".TH GALAPUTT\\-EDITOR 1", 0),
            0u);
}

TEST_F(InstallTest, InstalledGameFindsItsDataAndWritesNothingIntoThePrefix) {
  const auto before = Listing(prefix_);
  ASSERT_FALSE(before.empty());
  const fs::path run = *tmp_ / "run-play";
  fs::create_directories(run);
  // The game on a hole, recording a replay outside the prefix. It runs until it
  // is stopped (timeout's status 124), with no error on standard error: a file
  // it could not find would be reported there.
  const fs::path replay = run / "game.replay";
  EXPECT_EQ(RunInstalled("play",
                         "--windowed --seed 3 --play course1hole1 --record " + replay.string(), 3),
            124);
  EXPECT_EQ(Read(run / "err.txt"), "");
  EXPECT_EQ(Read(replay).rfind("galaputt replay 1\nseed 3\nfirsthole course1hole1\n", 0), 0u);

  // The launcher: its settings go to the settings folder, never into the prefix.
  EXPECT_EQ(RunInstalled("launcher", "--windowed --seed 3", 3), 124);
  EXPECT_EQ(Read(*tmp_ / "run-launcher/err.txt"), "");

  // The workbench from its link renders a frame from the installed data.
  const fs::path png = *tmp_ / "frame.png";
  EXPECT_EQ(Shell((prefix_ / "bin/galaputt-lab").string() +
                  " render --hole course1hole1 --frames 5 --out " + png.string() + " > /dev/null"),
            0);
  EXPECT_EQ(PngSize(png), std::make_pair(640, 480));

  // The game's records went under the home folder's data folder (the game
  // made its file on starting); no game was left to resume.
  EXPECT_TRUE(fs::exists(*tmp_ / "run-play/home/.local/share/galaputt/records.sqlite"));
  EXPECT_EQ(RunInstalled("resume", "--resume", 10), 1);
  EXPECT_NE(Read(*tmp_ / "run-resume/err.txt").find("there is no unfinished game to resume"),
            std::string::npos);

  EXPECT_EQ(Listing(prefix_), before);
}

}  // namespace
}  // namespace gp
