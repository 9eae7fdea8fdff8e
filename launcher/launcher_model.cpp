#include "launcher/launcher_model.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <utility>

#include "base/text_codepage.h"
#include "base/text_encoding.h"

namespace gp {

const std::vector<std::string> kFrameSkipItems{"60fps", "30fps", "15fps", "none"};
const std::vector<std::string> kPlayersItems{"1 Player", "2 Player", "3 Player", "4 Player"};
const std::vector<std::string> kGameTypeItems{"Stroke Play", "Hole Winner", "Croquet Rules"};
const std::vector<std::string> kStartPlayerItems{"LIFO (last in is first out)",
                                                 "FIFO (first in is first out)", "Random"};
const std::vector<std::string> kNextPlayerItems{"Sequential", "Farthest Away from Hole"};
const std::vector<std::string> kCollideItems{"Never", "When Touching"};
const std::vector<std::string> kScoringItems{"Lowest Score", "Most Holes Won"};
const std::vector<std::string> kStrokeLimitItems{"9", "8", "7", "6"};
// Who plays the selected tab's player; the position is GameSetup::computer.
const std::vector<std::string> kPlayedByItems{"Person", "Computer: Rookie", "Computer: Pro",
                                              "Computer: Ace"};

namespace {

struct ControlInfo {
  Control control;
  const char* name;
  Panel panel;
  bool presssound;  // pressing it plays the click
};

// clang-format off
constexpr ControlInfo kControls[kControlCount] = {
    {Control::screen640, "screen640", Panel::Setup, true},
    {Control::screen800, "screen800", Panel::Setup, true},
    {Control::screen1024, "screen1024", Panel::Setup, true},
    {Control::fastwrite, "fastwrite", Panel::Setup, true},
    {Control::soundoff, "soundoff", Panel::Setup, true},
    {Control::soundon, "soundon", Panel::Setup, true},
    {Control::bgsounds, "bgsounds", Panel::Setup, true},
    {Control::frameskip, "frameskip", Panel::Setup, false},
    {Control::skin, "skin", Panel::Setup, false},
    {Control::skipintro, "skipintro", Panel::Setup, true},
    {Control::noflip, "noflip", Panel::Setup, true},
    {Control::forceinterface, "forceinterface", Panel::Setup, false},
    {Control::OkButton1, "OkButton1", Panel::Setup, true},
    {Control::players, "players", Panel::Start, false},
    {Control::gametype, "gametype", Panel::Start, false},
    {Control::showrules, "showrules", Panel::Start, true},
    {Control::course, "course", Panel::Start, false},
    {Control::launch, "launch", Panel::Start, true},
    {Control::FlatButton1, "FlatButton1", Panel::Start, true},
    {Control::name, "name", Panel::Start, false},
    {Control::pullputt, "pullputt", Panel::Start, true},
    {Control::pushputt, "pushputt", Panel::Start, true},
    {Control::easytarget, "easytarget", Panel::Start, true},
    {Control::tex_inc, "tex_inc", Panel::Start, false},  // "Change Ball" clicks by itself
    {Control::playedby, "playedby", Panel::Start, false},
    {Control::startplayer, "startplayer", Panel::Rules, false},
    {Control::nextplayer, "nextplayer", Panel::Rules, false},
    {Control::whencollide, "whencollide", Panel::Rules, false},
    {Control::scoring, "scoring", Panel::Rules, false},
    {Control::strokelimit, "strokelimit", Panel::Rules, false},
    {Control::plus1, "plus1", Panel::Rules, false},
    {Control::minus1, "minus1", Panel::Rules, false},
    {Control::rulesok, "rulesok", Panel::Rules, true},
    {Control::FlatButton4, "FlatButton4", Panel::Rules, true},
    {Control::cancelButton1, "cancelButton1", Panel::Quit, true},
    {Control::quitbutton, "quitbutton", Panel::Quit, true},
    {Control::recordsback, "recordsback", Panel::Records, true},
    {Control::resumebutton, "resumebutton", Panel::Resume, true},
    {Control::newgamebutton, "newgamebutton", Panel::Resume, true},
};
// clang-format on

const ControlInfo& Info(Control c) {
  return kControls[static_cast<int>(c)];
}

// Frame timer interval of each "Frame Limiting" position, milliseconds.
constexpr int kFrameIntervals[4] = {0, 33, 66, 0};

// The resolution buttons in the order the handover tests them: a later
// checked button overrides an earlier one.
struct Resolution {
  bool LauncherSettings::*checked;
  int w, h;
};
constexpr Resolution kResolutions[] = {{&LauncherSettings::screen1024, 1024, 768},
                                       {&LauncherSettings::screen800, 800, 600},
                                       {&LauncherSettings::screen640, 640, 480},
                                       {&LauncherSettings::screen512, 512, 384}};
constexpr size_t kDefaultResolution = 2;  // 640 x 480, when none is checked

size_t HandedResolution(const LauncherSettings& c) {
  size_t chosen = kDefaultResolution;
  for (size_t i = 0; i < std::size(kResolutions); ++i) {
    if (c.*kResolutions[i].checked) chosen = i;
  }
  return chosen;
}

// One radio button of the group checked: the one the game would get (a file
// may say several, or none).
void CheckOneResolution(LauncherSettings& c) {
  const size_t chosen = HandedResolution(c);
  for (size_t i = 0; i < std::size(kResolutions); ++i) c.*kResolutions[i].checked = i == chosen;
}

bool InList(int index, const std::vector<std::string>& items) {
  return index >= 0 && index < static_cast<int>(items.size());
}

}  // namespace

const char* PanelName(Panel p) {
  switch (p) {
    case Panel::MainMenu:
      return "mainmenu";
    case Panel::Start:
      return "start";
    case Panel::Rules:
      return "rules";
    case Panel::Setup:
      return "setup";
    case Panel::Quit:
      return "quit";
    case Panel::Records:
      return "records";
    case Panel::Resume:
      return "resume";
    case Panel::None:
      break;
  }
  return "none";
}

const char* ControlName(Control c) {
  return Info(c).name;
}

std::optional<Control> ControlByName(const std::string& name) {
  for (const ControlInfo& i : kControls) {
    if (name == i.name) return i.control;
  }
  return std::nullopt;
}

Panel PanelOf(Control c) {
  return Info(c).panel;
}

LauncherModel::LauncherModel(std::string folder, SettingsStore& store, LauncherHost& host,
                             std::string datafolder, std::string cachefolder)
    : folder_(std::move(folder)),
      store_(store),
      host_(host),
      datafolder_(std::move(datafolder)),
      cachefolder_(std::move(cachefolder)) {}

void LauncherModel::Create() {
  ListTheCourses();
  c_ = LoadLauncherSettings(store_, static_cast<int>(courses_.size()));
  CheckOneResolution(c_);
  KeepPlayableCourse();
  skins_ = SkinList(folder_);
  skinindex_ = MatchSkin(c_.skin, skins_);
  textures_.Open(folder_);
  for (int i = 0; i < 4; ++i) balls_[static_cast<size_t>(i)] = BuiltinBall(folder_, i + 1);
  tabball_ = balls_[0];
}

void LauncherModel::Show() {
  panel_ = Panel::MainMenu;
  if (c_.soundon && c_.bgsounds) host_.LoopSound(kMenuLoop);
}

void LauncherModel::ClickSound() {
  if (c_.soundon) host_.PlaySound(kMenuClick);
}

bool LauncherModel::PressSounds(Control c) const {
  return Info(c).presssound;
}

void LauncherModel::Press(Control c) {
  if (PressSounds(c)) ClickSound();
}

const bool* LauncherModel::CheckField(Control c) const {
  switch (c) {
    case Control::screen640:
      return &c_.screen640;
    case Control::screen800:
      return &c_.screen800;
    case Control::screen1024:
      return &c_.screen1024;
    case Control::fastwrite:
      return &c_.fastwrite;
    case Control::soundoff:
      return &c_.soundoff;
    case Control::soundon:
      return &c_.soundon;
    case Control::bgsounds:
      return &c_.bgsounds;
    case Control::skipintro:
      return &c_.skipintro;
    case Control::noflip:
      return &c_.noflip;
    case Control::forceinterface:
      return &c_.forceinterface;
    case Control::pullputt:
      return &c_.pullputt;
    case Control::pushputt:
      return &c_.pushputt;
    case Control::easytarget:
      return &easytarget_;
    case Control::plus1:
      return &c_.plus1;
    case Control::minus1:
      return &c_.minus1;
    default:
      return nullptr;
  }
}

const int* LauncherModel::ListField(Control c) const {
  switch (c) {
    case Control::frameskip:
      return &c_.frameskip;
    case Control::skin:
      return &skinindex_;
    case Control::players:
      return &c_.players;
    case Control::gametype:
      return &c_.gametype;
    case Control::course:
      return &c_.course;
    case Control::startplayer:
      return &c_.startplayer;
    case Control::nextplayer:
      return &c_.nextplayer;
    case Control::whencollide:
      return &c_.whencollide;
    case Control::scoring:
      return &c_.scoring;
    case Control::strokelimit:
      return &c_.strokelimit;
    case Control::playedby:  // the selected tab's entry of the per-player table
      return &c_.computer[static_cast<size_t>(tab_)];
    default:
      return nullptr;
  }
}

// Radio buttons check themselves and clear their group; check boxes toggle.
void LauncherModel::Toggle(Control c) {
  bool* f = CheckField(c);
  if (f == nullptr) return;
  switch (c) {
    case Control::screen640:
    case Control::screen800:
    case Control::screen1024:
      c_.screen512 = c_.screen640 = c_.screen800 = c_.screen1024 = false;
      *f = true;
      return;
    case Control::soundon:
    case Control::soundoff:
      c_.soundon = c_.soundoff = false;
      *f = true;
      return;
    case Control::pullputt:
    case Control::pushputt:
      c_.pullputt = c_.pushputt = false;
      *f = true;
      return;
    default:
      *f = !*f;
  }
}

void LauncherModel::Click(Control c) {
  Toggle(c);
  switch (c) {
    case Control::bgsounds:
      if (!c_.bgsounds) {
        host_.StopSound(kMenuLoop);
      } else if (c_.soundon) {
        host_.LoopSound(kMenuLoop);
      }
      break;
    case Control::OkButton1:
      Save();
      GoTo(Panel::MainMenu);
      break;
    case Control::showrules:
      GoTo(Panel::Rules);
      break;
    case Control::rulesok:
      GoTo(Panel::Start);
      break;
    case Control::FlatButton4:
      ApplyGameType();
      break;
    case Control::FlatButton1:
    case Control::cancelButton1:
      GoTo(Panel::MainMenu);
      break;
    case Control::quitbutton:
      panel_ = Panel::None;
      exit_ = true;
      break;
    case Control::recordsback:
      GoTo(Panel::MainMenu);
      break;
    case Control::resumebutton:
      // Like starting a game: the panels go, the window plays the kept game.
      panel_ = Panel::None;
      resume_ = true;
      break;
    case Control::newgamebutton:
      OpenStart(keptfortraining_);
      break;
    case Control::launch:
      // The click, the settings saved, the panels hidden, the game handed over.
      ClickSound();
      Save();
      panel_ = Panel::None;
      game_ = Handover();
      break;
    case Control::tex_inc:
      ChangeBall();
      break;
    default:
      break;
  }
}

void LauncherModel::Release(Control c) {
  if (c != Control::pullputt && c != Control::pushputt && c != Control::easytarget) return;
  const size_t n = static_cast<size_t>(tab_);
  if (c_.pushputt) c_.pull[n] = false;
  if (c_.pullputt) c_.pull[n] = true;
  c_.easy[n] = easytarget_;
}

void LauncherModel::ClickControl(Control c) {
  Press(c);
  Click(c);
  Release(c);
}

void LauncherModel::Select(Control c, int index) {
  int* f = ListField(c);
  if (f == nullptr) return;
  if (!InList(index, ListItems(c))) index = -1;
  // A course that cannot be played is listed but cannot be chosen.
  if (c == Control::course && index >= 0 && !courses_[static_cast<size_t>(index)].available) return;
  const bool changed = *f != index;
  *f = index;
  if (c == Control::gametype && changed) ApplyGameType();
}

void LauncherModel::SetCheck(Control c, bool on) {
  if (bool* f = CheckField(c)) *f = on;
}

void LauncherModel::Type(Control c, const std::string& text) {
  if (c != Control::name) return;
  name_ = PlayerName(text);
  c_.player[static_cast<size_t>(tab_)] = name_;
}

void LauncherModel::SelectTab(int tab) {
  tab_ = std::clamp(tab, 0, 3);
  CopyEntryToTab();
}

void LauncherModel::SpotEntered(int spot) {
  if (spot >= 0) ClickSound();
}

void LauncherModel::SpotClicked(int spot) {
  if (panel_ != Panel::MainMenu) return;
  switch (spot) {
    case 0:
    case 1:
      // An unfinished game is offered first.
      if (kept_) {
        keptfortraining_ = spot == 1;
        GoTo(Panel::Resume);
      } else {
        OpenStart(spot == 1);
      }
      break;
    case 2:
      GoTo(Panel::Setup);
      break;
    case 3:
      GoTo(Panel::Quit);
      break;
    case 4:
      records_ = LoadRecordsPanel(recordsfile_);
      if (!records_.notice.empty()) std::fprintf(stderr, "galaputt: %s\n", records_.notice.c_str());
      GoTo(Panel::Records);
      break;
    default:
      break;
  }
}

void LauncherModel::SelectRecordsTab(int tab) {
  recordstab_ = std::clamp(tab, 0, static_cast<int>(RecordsCourses().size()));
}

std::string LauncherModel::ResumeQuestion() const {
  return kept_ ? "Resume the game left on hole " + std::to_string(kept_->hole) + "?" : "";
}

std::string LauncherModel::ResumePlayers() const {
  std::string names;
  if (!kept_) return names;
  for (const std::string& n : kept_->names) names += (names.empty() ? "" : ", ") + n;
  return names;
}

std::optional<GameSetup> LauncherModel::TakeGame() {
  return std::exchange(game_, std::nullopt);
}

void LauncherModel::GameEnded() {
  game_.reset();
  ListTheCourses();  // a game may have found a course unplayable
  Show();
}

// The Course list afresh: courses come and go, and compile or fail, while the
// launcher runs.
void LauncherModel::ListTheCourses() {
  courses_ = ListCourses(folder_, datafolder_, cachefolder_);
  courseitems_.clear();
  for (const CourseEntry& e : courses_) courseitems_.push_back(e.name);  // UTF-8, shown as it is
  KeepPlayableCourse();
}

// A position past the list's end, or on a course that cannot be played, is the SE Course.
void LauncherModel::KeepPlayableCourse() {
  if (!InList(c_.course, courseitems_) || !courses_[static_cast<size_t>(c_.course)].available) {
    c_.course = 0;
  }
}

void LauncherModel::GoTo(Panel p) {
  panel_ = Panel::None;
  if (!c_.noflip) {
    if (c_.soundon) host_.PlaySound(kMenuTransition);
    host_.PanelTransition();
  }
  panel_ = p;
}

void LauncherModel::OpenStart(bool training) {
  CopyEntryToTab();
  if (!training) ListTheCourses();
  training_ = training;
  GoTo(Panel::Start);
}

void LauncherModel::CopyEntryToTab() {
  const size_t n = static_cast<size_t>(tab_);
  name_ = c_.player[n];
  c_.pullputt = c_.pull[n];
  c_.pushputt = !c_.pull[n];
  easytarget_ = c_.easy[n];
  tabball_ = balls_[n];
}

void LauncherModel::ApplyGameType() {
  if (c_.gametype < 0 || c_.gametype > 2) return;
  const RulesPreset& p = kRulesPresets[c_.gametype];
  c_.startplayer = p.startplayer;
  c_.nextplayer = p.nextplayer;
  c_.whencollide = p.whencollide;
  c_.scoring = p.scoring;
  c_.plus1 = p.plus1;
  c_.minus1 = p.minus1;
}

void LauncherModel::ChangeBall() {
  ClickSound();
  const std::string file = textures_.Next();
  if (file.empty()) return;  // no textures: the picture stays as it is
  LauncherBall ball;
  ball.file = file;
  if (!LoadBallTexture(textures_.folder() + "textures/" + file, ball.picture)) {
    std::fprintf(stderr, "galaputt: cannot read textures/%s\n", file.c_str());
    return;
  }
  tabball_ = ball;
  balls_[static_cast<size_t>(tab_)] = ball;
}

LauncherSettings LauncherModel::CurrentSettings() const {
  LauncherSettings s = c_;
  s.skin = InList(skinindex_, skins_) ? skins_[static_cast<size_t>(skinindex_)] : "";
  return s;
}

void LauncherModel::Save() {
  if (SaveLauncherSettings(store_, CurrentSettings())) {
    written_ = true;
    saveerror_.clear();
  } else {
    saveerror_ =
        store_.LastError().empty() ? "The settings could not be saved" : store_.LastError();
    std::fprintf(stderr, "galaputt: %s\n", saveerror_.c_str());
  }
}

GameSetup LauncherModel::Handover() const {
  GameSetup s;
  const Resolution& r = kResolutions[HandedResolution(c_)];
  s.displaywidth = r.w;
  s.displayheight = r.h;
  s.fastwrites = c_.fastwrite;
  s.frameinterval = InList(c_.frameskip, kFrameSkipItems) ? kFrameIntervals[c_.frameskip] : 0;
  s.soundon = c_.soundon;
  s.bgsoundon = c_.bgsounds;
  s.skin = CurrentSettings().skin;
  s.training = training_;
  // A list left without a selection takes its first entry.
  s.course = InList(c_.course, courseitems_) ? c_.course : 0;
  if (!training_ && s.course > 0) s.coursefolder = courses_[static_cast<size_t>(s.course)].folder;
  s.numplayers = InList(c_.players, kPlayersItems) ? c_.players + 1 : 1;
  for (size_t i = 0; i < 4; ++i) {
    s.playername[i] = c_.player[i];
    s.pull[i] = c_.pull[i];
    s.easy[i] = c_.easy[i];
    s.ballpicture[i] = balls_[i].picture;
    s.computer[i] = InList(c_.computer[i], kPlayedByItems) ? c_.computer[i] : kPerson;
  }
  s.startplayer = InList(c_.startplayer, kStartPlayerItems) ? c_.startplayer : 0;
  s.nextplayer = InList(c_.nextplayer, kNextPlayerItems) ? c_.nextplayer : 0;
  s.whencollide = InList(c_.whencollide, kCollideItems) ? c_.whencollide : 0;
  s.scoring = InList(c_.scoring, kScoringItems) ? c_.scoring : 0;
  s.plus1 = c_.plus1;
  s.minus1 = c_.minus1;
  s.strokelimit = InList(c_.strokelimit, kStrokeLimitItems)
                      ? kStrokeLimitItems[static_cast<size_t>(c_.strokelimit)]
                      : kStrokeLimitItems[0];
  return s;
}

bool* LauncherModel::CheckField(Control c) {
  return const_cast<bool*>(std::as_const(*this).CheckField(c));
}

int* LauncherModel::ListField(Control c) {
  return const_cast<int*>(std::as_const(*this).ListField(c));
}

bool LauncherModel::Checked(Control c) const {
  const bool* f = CheckField(c);
  return f != nullptr && *f;
}

int LauncherModel::ListIndex(Control c) const {
  const int* f = ListField(c);
  return f ? *f : -1;
}

const std::vector<std::string>& LauncherModel::ListItems(Control c) const {
  static const std::vector<std::string> kNone;
  switch (c) {
    case Control::frameskip:
      return kFrameSkipItems;
    case Control::skin:
      return skins_;
    case Control::players:
      return kPlayersItems;
    case Control::gametype:
      return kGameTypeItems;
    case Control::course:
      return courseitems_;
    case Control::startplayer:
      return kStartPlayerItems;
    case Control::nextplayer:
      return kNextPlayerItems;
    case Control::whencollide:
      return kCollideItems;
    case Control::scoring:
      return kScoringItems;
    case Control::strokelimit:
      return kStrokeLimitItems;
    case Control::playedby:
      return kPlayedByItems;
    default:
      return kNone;
  }
}

std::string LauncherModel::ShownItem(Control c, int index) const {
  const std::vector<std::string>& items = ListItems(c);
  return InList(index, items) ? Utf8OrWestern(items[static_cast<size_t>(index)]) : "";
}

std::string LauncherModel::Text(Control c) const {
  switch (c) {
    case Control::name:
      return name_;
    case Control::launch:
      return training_ ? "Start Training" : "Start Game";
    case Control::OkButton1:
    case Control::rulesok:
      return "Ok";
    case Control::showrules:
      return "Customize Game";
    case Control::FlatButton1:
    case Control::cancelButton1:
      return "Cancel";
    case Control::FlatButton4:
      return "Defaults";
    case Control::quitbutton:
      return "Exit";
    case Control::recordsback:
      return "Back";
    case Control::resumebutton:
      return "Resume";
    case Control::newgamebutton:
      return "New Game";
    case Control::tex_inc:
      return "Change Ball";
    default:
      return "";
  }
}

bool LauncherModel::Visible(Control c) const {
  if (c == Control::course) return !training_;
  return true;
}

}  // namespace gp
