// The hole editor in a real window under Xvfb, worked with xdotool: a slow
// zone added from the palette and dragged by mouse, the drag undone by the
// toolbar and redone by Ctrl+Y, the hole saved, and the file read back as the
// hole model says it must be. Every step waits for what it did to show.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "game/area_kind.h"
#include "tools/editor/course_file.h"
#include "tools/editor/hole_model.h"
#include "tools/editor/window/layout.h"
#include "x11_session.h"

namespace gp::e2e {
namespace {

namespace lay = editor::layout;

// The window and the zoom the editor is started with; the view shows the new
// room (960 x 720) centred in it.
constexpr int kWidth = 1280, kHeight = 800;
constexpr double kZoom = 0.5;
constexpr int kViewW = kWidth - lay::kLeftWidth - lay::kRightWidth;
constexpr int kViewH = kHeight - lay::kToolbarHeight - lay::kStatusHeight;

int ScreenX(int wx, double x) {
  return wx + lay::kViewX + static_cast<int>(x * kZoom + (kViewW - 960 * kZoom) / 2);
}
int ScreenY(int wy, double y) {
  return wy + lay::kViewY + static_cast<int>(y * kZoom + (kViewH - 720 * kZoom) / 2);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// Polls until `done` holds, for at most `ms` milliseconds.
bool WaitFor(const std::function<bool()>& done, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    Sleep(100);
  }
  return done();
}

// The selection's yellow (its outline and corner handles) near (x, y).
bool SelectedAt(const XServer& x, int sx, int sy) {
  const Shot s = x.Screenshot();
  for (int dy = -3; dy <= 3; ++dy) {
    for (int dx = -3; dx <= 3; ++dx) {
      if (sx + dx < 0 || sy + dy < 0 || sx + dx >= s.w || sy + dy >= s.h) continue;
      if (ColourDistance(s.at(sx + dx, sy + dy), 255, 230, 60) < 40) return true;
    }
  }
  return false;
}

void Move(const XServer& x, int sx, int sy) {
  x.Xdo("mousemove " + std::to_string(sx) + " " + std::to_string(sy));
}

TEST(EditorE2E, AddDragUndoRedoSaveAndReadBack) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("galaputt_editor_e2e_" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string hole = (dir / "room.hole").string();
  const std::string original = editor::NewHoleText("room", "course1hole2");
  std::ofstream(hole, std::ios::binary) << original;

  XServer x(3, std::to_string(kWidth) + "x" + std::to_string(kHeight) + "x24");
  ASSERT_TRUE(x.ok()) << "Xvfb did not start";
  Child editor({kGameDir + "galaputt-editor", "--size",
                std::to_string(kWidth) + "x" + std::to_string(kHeight), "--zoom", "0.5", hole},
               x.name());
  int wx = 0, wy = 0;
  ASSERT_TRUE(x.WindowAt("Galaputt Editor", wx, wy)) << "no editor window";
  // The room's floor shows (green felt, not the view's dark) once compiled.
  ASSERT_TRUE(WaitFor(
      [&] { return Brightness(x.Screenshot(), ScreenX(wx, 480), ScreenY(wy, 200), 10) > 40; },
      30000))
      << "the course picture did not show";

  // The palette's slow zone, then a click on the floor: the new area, selected.
  Move(x, wx + lay::PaletteX(kSlowZone) + 10, wy + lay::PaletteY(kSlowZone) + 10);
  x.Xdo("click 1");
  Move(x, ScreenX(wx, 300), ScreenY(wy, 300));
  x.Xdo("click 1");
  Move(x, wx + kWidth - 100, wy + kHeight - 10);
  ASSERT_TRUE(WaitFor([&] { return SelectedAt(x, ScreenX(wx, 300), ScreenY(wy, 300)); }, 10000))
      << "no slow zone added at (300, 300)";

  // Dragged by its middle 120 px right and 80 down (60 and 40 on the screen).
  Move(x, ScreenX(wx, 360), ScreenY(wy, 340));
  x.Xdo("mousedown 1");
  for (int step = 1; step <= 4; ++step) {
    Move(x, ScreenX(wx, 360 + 30 * step), ScreenY(wy, 340 + 20 * step));
  }
  x.Xdo("mouseup 1");
  Move(x, wx + kWidth - 100, wy + kHeight - 10);  // no tooltip over the handles
  ASSERT_TRUE(WaitFor([&] { return SelectedAt(x, ScreenX(wx, 540), ScreenY(wy, 460)); }, 10000))
      << "the drag did not move it";

  // Undo (the toolbar), then redo (Ctrl+Y).
  Move(x, wx + lay::ToolbarButtonX(lay::kUndoButton) + 20, wy + lay::kToolbarY + 10);
  x.Xdo("click 1");
  Move(x, wx + kWidth - 100, wy + kHeight - 10);
  EXPECT_TRUE(WaitFor(
      [&] {
        return SelectedAt(x, ScreenX(wx, 300), ScreenY(wy, 300)) &&
               !SelectedAt(x, ScreenX(wx, 540), ScreenY(wy, 460));
      },
      10000))
      << "undo did not take the drag back";
  x.Key("ctrl+y");
  EXPECT_TRUE(WaitFor(
      [&] {
        return SelectedAt(x, ScreenX(wx, 540), ScreenY(wy, 460)) &&
               !SelectedAt(x, ScreenX(wx, 300), ScreenY(wy, 300));
      },
      10000))
      << "redo did not bring the drag back";

  // Save: the checks run first; Enter saves whatever they find.
  Move(x, wx + lay::ToolbarButtonX(lay::kSaveButton) + 20, wy + lay::kToolbarY + 10);
  x.Xdo("click 1");
  ASSERT_TRUE(WaitFor(
      [&] {
        if (ReadFile(hole) != original) return true;
        x.Key("Return");
        return false;
      },
      120000))
      << "the hole was not saved";

  // The file is the designer's file with exactly the model's changes.
  editor::HoleModel expected(original);
  ASSERT_EQ(expected.Add(kSlowZone, {{300, 300}}), 6);
  ASSERT_TRUE(expected.Move(6, 120, 80));
  EXPECT_EQ(ReadFile(hole), expected.Text());
  editor::HoleModel saved;
  std::string error;
  ASSERT_TRUE(editor::HoleModel::Load(hole, saved, error)) << error;
  EXPECT_EQ(saved.GetArea(6).kind, kSlowZone);
  EXPECT_EQ(saved.GetArea(6).x1, 420);
  EXPECT_EQ(saved.GetArea(6).y3, 460);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace gp::e2e
