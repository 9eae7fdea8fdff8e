#pragma once
// The launcher without a window: its panels, every control's state, the
// per-player table, the training flag, the handlers, the panel navigation and
// the saving of settings. The window (launcher/window/) only draws this model
// and feeds it the player's mouse and keyboard; tests and the lab drive it
// directly.

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/course_play.h"
#include "app/resume.h"
#include "game/setup.h"
#include "launcher/course_list.h"
#include "launcher/launcher_files.h"
#include "launcher/records_panel.h"
#include "launcher/settings.h"
#include "launcher/settings_store.h"

namespace gp {

enum class Panel { None, MainMenu, Start, Rules, Setup, Quit, Records, Resume };
// "mainmenu", "start", "rules", "setup", "quit", "records", "resume", "none"
const char* PanelName(Panel p);

// Every control a player can click, select or type into, by its name.
enum class Control {
  // Setup panel.
  screen640,
  screen800,
  screen1024,
  fastwrite,
  soundoff,
  soundon,
  bgsounds,
  frameskip,
  skin,
  skipintro,
  noflip,
  forceinterface,
  OkButton1,
  // Start panel.
  players,
  gametype,
  showrules,
  course,
  launch,
  FlatButton1,
  name,
  pullputt,
  pushputt,
  easytarget,
  tex_inc,
  playedby,
  // Rules panel.
  startplayer,
  nextplayer,
  whencollide,
  scoring,
  strokelimit,
  plus1,
  minus1,
  rulesok,
  FlatButton4,
  // Quit panel.
  cancelButton1,
  quitbutton,
  // Records panel.
  recordsback,
  // The panel that offers the unfinished game.
  resumebutton,
  newgamebutton,
};
inline constexpr int kControlCount = static_cast<int>(Control::newgamebutton) + 1;
const char* ControlName(Control c);
std::optional<Control> ControlByName(const std::string& name);
// The panel a control sits on.
Panel PanelOf(Control c);

// The launcher's sound list positions ("menu.dxw").
enum LauncherSound : int { kMenuLoop = 0, kMenuClick = 1, kMenuSpare = 2, kMenuTransition = 3 };

// What the model asks of the window; the window carries it out and answers.
struct LauncherHost {
  virtual ~LauncherHost() = default;
  virtual void PlaySound(int position) = 0;  // once
  virtual void LoopSound(int position) = 0;  // looping
  virtual void StopSound(int position) = 0;
  // The panel is changing: play the transition now (frames 1..30 of
  // "interface.flc", frame 1 again, then the loop animation).
  virtual void PanelTransition() = 0;
};

// The list items as the launcher shows them.
// (The Course list is built from the course folders: LauncherModel::courses().)
extern const std::vector<std::string> kFrameSkipItems, kPlayersItems, kGameTypeItems,
    kStartPlayerItems, kNextPlayerItems, kCollideItems, kScoringItems, kStrokeLimitItems,
    kPlayedByItems;

class LauncherModel {
 public:
  // `folder`: the program folder; `store`: where the settings live;
  // `datafolder`, `cachefolder`: the player's, for courses of their own.
  LauncherModel(std::string folder, SettingsStore& store, LauncherHost& host,
                std::string datafolder = UserDataFolder(),
                std::string cachefolder = UserCacheFolder());

  // Reads the settings (first-run defaults unless "RunOnce"), fills the skin
  // list and selects the saved skin, the Course list and the saved course,
  // opens the texture sequence.
  void Create();
  // Each showing: every panel hidden, then the main menu; the loop plays when
  // both sound switches are on.
  void Show();

  // Mouse on a control: the press (click sound), the click (the control's
  // change and handler), the release (the putting choice follows the mouse).
  void Press(Control c);
  void Click(Control c);
  void Release(Control c);
  // A whole mouse click: press, click, release.
  void ClickControl(Control c);
  // A list's position chosen (from 0; -1 selects nothing).
  void Select(Control c, int index);
  // A check box or radio button set without a click (no sound, no handler).
  void SetCheck(Control c, bool on);
  // The name field's text as typed.
  void Type(Control c, const std::string& text);
  // The start panel's player tab (0..3).
  void SelectTab(int tab);

  // The main menu's hot spots: the spot under the pointer changed (-1: none),
  // and a click passed on by the hot-spot image on `spot`.
  void SpotEntered(int spot);
  void SpotClicked(int spot);

  // The unfinished game that the game and training spots offer first; none:
  // they open the start panel at once.
  void SetKeptGame(std::optional<KeptGameInfo> kept) { kept_ = std::move(kept); }
  const std::optional<KeptGameInfo>& keptgame() const { return kept_; }
  // "Resume" was clicked: the kept game is played on; cleared by TakeResume.
  bool ResumePending() const { return resume_; }
  bool TakeResume() { return std::exchange(resume_, false); }
  // The resume panel's question and the kept game's players.
  std::string ResumeQuestion() const;
  std::string ResumePlayers() const;

  // The records file the Records panel reads (read when the panel opens).
  void SetRecordsFile(std::filesystem::path file) { recordsfile_ = std::move(file); }
  const RecordsPanelData& records() const { return records_; }
  // The Records panel's tab: a course of RecordsCourses(), then the players.
  int recordstab() const { return recordstab_; }
  void SelectRecordsTab(int tab);

  // A game was started: the setup to hand over; cleared by TakeGame.
  bool GamePending() const { return game_.has_value(); }
  std::optional<GameSetup> TakeGame();
  // The game window has closed: the launcher shows again.
  void GameEnded();
  // "Exit" was confirmed: the exit picture, then the end of the program.
  bool ExitRequested() const { return exit_; }

  // What the window draws.
  Panel panel() const { return panel_; }
  bool training() const { return training_; }
  const LauncherSettings& controls() const { return c_; }
  bool Checked(Control c) const;
  int ListIndex(Control c) const;
  const std::vector<std::string>& ListItems(Control c) const;
  // Entry `index` of a list as the list shows it, in UTF-8 (skin folders by
  // their own UTF-8 names); "" for no entry.
  std::string ShownItem(Control c, int index) const;
  std::string Text(Control c) const;  // a text field's or a button's text
  bool Visible(Control c) const;
  int tab() const { return tab_; }
  bool easytarget() const { return easytarget_; }
  const std::string& nametext() const { return name_; }
  const LauncherBall& TabBall() const { return tabball_; }
  const LauncherBall& PlayerBall(int i) const { return balls_[static_cast<size_t>(i)]; }
  const std::vector<std::string>& skins() const { return skins_; }
  // The Course list's entries (the `course` list shows their names).
  const std::vector<CourseEntry>& courses() const { return courses_; }
  // Whether any save has been written in this run, and the last save's error.
  bool written() const { return written_; }
  const std::string& saveerror() const { return saveerror_; }

  // The record the game gets from the controls and the per-player table.
  GameSetup Handover() const;
  // The settings as they would be saved now.
  LauncherSettings CurrentSettings() const;

 private:
  void GoTo(Panel p);
  void OpenStart(bool training);
  void CopyEntryToTab();
  void ApplyGameType();
  void ListTheCourses();
  void KeepPlayableCourse();
  void ChangeBall();
  void Save();
  void ClickSound();
  bool PressSounds(Control c) const;
  void Toggle(Control c);
  const bool* CheckField(Control c) const;
  const int* ListField(Control c) const;
  bool* CheckField(Control c);
  int* ListField(Control c);

  std::string folder_;
  SettingsStore& store_;
  LauncherHost& host_;
  LauncherSettings c_;  // the controls that are saved
  std::vector<std::string> skins_;
  std::string datafolder_, cachefolder_;
  std::vector<CourseEntry> courses_;
  std::vector<std::string> courseitems_;  // their names in the Western code page
  int skinindex_ = 0;
  Panel panel_ = Panel::None;
  bool training_ = false;
  int tab_ = 0;
  std::string name_ = "Player 1";  // the tab page's name field
  bool easytarget_ = false;        // the tab page's check box
  LauncherBall tabball_;           // the tab page's picture
  std::array<LauncherBall, 4> balls_;
  TextureSequence textures_;
  std::optional<GameSetup> game_;
  std::optional<KeptGameInfo> kept_;
  bool resume_ = false;
  bool keptfortraining_ = false;  // the spot that showed the resume panel
  std::filesystem::path recordsfile_;
  RecordsPanelData records_;
  int recordstab_ = 0;
  bool exit_ = false;
  bool written_ = false;
  std::string saveerror_;
};

}  // namespace gp
