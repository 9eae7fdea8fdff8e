#pragma once
// The editor's two side columns. On the right: the selected area's fields
// with their meanings, units and allowed values; the hole's own fields; its
// look; the checks and the solver's verdict. On the left: the palette of area
// kinds, the list of areas and, for a course, its holes.

#include <string>

#include "tools/editor/editor_session.h"
#include "tools/editor/window/course_view.h"

namespace gp::editor {

class SidePanel {
 public:
  explicit SidePanel(EditorSession& s) : s_(s) {}
  void Draw(int x, int y, int w, int h);

 private:
  void AreaFields();
  void FieldRow(int n, const Area& a, const FieldNote& note);
  void HoleFields();
  void Look();
  void LookSection(const std::string& section);
  void Checks();

  EditorSession& s_;
  char newkey_[64] = "";
  char newvalue_[256] = "";
};

class LeftPanel {
 public:
  LeftPanel(EditorSession& s, CourseView& view) : s_(s), view_(view) {}
  void Draw(int x, int y, int w, int h);
  // A hole of the course the designer asked to open (the window asks about
  // unsaved changes first); empty when none.
  std::string TakeOpenRequest();

 private:
  void Palette();
  void AreaList();
  void CourseHoles();

  EditorSession& s_;
  CourseView& view_;
  std::string open_;
  char newhole_[64] = "";
};

}  // namespace gp::editor
