// The display's start handler: everything the game loads once the display runs.
#include <array>
#include <cstdio>
#include <filesystem>

#include "app/course_play.h"
#include "app/game_window.h"
#include "app/hole_load.h"
#include "base/asset_error.h"
#include "base/random.h"
#include "game/course_chain.h"
#include "game/course_file.h"
#include "game/hole_tables.h"
#include "game/setup.h"
#include "game/state.h"
#include "media/bitmap_codec.h"
#include "platform/platform.h"
#include "sim/progression.h"
#include "sim/scoring.h"

namespace gp {

namespace {

// Skin files and the gui items they replace.
struct SkinFile {
  const char* file;
  int item;
};
constexpr std::array<SkinFile, 10> kSkinFiles{{
    {"pointer.bmp", 0},
    {"panel.bmp", 1},
    {"panelmin.bmp", 2},
    {"buttonsdown.bmp", 3},
    {"pushputt.bmp", 4},
    {"gauge.bmp", 5},
    {"target.bmp", 6},
    {"font.bmp", 7},
    {"numbers.bmp", 8},
    {"namebox.bmp", 18},
}};

// Upper bound of the wait for a drawable display (polls), so that a display
// that never comes back cannot hang the start-up; the frame tick skips frames
// while it cannot draw.
constexpr int kDisplayPolls = 2000;

void WaitForDisplay(GameWindow& w) {
  for (int i = 0; i < kDisplayPolls && !w.display.CanDraw(); ++i) {
    if (w.platform) w.platform->Wait(1);
  }
}

bool IsFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

// Missing files leave the item as "gui.dxg" has it; so do files that cannot be
// read or decoded, which are named on standard error (a damaged skin must not
// keep the game from starting).
void ApplySkin(GameWindow& w, const std::string& skin) {
  const std::string dir = w.folder + "skins/" + skin + "/";
  for (const SkinFile& f : kSkinFiles) {
    const std::string path = dir + f.file;
    ImageItem* item = w.gui.Item(f.item);
    if (!item || !IsFile(path)) continue;
    try {
      SetPicture(*item, LoadBitmapFile(path));
    } catch (const AssetError& e) {
      std::fprintf(stderr, "galaputt: skin picture %s not used: %s\n", path.c_str(), e.what());
    }
  }
}

// The number a game started on `hole` gives it: its place in the course that
// starts with the game's first hole (`coursefirst`, or else the training
// round's or the SE Course's); 1 when it is not among that course's holes.
int PlaceInCourse(const GameWindow& w, const std::string& hole, const std::string& coursefirst) {
  const std::string first = !coursefirst.empty() ? coursefirst
                            : setup().training   ? kFirstTrainingHole
                                                 : kFirstCourseHole;
  const std::string& folder = w.holefolder.empty() ? w.folder : w.holefolder;
  const int place = CoursePlace(folder, first, hole, gs().holecount);
  return place > 0 ? place : 1;
}

// Input that arrives while a course's holes compile is dropped; taking it keeps
// the window answering.
void DropEvents(Platform* p) {
  InputEvent ev;
  while (p != nullptr && p->PollEvent(ev)) {
  }
}

// The course chosen, made ready to play: every hole compiled (the loading
// picture shows meanwhile), the folder its holes are read from, its length.
// Returns its first hole; "" for the SE Course and the training round, which
// play the program folder's holes (and for a hole folder given from outside).
std::string ReadyCourse(GameWindow& w, const GameSetup& s) {
  gs().holecount = kHolesPerGame;
  if (!w.holefolder.empty() || s.training || s.coursefolder.empty()) return "";
  Course c;
  const auto fault = [&](const std::string& why) {
    const std::string which = c.name.empty() ? "in " + s.coursefolder : "\"" + c.name + "\"";
    return AssetError("The course " + which + " cannot be played: " + why);
  };
  if (const std::string e = ReadCourse(s.coursefolder, c); !e.empty()) throw fault(e);
  const CourseBuild b = PlanCourse(s.coursefolder, w.folder, UserCacheFolder());
  ShowLoadingPicture();
  Platform* p = w.platform;
  if (const std::string e = PrepareCourse(c, b, [p] { DropEvents(p); }); !e.empty()) {
    throw fault(e);
  }
  w.holefolder = b.holes;
  gs().holecount = static_cast<int32_t>(c.holes.size());
  return c.holes.front();
}

void ResetPlayers(const GameSetup& s) {
  GameState& g = gs();
  for (int i = 1; i <= kMaxPlayers; ++i) {
    Ball& p = g.players[i];
    p.strokes = 0;
    p.total = 0;
    p.topar = 0;
    p.holeswon = 0;
    for (int h = 1; h <= kMaxHoles; ++h) p.holestrokes[h] = 0;
    p.name = s.playername[static_cast<size_t>(i - 1)];
    p.pull = s.pull[static_cast<size_t>(i - 1)];
    p.easy = s.easy[static_cast<size_t>(i - 1)];
  }
}

void ResetGameGlobals(const GameSetup& s) {
  GameState& g = gs();
  g.totalpar = 0;
  g.numplayers = s.numplayers;
  g.enterdown = false;
  g.holenumber = 1;
  g.curplayer = 1;
  g.firstholed = 0;
  g.gameover = false;
  for (int h = 1; h <= kMaxHoles; ++h) g.holepar[h] = 0;
}

// Gui items 11..14: the players' ball pictures; SetPicture converts the texels
// to the display's native pixels, which the ball drawing copies directly.
void InstallBallTextures(GameWindow& w, const GameSetup& s) {
  for (int i = 1; i <= kMaxPlayers; ++i) {
    const BallPicture& b = s.ballpicture[static_cast<size_t>(i - 1)];
    ImageItem* item = w.gui.Item(10 + i);
    if (!b.present || !item) continue;
    Picture pic;
    pic.width = 16;
    pic.height = 16;
    pic.pixels.assign(b.texels.begin(), b.texels.end());
    SetPicture(*item, std::move(pic));
  }
}

void SeedFloaters(GameWindow& w) {
  GameState& g = gs();
  const int dw = w.display.SurfaceWidth();
  const int dh = w.display.SurfaceHeight();
  const ImageItem* pic = w.course.Item(0);
  const int ch = pic ? pic->picture.height : dh;
  for (int i = 1; i <= kMaxFloaters; ++i) {
    Floater& f = g.floaters[i];
    f.x = Random(dw);
    f.y = Random(dh);
    f.image = 5 + Random(3);
    if (ch < dh) f.y = Random(ch) + (dh - ch) / 2;
  }
}

}  // namespace

void LoadGameAssets() {
  GameWindow& w = gamewin();
  GameState& g = gs();
  const GameSetup& s = setup();
  LoadImageList(w.menu, w.folder + "menu.dxg");
  LoadWaveList(w.sounds, w.folder + "sound.dxw");
  WaitForDisplay(w);
  g.timescale = 1;
  g.bgsoundon = s.bgsoundon;
  LoadImageList(w.gui, w.folder + "gui.dxg");
  ApplySkin(w, s.skin);
  const std::string coursefirst = ReadyCourse(w, s);
  if (!w.firsthole.empty()) {
    g.holename = w.firsthole;
  } else if (!coursefirst.empty()) {
    g.holename = coursefirst;
  } else {
    FirstHole();
  }
  ResetPlayers(s);
  ResetGameGlobals(s);
  if (!w.firsthole.empty()) g.holenumber = PlaceInCourse(w, w.firsthole, coursefirst);
  HoleInit();
  InstallBallTextures(w, s);
  SeedFloaters(w);
}

}  // namespace gp
