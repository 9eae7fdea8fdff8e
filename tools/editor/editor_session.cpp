#include "tools/editor/editor_session.h"

#include <filesystem>
#include <fstream>

#include "base/asset_error.h"
#include "game/area_kind.h"
#include "media/image_list.h"

namespace gp::editor {

namespace fs = std::filesystem;

namespace {

// The overlay's base when no picture has been compiled yet: dark space.
Picture Blank(int w, int h) {
  Picture p;
  p.width = std::clamp(w, 24, 4800);
  p.height = std::clamp(h, 24, 4800);
  p.pixels.assign(static_cast<size_t>(p.width) * p.height, 0x00201010);
  return p;
}

bool SameFolder(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

}  // namespace

EditorSession::EditorSession(std::string program) : program_(std::move(program)) {}

EditorSession::~EditorSession() {
  try_.Close();
  JoinJob();
}

std::string EditorSession::Load(const std::string& path) {
  HoleModel m;
  std::string error;
  const bool exists = fs::exists(path);
  if (exists && !HoleModel::Load(path, m, error)) return error;
  const std::string name = fs::path(path).stem().string();
  if (!GoodHoleName(name))
    return "\"" + name + "\" cannot be a hole's name (letters, digits, - and _)";
  try_.Close();
  JoinJob();
  auto build = std::make_unique<HoleBuild>();
  if (!build->Open(program_, name)) return build->error();
  if (!exists) m = HoleModel(NewHoleText(name, ""));
  model_ = std::move(m);
  saved_ = exists ? model_.Text() : "";
  path_ = path;
  name_ = name;
  build_ = std::move(build);
  selected = 0;
  compiledtext_.clear();
  compileerror_.clear();
  changedrev_ = -1;
  compiling_ = false;
  hassolve_ = hasfair_ = savepending_ = false;
  resultstext_.clear();
  course_picture_ = Picture{};
  overlaydirty_ = true;
  notice_ = exists ? "opened " + path : "a new hole: " + path;
  // The first pictures at once: the window opens on the course.
  compiledtext_ = model_.Text();
  if (build_->Compile(compiledtext_)) {
    LoadPicture();
  } else {
    compileerror_ = build_->error();
  }
  return "";
}

std::string EditorSession::OpenHole(const std::string& path) {
  incourse_ = false;
  return Load(path);
}

std::string EditorSession::OpenCourse(const std::string& folder) {
  CourseFile c;
  std::string error;
  if (!c.Load(folder, error)) return error;
  course_ = c;
  incourse_ = true;
  std::string first = course_.holes().empty() ? "" : course_.holes()[0];
  if (first.empty()) {
    const std::vector<std::string> files = course_.HoleFiles();
    first = files.empty() ? "hole1" : files[0];
  }
  return OpenCourseHole(first);
}

std::string EditorSession::OpenCourseHole(const std::string& name) {
  if (!GoodHoleName(name))
    return "\"" + name + "\" cannot be a hole's name (letters, digits, - and _)";
  const std::string path = course_.folder() + name + ".hole";
  const bool fresh = !fs::exists(path);
  if (const std::string e = Load(path); !e.empty()) return e;
  incourse_ = true;
  const auto& holes = course_.holes();
  auto at = std::find(holes.begin(), holes.end(), name);
  if (at == holes.end()) {
    if (const std::string e = AddCourseHole(name); !e.empty()) return e;
    at = std::find(holes.begin(), holes.end(), name);
  }
  if (fresh) {
    // A new hole takes its place in the course: its number, and its cup names
    // the hole after it.
    const size_t i = static_cast<size_t>(at - holes.begin());
    const std::string next = i + 1 < holes.size() ? holes[i + 1] : "";
    HoleModel m(NewHoleText(name, next));
    m.SetLook("canvas", "number", std::to_string(i + 1));
    model_ = HoleModel(m.Text());  // the starting point, not an undo step
    overlaydirty_ = true;
  }
  return "";
}

std::string EditorSession::AddCourseHole(const std::string& name) {
  if (!GoodHoleName(name))
    return "\"" + name + "\" cannot be a hole's name (letters, digits, - and _)";
  course_.InsertHole(course_.holes().size(), name);
  std::string error;
  return course_.Save(error) ? "" : error;
}

std::string EditorSession::MoveCourseHole(size_t from, size_t to) {
  course_.MoveHole(from, to);
  std::string error;
  return course_.Save(error) ? "" : error;
}

std::string EditorSession::RemoveCourseHole(size_t at) {
  course_.RemoveHole(at);
  std::string error;
  return course_.Save(error) ? "" : error;
}

void EditorSession::LoadPicture() {
  ImageList list;
  try {
    LoadImageList(list, build_->GameFolder() + name_ + ".dxg", false);
  } catch (const AssetError& e) {
    compileerror_ = e.what();
    return;
  }
  if (list.Count() < 1 || list.items[0].picture.empty()) return;
  course_picture_ = list.items[0].picture;
  overlaydirty_ = true;
}

void EditorSession::Tick(uint32_t now_ms, bool holding) {
  if (model_.revision() != changedrev_) {
    changedrev_ = model_.revision();
    changedat_ = now_ms;
  }
  if (compiling_ && !build_->Running()) {
    compiling_ = false;
    compileerror_ = build_->error();
    if (compileerror_.empty()) LoadPicture();
  }
  const std::string text = model_.Text();
  if (!compiling_ && !holding && !Busy() && text != compiledtext_ &&
      now_ms - changedat_ >= kCompileDelayMs) {
    compiledtext_ = text;
    build_->Start(text);
    compiling_ = build_->Running();
    if (!compiling_) compileerror_ = build_->error();
  }
  if (Busy() && jobdone_) TakeJob();
  if (savepending_ && !Busy() && ResultsCurrent() && hassolve_ && hasfair_) {
    savepending_ = false;
    if (Problems().empty()) {
      std::string error;
      if (!Save(error)) notice_ = error;
    } else {
      notice_ = "not saved: the checks found problems";
    }
  }
}

const Picture& EditorSession::Overlay() {
  if (!overlaydirty_ && overlayrev_ == model_.revision()) return overlay_;
  OutlineCanvas cv{course_picture_.empty() ? Blank(model_.CourseWidth(), model_.CourseHeight())
                                           : course_picture_};
  if (course_picture_.empty()) {
    // No picture yet: at least the floors' outlines.
    for (const std::vector<Point>& f : Floors(model_)) {
      for (size_t i = 0; i < f.size(); ++i) {
        const Point a = f[i], b = f[(i + 1) % f.size()];
        cv.Line(a.x, a.y, b.x, b.y, 0x00406030);
      }
    }
  }
  for (int n : model_.Areas()) DrawArea(cv, n, model_.GetArea(n));
  const int cup = model_.Cup();
  const Area c = model_.GetArea(cup);
  DrawMarks(cv, model_.BallX(), model_.BallY(), cup ? c.x1 : -1000, cup ? c.y1 : -1000);
  if (hassolve_ && ResultsCurrent()) DrawStrokes(cv, solve_.line);
  overlay_ = std::move(cv.pic);
  overlayrev_ = model_.revision();
  overlaydirty_ = false;
  ++overlayserial_;
  return overlay_;
}

void EditorSession::StartSolve() {
  StartJob(false);
}

void EditorSession::StartChecks() {
  StartJob(true);
}

// The solver (and with `fair` the fair-cup sweep) on the hole as it stands,
// on a thread of its own; Try closes meanwhile.
void EditorSession::StartJob(bool fair) {
  if (Busy()) return;
  try_.Close();
  jobtext_ = model_.Text();
  if (!build_->WriteHole(jobtext_)) {
    notice_ = "cannot write the hole to play it";
    return;
  }
  jobfairwanted_ = fair;
  jobdone_ = false;
  const std::string folder = build_->GameFolder(), name = name_;
  const int par = model_.Par();
  const HoleModel copy = model_;
  job_ = std::thread([this, folder, name, par, copy, fair] {
    jobsolve_ = SolveHole(folder, name, par, kSolveBudget);
    if (fair) jobfair_ = SweepCup(folder, name, copy);
    jobdone_ = true;
  });
  notice_ = fair ? "checking (the solver and the cups)..." : "solving...";
}

void EditorSession::JoinJob() {
  if (job_.joinable()) job_.join();
}

void EditorSession::TakeJob() {
  JoinJob();
  if (resultstext_ != jobtext_) hasfair_ = false;  // an older sweep no longer holds
  solve_ = jobsolve_;
  hassolve_ = true;
  if (jobfairwanted_) {
    fair_ = jobfair_;
    hasfair_ = true;
  }
  resultstext_ = jobtext_;
  overlaydirty_ = true;
  notice_ = solve_.Summary();
}

std::vector<Problem> EditorSession::Problems() const {
  std::vector<Problem> out = QuickChecks(model_);
  if (!compileerror_.empty() && compiledtext_ == model_.Text()) {
    out.push_back({0, "the pictures cannot be compiled: " + compileerror_});
  }
  if (!ResultsCurrent()) return out;
  if (hassolve_) {
    for (const Problem& p : SolveProblems(solve_)) out.push_back(p);
  }
  if (hasfair_ && !fair_.ran)
    out.push_back({model_.Cup(), "the cups could not be swept: " + fair_.error});
  if (hasfair_ && fair_.ran && !fair_.fair) {
    out.push_back({model_.Cup(), "area " + std::to_string(model_.Cup()) +
                                     " (cup) is not fair: careful putts from 60 px drop from " +
                                     std::to_string(fair_.good) + " of " +
                                     std::to_string(fair_.allowed) + " directions (" +
                                     fair_.detail + ")"});
  }
  return out;
}

bool EditorSession::Save(std::string& error) {
  // The program folder is the game's: its holes are made from their sources.
  if (SameFolder(fs::absolute(path_).parent_path().string(), program_)) {
    error = "the program folder is never written: edit the hole's source instead";
    return false;
  }
  if (!model_.Save(path_, error)) return false;
  saved_ = model_.Text();
  savepending_ = false;
  notice_ = "saved " + path_;
  return true;
}

void EditorSession::BeginSave() {
  savepending_ = true;
  if (!(ResultsCurrent() && hassolve_ && hasfair_)) StartChecks();
}

std::string EditorSession::StartTry(int x, int y) {
  if (Busy()) return "the solver is busy";
  if (!build_->WriteHole(model_.Text())) return "cannot write the hole to play it";
  return try_.Open(build_->GameFolder(), name_, x, y);
}

}  // namespace gp::editor
