#include "app/hole_load.h"

#include "app/game_window.h"
#include "game/hole_file.h"
#include "game/sound.h"
#include "game/state.h"
#include "sim/hole_setup.h"

namespace gp {

namespace {

// Menu image list item of the loading picture.
constexpr int kLoadingPicture = 1;

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

}  // namespace

void PublishCourseImages() {
  GameState& g = gs();
  const ImageList& course = mainwin().course;
  const ImageItem* pic = course.Item(0);
  g.coursewidth = pic == nullptr ? 0 : (pic->Width() > 0 ? pic->Width() : pic->picture.width);
  g.courseheight = pic == nullptr ? 0 : (pic->Height() > 0 ? pic->Height() : pic->picture.height);
  for (int i = 0; i < kMaxCourseImages; ++i) {
    const ImageItem* item = course.Item(i);
    g.imagepatterns[static_cast<size_t>(i)] =
        item == nullptr ? -1 : item->PatternCount();
  }
}

void HoleInit() {
  TMain& w = mainwin();
  w.gengine.enabled = false;
  ShowLoadingPicture();
  if (LoopsWanted()) {
    RequestSound(SoundList::Effects, kLoadingLoop, SoundOp::SetLooped, 1);
    RequestSound(SoundList::Effects, kLoadingLoop, SoundOp::Play);
  }
  if (w.DXDraw.CanDraw()) w.DXDraw.Fill(0);
  LoadHoleAssets();  // may throw: the timer then stays off
  PublishCourseImages();
  SetUpHole();
  w.gengine.enabled = true;
}

}  // namespace gp
