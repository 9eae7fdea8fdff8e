#include "tools/editor/course_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace gp::editor {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> SplitList(const std::string& v) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : v + ",") {
    if (c == ',' || c == ' ' || c == '\t') {
      if (!cur.empty()) out.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  return out;
}

}  // namespace

bool CourseFile::Load(const std::string& folder, std::string& error) {
  folder_ = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  const std::string path = folder_ + "course.ini";
  text_ = HoleText{};
  holes_.clear();
  if (!fs::exists(path)) return true;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  std::ostringstream ss;
  ss << in.rdbuf();
  text_ = HoleText::Parse(ss.str());
  if (const Section* s = text_.Get("course")) {
    if (const Entry* e = s->Get("holes")) {
      holes_ = SplitList(e->value);
      if (e->value.find(',') == std::string::npos && holes_.size() > 1) separator_ = " ";
    }
  }
  return true;
}

bool CourseFile::Save(std::string& error) const {
  const std::string path = folder_ + "course.ini", tmp = path + ".saving";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    const std::string t = text_.Write();
    f.write(t.data(), static_cast<std::streamsize>(t.size()));
    if (!f) {
      error = "cannot write " + path;
      return false;
    }
  }
  if (std::rename(tmp.c_str(), path.c_str()) != 0) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

std::string CourseFile::name() const {
  if (const Section* s = text_.Get("course")) {
    if (const Entry* e = s->Get("name")) return e->value;
  }
  return fs::path(folder_).parent_path().filename().string();
}

std::vector<std::string> CourseFile::HoleFiles() const {
  std::vector<std::string> out;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder_, ec)) {
    if (e.path().extension() == ".hole") out.push_back(e.path().stem().string());
  }
  std::sort(out.begin(), out.end());
  return out;
}

void CourseFile::Store() {
  Section* s = text_.Get("course");
  if (!s) {
    s = &text_.Insert(0, "course");
    s->Set("name", name());  // a new course is named after its folder
  }
  std::string v;
  for (const std::string& h : holes_) v += (v.empty() ? "" : separator_) + h;
  s->Set("holes", v);
}

void CourseFile::MoveHole(size_t from, size_t to) {
  if (from >= holes_.size() || to >= holes_.size() || from == to) return;
  const std::string h = holes_[from];
  holes_.erase(holes_.begin() + static_cast<std::ptrdiff_t>(from));
  holes_.insert(holes_.begin() + static_cast<std::ptrdiff_t>(to), h);
  Store();
}

void CourseFile::InsertHole(size_t at, const std::string& hole) {
  holes_.insert(holes_.begin() + static_cast<std::ptrdiff_t>(std::min(at, holes_.size())), hole);
  Store();
}

void CourseFile::RemoveHole(size_t at) {
  if (at >= holes_.size()) return;
  holes_.erase(holes_.begin() + static_cast<std::ptrdiff_t>(at));
  Store();
}

bool GoodHoleName(const std::string& name) {
  if (name.empty() || name.size() > 64) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
  });
}

std::string NewHoleText(const std::string& title, const std::string& next) {
  return "; " + title +
         ": made with galaputt-editor\n"
         "[ball]\nx=240\ny=360\n"
         "[course]\npar=2\n"
         "[area1]\nkind=5\nx1=720\ny1=360\nr=10\nx2=702\ny2=353\nenabled=1\ncomment=" +
         next +
         "\n"
         "[area2]\nkind=4\nx1=96\ny1=96\nx2=864\ny2=96\nenabled=1\n"
         "[area3]\nkind=2\nx1=864\ny1=96\nx2=864\ny2=624\nenabled=1\n"
         "[area4]\nkind=4\nx1=864\ny1=624\nx2=96\ny2=624\nenabled=1\n"
         "[area5]\nkind=2\nx1=96\ny1=624\nx2=96\ny2=96\nenabled=1\n"
         "[canvas]\nwidth=960\nheight=720\nscheme=1\nseed=1\nnumber=1\ntitle=" +
         title +
         "\n"
         "[floor1]\npoints=96,96 864,96 864,624 96,624\n"
         "[sounds]\nambient=1\n";
}

}  // namespace gp::editor
