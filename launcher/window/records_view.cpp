#include "launcher/window/records_view.h"

#include <imgui.h>

#include <string>

#include "base/text_codepage.h"

namespace gp {

namespace {

constexpr ImU32 kRecordsPanel = IM_COL32(224, 216, 207, 255);
constexpr ImU32 kRecordsGrey = IM_COL32(128, 128, 128, 255);
constexpr ImU32 kRecordsTabOff = IM_COL32(200, 194, 186, 255);
constexpr ImU32 kRecordsHeader = IM_COL32(212, 204, 195, 255);

// The tab control of the Records panel (left, top, width, height) and its strip.
constexpr float kBoxX = 6, kBoxY = 6, kBoxW = 367, kBoxH = 102, kStrip = 17;

ImVec2 PanelOrigin() {
  return ImGui::GetWindowPos();
}

// Text centred on the panel's width at height y.
void CentredText(const std::string& utf8, float y) {
  const float w = ImGui::GetWindowSize().x;
  const ImVec2 size = ImGui::CalcTextSize(utf8.c_str());
  const ImVec2 o = PanelOrigin();
  ImGui::GetWindowDrawList()->AddText(ImVec2(o.x + (w - size.x) / 2, o.y + y), kRecordsGrey,
                                      utf8.c_str());
}

// The tab strip: each course, then the players; the chosen tab joins the frame.
void Tabs(LauncherModel& m, std::vector<LauncherAction>& a) {
  ImDrawList* d = ImGui::GetWindowDrawList();
  const ImVec2 o = PanelOrigin();
  d->AddRect(ImVec2(o.x + kBoxX, o.y + kBoxY + kStrip),
             ImVec2(o.x + kBoxX + kBoxW, o.y + kBoxY + kBoxH), kRecordsGrey);
  std::vector<std::string> titles;
  for (const RecordsTab& t : m.records().courses) titles.push_back(NameToUtf8(t.title));
  titles.push_back("Players");
  float x = kBoxX + 2;
  for (int t = 0; t < static_cast<int>(titles.size()); ++t) {
    const char* title = titles[static_cast<size_t>(t)].c_str();
    const float w = ImGui::CalcTextSize(title).x + 12;
    ImGui::SetCursorPos(ImVec2(x, kBoxY));
    ImGui::PushID(200 + t);
    if (ImGui::InvisibleButton("tab", ImVec2(w, kStrip)))
      a.push_back([&m, t] { m.SelectRecordsTab(t); });
    ImGui::PopID();
    const bool on = m.recordstab() == t;
    const ImVec2 t0(o.x + x, o.y + kBoxY + (on ? 0 : 2));
    const ImVec2 t1(o.x + x + w, o.y + kBoxY + kStrip + (on ? 1 : 0));
    d->AddRectFilled(t0, t1, on ? kRecordsPanel : kRecordsTabOff);
    d->AddRect(t0, t1, kRecordsGrey);
    d->AddText(ImVec2(t0.x + 6, t0.y + 3), kRecordsGrey, title);
    x += w;
  }
}

// A table filling the tab page, scrolling when it is longer.
bool BeginRecordsTable(const char* id, int columns) {
  ImGui::SetCursorPos(ImVec2(kBoxX + 3, kBoxY + kStrip + 3));
  ImGui::PushStyleColor(ImGuiCol_TableHeaderBg, ImGui::ColorConvertU32ToFloat4(kRecordsHeader));
  ImGui::PushStyleColor(ImGuiCol_TableBorderLight, ImGui::ColorConvertU32ToFloat4(kRecordsTabOff));
  ImGui::PushStyleVar(ImGuiStyleVar_CellPadding, ImVec2(3, 0));
  constexpr ImGuiTableFlags kFlags = ImGuiTableFlags_ScrollY | ImGuiTableFlags_BordersInnerV |
                                     ImGuiTableFlags_SizingFixedFit |
                                     ImGuiTableFlags_NoSavedSettings;
  const bool open = ImGui::BeginTable(id, columns, kFlags, ImVec2(kBoxW - 6, kBoxH - kStrip - 6));
  if (!open) {
    ImGui::PopStyleVar();
    ImGui::PopStyleColor(2);
  }
  return open;
}

void EndRecordsTable() {
  ImGui::EndTable();
  ImGui::PopStyleVar();
  ImGui::PopStyleColor(2);
}

void Columns(std::initializer_list<std::pair<const char*, float>> columns) {
  ImGui::TableSetupScrollFreeze(0, 1);
  for (const auto& [name, width] : columns) {
    ImGui::TableSetupColumn(name, ImGuiTableColumnFlags_WidthFixed, width);
  }
  ImGui::TableHeadersRow();
}

void Cells(std::initializer_list<const std::string*> cells) {
  ImGui::TableNextRow();
  for (const std::string* c : cells) {
    ImGui::TableNextColumn();
    ImGui::TextUnformatted(NameToUtf8(*c).c_str());
  }
}

void CourseTable(const RecordsTab& tab) {
  if (!BeginRecordsTable("course", 6)) return;
  Columns(
      {{"Hole", 70}, {"Par", 20}, {"Best", 26}, {"Player", 92}, {"Date", 58}, {"Computer", 56}});
  for (const RecordsRow& r : tab.rows)
    Cells({&r.what, &r.par, &r.best, &r.by, &r.date, &r.computer});
  EndRecordsTable();
}

void PlayersTable(const std::vector<RecordsPlayerRow>& players) {
  if (players.empty()) {
    CentredText("No games recorded yet", kBoxY + kStrip + 36);
    return;
  }
  if (!BeginRecordsTable("players", 5)) return;
  Columns({{"Player", 132}, {"Games", 36}, {"Won", 30}, {"Holes in one", 64}, {"Avg vs par", 58}});
  for (const RecordsPlayerRow& p : players) {
    Cells({&p.name, &p.games, &p.wins, &p.holesinone, &p.average});
  }
  EndRecordsTable();
}

}  // namespace

void DrawRecordsPanel(LauncherModel& m, std::vector<LauncherAction>& a) {
  Tabs(m, a);
  const RecordsPanelData& data = m.records();
  const int tab = m.recordstab();
  if (tab >= 0 && tab < static_cast<int>(data.courses.size())) {
    CourseTable(data.courses[static_cast<size_t>(tab)]);
  } else {
    PlayersTable(data.players);
  }
  PanelsView::PanelButton(m, Control::recordsback, 6, 113, 65, 21, a);
  if (!data.notice.empty()) {
    // The first line of what is wrong; the whole text went to standard error.
    std::string first = data.notice.substr(0, data.notice.find('\n'));
    if (first.size() > 56) first = first.substr(0, 53) + "...";
    PanelsView::PanelText(first.c_str(), 76, 117);
  }
}

void DrawResumePanel(LauncherModel& m, std::vector<LauncherAction>& a) {
  CentredText(m.ResumeQuestion(), 36);
  std::string players = NameToUtf8(m.ResumePlayers());
  if (players.size() > 60) players = players.substr(0, 57) + "...";
  CentredText(players, 52);
  PanelsView::PanelButton(m, Control::resumebutton, 117, 72, 65, 21, a);
  PanelsView::PanelButton(m, Control::newgamebutton, 189, 72, 65, 21, a);
}

}  // namespace gp
