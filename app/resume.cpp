#include "app/resume.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "app/game_loop.h"
#include "app/game_records.h"
#include "app/game_window.h"
#include "app/kept_game.h"
#include "app/replay_run.h"
#include "base/user_files.h"
#include "game/setup.h"
#include "game/state.h"
#include "game/state_digest.h"
#include "platform/platform.h"

namespace gp {

namespace {

// Plays the kept game's events and frames into the open window without
// drawing, as RunReplay does. Returns the frames run.
int PlayForward(const Replay& r, size_t& event) {
  GameWindow& w = gamewin();
  size_t nextrate = 0;
  int rate = 60, frames = 0;
  const auto deliver = [&](int frame) {
    for (; event < r.events.size() && r.events[event].frame <= frame && GameWindowOpen(); ++event) {
      DispatchInput(r.events[event].ev);
    }
  };
  while (GameWindowOpen() && frames < r.frames) {
    deliver(frames + 1);
    if (!GameWindowOpen() || !w.timer.enabled) break;
    rate = RateAt(r, frames + 1, nextrate, rate);
    w.timer.rate = rate;
    TickGameWindow(false);
    ++frames;
  }
  deliver(frames + 1);  // input that came after the last frame
  return frames;
}

// Why the game as played forward is not the game that was kept; "" when it is.
std::string Mismatch(const Replay& r, int frames, size_t events) {
  if (gamewin().failed) return gamewin().heldreports;
  if (!GameWindowOpen() || frames < r.frames || events < r.events.size()) {
    return "the game ended before the place it was left";
  }
  if (gs().gameover) return "the game ended before the place it was left";
  Digest d;
  AddState(d, gs());
  if (d.Hex() != r.check)
    return "it no longer plays back as it was played (the holes have changed)";
  return "";
}

}  // namespace

bool ReadKeptGame(const std::string& path, Replay& out, std::string& why) {
  why.clear();
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return false;
  if (!ReadReplay(path, out, why)) return false;
  if (out.check.empty() || out.hole == 0 || out.gameuid.empty()) {
    why = path + ": not an unfinished game (it has no game, check or hole line)";
    return false;
  }
  return true;
}

KeptGameInfo InfoOf(const Replay& kept) {
  KeptGameInfo info;
  info.hole = kept.hole;
  info.training = kept.setup.training;
  const int n = Sanitized(kept.setup).numplayers;
  for (int i = 0; i < n; ++i) info.names.push_back(kept.setup.playername[static_cast<size_t>(i)]);
  return info;
}

bool ResumeGameWindow(Platform& platform, const Replay& kept, std::string& why) {
  why.clear();
  if (kept.check.empty()) {
    why = "it has no check of the state it was left in";
    return false;
  }
  GameWindow& w = gamewin();
  setup() = kept.setup;
  ResetGameState();
  GameStart start(kept.seed, kept.firsthole);
  start.gameuid = kept.gameuid;
  start.resume = true;
  // Nothing is heard or shown until the game is where it was left.
  w.silent = true;
  w.heldreports.clear();
  if (!OpenGameWindow(platform, start)) {
    w.silent = false;
    why = w.heldreports.empty() ? "the game window did not open" : w.heldreports;
    return false;
  }
  gamerecords().Hold(true);
  keptgame().Hold(true);
  size_t events = 0;
  const int frames = PlayForward(kept, events);
  why = Mismatch(kept, frames, events);
  w.silent = false;
  const std::string held = std::exchange(w.heldreports, std::string());
  if (!why.empty()) {
    keptgame().Stop();  // the file stays as it was, for setting aside
    if (GameWindowOpen()) CloseGameWindow();
    return false;
  }
  // Live from here: results played forward are recorded now, the kept file
  // is written again (the same game), the pointer goes where the game has it.
  gamerecords().Hold(false);
  keptgame().Hold(false);
  keptgame().Save(GameWindowFrames());
  platform.WarpPointer(gs().mousex, gs().mousey);
  if (!held.empty()) ReportError(held);
  return true;
}

bool RunResumedGame(Platform& platform, const Replay& kept, std::string& why) {
  if (!ResumeGameWindow(platform, kept, why)) return false;
  return RunOpenGameWindow(platform);
}

std::string SetKeptGameAside(const std::string& path, int hole, const std::string& why) {
  std::string text = hole > 0
                         ? "The game left on hole " + std::to_string(hole) + " cannot be resumed"
                         : "The unfinished game cannot be resumed";
  if (!why.empty()) text += ": " + why;
  std::string error;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return text + ".";
  const std::filesystem::path kept = KeepAside(path, error);
  if (kept.empty()) return text + ". It could not be set aside: " + error + ".";
  return text + ". It has been set aside as \"" + kept.string() + "\".";
}

}  // namespace gp
