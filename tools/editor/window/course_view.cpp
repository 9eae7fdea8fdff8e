#include "tools/editor/window/course_view.h"

#include <imgui.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "base/keys.h"
#include "game/area_kind.h"
#include "tools/editor/area_outlines.h"

namespace gp::editor {

namespace {

constexpr double kZooms[] = {0.25, 0.33, 0.5, 0.67, 0.75, 1, 1.5, 2, 3, 4};
constexpr double kHandlePixels = 7;  // a handle picks within this many screen pixels
constexpr double kSnapPixels = 8;    // a corner lands on another within this many
constexpr ImU32 kSelected = IM_COL32(255, 230, 60, 255);
constexpr ImU32 kHover = IM_COL32(255, 255, 255, 160);

ImU32 Colour(uint32_t bgr) {
  return IM_COL32(bgr & 255, (bgr >> 8) & 255, (bgr >> 16) & 255, 255);
}

// Game key codes of the keys Try passes on.
int GameKey(SDL_Keycode k) {
  switch (k) {
    case SDLK_RETURN:
      return kKeyEnter;
    case SDLK_SPACE:
      return kKeySpace;
    case SDLK_PAGEUP:
      return kKeyPageUp;
    case SDLK_END:
      return kKeyEnd;
    case SDLK_HOME:
      return kKeyHome;
    case SDLK_LEFT:
      return kKeyLeft;
    case SDLK_UP:
      return kKeyUp;
    case SDLK_RIGHT:
      return kKeyRight;
    case SDLK_DOWN:
      return kKeyDown;
    case SDLK_F1:
      return kKeyF1;
    case SDLK_F3:
      return kKeyF3;
    case SDLK_F4:
      return kKeyF4;
    case SDLK_F5:
      return kKeyF5;
    case SDLK_F8:
      return kKeyF8;
    default:
      return 0;
  }
}

}  // namespace

CourseView::CourseView(SDL_Window* window, SDL_Renderer* renderer, EditorSession& s)
    : window_(window), renderer_(renderer), s_(s) {}

CourseView::~CourseView() {
  if (overlay_) SDL_DestroyTexture(overlay_);
  if (frame_) SDL_DestroyTexture(frame_);
}

CourseView::Pt CourseView::ToCourse(double sx, double sy) const {
  return {(sx - vx_ + scrollx_) / zoom_, (sy - vy_ + scrolly_) / zoom_};
}

CourseView::Pt CourseView::ToScreen(double cx, double cy) const {
  return {vx_ + cx * zoom_ - scrollx_, vy_ + cy * zoom_ - scrolly_};
}

void CourseView::Clamp() {
  const double w = texw_ * zoom_, h = texh_ * zoom_;
  scrollx_ = w <= vw_ ? -(vw_ - w) / 2 : std::clamp(scrollx_, -40.0, w - vw_ + 40);
  scrolly_ = h <= vh_ ? -(vh_ - h) / 2 : std::clamp(scrolly_, -40.0, h - vh_ + 40);
}

void CourseView::SetZoom(double z) {
  const Pt centre = ToCourse(vx_ + vw_ / 2.0, vy_ + vh_ / 2.0);
  zoom_ = std::clamp(z, kZooms[0], kZooms[std::size(kZooms) - 1]);
  scrollx_ = centre.x * zoom_ - vw_ / 2.0;
  scrolly_ = centre.y * zoom_ - vh_ / 2.0;
  Clamp();
}

void CourseView::ZoomBy(int steps) {
  size_t i = 0;
  while (i + 1 < std::size(kZooms) && kZooms[i] < zoom_ - 1e-9) ++i;
  const int to =
      std::clamp(static_cast<int>(i) + steps, 0, static_cast<int>(std::size(kZooms)) - 1);
  SetZoom(kZooms[to]);
}

void CourseView::Fit() {
  double z = kZooms[0];
  for (double k : kZooms) {
    if (texw_ * k <= vw_ && texh_ * k <= vh_) z = k;
  }
  zoom_ = z;
  Clamp();
}

void CourseView::Upload() {
  const Picture& p = s_.Overlay();
  if (s_.OverlaySerial() == overlayserial_ && overlay_) return;
  overlayserial_ = s_.OverlaySerial();
  if (!overlay_ || texw_ != p.width || texh_ != p.height) {
    if (overlay_) SDL_DestroyTexture(overlay_);
    overlay_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XBGR8888, SDL_TEXTUREACCESS_STREAMING,
                                 p.width, p.height);
    texw_ = p.width, texh_ = p.height;
    fitted_ = false;
  }
  if (overlay_) SDL_UpdateTexture(overlay_, nullptr, p.pixels.data(), p.width * 4);
}

void CourseView::Draw(int x, int y, int w, int h) {
  vx_ = x, vy_ = y, vw_ = std::max(1, w), vh_ = std::max(1, h);
  ImGui::SetCursorScreenPos(ImVec2(float(x), float(y)));
  ImGui::BeginChild(
      "##view", ImVec2(float(w), float(h)), false,
      ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse | ImGuiWindowFlags_NoMove);
  below_ = nullptr;
  if (s_.Try().open()) {
    DrawTry(x, y, w, h);
  } else {
    overtry_ = false;
    DrawCourse(x, y, w, h);
  }
  ImGui::EndChild();
}

void CourseView::DrawCourse(int x, int y, int w, int h) {
  Upload();
  if (!fitted_) {
    Fit();
    fitted_ = true;
  }
  ImGui::SetCursorScreenPos(ImVec2(float(x), float(y)));
  ImGui::InvisibleButton("##course", ImVec2(float(w), float(h)),
                         ImGuiButtonFlags_MouseButtonLeft | ImGuiButtonFlags_MouseButtonRight |
                             ImGuiButtonFlags_MouseButtonMiddle);
  const bool hovered = ImGui::IsItemHovered();
  // The picture itself goes under the ImGui frame (RenderBelow).
  const Pt a = ToScreen(0, 0), b = ToScreen(texw_, texh_);
  below_ = overlay_;
  belowdst_ = {float(a.x), float(a.y), float(b.x - a.x), float(b.y - a.y)};
  if (overlay_)
    SDL_SetTextureScaleMode(overlay_, zoom_ < 1 ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  DrawSelection();
  Input();
  if (hovered && placing) {
    ImGui::SetTooltip("click to add a %s (drag to size it)", Kind(placing).name);
  }
}

void CourseView::DrawSelection() {
  ImDrawList* dl = ImGui::GetWindowDrawList();
  auto line = [&](double x0, double y0, double x1, double y1, ImU32 c, float t) {
    const Pt a = ToScreen(x0, y0), b = ToScreen(x1, y1);
    dl->AddLine(ImVec2(float(a.x), float(a.y)), ImVec2(float(b.x), float(b.y)), c, t);
  };
  auto outline = [&](const Area& a, ImU32 c, float t) {
    if (ShapeOf(a) == Shape::Ellipse) {
      for (int i = 0; i < 48; ++i) {
        const double u = 2 * M_PI * i / 48, v = 2 * M_PI * (i + 1) / 48;
        line(a.x1 + a.r * std::cos(u), a.y1 + a.r / 2.0 * std::sin(u), a.x1 + a.r * std::cos(v),
             a.y1 + a.r / 2.0 * std::sin(v), c, t);
      }
    } else if (ShapeOf(a) == Shape::Segment) {
      line(a.x1, a.y1, a.x2, a.y2, c, t);
    } else {
      const int xs[4] = {a.x1, a.x2, a.x3, a.x4}, ys[4] = {a.y1, a.y2, a.y3, a.y4};
      for (int k = 0; k < 4; ++k) line(xs[k], ys[k], xs[(k + 1) % 4], ys[(k + 1) % 4], c, t);
    }
  };
  const ImVec2 m = ImGui::GetIO().MousePos;
  const Pt c = ToCourse(m.x, m.y);
  if (ImGui::IsItemHovered() && drag_ == Drag::None && !placing) {
    if (const int n = PickArea(s_.model(), c.x, c.y, 6 / zoom_, s_.selected)) {
      const Area a = s_.model().GetArea(n);
      if (n != s_.selected) outline(a, kHover, 1);
      ImGui::SetTooltip("%d:%d %s", a.kind, n, Kind(a.kind).name);
    }
  }
  if (adding_) {
    const Pt a = ToScreen(from_.x, from_.y);
    dl->AddRect(ImVec2(float(a.x), float(a.y)), m, Colour(KindColour(placing)), 0, 0, 2);
  }
  if (!s_.selected || !s_.model().HasArea(s_.selected)) return;
  const Area a = s_.model().GetArea(s_.selected);
  outline(a, kSelected, 3);
  // Exits and returns hang from the area by a thin line; a launch line
  // points the way the ball leaves.
  const Pt centre = ToScreen(a.x1, a.y1);
  for (const Handle& h : HandlesOf(a)) {
    if (h.type != Handle::Type::Pair || NoteFor(a, h.field).role != Role::Place) continue;
    const Pt p = ToScreen(h.x, h.y);
    if (h.field == kFieldX3 || h.field == kFieldX4) continue;
    dl->AddLine(ImVec2(float(centre.x), float(centre.y)), ImVec2(float(p.x), float(p.y)),
                IM_COL32(255, 230, 60, 110), 1);
  }
  if (NoteFor(a, kFieldX3).role == Role::Place && NoteFor(a, kFieldX3).label) {
    const Pt p = ToScreen(a.x3, a.y3), q = ToScreen(a.x4, a.y4);
    dl->AddLine(ImVec2(float(p.x), float(p.y)), ImVec2(float(q.x), float(q.y)), kSelected, 2);
    const double len = std::max(1.0, std::hypot(q.x - p.x, q.y - p.y));
    const double ux = (q.x - p.x) / len, uy = (q.y - p.y) / len;
    dl->AddTriangleFilled(ImVec2(float(q.x), float(q.y)),
                          ImVec2(float(q.x - 9 * ux - 5 * uy), float(q.y - 9 * uy + 5 * ux)),
                          ImVec2(float(q.x - 9 * ux + 5 * uy), float(q.y - 9 * uy - 5 * ux)),
                          kSelected);
  }
  // The point nearest the pointer is named (points may lie close together).
  const Handle* named = nullptr;
  double nearest = 24;
  const std::vector<Handle> handles = HandlesOf(a);
  for (const Handle& h : handles) {
    const Pt p = ToScreen(h.x, h.y);
    const double d = std::hypot(m.x - p.x, m.y - p.y);
    if (h.type == Handle::Type::Pair && d < nearest) named = &h, nearest = d;
  }
  for (const Handle& h : handles) {
    const Pt p = ToScreen(h.x, h.y);
    const ImVec2 q(float(p.x), float(p.y));
    if (h.type == Handle::Type::Pair) {
      dl->AddCircleFilled(q, 5, kSelected);
      if (&h == named) dl->AddText(ImVec2(q.x + 7, q.y - 7), kSelected, h.label.c_str());
    } else {
      dl->AddRectFilled(ImVec2(q.x - 4, q.y - 4), ImVec2(q.x + 4, q.y + 4), kSelected);
      dl->AddRect(ImVec2(q.x - 4, q.y - 4), ImVec2(q.x + 4, q.y + 4), IM_COL32(0, 0, 0, 255));
    }
  }
}

void CourseView::Input() {
  ImGuiIO& io = ImGui::GetIO();
  const bool hovered = ImGui::IsItemHovered();
  const Pt c = ToCourse(io.MousePos.x, io.MousePos.y);
  if (hovered && io.MouseWheel != 0) {
    const Pt before = c;
    ZoomBy(io.MouseWheel > 0 ? 1 : -1);
    // Keep the point under the pointer where it was.
    scrollx_ = before.x * zoom_ - (io.MousePos.x - vx_);
    scrolly_ = before.y * zoom_ - (io.MousePos.y - vy_);
    Clamp();
  }
  if (ImGui::IsItemActive() && (ImGui::IsMouseDown(1) || ImGui::IsMouseDown(2))) {
    scrollx_ -= io.MouseDelta.x;
    scrolly_ -= io.MouseDelta.y;
    Clamp();
  }
  if (hovered && ImGui::IsMouseClicked(0)) {
    Press(c);
  } else if (Holding() && ImGui::IsMouseDown(0)) {
    Motion(c);
  }
  if (Holding() && ImGui::IsMouseReleased(0)) Release(c);
}

void CourseView::Press(Pt c) {
  HoleModel& m = s_.model();
  from_ = {static_cast<int>(std::lround(c.x)), static_cast<int>(std::lround(c.y))};
  applied_ = from_;
  if (placing) {
    adding_ = true;
    return;
  }
  const double reach = kHandlePixels / zoom_;
  if (s_.selected && m.HasArea(s_.selected)) {
    for (const Handle& h : HandlesOf(m.GetArea(s_.selected))) {
      if (std::hypot(h.x - c.x, h.y - c.y) <= reach) {
        drag_ = Drag::Handle;
        handle_ = h;
        m.BeginGroup();
        return;
      }
    }
  }
  if (std::hypot(m.BallX() - c.x, 2 * (m.BallY() - c.y)) <= 8 / zoom_ + 6) {
    drag_ = Drag::Start;
    m.BeginGroup();
    return;
  }
  s_.selected = PickArea(m, c.x, c.y, 6 / zoom_, s_.selected);
  if (s_.selected) {
    drag_ = Drag::Body;
    m.BeginGroup();
  }
}

void CourseView::Motion(Pt c) {
  const Point p{static_cast<int>(std::lround(c.x)), static_cast<int>(std::lround(c.y))};
  if (adding_ || (p.x == applied_.x && p.y == applied_.y)) return;
  applied_ = p;
  HoleModel& m = s_.model();
  m.RestartGroup();
  switch (drag_) {
    case Drag::Body:
      m.Move(s_.selected, p.x - from_.x, p.y - from_.y);
      break;
    case Drag::Handle:
      DragHandle(m, s_.selected, handle_, p, kSnapPixels / zoom_);
      break;
    case Drag::Start:
      m.SetStart(p.x, p.y);
      break;
    case Drag::None:
      break;
  }
}

void CourseView::Release(Pt c) {
  HoleModel& m = s_.model();
  if (adding_) {
    adding_ = false;
    Point p{static_cast<int>(std::lround(c.x)), static_cast<int>(std::lround(c.y))};
    if (std::hypot(p.x - from_.x, p.y - from_.y) < 4) p = from_;  // a click, not a drag
    int kind = placing;
    const std::vector<Point> pts = NewAreaPoints(m, kind, from_, p, kSnapPixels / zoom_);
    if (const int n = m.Add(kind, pts)) {
      s_.selected = n;
      placing = 0;
    }
    return;
  }
  Motion(c);
  m.EndGroup();
  drag_ = Drag::None;
}

void CourseView::DrawTry(int x, int y, int w, int h) {
  TrySession& t = s_.Try();
  const uint32_t now = SDL_GetTicks();
  t.Advance(lastframe_ == 0 ? 0 : now - lastframe_);
  lastframe_ = now;
  FollowPointer();
  const std::vector<uint16_t>& f = t.frame();
  const int fw = t.width(), fh = t.height();
  if (f.empty() || fw <= 0 || fh <= 0) return;
  if (!frame_ || framew_ != fw || frameh_ != fh) {
    if (frame_) SDL_DestroyTexture(frame_);
    frame_ =
        SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, fw, fh);
    framew_ = fw, frameh_ = fh;
  }
  if (!frame_) return;
  SDL_UpdateTexture(frame_, nullptr, f.data(), fw * 2);
  tscale_ = std::min({double(w) / fw, double(h) / fh, 2.0});
  tx_ = x + (w - fw * tscale_) / 2, ty_ = y + (h - fh * tscale_) / 2;
  ImGui::SetCursorScreenPos(ImVec2(float(tx_), float(ty_)));
  ImGui::InvisibleButton("##try", ImVec2(float(fw * tscale_), float(fh * tscale_)),
                         ImGuiButtonFlags_MouseButtonLeft | ImGuiButtonFlags_MouseButtonRight);
  overtry_ = ImGui::IsItemHovered();
  below_ = frame_;
  belowdst_ = {float(tx_), float(ty_), float(fw * tscale_), float(fh * tscale_)};
  SDL_ShowCursor(overtry_ ? SDL_DISABLE : SDL_ENABLE);  // the game draws its own pointer
  if (putball && overtry_) ImGui::SetTooltip("click to put the ball here");
}

void CourseView::RenderBelow() {
  const SDL_Rect view{vx_, vy_, vw_, vh_};
  SDL_SetRenderDrawColor(renderer_, 8, 8, 16, 255);
  SDL_RenderFillRect(renderer_, &view);
  if (!below_) return;
  SDL_RenderSetClipRect(renderer_, &view);
  SDL_RenderCopyF(renderer_, below_, nullptr, &belowdst_);
  SDL_RenderSetClipRect(renderer_, nullptr);
}

bool CourseView::TryEvent(const SDL_Event& e) {
  TrySession& t = s_.Try();
  if (!t.open()) return false;
  // Over the game's frame: pointer events there are the game's.
  const bool motion = e.type == SDL_MOUSEMOTION;
  const bool button = e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP;
  if (motion || button) {
    const double ex = motion ? e.motion.x : e.button.x, ey = motion ? e.motion.y : e.button.y;
    overtry_ =
        ex >= tx_ && ey >= ty_ && ex < tx_ + t.width() * tscale_ && ey < ty_ + t.height() * tscale_;
  }
  if (!overtry_) return false;
  const int px = t.pointerx(), py = t.pointery();
  bool took = false;
  if (e.type == SDL_MOUSEMOTION) {
    t.PointerTo(static_cast<int>((e.motion.x - tx_) / tscale_),
                static_cast<int>((e.motion.y - ty_) / tscale_));
    took = true;
  } else if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) {
    const bool left = e.button.button == SDL_BUTTON_LEFT, down = e.type == SDL_MOUSEBUTTONDOWN;
    if (putball && left) {
      const int cx = t.pointerx() + t.viewx(), cy = t.pointery() + t.viewy();
      // After the ball dropped the hole starts again, the ball where asked.
      if (down && (t.holed() ? s_.StartTry(cx, cy).empty() : t.PutBall(cx, cy))) putball = false;
    } else if (left || e.button.button == SDL_BUTTON_RIGHT) {
      t.Button(left, down);
    }
    took = true;
  } else if (e.type == SDL_KEYDOWN && GameKey(e.key.keysym.sym)) {
    t.Key(GameKey(e.key.keysym.sym));
    took = true;
  }
  if (e.type == SDL_MOUSEMOTION || (t.pointerx() == px && t.pointery() == py)) {
    seenx_ = t.pointerx(), seeny_ = t.pointery();
  }
  FollowPointer();
  return took;
}

// When the game parks its pointer, the real one goes there too.
void CourseView::FollowPointer() {
  TrySession& t = s_.Try();
  if (t.pointerx() == seenx_ && t.pointery() == seeny_) return;
  seenx_ = t.pointerx(), seeny_ = t.pointery();
  if (overtry_) {
    SDL_WarpMouseInWindow(window_, static_cast<int>(tx_ + seenx_ * tscale_ + tscale_ / 2),
                          static_cast<int>(ty_ + seeny_ * tscale_ + tscale_ / 2));
  }
}

}  // namespace gp::editor
