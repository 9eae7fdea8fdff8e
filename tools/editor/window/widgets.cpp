#include "tools/editor/window/widgets.h"

#include <imgui.h>

#include <cstdio>
#include <cstring>
#include <map>

namespace gp::editor {

namespace {

// Text being edited, by field: kept while the field is active.
std::map<ImGuiID, std::string>& Pending() {
  static std::map<ImGuiID, std::string> pending;
  return pending;
}

bool EditBuffer(const char* id, const std::string& value, std::string& out, float width,
                ImGuiInputTextFlags flags) {
  const ImGuiID key = ImGui::GetID(id);
  auto& pending = Pending();
  const auto it = pending.find(key);
  char buf[2048];
  std::snprintf(buf, sizeof buf, "%s", it != pending.end() ? it->second.c_str() : value.c_str());
  ImGui::SetNextItemWidth(width);
  if (ImGui::InputText(id, buf, sizeof buf, flags)) pending[key] = buf;
  if (ImGui::IsItemDeactivatedAfterEdit()) {
    const auto p = pending.find(key);
    out = p != pending.end() ? p->second : buf;
    pending.erase(key);
    return out != value;
  }
  if (!ImGui::IsItemActive()) pending.erase(key);
  return false;
}

}  // namespace

bool EditNumber(const char* id, int value, int& out, float width) {
  std::string text;
  if (!EditBuffer(id, std::to_string(value), text, width,
                  ImGuiInputTextFlags_CharsDecimal | ImGuiInputTextFlags_AutoSelectAll)) {
    return false;
  }
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0') return false;
  out = static_cast<int>(v);
  return out != value;
}

bool EditText(const char* id, const std::string& value, std::string& out, float width) {
  return EditBuffer(id, value, out, width, ImGuiInputTextFlags_AutoSelectAll);
}

void Hint(const std::string& text) {
  if (!text.empty() && ImGui::IsItemHovered()) ImGui::SetTooltip("%s", text.c_str());
}

void Warning(const std::string& text) {
  ImGui::PushStyleColor(ImGuiCol_Text, IM_COL32(255, 150, 80, 255));
  ImGui::TextWrapped("%s", text.c_str());
  ImGui::PopStyleColor();
}

}  // namespace gp::editor
