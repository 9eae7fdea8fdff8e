#pragma once
// The editor without its window: the hole open for editing, its file, its
// compiled picture with the designer's overlay, the solver and the checks run
// in the background, saving after the checks, "Try", and the course the hole
// belongs to. The window draws this and calls it; tests drive it directly.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "media/picture.h"
#include "tools/editor/course_file.h"
#include "tools/editor/fair_cup.h"
#include "tools/editor/hole_build.h"
#include "tools/editor/hole_checks.h"
#include "tools/editor/hole_model.h"
#include "tools/editor/try_session.h"

namespace gp::editor {

// Seconds the solver may take on a hole.
inline constexpr double kSolveBudget = 60;
// Milliseconds without a change before the pictures are compiled again.
inline constexpr uint32_t kCompileDelayMs = 400;

class EditorSession {
 public:
  // `program`: the program folder with the game's data and galaputt-assets.
  explicit EditorSession(std::string program);
  ~EditorSession();
  EditorSession(const EditorSession&) = delete;
  EditorSession& operator=(const EditorSession&) = delete;

  // Opens a hole file; a file that does not exist yet is a new room. An error
  // text, empty when the hole is open.
  std::string OpenHole(const std::string& path);
  // Opens a course folder on its first hole (a new one when it has none).
  std::string OpenCourse(const std::string& folder);
  bool InCourse() const { return incourse_; }
  CourseFile& course() { return course_; }
  // Another hole of the course, by name; a new room when it has no file yet
  // (its name is added to the course's holes). Unsaved changes are dropped:
  // the window asks first.
  std::string OpenCourseHole(const std::string& name);
  // Changes to the course's hole list, written to course.ini at once.
  std::string MoveCourseHole(size_t from, size_t to);
  std::string RemoveCourseHole(size_t at);
  std::string AddCourseHole(const std::string& name);

  HoleModel& model() { return model_; }
  const HoleModel& model() const { return model_; }
  const std::string& path() const { return path_; }
  const std::string& name() const { return name_; }
  bool Modified() const { return model_.Text() != saved_; }
  int selected = 0;  // the area the panels show; 0: none

  // Every pass of the window: compiles once changes have settled (not while
  // `holding`, a drag under way), takes the results of finished work.
  void Tick(uint32_t now_ms, bool holding);
  bool Compiling() const { return compiling_; }
  const std::string& CompileError() const { return compileerror_; }
  // The compiled course picture with every area outlined and labelled, the
  // ball start, the cup and the solver's line; `OverlaySerial` counts remakes.
  const Picture& Overlay();
  int OverlaySerial() const { return overlayserial_; }

  // The solver, or the solver and the fair-cup sweep, on the hole as it is
  // now, in the background; one at a time, and Try closes for it.
  bool Busy() const { return job_.joinable(); }
  void StartSolve();
  void StartChecks();
  bool HasSolve() const { return hassolve_; }
  const SolveVerdict& Solved() const { return solve_; }
  bool HasFair() const { return hasfair_; }
  const FairCupReport& Fair() const { return fair_; }
  // The results are for the hole as it is now (not an earlier version).
  bool ResultsCurrent() const { return resultstext_ == model_.Text(); }
  // Every problem known for the hole as it is now.
  std::vector<Problem> Problems() const;

  // Saving: Save writes at once; BeginSave runs the checks first and saves
  // when they find nothing (the window shows SaveChecking and Problems
  // meanwhile, and may save anyway or cancel).
  bool Save(std::string& error);
  void BeginSave();
  void CancelSave() { savepending_ = false; }
  bool SavePending() const { return savepending_; }
  const std::string& Notice() const { return notice_; }  // the last thing done, for the status line

  // Try: the game on the hole as it is, the ball at (x, y).
  std::string StartTry(int x, int y);
  void StopTry() { try_.Close(); }
  TrySession& Try() { return try_; }

 private:
  std::string Load(const std::string& path);
  void StartJob(bool fair);
  void JoinJob();
  void TakeJob();
  void LoadPicture();

  std::string program_;
  std::string path_, name_, saved_;
  HoleModel model_;
  std::unique_ptr<HoleBuild> build_;
  bool incourse_ = false;
  CourseFile course_;

  // Compiling.
  std::string compiledtext_;  // the text of the last compile started
  int changedrev_ = -1;
  uint32_t changedat_ = 0;
  bool compiling_ = false;
  std::string compileerror_;
  int pictures_ = 0;  // compiles whose pictures are loaded

  // The overlay.
  Picture course_picture_, overlay_;
  int overlayrev_ = -1, overlayserial_ = 0;
  bool overlaydirty_ = true;

  // Background work.
  std::thread job_;
  std::atomic<bool> jobdone_{false};
  std::string jobtext_;
  SolveVerdict jobsolve_;
  FairCupReport jobfair_;
  bool jobfairwanted_ = false;
  bool hassolve_ = false, hasfair_ = false;
  SolveVerdict solve_;
  FairCupReport fair_;
  std::string resultstext_;
  bool savepending_ = false;
  std::string notice_;

  TrySession try_;
};

}  // namespace gp::editor
