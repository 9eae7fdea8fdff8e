// The intro window's logic driven by a fake window: the wait, the two movies,
// skipping, the completion reports, missing movies and the pointer.
#include "launcher/intro.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "media/ffmpeg/ffmpeg_movie.h"
#include "media/movie.h"

namespace gp {
namespace {

constexpr const char* kFolder = "/games/Galaputt/";

// Records what the intro asks of its window, one line per request.
class FakeWindow : public IntroHost {
 public:
  bool OpenMovie(const std::string& path, int& width, int& height, std::string& error) override {
    log.push_back("open " + path);
    if (opener) {  // a real movie reader
      std::unique_ptr<Movie> m = opener(path, error);
      if (m) width = m->Width(), height = m->Height();
      return m != nullptr;
    }
    if (missing.count(path)) {
      error = "cannot open the file";
      return false;
    }
    width = moview;
    height = movieh;
    return true;
  }
  void PlayMovie() override { log.push_back("play"); }
  void StopMovie() override { log.push_back("stop"); }
  void WarpPointer(int x, int y) override {
    log.push_back("warp " + std::to_string(x) + " " + std::to_string(y));
  }
  void ShowPointer(bool show) override {
    pointer += show ? 1 : -1;
    log.push_back(show ? "show" : "hide");
  }
  void ReportError(const std::string& line) override { errors.push_back(line); }
  void PointerShape(bool shown) override { shape = shown; }
  // What the player sees: a pointer only with a shape and a count of 0 or more.
  bool PointerSeen() const { return shape && pointer >= 0; }

  std::vector<std::string> log, errors;
  bool shape = true;
  std::set<std::string> missing;
  MovieOpener opener;
  int moview = 640, movieh = 480;
  int pointer = 0;  // net display-count steps
};

std::string Path(const char* name) {
  return std::string(kFolder) + name;
}

// Shows the intro on a 1024 x 768 screen and lets the wait run out at 2500 ms.
void RunToLogo(Intro& intro) {
  intro.Show(1024, 768);
  intro.Activate(1000);
  intro.Tick(2500);
}

TEST(IntroTest, PlaysLogoThenIntroThenCloses) {
  FakeWindow w;
  Intro intro(w, kFolder);
  intro.Show(1024, 768);
  EXPECT_EQ(intro.FileName(), Path("zorbel.avi"));
  EXPECT_TRUE(intro.Notify());
  EXPECT_EQ(intro.Player().x, 192);
  EXPECT_EQ(intro.Player().y, 144);
  intro.Activate(1000);
  intro.Tick(2499);  // one millisecond short of the wait
  EXPECT_EQ(intro.state(), Intro::State::Waiting);
  EXPECT_EQ(w.log, std::vector<std::string>{"open " + Path("zorbel.avi")});

  intro.Tick(2500);
  EXPECT_EQ(intro.state(), Intro::State::LogoPlaying);
  EXPECT_EQ(w.pointer, -1);
  intro.CompletionReport();
  EXPECT_EQ(intro.state(), Intro::State::IntroPlaying);
  EXPECT_EQ(intro.FileName(), Path("intro.avi"));
  intro.CompletionReport();
  EXPECT_TRUE(intro.Closed());
  EXPECT_EQ(intro.FileName(), "");
  EXPECT_FALSE(intro.Notify());
  const std::vector<std::string> expected{
      "open " + Path("zorbel.avi"), "play", "warp 1024 768", "hide",
      "open " + Path("intro.avi"),  "play", "stop",          "show"};
  EXPECT_EQ(w.log, expected);
  EXPECT_EQ(w.pointer, 0);
  EXPECT_TRUE(w.errors.empty());
}

TEST(IntroTest, NoPointerFromShowingToClosing) {
  for (const bool skip : {false, true}) {
    FakeWindow w;
    Intro intro(w, kFolder);
    EXPECT_TRUE(w.PointerSeen());
    intro.Show(640, 480);
    EXPECT_FALSE(w.PointerSeen());  // the black screen of the wait shows no pointer
    intro.Activate(0);
    intro.MouseMove();
    intro.Tick(1499);
    EXPECT_FALSE(w.PointerSeen());
    intro.Tick(1500);
    EXPECT_FALSE(w.PointerSeen());
    if (skip) {
      intro.Button();
    } else {
      intro.CompletionReport();
      intro.CompletionReport();
    }
    ASSERT_TRUE(intro.Closed());
    EXPECT_TRUE(w.PointerSeen());  // back over the launcher
  }
}

TEST(IntroTest, KeyOrButtonDuringLogoEndsBothAndLateReportDoesNothing) {
  for (bool key : {true, false}) {
    FakeWindow w;
    Intro intro(w, kFolder);
    RunToLogo(intro);
    key ? intro.Key() : intro.Button();
    EXPECT_TRUE(intro.Closed());
    EXPECT_EQ(intro.FileName(), "");
    EXPECT_EQ(w.pointer, 0);
    const size_t before = w.log.size();
    intro.CompletionReport();  // the interrupted play's report
    intro.Key();
    EXPECT_EQ(w.log.size(), before);
    for (const std::string& line : w.log) EXPECT_NE(line, "open " + Path("intro.avi"));
  }
}

TEST(IntroTest, KeyDuringIntroCloses) {
  FakeWindow w;
  Intro intro(w, kFolder);
  RunToLogo(intro);
  intro.CompletionReport();
  intro.Key();
  EXPECT_TRUE(intro.Closed());
  EXPECT_EQ(w.log.back(), "show");
  EXPECT_EQ(w.log[w.log.size() - 2], "stop");
  intro.CompletionReport();
  EXPECT_EQ(w.log.back(), "show");
  EXPECT_EQ(w.pointer, 0);
}

TEST(IntroTest, KeyDuringWaitIsActedOnWhenWaitEnds) {
  FakeWindow w;
  Intro intro(w, kFolder);
  intro.Show(640, 480);
  intro.Activate(0);
  intro.Key();
  intro.Tick(1000);
  EXPECT_EQ(intro.state(), Intro::State::Waiting);
  EXPECT_EQ(w.log.size(), 1u);  // only the logo's opening
  intro.Tick(1500);
  EXPECT_TRUE(intro.Closed());
  const std::vector<std::string> expected{
      "open " + Path("zorbel.avi"), "play", "warp 640 480", "hide", "stop", "show"};
  EXPECT_EQ(w.log, expected);
  EXPECT_EQ(w.pointer, 0);
}

TEST(IntroTest, WaitCountsFromFirstActivationAcrossClockWrap) {
  FakeWindow w;
  Intro intro(w, kFolder);
  intro.Show(640, 480);
  intro.Tick(100000);  // not activated yet: no wait has begun
  EXPECT_EQ(intro.state(), Intro::State::Waiting);
  intro.Activate(0xFFFFFF00u);
  intro.Activate(0x10u);  // a second activation does not restart the wait
  intro.Tick(1243);       // 256 ms before the wrap and 1243 after it
  EXPECT_EQ(intro.state(), Intro::State::Waiting);
  intro.Tick(1244);
  EXPECT_EQ(intro.state(), Intro::State::LogoPlaying);
}

TEST(IntroTest, MouseMoveParksPointerOnlyWhilePlaying) {
  FakeWindow w;
  Intro intro(w, kFolder);
  intro.Show(800, 600);
  intro.Activate(0);
  intro.MouseMove();
  EXPECT_EQ(w.log.size(), 1u);
  intro.Tick(1500);
  intro.MouseMove();
  EXPECT_EQ(w.log.back(), "warp 800 600");
  intro.Button();
  const size_t before = w.log.size();
  intro.MouseMove();
  EXPECT_EQ(w.log.size(), before);
}

TEST(IntroTest, PlayerIsCentredWithTruncatingDivision) {
  struct Case {
    int sw, sh, mw, mh, x, y;
  };
  const Case cases[] = {
      {640, 480, 640, 480, 0, 0},     {1024, 768, 320, 240, 352, 264},
      {641, 481, 321, 241, 160, 120},  // 320 - 160, 240 - 120
      {640, 480, 800, 600, -80, -60},  // larger than the screen: never scaled
      {512, 384, 321, 1, 96, 192},
  };
  for (const Case& c : cases) {
    FakeWindow w;
    w.moview = c.mw;
    w.movieh = c.mh;
    Intro intro(w, kFolder);
    intro.Show(c.sw, c.sh);
    EXPECT_EQ(intro.Player().x, c.x) << c.sw << "x" << c.sh << " " << c.mw << "x" << c.mh;
    EXPECT_EQ(intro.Player().y, c.y);
    EXPECT_EQ(intro.Player().w, c.mw);
    EXPECT_EQ(intro.Player().h, c.mh);
  }
}

TEST(IntroTest, MissingMoviesAreSkippedWithOneMessageEach) {
  struct Case {
    bool logo, intro;  // missing
  };
  for (const Case c : {Case{true, false}, Case{false, true}, Case{true, true}}) {
    FakeWindow w;
    if (c.logo) w.missing.insert(Path("zorbel.avi"));
    if (c.intro) w.missing.insert(Path("intro.avi"));
    Intro intro(w, kFolder);
    RunToLogo(intro);
    if (!c.logo) intro.CompletionReport();  // the logo plays to its end
    if (!c.intro) intro.CompletionReport();
    EXPECT_TRUE(intro.Closed()) << c.logo << c.intro;
    EXPECT_EQ(w.errors.size(), static_cast<size_t>(c.logo + c.intro));
    for (const std::string& e : w.errors) {
      EXPECT_NE(e.find("cannot play"), std::string::npos);
      EXPECT_EQ(e.find('\n'), std::string::npos);
    }
    int plays = 0;
    for (const std::string& line : w.log) plays += line == "play";
    EXPECT_EQ(plays, 2 - c.logo - c.intro);
    EXPECT_EQ(w.pointer, 0);
  }
}

TEST(IntroTest, CraftedBadFilesAreSkippedWithOneMessageEach) {
  // A garbage "zorbel.avi" and an "intro.avi" that stops inside its header,
  // read by the real movie reader.
  const std::string folder = ::testing::TempDir();
  {
    std::ofstream logo(folder + "zorbel.avi", std::ios::binary | std::ios::trunc);
    for (int i = 0; i < 3000; ++i) logo.put(static_cast<char>(i * 37 + (i >> 3)));
    std::ofstream intro(folder + "intro.avi", std::ios::binary | std::ios::trunc);
    intro.write("RIFF\x10\x00\x00\x00AVI LIST", 16);
  }
  FakeWindow w;
  w.opener = OpenFfmpegMovie;
  Intro intro(w, folder);
  intro.Show(640, 480);
  intro.Activate(0);
  intro.Tick(1500);
  EXPECT_TRUE(intro.Closed());
  ASSERT_EQ(w.errors.size(), 2u);
  EXPECT_NE(w.errors[0].find(folder + "zorbel.avi"), std::string::npos);
  EXPECT_NE(w.errors[1].find(folder + "intro.avi"), std::string::npos);
  for (const std::string& line : w.log) EXPECT_NE(line, "play");
  EXPECT_EQ(w.pointer, 0);
}

TEST(IntroTest, NothingHappensBeforeShowing) {
  FakeWindow w;
  Intro intro(w, kFolder);
  intro.Activate(0);
  intro.Tick(5000);
  intro.Key();
  intro.CompletionReport();
  EXPECT_EQ(intro.state(), Intro::State::Hidden);
  EXPECT_TRUE(w.log.empty());
}

TEST(IntroTest, DueFrameFollowsTheMovieRate) {
  EXPECT_EQ(DueFrame(25, 1000, 1000), 0);
  EXPECT_EQ(DueFrame(25, 1000, 1039), 0);
  EXPECT_EQ(DueFrame(25, 1000, 1040), 1);
  EXPECT_EQ(DueFrame(25, 1000, 2000), 25);
  EXPECT_EQ(DueFrame(15, 0, 1000), 15);
  EXPECT_EQ(DueFrame(25, 0xFFFFFF00u, 0x100u), 12);  // 512 ms across the wrap
  EXPECT_EQ(DueFrame(0, 0, 1000), 0);
}

}  // namespace
}  // namespace gp
