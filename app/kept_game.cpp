#include "app/kept_game.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/game_window.h"
#include "app/replay.h"
#include "base/user_files.h"
#include "game/state.h"
#include "game/state_digest.h"

namespace gp {

namespace {

std::string g_keptfile;

}  // namespace

void SetKeptGameFile(const std::string& path) {
  g_keptfile = path;
}

const std::string& KeptGameFile() {
  return g_keptfile;
}

KeptGame& keptgame() {
  static KeptGame kept;
  return kept;
}

void KeptGame::Start(uint64_t seed, const std::string& firsthole, const GameSetup& s,
                     const std::string& uid, bool dropold) {
  active_ = !g_keptfile.empty();
  hold_ = false;
  failed_ = false;
  lastrate_ = 60;
  text_.clear();
  path_ = g_keptfile;
  if (!active_) return;
  // The game kept before is dropped now that a new one has started.
  if (dropold && ::unlink(path_.c_str()) != 0 && errno != ENOENT) {
    ReportError("The unfinished game in \"" + path_ + "\" cannot be removed (" +
                std::strerror(errno) + ").");
  }
  Replay header;
  header.seed = seed;
  header.firsthole = firsthole;
  header.setup = s;
  header.gameuid = uid;
  text_ = FormatReplay(header);
  text_.erase(text_.rfind("end "));  // the last lines come with each write
}

void KeptGame::Event(int frame, const InputEvent& ev) {
  if (!active_) return;
  const std::string line = FormatEvent(ReplayEvent{frame, ev});
  if (line.empty()) return;
  text_ += line;
  text_ += '\n';
}

void KeptGame::Tick(int frame, int rate) {
  if (!active_ || rate == lastrate_) return;
  lastrate_ = rate;
  text_ += std::to_string(frame) + " rate " + std::to_string(rate) + "\n";
}

void KeptGame::Stroke(int frames) {
  if (active_ && !hold_) Save(frames);
}

void KeptGame::Save(int frames) {
  if (!active_) return;
  Digest d;
  AddState(d, gs());
  const std::string text = text_ + "check " + d.Hex() + "\nhole " +
                           std::to_string(gs().holenumber) + "\nend " + std::to_string(frames) +
                           "\n";
  const std::string error = SaveFileAtomically(path_, text);
  if (error.empty()) return;
  // Told once a game; the next strokes try again.
  if (!failed_) ReportError("The game cannot be kept for resuming later: " + error + ".");
  failed_ = true;
}

void KeptGame::Finish() {
  if (!active_) return;
  active_ = false;
  ::unlink(path_.c_str());
}

}  // namespace gp
