// The interface art, fonts, sounds, ball textures and skins that the asset
// compiler writes into the program folder, read back with the game's readers.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "app/frame_tick.h"
#include "app/game_window.h"
#include "game/state.h"
#include "media/bitmap_codec.h"
#include "media/bitmap_text.h"
#include "media/image_list.h"
#include "media/rgb565.h"
#include "media/wave_list.h"
#include "support/game_dir.h"
#include "support/game_reset.h"
#include "view/aim_display.h"
#include "view/hud.h"

namespace {

namespace fs = std::filesystem;

using gp::test::GameFile;

gp::ImageList Images(const std::string& file) {
  gp::ImageList list;
  gp::LoadImageList(list, GameFile(file), true);
  return list;
}

gp::WaveList Waves(const std::string& file) {
  gp::WaveList list;
  gp::LoadWaveList(list, GameFile(file));
  return list;
}

// The pixel at (x, y) of pattern n of an item (picture colours, 0 = the key).
uint32_t PatternPixel(const gp::ImageItem& item, int n, int x, int y) {
  return item.picture.at((n % item.columns) * item.Width() + x,
                         (n / item.columns) * item.Height() + y);
}

int InkCount(const gp::ImageItem& item, int n) {
  int ink = 0;
  for (int y = 0; y < item.Height(); ++y) {
    for (int x = 0; x < item.Width(); ++x) ink += PatternPixel(item, n, x, y) != 0;
  }
  return ink;
}

void ExpectGrid(const gp::ImageList& list, int index, int patterns, int w, int h) {
  const gp::ImageItem* item = list.Item(index);
  ASSERT_NE(item, nullptr) << "item " << index;
  EXPECT_EQ(item->PatternCount(), patterns) << "item " << index;
  EXPECT_EQ(item->Width(), w) << "item " << index;
  EXPECT_EQ(item->Height(), h) << "item " << index;
}

TEST(GuiArt, ItemsAndPatternGrids) {
  const gp::ImageList gui = Images("gui.dxg");
  ASSERT_EQ(gui.Count(), 19);
  ExpectGrid(gui, 3, 5, 22, 22);                        // pressed buttons, one per button
  ExpectGrid(gui, 5, 31, 94, 44);                       // gauge: power 0..90 in steps of 3
  ExpectGrid(gui, 6, 4, 32, 26);                        // target marker
  ExpectGrid(gui, 7, 67 + gp::kMoreGlyphCount, 6, 10);  // small font: advance 6
  ExpectGrid(gui, 8, 12, 9, 14);                        // digits "0123456789o-"
  ExpectGrid(gui, 9, 32, 96, 142);                      // club shadow
  ExpectGrid(gui, 10, 32, 96, 142);                     // club
  for (int i = 11; i <= 17; ++i) ExpectGrid(gui, i, 1, 16, 16);
  // The panel holds the 28-character message line from screen x 122 (panel at 4)
  // and the buttons down to screen y 98.
  EXPECT_GE(gui.Item(1)->Width(), 122 + 28 * 6 - 4);
  EXPECT_GE(gui.Item(1)->Height(), 98 - 4);
  EXPECT_GE(gui.Item(2)->Width(), 274 - 4);  // minimised panel reaches the exit button
  // The label over a ball is centred on the name box: box x + 52 - 3L with L up to 17.
  EXPECT_GE(gui.Item(18)->Width(), 52 + 3 * 17 + 1);
}

TEST(GuiArt, PanelShowsItsButtonsAndExitWhereTheClicksAre) {
  const gp::ImageList gui = Images("gui.dxg");
  const gp::ImageItem& panel = *gui.Item(1);
  // Exit button: click area 7 x 6 at screen (267, 7).
  for (int y = 7; y < 13; ++y) {
    for (int x = 267; x < 274; ++x) EXPECT_NE(panel.picture.at(x - 4, y - 4), 0u) << x << "," << y;
  }
  // Each 22 x 22 button area is drawn, and its pressed pattern differs from it.
  const gp::ImageItem& down = *gui.Item(3);
  for (int k = 0; k < 5; ++k) {
    const int e = 16 + 22 * k;
    int differ = 0;
    for (int y = 0; y < 22; ++y) {
      for (int x = 0; x < 22; ++x) {
        const uint32_t up = panel.picture.at(e + 1 - 4 + x, 76 - 4 + y);
        EXPECT_NE(up, 0u);
        differ += up != PatternPixel(down, k, x, y);
      }
    }
    EXPECT_GT(differ, 100) << "button " << k + 1;
  }
  // The corners of the keyed panel are transparent (rounded).
  EXPECT_EQ(panel.picture.at(0, 0), 0u);
  EXPECT_EQ(panel.picture.at(panel.picture.width - 1, panel.picture.height - 1), 0u);
}

// True when every pixel of the rectangle is dark enough for the light HUD text
// (no rim, divider or star under it). Coordinates are picture-local.
::testing::AssertionResult DarkUnder(const gp::Picture& p, int x0, int y0, int w, int h) {
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) {
      if (x < 0 || y < 0 || x >= p.width || y >= p.height) {
        return ::testing::AssertionFailure() << x << "," << y << " is outside the picture";
      }
      const uint32_t c = p.at(x, y);
      const int lum = (2 * (c & 255) + 5 * ((c >> 8) & 255) + ((c >> 16) & 255)) / 8;
      if (c == 0 || lum > 70) {
        return ::testing::AssertionFailure()
               << x << "," << y << " is not a dark field (" << lum << ")";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// The text the HUD writes lands on the art's dark fields: screen positions of
// the game (the first glyph one advance right of the given x) minus the panel's
// place at (4, 4).
void ExpectFieldsUnderText(const gp::Picture& full, const gp::Picture& folded,
                           const gp::Picture& box, const std::string& what) {
  SCOPED_TRACE(what);
  EXPECT_TRUE(DarkUnder(full, 116 + 6 - 4, 31 - 4, 28 * 6, 10));  // message line
  EXPECT_TRUE(DarkUnder(full, 113 + 6 - 4, 48 - 4, 2 * 6, 10));   // strokes above 9
  EXPECT_TRUE(DarkUnder(full, 118 + 6 - 4, 48 - 4, 6, 10));       // strokes
  EXPECT_TRUE(DarkUnder(full, 161 + 6 - 4, 48 - 4, 2 * 6, 10));   // par
  const int topar[4][2] = {{19, 27}, {64, 27}, {19, 48}, {64, 48}};
  for (const auto& t : topar) {  // up to three digit glyphs, 9 x 14, advance 10
    EXPECT_TRUE(DarkUnder(full, t[0] + 10 - 4, t[1] - 4, 2 * 10 + 9, 14)) << t[0] << "," << t[1];
  }
  EXPECT_TRUE(DarkUnder(folded, 80 + 6 - 4, 9 - 4, 21 * 6, 10));  // folded label or message
  EXPECT_TRUE(DarkUnder(folded, 201 + 6 - 4, 9 - 4, 2 * 6, 10));  // strokes
  EXPECT_TRUE(DarkUnder(folded, 221 + 6 - 4, 9 - 4, 2 * 6, 10));  // par
  // Label over a ball: box at x - 52, text at x - 3L, one line 5 lower.
  for (int len : {1, 9, 17}) EXPECT_TRUE(DarkUnder(box, 52 - 3 * len + 6, 5, 6 * len, 10)) << len;
}

TEST(GuiArt, TextLandsOnTheFieldsOfThePanelAndNameBox) {
  const gp::ImageList gui = Images("gui.dxg");
  ExpectFieldsUnderText(gui.Item(1)->picture, gui.Item(2)->picture, gui.Item(18)->picture,
                        "default");
  for (const auto& dir : fs::directory_iterator(GameFile("skins"))) {
    if (!dir.is_directory()) continue;
    ExpectFieldsUnderText(gp::LoadBitmapFile((dir.path() / "panel.bmp").string()),
                          gp::LoadBitmapFile((dir.path() / "panelmin.bmp").string()),
                          gp::LoadBitmapFile((dir.path() / "namebox.bmp").string()),
                          dir.path().string());
  }
}

// The real HUD drawing code with the generated pictures: the texts show up
// light on the dark fields. With GALAPUTT_ART_DUMP set the screen is saved.
class RealHud : public gp::test::GameTest {
 protected:
  int Players() const override { return 3; }
  // Light pixels (text) in a screen rectangle.
  int Light(int x0, int y0, int w, int h) {
    const gp::Display& d = gp::gamewin().display;
    int n = 0;
    for (int y = y0; y < y0 + h; ++y) {
      for (int x = x0; x < x0 + w; ++x) {
        const uint32_t c = gp::FromNative(d.Pixels()[y * d.SurfaceWidth() + x]);
        n += (c & 255) + ((c >> 8) & 255) > 300;
      }
    }
    return n;
  }
};

TEST_F(RealHud, PanelTextsAndAimShowOnTheArt) {
  gp::GameWindow& w = gp::gamewin();
  gp::LoadImageList(w.gui, GameFile("gui.dxg"), true);
  gp::LoadImageList(w.menu, GameFile("menu.dxg"), true);
  gp::GameState& g = gp::gs();
  g.players[1].topar = -2;
  g.players[2].topar = 0;
  g.players[3].topar = 12;
  g.players[1].strokes = 3;
  g.players[1].total = 12;
  g.players[1].pull = false;
  g.par = 4;
  for (int p = 1; p <= 3; ++p) {
    g.players[p].x = 300 + 60 * p;
    g.players[p].y = 320;
    g.players[p].oncourse = true;
  }
  w.display.Fill(gp::Display::ColorMatch(0x402010));
  gp::HudPhase(gp::WindowScene(), true);
  EXPECT_GT(Light(122, 31, 28 * 6, 10), 60);  // "1. PLAYER 1 (12)" on the message line
  EXPECT_GT(Light(124, 48, 6, 10), 5);        // strokes
  EXPECT_GT(Light(167, 48, 6, 10), 5);        // par
  EXPECT_GT(Light(29, 27, 20, 14), 20);       // "-2"
  g.puttstage = 1;
  g.players[1].angle = 224;
  g.players[1].speed = 54;
  gp::DrawAim(gp::WindowScene());
  if (const char* dir = std::getenv("GALAPUTT_ART_DUMP")) {
    std::ofstream f(std::string(dir) + "/realhud.ppm", std::ios::binary);
    f << "P6 640 480 255\n";
    for (int i = 0; i < 640 * 480; ++i) {
      const uint32_t c = gp::FromNative(w.display.Pixels()[i]);
      f.put(static_cast<char>(c & 255))
          .put(static_cast<char>(c >> 8 & 255))
          .put(static_cast<char>(c >> 16 & 255));
    }
  }
  w.gui.items.clear();
  w.menu.items.clear();
}

TEST(GuiArt, FontsHaveGlyphsWhereTheGameLooks) {
  const gp::ImageList gui = Images("gui.dxg");
  const gp::ImageItem& small = *gui.Item(7);
  const int count = 67 + gp::kMoreGlyphCount;
  const int nbsp = 67 + static_cast<int>(std::strchr(gp::kMoreGlyphs, '\xA0') - gp::kMoreGlyphs);
  for (int n = 0; n < count; ++n) {
    if (n == 29 || n == 30 || n == nbsp) {
      EXPECT_EQ(InkCount(small, n), 0) << "blank pattern " << n;
    } else {
      EXPECT_GT(InkCount(small, n), 1) << "glyph " << n;
    }
  }
  // Distinct glyphs for distinct characters (the second "=" repeats the first,
  // the low single quote the comma, the soft hyphen the hyphen).
  std::set<std::vector<uint32_t>> shapes;
  for (int n = 0; n < count; ++n) {
    if (n == 29 || n == 30 || n == 59 || n == nbsp) continue;
    std::vector<uint32_t> px;
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 6; ++x) px.push_back(PatternPixel(small, n, x, y));
    }
    shapes.insert(px);
  }
  EXPECT_EQ(shapes.size(), static_cast<size_t>(64 + gp::kMoreGlyphCount - 1 - 2));
  const gp::ImageItem& digits = *gui.Item(8);
  for (int n = 0; n < 12; ++n) EXPECT_GT(InkCount(digits, n), 8) << "digit " << n;
}

TEST(GuiArt, GaugeGrowsWithPowerFromEmpty) {
  const gp::ImageList gui = Images("gui.dxg");
  const gp::ImageItem& gauge = *gui.Item(5);
  EXPECT_EQ(InkCount(gauge, 0), 0);
  // The lit part grows: distinct colours appear as the power rises.
  auto lit = [&](int n) {
    std::set<uint32_t> colours;
    for (int y = 0; y < gauge.Height(); ++y) {
      for (int x = 0; x < gauge.Width(); ++x) colours.insert(PatternPixel(gauge, n, x, y));
    }
    return colours.size();
  };
  EXPECT_LT(lit(1), lit(30));
  for (int n = 1; n < 31; ++n) EXPECT_GT(InkCount(gauge, n), 200) << n;
}

TEST(GuiArt, ClubFaceLooksAlongTheShot) {
  const gp::ImageList gui = Images("gui.dxg");
  const gp::ImageItem& club = *gui.Item(10);
  const gp::ImageItem& shadow = *gui.Item(9);
  for (int c = 0; c < 32; ++c) {
    // Pattern c aims at byte angle 128 - 8c; the ball lies ahead of (47, 125).
    const double a = (128 - 8 * c) * 2 * M_PI / 256;
    const double dx = std::cos(a), dy = std::sin(a);
    auto at = [&](double k) {
      return PatternPixel(club, c, static_cast<int>(std::lround(47 + dx * k)),
                          static_cast<int>(std::lround(125 + dy * k - 1)));
    };
    EXPECT_NE(at(-3), 0u) << "head behind the contact point, pattern " << c;
    EXPECT_EQ(at(7), 0u) << "ball side clear, pattern " << c;
    EXPECT_GT(InkCount(shadow, c), 100) << "shadow " << c;
  }
}

TEST(GuiArt, BallShadingStaysInsideTheBall) {
  const gp::ImageList gui = Images("gui.dxg");
  const gp::ImageItem& shading = *gui.Item(15);
  const gp::ImageItem& darkening = *gui.Item(16);
  // Outside the sphere (corners) nothing is subtracted from the course.
  for (int y : {0, 15}) {
    for (int x : {0, 1, 14, 15}) {
      EXPECT_EQ(shading.picture.at(x, y), 0u);
      EXPECT_EQ(darkening.picture.at(x, y), 0u);
    }
  }
  // Light from the upper left: little at the highlight, most at the lower right.
  EXPECT_LT(shading.picture.at(5, 5) & 255, 40u);
  EXPECT_GT(shading.picture.at(12, 12) & 255, 150u);
  EXPECT_GT(gui.Item(17)->picture.at(8, 9) & 255, 100u);  // ground shadow's centre
  // The four default balls differ.
  std::set<std::vector<uint32_t>> balls;
  for (int i = 11; i <= 14; ++i) balls.insert(gui.Item(i)->picture.pixels);
  EXPECT_EQ(balls.size(), 4u);
}

TEST(MenuArt, FontsPagesAndSheet) {
  const gp::ImageList menu = Images("menu.dxg");
  ASSERT_EQ(menu.Count(), 6);
  // Codes 32..92, 21 wide: the 27 characters of the exit prompt fit 640 pixels
  // centred as 23 x 27 with the first glyph one width in and 3 of jitter.
  ExpectGrid(menu, 0, 61, 21, menu.Item(0)->Height());
  EXPECT_LE((640 - 23 * 27) / 2 + 3 + 28 * menu.Item(0)->Width(), 640);
  ExpectGrid(menu, 5, 67 + gp::kMoreGlyphCount, 8, menu.Item(5)->Height());
  EXPECT_EQ(InkCount(*menu.Item(0), 0), 0);          // space adds nothing
  EXPECT_GT(InkCount(*menu.Item(0), 'W' - 32), 80);  // a wide capital fits its cell
  const int nbsp = 67 + static_cast<int>(std::strchr(gp::kMoreGlyphs, '\xA0') - gp::kMoreGlyphs);
  for (int n = 0; n < 67 + gp::kMoreGlyphCount; ++n) {
    if (n == 29 || n == 30 || n == nbsp) continue;
    EXPECT_GT(InkCount(*menu.Item(5), n), 3) << "menu glyph " << n;
  }
  // Pages fit the smallest screen, 512 x 384; the sheet holds its columns.
  for (int i = 1; i <= 3; ++i) {
    EXPECT_LE(menu.Item(i)->Width(), 512) << i;
    EXPECT_LE(menu.Item(i)->Height(), 384) << i;
  }
  const gp::ImageItem& sheet = *menu.Item(4);
  EXPECT_GE(sheet.Width(), 572 + 2 * 8 + 8);  // holes won, two digits
  EXPECT_GE(sheet.Height(), 319 + 12);        // the standings line
}

// Peak magnitude and the largest jump between neighbouring samples.
struct Shape {
  int peak = 0;
  double rms = 0;
};
Shape Measure(const std::vector<int16_t>& s) {
  Shape m;
  double sum = 0;
  for (int16_t v : s) {
    m.peak = std::max(m.peak, std::abs(static_cast<int>(v)));
    sum += static_cast<double>(v) * v;
  }
  m.rms = s.empty() ? 0 : std::sqrt(sum / s.size());
  return m;
}

// A looped sound's wrap from its last sample to its first is no bigger a step
// than the sound's own steep moments: no click at the loop point.
void ExpectSeamless(const std::vector<int16_t>& s, const std::string& what) {
  ASSERT_GT(s.size(), 100u);
  std::vector<int> steps;
  for (size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
  std::sort(steps.begin(), steps.end());
  const int p99 = steps[steps.size() * 99 / 100];
  EXPECT_LE(std::abs(s.front() - s.back()), 2 * p99 + 50) << what;
}

void ExpectSounds(const gp::WaveList& list, const std::string& file) {
  for (int i = 0; i < list.Count(); ++i) {
    const gp::WaveItem& w = list.items[static_cast<size_t>(i)];
    EXPECT_EQ(w.format.rate, 22050) << file << " " << i;
    EXPECT_EQ(w.format.bits, 16) << file << " " << i;
    EXPECT_EQ(w.format.channels, 1) << file << " " << i;
    const Shape m = Measure(w.samples);
    EXPECT_GT(m.peak, 6000) << file << " " << i << " is too quiet";
    EXPECT_GT(m.rms, 300) << file << " " << i << " is nearly silent";
    EXPECT_LT(m.peak, 32700) << file << " " << i << " clips";
    if (w.looped) ExpectSeamless(w.samples, file + " " + std::to_string(i));
  }
}

TEST(Sounds, EffectsAndLauncherSounds) {
  const gp::WaveList sounds = Waves("sound.dxw");
  ASSERT_EQ(sounds.Count(), 28);
  ExpectSounds(sounds, "sound.dxw");
  for (int i = 0; i < 28; ++i) EXPECT_EQ(sounds.items[static_cast<size_t>(i)].looped, i == 6) << i;
  const gp::WaveList menu = Waves("menu.dxw");
  ASSERT_EQ(menu.Count(), 4);
  ExpectSounds(menu, "menu.dxw");
  EXPECT_TRUE(menu.items[0].looped);
  EXPECT_FALSE(menu.items[1].looped);
  // Effects are short and punchy; the putt and the click start at once.
  for (int i : {0, 5}) {
    const std::vector<int16_t>& s = sounds.items[static_cast<size_t>(i)].samples;
    EXPECT_LT(s.size(), 22050u / 2) << i;
    int first = 0;
    while (first < static_cast<int>(s.size()) && std::abs(s[first]) < 3000) ++first;
    EXPECT_LT(first, 220) << "sound " << i << " starts late";
  }
}

// The holes' wave lists carry the background music (looped) and a
// device one-shot.
TEST(Sounds, HoleBedsLoopCleanlyAndDevicesSound) {
  int holes = 0;
  for (const auto& e : fs::directory_iterator(GALAPUTT_GAME_DIR)) {
    const std::string name = e.path().filename().string();
    if (e.path().extension() != ".dxw" || name == "sound.dxw" || name == "menu.dxw") continue;
    ++holes;
    const gp::WaveList list = Waves(name);
    ASSERT_GE(list.Count(), 1) << name;
    EXPECT_TRUE(list.items[0].looped) << name;
    ExpectSounds(list, name);
  }
  EXPECT_GT(holes, 0) << "no hole wave lists built";
}

TEST(BallTextures, AtLeastSixDistinct24BitPictures) {
  std::set<std::vector<uint32_t>> seen;
  int count = 0;
  for (const auto& e : fs::directory_iterator(GameFile("textures"))) {
    if (e.path().extension() != ".bmp") continue;
    ++count;
    std::ifstream f(e.path(), std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(f)), {});
    ASSERT_GT(bytes.size(), 30u);
    EXPECT_EQ(bytes[28], 24) << e.path();  // bits per pixel
    const gp::Picture p = gp::LoadBitmapFile(e.path().string());
    EXPECT_EQ(p.width, 16);
    EXPECT_EQ(p.height, 16);
    seen.insert(p.pixels);
  }
  EXPECT_GE(count, 6);
  EXPECT_EQ(static_cast<int>(seen.size()), count);
}

TEST(Skins, EverySkinFolderReplacesAllTenPicturesAtTheirSizes) {
  const gp::ImageList gui = Images("gui.dxg");
  const struct {
    const char* file;
    int item;
  } files[] = {{"pointer.bmp", 0},  {"panel.bmp", 1},   {"panelmin.bmp", 2}, {"buttonsdown.bmp", 3},
               {"pushputt.bmp", 4}, {"gauge.bmp", 5},   {"target.bmp", 6},   {"font.bmp", 7},
               {"numbers.bmp", 8},  {"namebox.bmp", 18}};
  int skins = 0;
  for (const auto& dir : fs::directory_iterator(GameFile("skins"))) {
    if (!dir.is_directory()) continue;
    ++skins;
    for (const auto& f : files) {
      const gp::Picture p = gp::LoadBitmapFile((dir.path() / f.file).string());
      const gp::Picture& def = gui.Item(f.item)->picture;
      EXPECT_EQ(p.width, def.width) << dir.path() << " " << f.file;
      EXPECT_EQ(p.height, def.height) << dir.path() << " " << f.file;
      EXPECT_NE(p.pixels, def.pixels) << dir.path() << " " << f.file << " is the default";
    }
  }
  EXPECT_GE(skins, 1);
}

// Every file under a folder, relative path to bytes.
std::vector<std::pair<std::string, std::string>> Tree(const fs::path& root) {
  std::vector<std::pair<std::string, std::string>> files;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (!e.is_regular_file()) continue;
    std::ifstream f(e.path(), std::ios::binary);
    files.emplace_back(fs::relative(e.path(), root).string(),
                       std::string((std::istreambuf_iterator<char>(f)), {}));
  }
  std::sort(files.begin(), files.end());
  return files;
}

// A second run writes what the build's own run wrote into the program folder.
TEST(AssetCompiler, TwoRunsWriteTheSameBytes) {
  const fs::path out = fs::temp_directory_path() / ("galaputt_art_" + std::to_string(getpid()));
  fs::create_directories(out);
  const std::string cmd = GameFile("galaputt-assets") + " --out " + out.string() +
                          " gui menu sound menusound textures skins > /dev/null";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  const auto again = Tree(out);
  fs::remove_all(out);
  ASSERT_GE(again.size(), 6u + 6 + 10);
  for (const auto& [name, bytes] : again) {
    std::ifstream f(GameFile(name), std::ios::binary);
    const std::string first((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_FALSE(first.empty()) << name << " is not in the program folder";
    EXPECT_TRUE(first == bytes) << name << " differs";
  }
}

}  // namespace
