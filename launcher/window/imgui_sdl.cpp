#include "launcher/window/imgui_sdl.h"

#include <imgui.h>

#include <cfloat>
#include <cstddef>
#include <vector>

#include "base/text_encoding.h"

namespace gp {

namespace {

struct KeyPair {
  ImGuiKey key;
  SDL_Scancode scancode;
};

constexpr KeyPair kKeys[] = {
    {ImGuiKey_Tab, SDL_SCANCODE_TAB},
    {ImGuiKey_LeftArrow, SDL_SCANCODE_LEFT},
    {ImGuiKey_RightArrow, SDL_SCANCODE_RIGHT},
    {ImGuiKey_UpArrow, SDL_SCANCODE_UP},
    {ImGuiKey_DownArrow, SDL_SCANCODE_DOWN},
    {ImGuiKey_Home, SDL_SCANCODE_HOME},
    {ImGuiKey_End, SDL_SCANCODE_END},
    {ImGuiKey_Delete, SDL_SCANCODE_DELETE},
    {ImGuiKey_Backspace, SDL_SCANCODE_BACKSPACE},
    {ImGuiKey_Enter, SDL_SCANCODE_RETURN},
    {ImGuiKey_Escape, SDL_SCANCODE_ESCAPE},
    {ImGuiKey_A, SDL_SCANCODE_A},
    {ImGuiKey_C, SDL_SCANCODE_C},
    {ImGuiKey_V, SDL_SCANCODE_V},
    {ImGuiKey_X, SDL_SCANCODE_X},
    {ImGuiKey_Z, SDL_SCANCODE_Z},
};

// The modifiers as they were when the key event happened.
void SetModifiers(ImGuiIO& io, uint16_t m) {
  io.KeyShift = (m & KMOD_SHIFT) != 0;
  io.KeyCtrl = (m & KMOD_CTRL) != 0;
  io.KeyAlt = (m & KMOD_ALT) != 0;
}

// A key that changes a text field's text or cursor rather than typing into it.
bool EditingKey(const SDL_Keysym& k) {
  if ((k.mod & KMOD_CTRL) != 0) return true;
  for (const KeyPair& p : kKeys) {
    if (p.scancode == k.scancode && p.key < ImGuiKey_A) return true;
  }
  return false;
}

int ButtonIndex(uint8_t button) {
  return button == SDL_BUTTON_LEFT     ? 0
         : button == SDL_BUTTON_RIGHT  ? 1
         : button == SDL_BUTTON_MIDDLE ? 2
                                       : -1;
}

// The characters the launcher's face is loaded with: every printable one of
// the Western code page, which the names keep. Pairs of first and last, ended by 0.
const ImWchar* WesternRanges() {
  static const std::vector<ImWchar> ranges = [] {
    std::vector<ImWchar> r{0x0020, 0x007E, 0x00A0, 0x00FF};
    for (int b = 0x80; b < 0xA0; ++b) {
      if (const char32_t cp = WesternCodePoint(static_cast<unsigned char>(b))) {
        r.push_back(static_cast<ImWchar>(cp));
        r.push_back(static_cast<ImWchar>(cp));
      }
    }
    r.push_back(0);
    return r;
  }();
  return ranges.data();
}

}  // namespace

ImGuiSdl::ImGuiSdl(SDL_Renderer* renderer, const std::string& fontfile, float fontpixels)
    : renderer_(renderer) {
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;  // nothing of the launcher's layout is remembered
  io.LogFilename = nullptr;
  io.BackendRendererName = "galaputt_sdl_renderer";
  io.BackendFlags |= ImGuiBackendFlags_RendererHasVtxOffset;
  for (const KeyPair& k : kKeys) io.KeyMap[k.key] = k.scancode;
  ImFont* font = nullptr;
  if (!fontfile.empty()) {
    font = io.Fonts->AddFontFromFileTTF(fontfile.c_str(), fontpixels, nullptr, WesternRanges());
  }
  if (font == nullptr) io.Fonts->AddFontDefault();
  unsigned char* pixels = nullptr;
  int w = 0, h = 0;
  io.Fonts->GetTexDataAsRGBA32(&pixels, &w, &h);
  font_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC, w, h);
  if (font_) {
    SDL_UpdateTexture(font_, nullptr, pixels, w * 4);
    SDL_SetTextureBlendMode(font_, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(font_, SDL_ScaleModeNearest);
  }
  io.Fonts->SetTexID(font_);
}

ImGuiSdl::~ImGuiSdl() {
  ImGui::DestroyContext();
  if (font_) SDL_DestroyTexture(font_);
}

void ImGuiSdl::Event(const SDL_Event& e, int canvasx, int canvasy) {
  if (held_.empty() && !Conflicts(e)) {
    Apply(e, canvasx, canvasy);
  } else {
    held_.push_back({e, canvasx, canvasy});
  }
}

bool ImGuiSdl::Conflicts(const SDL_Event& e) const {
  const ImGuiIO& io = ImGui::GetIO();
  switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const int sc = e.key.keysym.scancode;
      return sc >= 0 && sc < 512 && keychanged_[static_cast<size_t>(sc)] &&
             io.KeysDown[sc] != (e.type == SDL_KEYDOWN);
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const int b = ButtonIndex(e.button.button);
      return b >= 0 && buttonchanged_[static_cast<size_t>(b)] &&
             io.MouseDown[b] != (e.type == SDL_MOUSEBUTTONDOWN);
    }
    case SDL_TEXTINPUT:
      return editkeydown_;
    default:
      return false;
  }
}

void ImGuiSdl::Apply(const SDL_Event& e, int canvasx, int canvasy) {
  ImGuiIO& io = ImGui::GetIO();
  switch (e.type) {
    case SDL_MOUSEMOTION:
      io.MousePos = ImVec2(static_cast<float>(canvasx), static_cast<float>(canvasy));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      io.MousePos = ImVec2(static_cast<float>(canvasx), static_cast<float>(canvasy));
      const int b = ButtonIndex(e.button.button);
      const bool down = e.type == SDL_MOUSEBUTTONDOWN;
      if (b >= 0 && io.MouseDown[b] != down) {
        io.MouseDown[b] = down;
        buttonchanged_[static_cast<size_t>(b)] = true;
      }
      break;
    }
    case SDL_MOUSEWHEEL:
      io.MouseWheel += static_cast<float>(e.wheel.y);
      break;
    case SDL_TEXTINPUT:
      io.AddInputCharactersUTF8(e.text.text);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const int sc = e.key.keysym.scancode;
      const bool down = e.type == SDL_KEYDOWN;
      if (sc >= 0 && sc < 512 && io.KeysDown[sc] != down) {
        io.KeysDown[sc] = down;
        keychanged_[static_cast<size_t>(sc)] = true;
        if (down && EditingKey(e.key.keysym)) editkeydown_ = true;
      }
      SetModifiers(io, e.key.keysym.mod);
      break;
    }
    case SDL_WINDOWEVENT:
      if (e.window.event == SDL_WINDOWEVENT_LEAVE) io.MousePos = ImVec2(-FLT_MAX, -FLT_MAX);
      break;
    default:
      break;
  }
}

void ImGuiSdl::NewFrame(int width, int height, float seconds) {
  while (!held_.empty() && !Conflicts(held_.front().e)) {
    const HeldEvent h = held_.front();
    held_.pop_front();
    Apply(h.e, h.x, h.y);
  }
  ImGuiIO& io = ImGui::GetIO();
  io.DisplaySize = ImVec2(static_cast<float>(width), static_cast<float>(height));
  io.DeltaTime = seconds > 0 ? seconds : 1.0f / 60;
  ImGui::NewFrame();
  // The frame has read every change so far.
  keychanged_.reset();
  buttonchanged_.reset();
  editkeydown_ = false;
}

void ImGuiSdl::Render() {
  ImGui::Render();
  const ImDrawData* data = ImGui::GetDrawData();
  if (data == nullptr) return;
  for (int n = 0; n < data->CmdListsCount; ++n) {
    const ImDrawList* list = data->CmdLists[n];
    const ImDrawVert* vtx = list->VtxBuffer.Data;
    const ImDrawIdx* idx = list->IdxBuffer.Data;
    for (const ImDrawCmd& cmd : list->CmdBuffer) {
      if (cmd.UserCallback) {
        cmd.UserCallback(list, &cmd);
        continue;
      }
      const SDL_Rect clip{static_cast<int>(cmd.ClipRect.x), static_cast<int>(cmd.ClipRect.y),
                          static_cast<int>(cmd.ClipRect.z - cmd.ClipRect.x),
                          static_cast<int>(cmd.ClipRect.w - cmd.ClipRect.y)};
      if (clip.w <= 0 || clip.h <= 0) continue;
      SDL_RenderSetClipRect(renderer_, &clip);
      const ImDrawVert* v = vtx + cmd.VtxOffset;
      constexpr int stride = sizeof(ImDrawVert);
      SDL_RenderGeometryRaw(renderer_, static_cast<SDL_Texture*>(cmd.GetTexID()),
                            reinterpret_cast<const float*>(reinterpret_cast<const char*>(v) +
                                                           offsetof(ImDrawVert, pos)),
                            stride,
                            reinterpret_cast<const SDL_Color*>(reinterpret_cast<const char*>(v) +
                                                               offsetof(ImDrawVert, col)),
                            stride,
                            reinterpret_cast<const float*>(reinterpret_cast<const char*>(v) +
                                                           offsetof(ImDrawVert, uv)),
                            stride, list->VtxBuffer.Size - static_cast<int>(cmd.VtxOffset),
                            idx + cmd.IdxOffset, static_cast<int>(cmd.ElemCount),
                            sizeof(ImDrawIdx));
    }
  }
  SDL_RenderSetClipRect(renderer_, nullptr);
}

}  // namespace gp
