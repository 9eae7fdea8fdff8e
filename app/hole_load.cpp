#include "app/hole_load.h"

#include "app/game_window.h"
#include "base/profile.h"
#include "game/hole_file.h"
#include "game/sound.h"
#include "game/state.h"
#include "media/bitmap_codec.h"
#include "sim/hole_setup.h"

namespace gp {

namespace {

// Menu image list item of the loading picture.
constexpr int kLoadingPicture = 1;

void LoadHoleAssets() {
  GameWindow& w = gamewin();
  const std::string stem = (w.holefolder.empty() ? w.folder : w.holefolder) + gs().holename;
  // Replacing the list also stops the previous hole's loop.
  LoadWaveList(w.bgsounds, stem + ".dxw");
  LoadImageList(w.course, stem + ".dxg", w.display.Running());
  // Without its hole file a hole would be an empty space with no cup.
  const Bytes text = ReadWholeFile(stem + ".hole", kMaxProfileFileBytes);
  LoadHoleText(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
}

}  // namespace

// Black screen with the loading picture centred, presented at once.
void ShowLoadingPicture() {
  Display& d = gamewin().display;
  if (!d.CanDraw()) return;
  d.Fill(0);
  if (const ImageItem* pic = gamewin().menu.Item(kLoadingPicture)) {
    d.Draw(*pic, 0, (d.SurfaceWidth() - pic->Width()) / 2, (d.SurfaceHeight() - pic->Height()) / 2);
  }
  d.Flip();
}

void PublishCourseImages() {
  GameState& g = gs();
  const ImageList& course = gamewin().course;
  const ImageItem* pic = course.Item(0);
  g.coursewidth = pic == nullptr ? 0 : (pic->Width() > 0 ? pic->Width() : pic->picture.width);
  g.courseheight = pic == nullptr ? 0 : (pic->Height() > 0 ? pic->Height() : pic->picture.height);
  for (int i = 0; i < kMaxCourseImages; ++i) {
    const ImageItem* item = course.Item(i);
    g.imagepatterns[static_cast<size_t>(i)] = item == nullptr ? -1 : item->PatternCount();
  }
}

void HoleInit() {
  GameWindow& w = gamewin();
  w.timer.enabled = false;
  ShowLoadingPicture();
  if (LoopsWanted()) {
    RequestSound(SoundList::Effects, kLoadingLoop, SoundOp::SetLooped, 1);
    RequestSound(SoundList::Effects, kLoadingLoop, SoundOp::Play);
  }
  if (w.display.CanDraw()) w.display.Fill(0);
  LoadHoleAssets();  // may throw: the timer then stays off
  PublishCourseImages();
  SetUpHole();
  w.timer.enabled = true;
}

}  // namespace gp
