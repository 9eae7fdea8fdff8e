#include "game/setup.h"

namespace gp {

namespace {
GameSetup g_setup;

bool ValidMode(int w, int h) {
  return (w == 640 && h == 480) || (w == 800 && h == 600) || (w == 1024 && h == 768) ||
         (w == 512 && h == 384);
}
}  // namespace

GameSetup Sanitized(GameSetup s) {
  const GameSetup d;
  if (!ValidMode(s.displaywidth, s.displayheight)) {
    s.displaywidth = d.displaywidth;
    s.displayheight = d.displayheight;
  }
  if (s.frameinterval != 0 && s.frameinterval != 33 && s.frameinterval != 66) s.frameinterval = 0;
  if (s.course < 0 || s.coursefolder.empty()) s.course = 0;
  if (s.numplayers < 1 || s.numplayers > 4) s.numplayers = 1;
  if (s.startplayer < 0 || s.startplayer > 2) s.startplayer = 0;
  if (s.nextplayer < 0 || s.nextplayer > 1) s.nextplayer = 0;
  if (s.whencollide < 0 || s.whencollide > 1) s.whencollide = 0;
  if (s.scoring < 0 || s.scoring > 1) s.scoring = 0;
  if (s.strokelimit != "9" && s.strokelimit != "8" && s.strokelimit != "7" &&
      s.strokelimit != "6") {
    s.strokelimit = "9";
  }
  if (s.skin.empty()) s.skin = d.skin;
  for (int& c : s.computer) {
    if (c < kPerson || c > kAce) c = kPerson;
  }
  return s;
}

int StrokeLimit(const GameSetup& s) {
  if (s.strokelimit.size() == 1 && s.strokelimit[0] >= '6' && s.strokelimit[0] <= '9') {
    return s.strokelimit[0] - '0';
  }
  return 9;
}

const char* ComputerSkillName(int computer) {
  switch (computer) {
    case kRookie:
      return "Rookie";
    case kPro:
      return "Pro";
    case kAce:
      return "Ace";
    default:
      return "";
  }
}

const char* GameTypeName(const GameSetup& s) {
  for (const RulesPreset& p : kRulesPresets) {
    if (s.startplayer == p.startplayer && s.nextplayer == p.nextplayer &&
        s.whencollide == p.whencollide && s.scoring == p.scoring && s.plus1 == p.plus1 &&
        s.minus1 == p.minus1) {
      return p.name;
    }
  }
  return "Custom";
}

std::string CourseName(const GameSetup& s) {
  if (s.training) return "Training";
  return "SE Course";  // the one course of the list (course 0)
}

GameSetup& setup() {
  return g_setup;
}

}  // namespace gp
