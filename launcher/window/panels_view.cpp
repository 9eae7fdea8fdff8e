#include "launcher/window/panels_view.h"

#include <imgui.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "base/text_codepage.h"
#include "launcher/main_menu.h"
#include "base/text_encoding.h"
#include "base/text_codepage.h"
#include "launcher/window/records_view.h"

namespace gp {

namespace {

// Colours of the launcher's panels and widgets.
constexpr ImU32 kPanel = IM_COL32(224, 216, 207, 255);
constexpr ImU32 kPressed = IM_COL32(224, 216, 201, 255);
constexpr ImU32 kGrey = IM_COL32(128, 128, 128, 255);
constexpr ImU32 kSilver = IM_COL32(192, 192, 192, 255);
constexpr ImU32 kWhite = IM_COL32(255, 255, 255, 255);
constexpr ImU32 kTabOff = IM_COL32(200, 194, 186, 255);

// Panel sizes, pixels.
constexpr int kMenuW = 378, kMenuH = 137, kPanelW = 379, kPanelH = 141;
// Height of a tab control's tab strip.
constexpr int kTabStrip = 17;
// Width at which the reason a course cannot be played wraps, pixels.
constexpr float kReasonWidth = 220;

constexpr const char* kVersionLine = "Galaputt 0.1.0  -  zorbel games";

struct Place {
  float x, y, w, h;
};

ImVec2 Origin() {
  return ImGui::GetWindowPos();
}

void Text(const char* text, float x, float y) {
  ImGui::GetWindowDrawList()->AddText(ImVec2(Origin().x + x, Origin().y + y), kGrey, text);
}

// An invisible button over the control; the press plays its sound, the click
// changes it and releases it.
bool Hit(LauncherModel& m, Control c, const Place& p, std::vector<LauncherAction>& a) {
  ImGui::SetCursorPos(ImVec2(p.x, p.y));
  ImGui::PushID(static_cast<int>(c));
  const bool clicked = ImGui::InvisibleButton("hit", ImVec2(p.w, p.h));
  ImGui::PopID();
  if (ImGui::IsItemActivated()) a.push_back([&m, c] { m.Press(c); });
  if (clicked) {
    a.push_back([&m, c] {
      m.Click(c);
      m.Release(c);
    });
  }
  return ImGui::IsItemActive() && ImGui::IsItemHovered();
}

// The caption of a check box or radio button: on one line, or wrapped within
// the control's width.
void Caption(const char* caption, const Place& p, float left) {
  ImDrawList* d = ImGui::GetWindowDrawList();
  const ImVec2 o = Origin();
  const float width = p.w - left;
  const ImVec2 size = ImGui::CalcTextSize(caption, nullptr, false, width);
  const float y = p.y + (p.h - size.y) / 2;
  d->AddText(ImGui::GetFont(), ImGui::GetFontSize(), ImVec2(o.x + p.x + left, o.y + y), kGrey,
             caption, nullptr, width);
}

void CheckBox(LauncherModel& m, Control c, const char* caption, const Place& p,
              std::vector<LauncherAction>& a) {
  const bool held = Hit(m, c, p, a);
  ImDrawList* d = ImGui::GetWindowDrawList();
  const ImVec2 o = Origin();
  const float top = o.y + p.y + std::floor((p.h - 13) / 2);
  const ImVec2 b0(o.x + p.x, top), b1(o.x + p.x + 13, top + 13);
  d->AddRectFilled(b0, b1, held ? kPressed : kWhite);
  d->AddRect(b0, b1, kGrey);
  if (m.Checked(c)) {
    const ImVec2 pts[3] = {ImVec2(b0.x + 3, b0.y + 6.5f), ImVec2(b0.x + 5.5f, b0.y + 9.5f),
                           ImVec2(b0.x + 10, b0.y + 3.5f)};
    d->AddPolyline(pts, 3, kGrey, 0, 2);
  }
  Caption(caption, p, 17);
}

void Radio(LauncherModel& m, Control c, const char* caption, const Place& p,
           std::vector<LauncherAction>& a) {
  const bool held = Hit(m, c, p, a);
  ImDrawList* d = ImGui::GetWindowDrawList();
  const ImVec2 o = Origin();
  const ImVec2 centre(o.x + p.x + 6.5f, o.y + p.y + p.h / 2);
  d->AddCircleFilled(centre, 6, held ? kPressed : kWhite, 16);
  d->AddCircle(centre, 6, kGrey, 16);
  if (m.Checked(c)) d->AddCircleFilled(centre, 2.5f, kGrey, 12);
  Caption(caption, p, 17);
}

void Button(LauncherModel& m, Control c, const Place& p, std::vector<LauncherAction>& a) {
  Hit(m, c, p, a);
  ImDrawList* d = ImGui::GetWindowDrawList();
  const ImVec2 o = Origin();
  const ImVec2 b0(o.x + p.x, o.y + p.y), b1(o.x + p.x + p.w, o.y + p.y + p.h);
  d->AddRectFilled(b0, b1, kPanel);
  d->AddRect(b0, b1, ImGui::IsItemFocused() ? kSilver : kGrey);
  const std::string caption = m.Text(c);
  const ImVec2 size = ImGui::CalcTextSize(caption.c_str());
  d->AddText(ImVec2(b0.x + (p.w - size.x) / 2, b0.y + (p.h - size.y) / 2), kGrey, caption.c_str());
}

void Combo(LauncherModel& m, Control c, const Place& p, int rows, std::vector<LauncherAction>& a) {
  const std::vector<std::string>& items = m.ListItems(c);
  const int index = m.ListIndex(c);
  const std::string shown = m.ShownItem(c, index);
  ImGui::SetCursorPos(ImVec2(p.x, p.y));
  ImGui::SetNextItemWidth(p.w);
  ImGui::PushStyleVar(ImGuiStyleVar_FramePadding,
                      ImVec2(3, std::max(0.0f, (p.h - ImGui::GetFontSize()) / 2)));
  ImGui::PushID(static_cast<int>(c));
  ImGui::SetNextWindowSizeConstraints(ImVec2(p.w, 0), ImVec2(p.w, 14.0f * rows + 2));
  if (ImGui::BeginCombo("##list", shown.c_str())) {
    ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, ImVec2(0, 0));
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
      const std::string item = m.ShownItem(c, i);
      if (ImGui::Selectable(item.c_str(), i == index, 0, ImVec2(0, 14))) {
        a.push_back([&m, c, i] { m.Select(c, i); });
      }
    }
    ImGui::PopStyleVar();
    ImGui::EndCombo();
  }
  ImGui::PopID();
  ImGui::PopStyleVar();
}

// The Course list: a course that cannot be played shows greyed with
// "(unavailable)", cannot be chosen, and tells why under the pointer.
void CourseCombo(LauncherModel& m, const Place& p, std::vector<LauncherAction>& a) {
  const std::vector<CourseEntry>& courses = m.courses();
  const int index = m.ListIndex(Control::course);
  const bool chosen = index >= 0 && index < static_cast<int>(courses.size());
  const std::string shown = chosen ? courses[static_cast<size_t>(index)].name : "";
  ImGui::SetCursorPos(ImVec2(p.x, p.y));
  ImGui::SetNextItemWidth(p.w);
  ImGui::PushStyleVar(ImGuiStyleVar_FramePadding,
                      ImVec2(3, std::max(0.0f, (p.h - ImGui::GetFontSize()) / 2)));
  ImGui::PushID(static_cast<int>(Control::course));
  // The list opens as wide as its longest entry, at most to the panel's edge.
  const auto item = [](const CourseEntry& e) {
    return e.available ? e.name : e.name + " (unavailable)";
  };
  float wide = p.w;
  for (const CourseEntry& e : courses) {
    wide = std::max(wide, ImGui::CalcTextSize(item(e).c_str()).x + 24);
  }
  wide = std::min(wide, static_cast<float>(kPanelW) - p.x);
  const float rows = static_cast<float>(std::clamp(static_cast<int>(courses.size()), 1, 6));
  ImGui::SetNextWindowSizeConstraints(ImVec2(wide, 0), ImVec2(wide, 14 * rows + 2));
  if (ImGui::BeginCombo("##list", shown.c_str())) {
    ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, ImVec2(0, 0));
    for (int i = 0; i < static_cast<int>(courses.size()); ++i) {
      const CourseEntry& e = courses[static_cast<size_t>(i)];
      ImGui::PushID(i);
      const ImGuiSelectableFlags flags = e.available ? 0 : ImGuiSelectableFlags_Disabled;
      if (ImGui::Selectable(item(e).c_str(), i == index, flags, ImVec2(0, 14))) {
        a.push_back([&m, i] { m.Select(Control::course, i); });
      }
      // The reason beside the list, where it hides no entry.
      if (!e.available && ImGui::IsItemHovered(ImGuiHoveredFlags_AllowWhenDisabled)) {
        ImGui::SetNextWindowPos(ImVec2(ImGui::GetItemRectMax().x + 4, ImGui::GetItemRectMin().y));
        ImGui::BeginTooltip();
        ImGui::PushTextWrapPos(kReasonWidth);
        ImGui::TextUnformatted(e.reason.c_str());
        ImGui::PopTextWrapPos();
        ImGui::EndTooltip();
      }
      ImGui::PopID();
    }
    ImGui::PopStyleVar();
    ImGui::EndCombo();
  }
  ImGui::PopID();
  ImGui::PopStyleVar();
}

// A tab control's frame with one tab.
void TabFrame(const char* title, const Place& p) {
  ImDrawList* d = ImGui::GetWindowDrawList();
  const ImVec2 o = Origin();
  const float tw = ImGui::CalcTextSize(title).x + 12;
  d->AddRect(ImVec2(o.x + p.x, o.y + p.y + kTabStrip), ImVec2(o.x + p.x + p.w, o.y + p.y + p.h),
             kGrey);
  d->AddRectFilled(ImVec2(o.x + p.x + 2, o.y + p.y),
                   ImVec2(o.x + p.x + 2 + tw, o.y + p.y + kTabStrip + 1), kPanel);
  d->AddRect(ImVec2(o.x + p.x + 2, o.y + p.y),
             ImVec2(o.x + p.x + 2 + tw, o.y + p.y + kTabStrip + 1), kGrey);
  d->AddText(ImVec2(o.x + p.x + 8, o.y + p.y + 3), kGrey, title);
}

// A control's place inside a tab control at (tx, ty).
Place In(float tx, float ty, Place p) {
  return Place{tx + p.x, ty + p.y, p.w, p.h};
}

// The name field keeps what a name can hold: a character outside the Western
// code page shows as the "?" it becomes, and the field refuses characters
// beyond kMaxNameChars (those just typed or pasted, before the cursor).
int NameFieldFilter(ImGuiInputTextCallbackData* data) {
  if (data->EventFlag == ImGuiInputTextFlags_CallbackCharFilter) {
    if (WesternByte(data->EventChar) < 0) data->EventChar = '?';
    return 0;
  }
  const std::string_view text(data->Buf, static_cast<size_t>(data->BufTextLen));
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) chars += (text[i] & 0xC0) != 0x80;
  int end = data->CursorPos, start = end;
  for (; chars > kMaxNameChars && start > 0; --chars) {
    do {
      --start;
    } while (start > 0 && (data->Buf[start] & 0xC0) == 0x80);
  }
  if (start < end) data->DeleteChars(start, end - start);
  return 0;
}

bool BeginPanel(const char* id, int x, int y, int w, int h) {
  ImGui::SetNextWindowPos(ImVec2(static_cast<float>(x), static_cast<float>(y)));
  ImGui::SetNextWindowSize(ImVec2(static_cast<float>(w), static_cast<float>(h)));
  constexpr ImGuiWindowFlags kFlags =
      ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
      ImGuiWindowFlags_NoScrollWithMouse | ImGuiWindowFlags_NoBringToFrontOnFocus;
  return ImGui::Begin(id, nullptr, kFlags);
}

}  // namespace

PanelsView::PanelsView(SDL_Renderer* renderer) : renderer_(renderer) {}

PanelsView::~PanelsView() {
  if (ball_) SDL_DestroyTexture(ball_);
}

void PanelsView::Style() {
  ImGuiStyle& s = ImGui::GetStyle();
  s.WindowPadding = ImVec2(0, 0);
  s.WindowRounding = s.FrameRounding = s.PopupRounding = s.GrabRounding = s.TabRounding = 0;
  s.WindowBorderSize = 0;
  s.FrameBorderSize = 1;
  s.PopupBorderSize = 1;
  s.ItemSpacing = ImVec2(0, 0);
  s.ScrollbarSize = 12;
  ImVec4* c = s.Colors;
  const ImVec4 panel = ImGui::ColorConvertU32ToFloat4(kPanel);
  const ImVec4 grey = ImGui::ColorConvertU32ToFloat4(kGrey);
  const ImVec4 white = ImGui::ColorConvertU32ToFloat4(kWhite);
  c[ImGuiCol_Text] = grey;
  c[ImGuiCol_WindowBg] = panel;
  c[ImGuiCol_PopupBg] = white;
  c[ImGuiCol_Border] = grey;
  c[ImGuiCol_FrameBg] = c[ImGuiCol_FrameBgHovered] = c[ImGuiCol_FrameBgActive] = white;
  c[ImGuiCol_Button] = c[ImGuiCol_ButtonHovered] = c[ImGuiCol_ButtonActive] = panel;
  c[ImGuiCol_Header] = ImGui::ColorConvertU32ToFloat4(IM_COL32(200, 200, 210, 255));
  c[ImGuiCol_HeaderHovered] = ImGui::ColorConvertU32ToFloat4(IM_COL32(215, 215, 225, 255));
  c[ImGuiCol_HeaderActive] = c[ImGuiCol_Header];
  c[ImGuiCol_TextSelectedBg] = ImGui::ColorConvertU32ToFloat4(IM_COL32(200, 200, 210, 255));
  c[ImGuiCol_ScrollbarBg] = panel;
  c[ImGuiCol_NavHighlight] = ImGui::ColorConvertU32ToFloat4(kSilver);
}

void PanelsView::PanelPosition(int canvasw, int canvash, int& x, int& y) {
  x = (canvasw - 640) / 2 + 150;
  y = (canvash - 480) / 2 + 177;
}

SDL_Texture* PanelsView::BallTexture(const LauncherModel& m) {
  const LauncherBall& ball = m.TabBall();
  if (ball_ == nullptr) {
    ball_ =
        SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XBGR8888, SDL_TEXTUREACCESS_STREAMING, 16, 16);
    ballfile_.clear();
  }
  const std::string key = ball.file + "/" + std::to_string(m.tab());
  if (ball_ && key != ballfile_) {
    ballfile_ = key;
    SDL_UpdateTexture(ball_, nullptr, ball.picture.texels.data(), 16 * 4);
  }
  return ball_;
}

void PanelsView::PlayerTabs(LauncherModel& m, std::vector<LauncherAction>& a) {
  constexpr Place kBox{184, 8, 191, 100};
  ImDrawList* d = ImGui::GetWindowDrawList();
  const ImVec2 o = Origin();
  d->AddRect(ImVec2(o.x + kBox.x, o.y + kBox.y + kTabStrip),
             ImVec2(o.x + kBox.x + kBox.w, o.y + kBox.y + kBox.h), kGrey);
  static const char* kTabs[4] = {"Player 1", "2", "3", "4"};
  float x = kBox.x + 2;
  for (int t = 0; t < 4; ++t) {
    const float w = ImGui::CalcTextSize(kTabs[t]).x + 12;
    ImGui::SetCursorPos(ImVec2(x, kBox.y));
    ImGui::PushID(100 + t);
    if (ImGui::InvisibleButton("tab", ImVec2(w, kTabStrip))) {
      a.push_back([&m, t] { m.SelectTab(t); });
    }
    ImGui::PopID();
    const bool on = m.tab() == t;
    const ImVec2 t0(o.x + x, o.y + kBox.y + (on ? 0 : 2)),
        t1(o.x + x + w, o.y + kBox.y + kTabStrip + (on ? 1 : 0));
    d->AddRectFilled(t0, t1, on ? kPanel : kTabOff);
    d->AddRect(t0, t1, kGrey);
    d->AddText(ImVec2(t0.x + 6, t0.y + 3), kGrey, kTabs[t]);
    x += w;
  }
  const float tx = kBox.x, ty = kBox.y;
  Text("Enter Name", tx + 10, ty + 23);
  // The name as typed, shown in UTF-8 and kept in the Western code page.
  ImGui::SetCursorPos(ImVec2(tx + 69, ty + 20));
  ImGui::SetNextItemWidth(107);
  ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, ImVec2(3, 4));
  const std::string current = NameToUtf8(m.nametext());
  char buf[kMaxNameChars * 3 + 1];  // a character of the code page takes up to 3 bytes
  std::snprintf(buf, sizeof buf, "%s", current.c_str());
  if (ImGui::InputText("##name", buf, sizeof buf,
                       ImGuiInputTextFlags_CallbackCharFilter | ImGuiInputTextFlags_CallbackEdit,
                       NameFieldFilter)) {
    const std::string text = buf;
    a.push_back([&m, text] { m.Type(Control::name, text); });
  }
  ImGui::PopStyleVar();
  Radio(m, Control::pullputt, "Pull Putt", In(tx, ty, {9, 43, 58, 15}), a);
  CheckBox(m, Control::easytarget, "Easy Targeting", In(tx, ty, {22, 60, 92, 17}), a);
  Radio(m, Control::pushputt, "Push Putt", In(tx, ty, {9, 77, 74, 14}), a);
  if (SDL_Texture* ball = BallTexture(m)) {
    ImGui::SetCursorPos(ImVec2(tx + 127, ty + 43));
    ImGui::Image(ball, ImVec2(32, 32));
  }
  Button(m, Control::tex_inc, In(tx, ty, {107, 79, 74, 16}), a);
}

void PanelsView::StartPanel(LauncherModel& m, std::vector<LauncherAction>& a) {
  Text("Players", 34, 12);
  Combo(m, Control::players, {80, 8, 96, 20}, 4, a);
  Text("Game", 28, 36);
  Combo(m, Control::gametype, {64, 32, 112, 20}, 3, a);
  Button(m, Control::showrules, {64, 57, 112, 18}, a);
  if (m.Visible(Control::course)) {
    Text("Course", 22, 81);
    CourseCombo(m, {64, 78, 112, 20}, a);
  }
  Button(m, Control::launch, {5, 113, 97, 21}, a);
  Button(m, Control::FlatButton1, {109, 113, 60, 21}, a);
  PlayerTabs(m, a);
  // In the free strip under the tab control: who plays the selected tab's player.
  Text("Played by", 186, 117);
  Combo(m, Control::playedby, {234, 113, 141, 20}, 4, a);
}

void PanelsView::SetupPanel(LauncherModel& m, std::vector<LauncherAction>& a) {
  TabFrame("Resolution", {6, 6, 233, 55});
  Radio(m, Control::screen640, "640x480x16", In(6, 6, {13, 20, 89, 17}), a);
  Radio(m, Control::screen800, "800x600x16", In(6, 6, {106, 20, 78, 17}), a);
  Radio(m, Control::screen1024, "1024x768x16", In(6, 6, {13, 36, 102, 17}), a);
  CheckBox(m, Control::fastwrite, "Fast Video Writes", In(6, 6, {106, 36, 107, 17}), a);
  TabFrame("Sound", {246, 7, 127, 54});
  Radio(m, Control::soundoff, "Off", In(246, 7, {9, 19, 41, 17}), a);
  Radio(m, Control::soundon, "On", In(246, 7, {60, 19, 40, 17}), a);
  CheckBox(m, Control::bgsounds, "Background Sound", In(246, 7, {9, 34, 111, 17}), a);
  Text("Frame Limiting", 11, 68);
  Combo(m, Control::frameskip, {84, 65, 81, 20}, 4, a);
  Text("Game Interface", 173, 68);
  Combo(m, Control::skin, {251, 65, 121, 20}, 6, a);
  CheckBox(m, Control::skipintro, "Skip Intro Movies", {8, 88, 103, 16}, a);
  CheckBox(m, Control::noflip, "Don't Flip Interface", {108, 88, 106, 17}, a);
  CheckBox(m, Control::forceinterface, "Use Full Screen Interface *", {218, 88, 151, 17}, a);
  Button(m, Control::OkButton1, {6, 113, 65, 21}, a);
  if (!m.saveerror().empty()) {
    Text(m.saveerror().substr(0, 40).c_str(), 76, 113);
  }
  Text("* May have problems with older video cards", 162, 122);
}

void PanelsView::RulesPanel(LauncherModel& m, std::vector<LauncherAction>& a) {
  Text("Who Starts Each Hole", 10, 11);
  Combo(m, Control::startplayer, {122, 6, 143, 22}, 3, a);
  Text("Who Shoots Next", 43, 35);
  Combo(m, Control::nextplayer, {136, 30, 129, 22}, 2, a);
  Text("Balls Collide", 86, 59);
  Combo(m, Control::whencollide, {149, 54, 116, 22}, 2, a);
  Text("Score Keeping", 68, 82);
  Combo(m, Control::scoring, {144, 78, 121, 22}, 2, a);
  Text("Stroke Limit", 313, 10);
  Combo(m, Control::strokelimit, {272, 6, 37, 22}, 4, a);
  CheckBox(m, Control::plus1, "Bonus Stroke on Collison (limit 1)", {272, 33, 89, 48}, a);
  CheckBox(m, Control::minus1, "Penalty Stroke for Water", {272, 81, 89, 32}, a);
  Button(m, Control::rulesok, {5, 114, 65, 21}, a);
  Button(m, Control::FlatButton4, {76, 114, 65, 21}, a);
}

void PanelsView::QuitPanel(LauncherModel& m, std::vector<LauncherAction>& a) {
  Text("Are You Sure?", 150, 45);
  Button(m, Control::cancelButton1, {117, 68, 65, 21}, a);
  Button(m, Control::quitbutton, {189, 68, 65, 21}, a);
}

void PanelsView::PanelText(const char* text, float x, float y) {
  Text(text, x, y);
}

void PanelsView::PanelButton(LauncherModel& m, Control c, float x, float y, float w, float h,
                             std::vector<LauncherAction>& a) {
  Button(m, c, {x, y, w, h}, a);
}

void PanelsView::Draw(LauncherModel& m, int canvasw, int canvash, SDL_Texture* menu,
                      SDL_Rect menupart, std::vector<LauncherAction>& actions) {
  // The version line along the bottom edge, right-aligned, under every panel.
  const ImVec2 vs = ImGui::CalcTextSize(kVersionLine);
  ImGui::GetBackgroundDrawList()->AddText(
      ImVec2(canvasw - vs.x - 4, canvash - 14 + (14 - vs.y) / 2), kGrey, kVersionLine);
  int px = 0, py = 0;
  PanelPosition(canvasw, canvash, px, py);
  const Panel panel = m.panel();
  if (panel == Panel::None) return;
  const bool mainmenu = panel == Panel::MainMenu;
  if (!BeginPanel(PanelName(panel), px, py, mainmenu ? kMenuW : kPanelW,
                  mainmenu ? kMenuH : kPanelH)) {
    ImGui::End();
    return;
  }
  switch (panel) {
    case Panel::MainMenu:
      if (menu) {
        int tw = 0, th = 0;
        SDL_QueryTexture(menu, nullptr, nullptr, &tw, &th);
        ImGui::SetCursorPos(ImVec2(kMenuImageX, kMenuImageY));
        const ImVec2 uv0(static_cast<float>(menupart.x) / tw, static_cast<float>(menupart.y) / th);
        const ImVec2 uv1(static_cast<float>(menupart.x + menupart.w) / tw,
                         static_cast<float>(menupart.y + menupart.h) / th);
        ImGui::Image(menu, ImVec2(static_cast<float>(menupart.w), static_cast<float>(menupart.h)),
                     uv0, uv1);
      }
      break;
    case Panel::Start:
      StartPanel(m, actions);
      break;
    case Panel::Setup:
      SetupPanel(m, actions);
      break;
    case Panel::Rules:
      RulesPanel(m, actions);
      break;
    case Panel::Quit:
      QuitPanel(m, actions);
      break;
    case Panel::Records:
      DrawRecordsPanel(m, actions);
      break;
    case Panel::Resume:
      DrawResumePanel(m, actions);
      break;
    case Panel::None:
      break;
  }
  ImGui::End();
}

}  // namespace gp
