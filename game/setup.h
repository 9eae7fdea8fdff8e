#pragma once
// The players' choices handed from the launcher to the game: one record that
// does not change while the game window is up.

#include <array>
#include <cstdint>
#include <string>

namespace gp {

// A 16 x 16 ball picture, colours with red in the lowest byte. Row-major.
struct BallPicture {
  bool present = false;  // false: keep the picture the gui list already has
  std::array<uint32_t, 256> texels{};
};

// Values of GameSetup::computer.
enum ComputerSkill : int { kPerson = 0, kRookie = 1, kPro = 2, kAce = 3 };
// "Rookie", "Pro", "Ace"; "" for a person (or a value outside the list).
const char* ComputerSkillName(int computer);

struct GameSetup {
  int displaywidth = 640, displayheight = 480;
  bool fastwrites = true;  // no page flip, no vertical-blank wait
  int frameinterval = 0;   // milliseconds: 0, 33 or 66
  bool soundon = true;
  bool bgsoundon = true;
  std::string skin = "[default interface]";
  bool training = false;
  int course = 0;  // position in the Course list; 0 = "SE Course"
  // The folder (ending with '/') of the course chosen, when it is not the SE
  // Course; empty for the SE Course and the training round, whose holes are the
  // program folder's.
  std::string coursefolder;
  int numplayers = 1;
  std::array<std::string, 4> playername{"Player 1", "Player 2", "Player 3", "Player 4"};
  std::array<bool, 4> pull{true, true, true, true};
  std::array<bool, 4> easy{false, false, false, false};
  std::array<BallPicture, 4> ballpicture{};
  // Who plays each player's strokes: 0 a person, 1 the computer as Rookie,
  // 2 as Pro, 3 as Ace.
  std::array<int, 4> computer{0, 0, 0, 0};
  int startplayer = 0;            // 0 LIFO, 1 FIFO, 2 Random
  int nextplayer = 0;             // 0 Sequential, 1 Farthest Away from Hole
  int whencollide = 0;            // 0 Never, 1 When Touching
  bool plus1 = false;             // bonus stroke on collision
  bool minus1 = false;            // penalty stroke for water
  int scoring = 0;                // 0 Lowest Score, 1 Most Holes Won
  std::string strokelimit = "9";  // "9", "8", "7" or "6"
};

// Values outside their lists become the list's first entry (display mode,
// interval, player count, rules, stroke limit, who plays).
GameSetup Sanitized(GameSetup s);

// The stroke limit as an integer (the record always holds one of its texts).
int StrokeLimit(const GameSetup& s);

// The rules a game type presets in the launcher. The record itself carries
// only the rules, never the type.
struct RulesPreset {
  const char* name;  // "Stroke Play", "Hole Winner", "Croquet Rules"
  int startplayer, nextplayer, whencollide, scoring;
  bool plus1, minus1;
};
inline constexpr RulesPreset kRulesPresets[3] = {
    {"Stroke Play", 0, 0, 0, 0, false, true},
    {"Hole Winner", 0, 1, 0, 1, false, true},
    {"Croquet Rules", 1, 0, 1, 1, true, false},
};
// The name of the game type whose preset the record's rules are, else "Custom".
const char* GameTypeName(const GameSetup& s);

// The name a game's course is known by in the records: "Training" for a
// training round, else the course list's entry ("SE Course").
std::string CourseName(const GameSetup& s);

// The record the game reads; the launcher (or --play) fills it before the game window starts.
GameSetup& setup();

}  // namespace gp
