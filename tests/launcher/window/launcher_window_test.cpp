// The launcher's window code on SDL's software renderer: quick presses and
// clicks reach Dear ImGui, the face covers every character a name can hold,
// the name field holds what a name can, and movie frames and the exit picture
// are drawn at their own size.
#include <SDL.h>
#include <gtest/gtest.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "launcher/exit_picture.h"
#include "launcher/launcher_model.h"
#include "base/text_codepage.h"
#include "launcher/window/imgui_sdl.h"
#include "launcher/window/intro_window.h"
#include "launcher/window/launcher_screen.h"
#include "launcher/window/panels_view.h"
#include "support/temp_folder.h"

namespace gp {
namespace {

// A software renderer drawing into a surface of its own.
class RendererTest : public ::testing::Test {
 protected:
  void Open(int w, int h) {
    Close();
    surface_ = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(surface_, nullptr);
    renderer_ = SDL_CreateSoftwareRenderer(surface_);
    ASSERT_NE(renderer_, nullptr) << SDL_GetError();
  }
  void Close() {
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (surface_) SDL_FreeSurface(surface_);
    renderer_ = nullptr;
    surface_ = nullptr;
  }
  void TearDown() override { Close(); }
  // The target's pixels as 0x00BBGGRR, the colours pictures use.
  std::vector<uint32_t> Pixels() {
    std::vector<uint32_t> argb(static_cast<size_t>(surface_->w) * surface_->h);
    EXPECT_EQ(SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, argb.data(),
                                   surface_->w * 4),
              0);
    for (uint32_t& p : argb) p = (p >> 16 & 0xFF) | (p & 0xFF00) | (p & 0xFF) << 16;
    return argb;
  }

  SDL_Surface* surface_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
};

// A picture with no black pixel, so black on the target means "outside".
Picture TestPicture(int w, int h) {
  Picture p;
  p.width = w;
  p.height = h;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      p.pixels.push_back(static_cast<uint32_t>((x * 255 / w) | (y * 255 / h) << 8 | 0x80 << 16));
    }
  }
  return p;
}

using DrawingTest = RendererTest;

TEST_F(DrawingTest, ExitPictureAtOwnSizeFromTopLeftRestBlack) {
  const Picture pic = TestPicture(640, 480);
  for (const auto& [sw, sh] : {std::pair{640, 480}, std::pair{800, 600}, std::pair{512, 384}}) {
    Open(sw, sh);
    SDL_Texture* texture = nullptr;
    LauncherScreen::Upload(renderer_, texture, pic.pixels.data(), pic.width, pic.height);
    ASSERT_NE(texture, nullptr);
    ExitPicture ex;
    ex.Show(sw, sh);
    SDL_SetRenderDrawColor(renderer_, 9, 9, 9, 255);
    SDL_RenderClear(renderer_);  // what was there before: gone
    DrawAtOwnSize(renderer_, texture, ex.PictureRect(pic.width, pic.height));
    const std::vector<uint32_t> shown = Pixels();
    for (int y = 0; y < sh; ++y) {
      for (int x = 0; x < sw; ++x) {
        const uint32_t want = x < 640 && y < 480 ? pic.at(x, y) : 0;  // never scaled
        ASSERT_EQ(shown[static_cast<size_t>(y) * sw + x], want)
            << sw << "x" << sh << " at " << x << "," << y;
      }
    }
    SDL_DestroyTexture(texture);
  }
}

TEST_F(DrawingTest, MovieFrameLargerThanTheScreenIsCentredAndCutNotScaled) {
  // The intro centres a 100 x 80 movie on a 60 x 40 screen: at (-20, -20).
  struct NoWindow : IntroHost {
    bool OpenMovie(const std::string&, int& w, int& h, std::string&) override {
      w = 100;
      h = 80;
      return true;
    }
    void PlayMovie() override {}
    void StopMovie() override {}
    void WarpPointer(int, int) override {}
    void ShowPointer(bool) override {}
    void PointerShape(bool) override {}
    void ReportError(const std::string&) override {}
  } host;
  Intro intro(host, "/");
  intro.Show(60, 40);
  ASSERT_EQ(intro.Player().x, -20);
  Open(60, 40);
  const Picture frame = TestPicture(100, 80);
  SDL_Texture* texture = nullptr;
  LauncherScreen::Upload(renderer_, texture, frame.pixels.data(), 100, 80);
  DrawAtOwnSize(renderer_, texture, intro.Player());
  std::vector<uint32_t> shown = Pixels();
  EXPECT_EQ(shown[0], frame.at(20, 20));
  EXPECT_EQ(shown[39 * 60 + 59], frame.at(79, 59));
  // Nothing to show (a movie that has ended): all black.
  DrawAtOwnSize(renderer_, nullptr, intro.Player());
  for (uint32_t v : Pixels()) ASSERT_EQ(v, 0u);
  SDL_DestroyTexture(texture);
}

// Dear ImGui with the launcher's face, fed SDL events.
class ImGuiTest : public RendererTest {
 protected:
  void SetUp() override {
    Open(640, 480);
    imgui = std::make_unique<ImGuiSdl>(renderer_, kLauncherFontFile, kLauncherFontPixels);
  }
  void TearDown() override {
    imgui.reset();
    RendererTest::TearDown();
  }
  void Frame(const std::function<void()>& ui) {
    imgui->NewFrame(640, 480, 1.0f / 60);
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(ImVec2(300, 100));
    ImGui::Begin("test");
    ui();
    ImGui::End();
    imgui->Render();
  }
  void Key(SDL_Scancode sc, bool down, uint16_t mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.keysym.scancode = sc;
    e.key.keysym.mod = mod;
    imgui->Event(e, 0, 0);
  }
  void Press(SDL_Scancode sc, uint16_t mod = KMOD_NONE) {
    Key(sc, true, mod);
    Key(sc, false, mod);
  }
  void Type(const std::string& utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, utf8.c_str(), sizeof e.text.text - 1);
    imgui->Event(e, 0, 0);
  }
  void Mouse(Uint32 type, int x, int y) {
    SDL_Event e{};
    e.type = type;
    e.button.button = SDL_BUTTON_LEFT;
    imgui->Event(e, x, y);
  }
  // Frames until nothing is held over, and one more.
  int Settle(const std::function<void()>& ui) {
    int frames = 0;
    do {
      Frame(ui);
      ++frames;
    } while (imgui->Pending() && frames < 1000);
    Frame(ui);
    return frames;
  }

  std::unique_ptr<ImGuiSdl> imgui;
};

TEST_F(ImGuiTest, FaceHasEveryCharacterANameCanHold) {
  const ImFont* font = ImGui::GetIO().Fonts->Fonts[0];
  ASSERT_NE(font, nullptr);
  for (int b = 0x20; b <= 0xFF; ++b) {
    if (!WesternPrintable(static_cast<unsigned char>(b))) continue;
    const char32_t cp = WesternCodePoint(static_cast<unsigned char>(b));
    EXPECT_NE(font->FindGlyphNoFallback(static_cast<ImWchar>(cp)), nullptr)
        << "byte 0x" << std::hex << b << " (U+" << static_cast<int>(cp) << ")";
  }
}

TEST_F(ImGuiTest, QuickPressesBetweenFramesAreAllSeen) {
  char buf[64] = "0123456789ABCDEF";
  bool focus = true;
  const auto field = [&] {
    if (focus) ImGui::SetKeyboardFocusHere();
    focus = false;
    ImGui::InputText("##t", buf, sizeof buf);
  };
  Frame(field);
  Frame(field);
  Press(SDL_SCANCODE_END);  // focused, the text is all selected: the cursor to its end
  Settle(field);
  ASSERT_STREQ(buf, "0123456789ABCDEF");
  // Eight BackSpace presses, three, three and two of them between frames.
  for (int group : {3, 3, 2}) {
    for (int i = 0; i < group; ++i) Press(SDL_SCANCODE_BACKSPACE);
    Frame(field);
  }
  Settle(field);
  EXPECT_STREQ(buf, "01234567");
  // Text, an editing key and text again between two frames keep their order.
  Type("a");
  Press(SDL_SCANCODE_BACKSPACE);
  Type("b");
  Settle(field);
  EXPECT_STREQ(buf, "01234567b");
  // Ctrl+A then typing replaces everything, also when both come at once.
  Key(SDL_SCANCODE_LCTRL, true, KMOD_LCTRL);
  Press(SDL_SCANCODE_A, KMOD_LCTRL);
  Key(SDL_SCANCODE_LCTRL, false);
  Type("z");
  Settle(field);
  EXPECT_STREQ(buf, "z");
}

TEST_F(ImGuiTest, QuickClickBetweenFramesIsSeen) {
  int clicks = 0;
  const auto button = [&] {
    ImGui::SetCursorPos(ImVec2(10, 10));
    if (ImGui::Button("OK", ImVec2(50, 20))) ++clicks;
  };
  SDL_Event move{};
  move.type = SDL_MOUSEMOTION;
  imgui->Event(move, 30, 20);
  Frame(button);
  for (int i = 0; i < 2; ++i) {
    Mouse(SDL_MOUSEBUTTONDOWN, 30, 20);
    Mouse(SDL_MOUSEBUTTONUP, 30, 20);
  }
  Settle(button);
  EXPECT_EQ(clicks, 2);
}

// The start panel's name field, drawn by the launcher's own panels.
class NameFieldTest : public ImGuiTest {
 protected:
  struct SilentHost : LauncherHost {
    void PlaySound(int) override {}
    void LoopSound(int) override {}
    void StopSound(int) override {}
    void PanelTransition() override {}
  };

  void SetUp() override {
    ImGuiTest::SetUp();
    PanelsView::Style();
    view = std::make_unique<PanelsView>(renderer_);
    model.Create();
    model.Show();
    model.SpotClicked(0);
    ASSERT_EQ(model.panel(), Panel::Start);
    Settle();  // the panel is on show
    // A click into the field, then the cursor to its end.
    int px = 0, py = 0;
    PanelsView::PanelPosition(640, 480, px, py);
    const int x = px + 184 + 69 + 50, y = py + 8 + 20 + 9;
    SDL_Event move{};
    move.type = SDL_MOUSEMOTION;
    imgui->Event(move, x, y);
    Mouse(SDL_MOUSEBUTTONDOWN, x, y);
    Mouse(SDL_MOUSEBUTTONUP, x, y);
    Press(SDL_SCANCODE_END);
    Settle();
  }
  void TearDown() override {
    view.reset();
    ImGuiTest::TearDown();
  }
  // Launcher passes until the held-over input is used up.
  void Settle() {
    for (int frames = 0; frames < 1000; ++frames) {
      imgui->NewFrame(640, 480, 1.0f / 60);
      std::vector<LauncherAction> actions;
      view->Draw(model, 640, 480, nullptr, SDL_Rect{}, actions);
      ImGui::EndFrame();
      for (const LauncherAction& act : actions) act();
      if (!imgui->Pending() && frames > 2) return;
    }
  }
  // What the active text field shows, in UTF-8.
  static std::string FieldText() {
    const ImGuiInputTextState& st = ImGui::GetCurrentContext()->InputTextState;
    std::string out;
    for (int i = 0; i < st.CurLenW; ++i) AppendUtf8(out, st.TextW[i]);
    return out;
  }
  void TypeChars(const std::string& utf8) {
    for (size_t i = 0; i < utf8.size(); i += 8) Type(utf8.substr(i, 8));
    Settle();
  }

  test::TempFolder dir;
  SettingsStore store{dir / "user.reg"};
  SilentHost host;
  LauncherModel model{dir.path().string() + "/", store, host};
  std::unique_ptr<PanelsView> view;
};

TEST_F(NameFieldTest, RefusesTheCharacterAfterTheLast) {
  ASSERT_EQ(model.nametext(), "Player 1");
  std::string typed;
  for (int i = 0; i < 60; ++i) typed += static_cast<char>('a' + i % 26);
  TypeChars(typed);
  ASSERT_EQ(model.nametext().size(), kMaxNameChars);
  EXPECT_EQ(model.nametext(), "Player 1" + typed.substr(0, 56));
  EXPECT_EQ(FieldText(), "Player 1" + typed.substr(0, 56));
  // The field holds those 64 too: one BackSpace takes the 64th away.
  Press(SDL_SCANCODE_BACKSPACE);
  Settle();
  EXPECT_EQ(model.nametext(), "Player 1" + typed.substr(0, 55));
  // Characters of the code page count one each, whatever their UTF-8 length.
  TypeChars("\xE2\x82\xAC\xC3\xAB");
  EXPECT_EQ(model.nametext(), "Player 1" + typed.substr(0, 55) + "\x80");
}

TEST_F(NameFieldTest, ShowsWhatTheNameKeeps) {
  for (int i = 0; i < 8; ++i) Press(SDL_SCANCODE_BACKSPACE);
  Settle();
  ASSERT_EQ(model.nametext(), "");
  TypeChars("Zo\xC3\xAB \xE2\x80\x9C\xE6\x97\xA5\xE2\x80\x9D");
  EXPECT_EQ(model.nametext(), "Zo\xEB \x93?\x94");
  EXPECT_EQ(FieldText(), NameToUtf8(model.nametext()));  // the "?" it keeps, not the sun
}

}  // namespace
}  // namespace gp
