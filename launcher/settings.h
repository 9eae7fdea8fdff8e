#pragma once
// Every choice the launcher remembers between runs, as its controls hold them,
// and the reading and writing of the whole set through a SettingsStore.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "launcher/settings_store.h"

namespace gp {

constexpr const char kDefaultSkin[] = "[default interface]";

// Field names are the launcher's control names. Defaults are what the launcher
// shows on a first run.
struct LauncherSettings {
  bool skipintro = false;
  bool pullputt = true;  // the visible putt-method choice (replaced by the selected player's)
  bool pushputt = false;
  bool screen512 = false;  // four separate resolution flags, one per button
  bool screen640 = true;
  bool screen800 = false;
  bool screen1024 = false;
  bool bgsounds = true;
  bool soundon = true;
  bool soundoff = false;  // the other radio button of the pair, read as "Sound" negated
  bool fastwrite = true;
  bool forceinterface = true;  // "Use Full Screen Interface"
  bool noflip = false;
  int frameskip = 0;                // 0 "60fps", 1 "30fps", 2 "15fps", 3 "none"
  int players = 0;                  // number of players minus one, 0..3
  int gametype = 0;                 // 0 "Stroke Play", 1 "Hole Winner", 2 "Croquet Rules"
  int course = 0;                   // 0 "SE Course"
  int startplayer = 0;              // 0 LIFO, 1 FIFO, 2 Random
  int nextplayer = 0;               // 0 "Sequential", 1 "Farthest Away from Hole"
  int whencollide = 0;              // 0 "Never", 1 "When Touching"
  int scoring = 0;                  // 0 "Lowest Score", 1 "Most Holes Won"
  int strokelimit = 0;              // 0 "9", 1 "8", 2 "7", 3 "6"
  bool plus1 = false;               // bonus stroke on collision
  bool minus1 = false;              // penalty stroke for water
  std::string skin = kDefaultSkin;  // the saved skin name, before MatchSkin
  // Names in the Western code page (UTF-8 in the file); the skin is a folder's
  // own name, UTF-8 on this system, kept byte for byte.
  std::array<std::string, 4> player{"Player 1", "Player 2", "Player 3", "Player 4"};
  std::array<bool, 4> pull{true, true, true, true};  // false: that player pushes
  std::array<bool, 4> easy{false, false, false, false};
  // Who plays each player ("Played by"): 0 a person, 1 the computer as
  // Rookie, 2 as Pro, 3 as Ace. Saved after every other setting.
  std::array<int, 4> computer{0, 0, 0, 0};

  bool operator==(const LauncherSettings&) const = default;
};

// Reads "RunOnce" in a batch of its own; when it is true, reads every other
// setting in a second batch. A missing key reads false, 0 or ""; a value of the
// wrong type, or a list position outside its list, gives that setting's default.
// `courses` is the length of the Course list: a position past it is the SE Course.
LauncherSettings LoadLauncherSettings(SettingsStore& store, int courses = 1);

// Writes "RunOnce" as true and then every setting, in one batch. False when
// anything could not be written or saved (the store's LastError says why).
bool SaveLauncherSettings(SettingsStore& store, const LauncherSettings& s);

// The position in the skin list (whose first entry is "[default interface]")
// of the entry equal to `saved` without regard to ASCII letter case; 0 when
// there is none.
int MatchSkin(std::string_view saved, const std::vector<std::string>& list);

}  // namespace gp
