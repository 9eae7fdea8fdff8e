#pragma once
// The game's rule choices as lab options, shared by the commands that run a game:
//   --startplayer 0..2 --nextplayer 0..1 --whencollide 0..1 --scoring 0..1
//   --strokelimit 6..9 --plus1 [0|1] --minus1 [0|1] --training [0|1]

#include <string>

#include "game/setup.h"
#include "tools/lab/lab.h"

namespace gp::lab {

// What "[rules]" stands for in a command's usage line.
inline constexpr const char* kRuleOptions =
    "[--startplayer 0..2] [--nextplayer 0..1] [--whencollide 0..1] [--scoring 0..1] "
    "[--strokelimit 6..9] [--plus1 [0|1]] [--minus1 [0|1]] [--training [0|1]]";

// Sets the rules given in `args` on `s`; returns an error text, empty when all is well.
std::string ParseRules(const Args& args, GameSetup& s);

// A flag that may carry 0 or 1 after it: absent = `fallback`.
bool FlagValue(const Args& args, const std::string& name, bool fallback);

}  // namespace gp::lab
