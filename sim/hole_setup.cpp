#include "sim/hole_setup.h"

#include "game/hole_file.h"
#include "game/sound.h"
#include "game/state.h"
#include "app/game_window.h"
#include "sim/turns.h"

namespace gp {

namespace {

// Effect sound of the loading loop; background sound of the hole's loop.
constexpr int kLoadingLoop = 6;
constexpr int kHoleLoop = 0;
// Menu image list item of the loading picture.
constexpr int kLoadingPicture = 1;

// One fixed decoration: a looping sprite in one of the hole's slots 35..40.
// p1 < 0 draws subtractively (a shadow), p1 > 0 additively (a glow).
struct Decoration {
  const char* hole;
  int slot;
  int x, y;   // course pixels, top-left corner
  int image;  // course image list index
  int p1;
  int frame;
};

// clang-format off
constexpr Decoration kDecorations[] = {
    {"training1", 35, 340, 165, 9, 0, 0},
    {"training1", 36, 1071, 364, 10, 0, 0},
    {"training1", 37, 218, 647, 11, 0, 0},
    {"course1hole2", 37, 252, 489, 8, 0, 0},
    {"course1hole3", 35, 930, 240, 9, 192, 0},
    {"course1hole3", 37, 470, 808, 9, -220, 0},
    {"course1hole3", 38, 520, 822, 9, -220, 7},
    {"course1hole3", 39, 236, 127, 9, -220, 0},
    {"course1hole3", 40, 171, 125, 9, 250, 7},
    {"course3hole1", 36, 600, 500, 5, 0, 0},
    {"course3hole1", 37, 602, 509, 6, -192, 0},
    {"course3hole2", 35, 858, 151, 6, 0, 0},
    {"course3hole2", 36, 12, 674, 7, 0, 0},
    {"course1hole7", 36, 1080, 402, 5, 0, 0},
    {"course1hole7", 37, 1082, 411, 6, -192, 0},
    {"course1hole7", 38, 286, 237, 10, 0, 0},
    {"course1hole7", 39, 1181, 682, 11, 0, 0},
    {"course1hole8", 35, 837, 452, 6, 0, 0},
    {"course1hole9", 36, 430, 879, 5, 0, 0},
    {"course1hole9", 37, 432, 888, 6, -192, 0},
    {"course1hole9", 38, 956, 203, 10, 0, 0},
    {"course1hole9", 39, 338, 1165, 11, 0, 0},
    {"course2hole4", 37, 698, 556, 9, 0, 0},
    {"course2hole4", 38, 941, 435, 10, 0, 0},
    {"course2hole4", 39, 849, 226, 11, 0, 0},
    {"course2hole1", 35, 469, 779, 11, 64, 0},
    {"course2hole1", 36, 345, 702, 5, 0, 0},
    {"course2hole1", 37, 347, 711, 6, -192, 0},
    {"course2hole7", 37, 342, 222, 9, 0, 0},
    {"course2hole7", 38, 377, 520, 10, 0, 0},
    {"course2hole5", 35, 617, 110, 6, 0, 0},
    {"course2hole5", 36, 860, 227, 7, 0, 0},
    {"course2hole5", 37, 469, 512, 8, 0, 0},
    {"course2hole5", 38, 138, 601, 9, 0, 0},
    {"course2hole5", 39, 1020, 856, 10, 0, 0},
    {"course2hole2", 35, 217, 314, 6, 0, 0},
    {"course2hole2", 36, 491, 160, 7, 0, 0},
    {"course2hole2", 37, 171, 760, 8, 0, 0},
    {"course2hole2", 38, 905, 767, 9, 0, 0},
    {"course2hole2", 39, 373, 1115, 10, 0, 0},
    {"course2hole2", 40, 1047, 575, 11, 0, 0},
    {"course2hole8", 37, 87, 603, 8, 0, 0},
    {"course2hole8", 38, 372, 634, 9, 0, 0},
    {"course2hole8", 39, 580, 833, 10, 0, 0},
    {"course2hole8", 40, 1514, 123, 11, 0, 0},
    {"course2hole6", 36, 449, 506, 5, 0, 0},
    {"course2hole6", 37, 451, 515, 6, -192, 0},
    {"course2hole9", 35, 511, 81, 9, 0, 0},
    {"course2hole9", 36, 666, 518, 10, 0, 0},
    {"course2hole9", 37, 171, 781, 11, 0, 0},
    {"course1hole6", 36, 220, 83, 9, 0, 0},
    {"course1hole6", 37, 97, 145, 10, 0, 0},
    {"course1hole6", 38, 777, 1878, 11, 0, 0},
    {"course3hole3", 38, 890, 307, 11, 0, 0},
    {"course3hole4", 36, 158, 602, 5, 0, 0},
    {"course3hole4", 37, 160, 611, 6, -192, 0},
    {"course3hole4", 38, 1050, 244, 11, 0, 0},
    {"course3hole5", 36, 257, 805, 5, 0, 0},
    {"course3hole5", 37, 259, 814, 6, -192, 0},
    {"course3hole7", 35, 1000, 364, 8, 0, 0},
    {"course3hole7", 36, 1164, 386, 8, 0, 0},
    {"course3hole7", 37, 1060, 884, 8, 0, 0},
    {"course3hole7", 38, 1128, 851, 8, 0, 0},
    {"course3hole7", 39, 1233, 290, 8, 0, 0},
    {"course3hole7", 40, 1047, 200, 9, 0, 0},
    {"course4hole3", 36, 634, 726, 11, 0, 0},
    {"course4hole3", 37, 265, 466, 10, 0, 0},
    {"course4hole7", 36, 1113, 570, 5, 0, 0},
    {"course4hole7", 37, 1115, 579, 6, -192, 0},
};
// clang-format on

bool LoopsWanted() {
  return gs().soundon && gs().bgsoundon;
}

// Black screen with the loading picture centred, presented at once.
void ShowLoadingPicture() {
  Display& d = mainwin().DXDraw;
  if (!d.CanDraw()) return;
  d.Fill(0);
  if (const ImageItem* pic = mainwin().menu.Item(kLoadingPicture)) {
    d.Draw(*pic, 0, (d.SurfaceWidth() - pic->Width()) / 2, (d.SurfaceHeight() - pic->Height()) / 2);
  }
  d.Flip();
}

void LoadHoleAssets() {
  TMain& w = mainwin();
  const std::string stem = w.folder + gs().holename;
  // Replacing the list also stops the previous hole's loop.
  LoadWaveList(w.bgsounds, stem + ".dxw");
  LoadImageList(w.course, stem + ".dxg", w.DXDraw.Running());
  LoadHoleFile(stem + ".hole");
}

void ResetPlayers() {
  GameState& g = gs();
  for (playerrec& b : g.players) {
    b.oncourse = false;
    b.z = b.vz = 0;
    b.angle = 0;
    b.speed = 0;
    b.airborne = b.sinking = b.inhole = b.moving = false;
    b.ballrows = 15;
    b.holearea = 0;
    b.lastarea = -1;
    b.strokes = 0;
    b.shade = 0;
  }
  g.gameover = false;
}

void ResetParticles() {
  for (particlerec& q : gs().particles) {
    q.active = false;
    q.x = q.y = q.z = q.vz = 0;
    q.bounces = 1;
    q.colour = 0;
    q.shadow = q.dots = false;
  }
}

void ResetHoleGlobals() {
  GameState& g = gs();
  g.puttstage = 0;
  g.viewx = g.viewy = 0;
  g.centreview = true;
  g.ballsmoving = g.bonusturn = g.passturn = false;
  g.beststrokes = 99;
}

void ClearSprites() {
  GameState& g = gs();
  g.nextsprite = 1;
  for (spriterec& s : g.sprites) s = spriterec{};
}

}  // namespace

void PlaceDecorations(const std::string& holename) {
  for (const Decoration& d : kDecorations) {
    if (holename != d.hole) continue;
    gs().sprites[d.slot] = spriterec{d.x, d.y, d.image, d.frame, true, d.p1, 0};
  }
}

void HoleInit() {
  GameState& g = gs();
  TMain& w = mainwin();
  w.gengine.enabled = false;
  ShowLoadingPicture();
  if (LoopsWanted()) {
    RequestSound(SoundList::Effects, kLoadingLoop, SoundOp::SetLooped, 1);
    RequestSound(SoundList::Effects, kLoadingLoop, SoundOp::Play);
  }
  if (w.DXDraw.CanDraw()) w.DXDraw.Fill(0);
  LoadHoleAssets();  // may throw: the timer then stays off
  ResetPlayers();
  ResetParticles();
  ResetHoleGlobals();
  StartingPlayer();
  ClearSprites();
  PlaceDecorations(g.holename);
  RequestSound(SoundList::Effects, kLoadingLoop, SoundOp::Stop);
  RequestSound(SoundList::Background, kHoleLoop, SoundOp::SetLooped, 1);
  if (LoopsWanted()) RequestSound(SoundList::Background, kHoleLoop, SoundOp::Play);
  g.gamestate = kHoleCard;
  w.gengine.enabled = true;
}

}  // namespace gp
