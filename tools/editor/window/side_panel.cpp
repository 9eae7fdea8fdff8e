#include "tools/editor/window/side_panel.h"

#include <imgui.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "game/area_kind.h"
#include "tools/editor/window/layout.h"
#include "tools/editor/window/widgets.h"

namespace gp::editor {

namespace {

constexpr const char* kSchemes[] = {"1 teal",      "2 amber", "3 violet",
                                    "4 cold blue", "5 lime",  "6 coral"};
constexpr int kSchemeCount = static_cast<int>(std::size(kSchemes));

// The words a text field allows, split at '|'.
std::vector<std::string> Choices(const char* choices) {
  std::vector<std::string> out;
  std::string cur;
  for (const char* c = choices;; ++c) {
    if (*c == '|' || *c == '\0') {
      out.push_back(cur);
      cur.clear();
      if (*c == '\0') break;
    } else {
      cur += *c;
    }
  }
  return out;
}

std::string Allowed(const FieldNote& n) {
  std::string s = n.unit;
  if (n.min <= n.max && n.field != kFieldKind) {
    s += (s.empty() ? "" : ", ") + std::to_string(n.min) + " to " + std::to_string(n.max);
  }
  if (n.help && *n.help) s += (s.empty() ? "" : "; ") + std::string(n.help);
  return s;
}

}  // namespace

void SidePanel::Draw(int x, int y, int w, int h) {
  ImGui::SetCursorScreenPos(ImVec2(float(x), float(y)));
  ImGui::BeginChild("##side", ImVec2(float(w), float(h)), true);
  if (ImGui::CollapsingHeader("Area", ImGuiTreeNodeFlags_DefaultOpen)) AreaFields();
  if (ImGui::CollapsingHeader("Hole", ImGuiTreeNodeFlags_DefaultOpen)) HoleFields();
  if (ImGui::CollapsingHeader("Checks", ImGuiTreeNodeFlags_DefaultOpen)) Checks();
  if (ImGui::CollapsingHeader("Look")) Look();
  ImGui::EndChild();
}

void SidePanel::AreaFields() {
  HoleModel& m = s_.model();
  const int n = s_.selected;
  if (n == 0 || !m.HasArea(n)) {
    ImGui::TextDisabled("Click an area, or add one from the palette.");
    return;
  }
  const Area a = m.GetArea(n);
  const KindInfo info = Kind(a.kind);
  ImGui::Text("Area %d: %s", n, info.name);
  ImGui::TextWrapped("%s", info.effect);
  ImGui::SetNextItemWidth(-1);
  const std::string current = std::to_string(a.kind) + " " + info.name;
  if (ImGui::BeginCombo("##kind", current.c_str())) {
    for (int k : AllKinds()) {
      const std::string label = std::to_string(k) + " " + Kind(k).name;
      if (ImGui::Selectable(label.c_str(), k == a.kind) && k != a.kind) {
        m.SetField(n, kFieldKind, std::to_string(k));
      }
    }
    ImGui::EndCombo();
  }
  if (ImGui::BeginTable("##fields", 3, ImGuiTableFlags_SizingFixedFit)) {
    ImGui::TableSetupColumn("key", ImGuiTableColumnFlags_WidthFixed, 56);
    ImGui::TableSetupColumn("meaning", ImGuiTableColumnFlags_WidthFixed, 130);
    ImGui::TableSetupColumn("value", ImGuiTableColumnFlags_WidthStretch);
    for (const FieldNote& note : NotesFor(a)) {
      if (note.field != kFieldKind) FieldRow(n, a, note);
    }
    ImGui::EndTable();
  }
  for (const std::string& p : FieldProblems(n, a)) Warning(p);
}

void SidePanel::FieldRow(int n, const Area& a, const FieldNote& note) {
  HoleModel& m = s_.model();
  const char* key = FieldKey(note.field);
  ImGui::TableNextRow();
  ImGui::TableNextColumn();
  ImGui::TextUnformatted(key);
  ImGui::TableNextColumn();
  ImGui::TextUnformatted(note.label);
  Hint(Allowed(note));
  ImGui::TableNextColumn();
  const std::string id = std::string("##") + key;
  if (note.field == kFieldEnabled) {
    bool on = a.enabled;
    if (ImGui::Checkbox(id.c_str(), &on)) m.SetField(n, kFieldEnabled, on ? "1" : "0");
    return;
  }
  if (note.field == kFieldComment && note.choices) {
    ImGui::SetNextItemWidth(-1);
    if (ImGui::BeginCombo(id.c_str(), a.comment.empty() ? "(none)" : a.comment.c_str())) {
      for (const std::string& c : Choices(note.choices)) {
        if (ImGui::Selectable(c.empty() ? "(none)" : c.c_str(), c == a.comment)) {
          m.SetField(n, kFieldComment, c);
        }
      }
      ImGui::EndCombo();
    }
    return;
  }
  if (note.field == kFieldComment) {
    std::string v;
    if (EditText(id.c_str(), a.comment, v)) m.SetField(n, kFieldComment, v);
    return;
  }
  int v = 0;
  if (EditNumber(id.c_str(), FieldValue(a, note.field), v, -1)) {
    m.SetField(n, note.field, std::to_string(v));
  }
  Hint(Allowed(note));
}

void SidePanel::HoleFields() {
  HoleModel& m = s_.model();
  ImGui::Text("%s", s_.name().c_str());
  ImGui::TextDisabled("%s", s_.path().c_str());
  int v = 0;
  ImGui::TextUnformatted("par");
  ImGui::SameLine(110);
  if (EditNumber("##par", m.Par(), v)) m.SetPar(v);
  ImGui::TextUnformatted("ball start");
  ImGui::SameLine(110);
  if (EditNumber("##bx", m.BallX(), v, 60)) m.SetStart(v, m.BallY());
  ImGui::SameLine();
  if (EditNumber("##by", m.BallY(), v, 60)) m.SetStart(m.BallX(), v);
  Hint("course pixels; the balls scatter up to 31 px around it (drag its ring)");
  std::string t;
  if (m.Cup()) {
    ImGui::TextUnformatted("next hole");
    ImGui::SameLine(110);
    if (EditText("##next", m.NextHole(), t)) m.SetNext(t);
    Hint("the cup's comment: the hole that follows");
  }
  const std::string* title = m.Value("canvas", "title");
  ImGui::TextUnformatted("title");
  ImGui::SameLine(110);
  if (EditText("##title", title ? *title : "", t)) m.SetLook("canvas", "title", t);
  Hint("on the hole card");
  const std::string* number = m.Value("canvas", "number");
  ImGui::TextUnformatted("number");
  ImGui::SameLine(110);
  if (EditText("##number", number ? *number : "", t, 60)) m.SetLook("canvas", "number", t);
  const int scheme = std::clamp(m.profile().ReadInteger("canvas", "scheme", 1), 1, kSchemeCount);
  ImGui::TextUnformatted("colours");
  ImGui::SameLine(110);
  ImGui::SetNextItemWidth(140);
  if (ImGui::BeginCombo("##scheme", kSchemes[scheme - 1])) {
    for (int i = 1; i <= kSchemeCount; ++i) {
      if (ImGui::Selectable(kSchemes[i - 1], i == scheme)) {
        m.SetLook("canvas", "scheme", std::to_string(i));
      }
    }
    ImGui::EndCombo();
  }
  bool storm = m.Value("canvas", "mood") && *m.Value("canvas", "mood") == "storm";
  ImGui::SameLine();
  if (ImGui::Checkbox("storm", &storm)) m.SetLook("canvas", "mood", storm ? "storm" : "");
  const std::string* ambient = m.Value("sounds", "ambient");
  ImGui::TextUnformatted("ambience");
  ImGui::SameLine(110);
  if (EditText("##ambient", ambient ? *ambient : "", t, 60)) m.SetLook("sounds", "ambient", t);
  Hint("the ambient bed's variant");
  ImGui::TextUnformatted("size");
  ImGui::SameLine(110);
  if (EditNumber("##cw", m.CourseWidth(), v, 60)) m.SetLook("canvas", "width", std::to_string(v));
  ImGui::SameLine();
  if (EditNumber("##ch", m.CourseHeight(), v, 60)) m.SetLook("canvas", "height", std::to_string(v));
  Hint("course pixels, multiples of 24");
}

void SidePanel::Checks() {
  const std::vector<Problem> problems = s_.Problems();
  if (ImGui::Button("Check")) s_.StartChecks();
  Hint("the solver and the fair-cup sweep on the hole as it is");
  ImGui::SameLine();
  if (ImGui::Button("Solve")) s_.StartSolve();
  ImGui::SameLine();
  if (s_.Busy()) {
    ImGui::TextDisabled("working...");
  } else if (!s_.ResultsCurrent() && (s_.HasSolve() || s_.HasFair())) {
    ImGui::TextDisabled("changed since the last check");
  }
  if (s_.HasSolve()) {
    const SolveVerdict& v = s_.Solved();
    ImGui::TextWrapped("%s", v.Summary().c_str());
    if (v.fineaim) Warning("fine aim: a stroke of this line fails one step of aim off");
  }
  if (s_.HasFair() && s_.Fair().ran) {
    ImGui::TextWrapped("cup %s: %s", s_.Fair().fair ? "fair" : "not fair",
                       s_.Fair().detail.c_str());
  }
  if (problems.empty()) {
    ImGui::TextDisabled("no problems found");
    return;
  }
  for (size_t i = 0; i < problems.size(); ++i) {
    ImGui::PushID(static_cast<int>(i));
    ImGui::PushStyleColor(ImGuiCol_Text, IM_COL32(255, 150, 80, 255));
    ImGui::PushTextWrapPos(0);
    if (ImGui::Selectable(problems[i].text.c_str(),
                          s_.selected == problems[i].area && problems[i].area)) {
      if (problems[i].area) s_.selected = problems[i].area;
    }
    ImGui::PopTextWrapPos();
    ImGui::PopStyleColor();
    ImGui::PopID();
  }
}

void SidePanel::Look() {
  HoleModel& m = s_.model();
  for (const std::string& section : m.LookSections()) LookSection(section);
  if (ImGui::Button("Add floor")) {
    const std::string f = m.AddLookSection("floor");
    m.SetLook(f, "points", "100,100 300,100 300,300 100,300");
  }
  ImGui::SameLine();
  if (ImGui::Button("Add paint")) {
    const std::string p = m.AddLookSection("paint");
    m.SetLook(p, "x", std::to_string(m.CourseWidth() / 2));
    m.SetLook(p, "y", std::to_string(m.CourseHeight() / 2));
  }
  ImGui::TextDisabled("floors: points = \"x,y x,y ...\", level 1 lower;");
  ImGui::TextDisabled("paints: type, x, y, w, h, text, fg; images: itemN.");
}

void SidePanel::LookSection(const std::string& section) {
  HoleModel& m = s_.model();
  if (!ImGui::TreeNode(section.c_str())) return;
  for (const auto& [key, value] : m.Keys(section)) {
    ImGui::PushID(key.c_str());
    ImGui::TextUnformatted(key.c_str());
    ImGui::SameLine(90);
    std::string v;
    if (EditText("##v", value, v, ImGui::GetContentRegionAvail().x - 30)) {
      m.SetLook(section, key, v);
    }
    ImGui::SameLine();
    if (ImGui::SmallButton("x")) m.SetLook(section, key, "");
    ImGui::PopID();
  }
  ImGui::SetNextItemWidth(80);
  ImGui::InputText("##newkey", newkey_, sizeof newkey_);
  ImGui::SameLine();
  ImGui::SetNextItemWidth(ImGui::GetContentRegionAvail().x - 50);
  ImGui::InputText("##newvalue", newvalue_, sizeof newvalue_);
  ImGui::SameLine();
  if (ImGui::SmallButton("add") && newkey_[0]) {
    if (m.SetLook(section, newkey_, newvalue_)) newkey_[0] = newvalue_[0] = '\0';
  }
  if (section.rfind("floor", 0) == 0 || section.rfind("paint", 0) == 0) {
    if (ImGui::SmallButton("delete this section")) m.DeleteLookSection(section);
  }
  ImGui::TreePop();
}

void LeftPanel::Draw(int x, int y, int w, int h) {
  ImGui::SetCursorScreenPos(ImVec2(float(x), float(y)));
  ImGui::BeginChild("##left", ImVec2(float(w), float(h)), true, ImGuiWindowFlags_NoScrollbar);
  Palette();
  ImGui::SetCursorScreenPos(
      ImVec2(float(x + 8), float(layout::PaletteY(kMaxAreaKind) + layout::kPaletteHeight + 10)));
  ImGui::BeginChild("##lists", ImVec2(float(w - 16), 0), false);
  if (s_.InCourse()) CourseHoles();
  AreaList();
  ImGui::EndChild();
  ImGui::EndChild();
}

void LeftPanel::Palette() {
  ImGui::SetCursorScreenPos(ImVec2(float(layout::kPaletteLeft), float(layout::kToolbarHeight + 8)));
  ImGui::TextUnformatted(view_.placing ? "Click the course to place it" : "Add an area");
  for (int k : AllKinds()) {
    ImGui::SetCursorScreenPos(ImVec2(float(layout::PaletteX(k)), float(layout::PaletteY(k))));
    ImGui::PushID(k);
    const bool on = view_.placing == k;
    if (on) ImGui::PushStyleColor(ImGuiCol_Button, IM_COL32(200, 150, 40, 255));
    if (!KindHasEffect(k)) ImGui::PushStyleVar(ImGuiStyleVar_Alpha, 0.5f);
    if (ImGui::Button(std::to_string(k).c_str(),
                      ImVec2(layout::kPaletteWidth, layout::kPaletteHeight))) {
      view_.placing = on ? 0 : k;
    }
    if (!KindHasEffect(k)) ImGui::PopStyleVar();
    if (on) ImGui::PopStyleColor();
    Hint(std::string(Kind(k).name) + ": " + Kind(k).effect);
    ImGui::PopID();
  }
}

void LeftPanel::AreaList() {
  HoleModel& m = s_.model();
  ImGui::Text("Areas (%zu)", m.Areas().size());
  for (int n : m.Areas()) {
    const Area a = m.GetArea(n);
    const std::string label = std::to_string(n) + "  " + Kind(a.kind).name +
                              (a.enabled ? "" : " (off)") +
                              (a.comment.empty() ? "" : "  " + a.comment);
    if (ImGui::Selectable(label.c_str(), s_.selected == n)) s_.selected = n;
  }
}

void LeftPanel::CourseHoles() {
  CourseFile& c = s_.course();
  ImGui::Text("Course: %s", c.name().c_str());
  const std::vector<std::string> holes = c.holes();
  for (size_t i = 0; i < holes.size(); ++i) {
    ImGui::PushID(static_cast<int>(i));
    if (ImGui::SmallButton("^") && i > 0) s_.MoveCourseHole(i, i - 1);
    ImGui::SameLine();
    if (ImGui::SmallButton("v") && i + 1 < holes.size()) s_.MoveCourseHole(i, i + 1);
    ImGui::SameLine();
    if (ImGui::SmallButton("x")) s_.RemoveCourseHole(i);
    Hint("take the hole out of the course (its file stays)");
    ImGui::SameLine();
    const std::string label = std::to_string(i + 1) + " " + holes[i];
    if (ImGui::Selectable(label.c_str(), holes[i] == s_.name())) open_ = holes[i];
    ImGui::PopID();
  }
  for (const std::string& f : c.HoleFiles()) {
    if (std::find(holes.begin(), holes.end(), f) != holes.end()) continue;
    ImGui::PushID(f.c_str());
    if (ImGui::SmallButton("+")) s_.AddCourseHole(f);
    Hint("add it to the course's holes");
    ImGui::SameLine();
    if (ImGui::Selectable(f.c_str(), f == s_.name())) open_ = f;
    ImGui::PopID();
  }
  ImGui::SetNextItemWidth(120);
  ImGui::InputText("##newhole", newhole_, sizeof newhole_);
  ImGui::SameLine();
  if (ImGui::SmallButton("new hole") && GoodHoleName(newhole_)) {
    open_ = newhole_;
    newhole_[0] = '\0';
  }
  ImGui::Separator();
}

std::string LeftPanel::TakeOpenRequest() {
  std::string o;
  std::swap(o, open_);
  return o == s_.name() ? "" : o;
}

}  // namespace gp::editor
