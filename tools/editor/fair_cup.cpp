#include "tools/editor/fair_cup.h"

#include <exception>
#include <filesystem>

#include "tools/lab/fair_cup.h"

namespace gp::editor {

FairCupReport SweepCup(const std::string& folder, const std::string& name, const HoleModel& m) {
  FairCupReport r;
  const std::string path = folder + name + ".hole";
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    r.error = "the hole " + name + " is not compiled";
    return r;
  }
  if (m.Text().empty()) {
    r.error = "the hole " + name + " is empty";
    return r;
  }
  try {
    const lab::CupSweep s = lab::SweepCup(path, name);
    r.ran = true;
    r.fair = s.Fair();
    r.allowed = s.allowed;
    r.good = s.fair;
    r.detail = s.report;
  } catch (const std::exception& e) {
    r.error = e.what();
  }
  return r;
}

}  // namespace gp::editor
