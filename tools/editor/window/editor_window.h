#pragma once
// galaputt-editor's window: SDL and Dear ImGui, as the launcher. The toolbar,
// the palette and lists, the course view, the side panel, the status line,
// the keys, and the questions before saving, leaving or opening another hole.

#include <string>

namespace gp::editor {

struct EditorOptions {
  std::string target;  // a hole file or a course folder; empty: newhole.hole here
  int width = 1280, height = 800;
  double zoom = 0;  // 0: the course fitted into the view
};

// Runs the editor until its window closes; the program's exit status.
int RunEditor(const EditorOptions& o);

}  // namespace gp::editor
