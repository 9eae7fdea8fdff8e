#include "launcher/settings.h"

#include "base/text_codepage.h"

namespace gp {

namespace {

// "Player 1", "Pull 3", ...: the per-player settings, i = 0..3.
std::string Numbered(const char* stem, size_t i) {
  return std::string(stem) + ' ' + static_cast<char>('1' + i);
}

// Reads settings into fields: a missing key gives false, 0 or ""; a value of
// the wrong type gives the field's default; a list position outside 0..last
// gives the list's first entry.
class Reader {
 public:
  explicit Reader(SettingsStore& store) : store_(store) {}

  void Flag(std::string_view name, bool& field, bool def) {
    const Lookup<bool> r = store_.LookupBool(name);
    field = r.status == Found::kWrongType ? def : r.value;
  }
  void Position(std::string_view name, int& field, int last) {
    const Lookup<int32_t> r = store_.LookupInteger(name);
    field = r.status == Found::kOk && r.value >= 0 && r.value <= last ? r.value : 0;
  }
  void Text(std::string_view name, std::string& field, const std::string& def) {
    Lookup<std::string> r = store_.LookupString(name);
    field = r.status == Found::kWrongType ? def : std::move(r.value);
  }
  // A player's name: UTF-8 in the file (or raw code-page bytes from earlier
  // versions), the Western code page in the launcher, capped as typed ones are.
  void Name(std::string_view name, std::string& field, const std::string& def) {
    Text(name, field, def);
    field = PlayerName(field);
  }

 private:
  SettingsStore& store_;
};

void ReadOptions(Reader& r, LauncherSettings& s) {
  const LauncherSettings d;
  r.Flag("Skip Intro", s.skipintro, d.skipintro);
  r.Flag("Push Putt", s.pushputt, d.pushputt);
  r.Flag("Pull Putt", s.pullputt, d.pullputt);
  r.Flag("Screen 512", s.screen512, d.screen512);
  r.Flag("Screen 640", s.screen640, d.screen640);
  r.Flag("Screen 800", s.screen800, d.screen800);
  r.Flag("Screen 1024", s.screen1024, d.screen1024);
  r.Flag("Background Sounds", s.bgsounds, d.bgsounds);
  r.Flag("Sound", s.soundon, d.soundon);
  bool sound = false;  // read again for the "Off" button
  r.Flag("Sound", sound, !d.soundoff);
  s.soundoff = !sound;
  r.Flag("Fast Writes", s.fastwrite, d.fastwrite);
  r.Flag("No Flip Interface", s.noflip, d.noflip);
  r.Flag("Full Screen Interface", s.forceinterface, d.forceinterface);
}

void ReadRulesAndPlayers(Reader& r, LauncherSettings& s, int courses) {
  const LauncherSettings d;
  r.Position("Frame Skip", s.frameskip, 3);
  r.Position("Players", s.players, 3);
  r.Position("Game Type", s.gametype, 2);
  r.Position("Course", s.course, courses - 1);
  r.Position("Start Player", s.startplayer, 2);
  r.Position("Next Player", s.nextplayer, 1);
  r.Position("Collide", s.whencollide, 1);
  r.Position("Scoring", s.scoring, 1);
  r.Position("Stroke Limit", s.strokelimit, 3);
  r.Flag("Plus 1", s.plus1, d.plus1);
  r.Flag("Minus 1", s.minus1, d.minus1);
  r.Text("Skin", s.skin, d.skin);
  for (size_t i = 0; i < 4; ++i) r.Name(Numbered("Player", i), s.player[i], d.player[i]);
  for (size_t i = 0; i < 4; ++i) r.Flag(Numbered("Pull", i), s.pull[i], d.pull[i]);
  for (size_t i = 0; i < 4; ++i) r.Flag(Numbered("Easy", i), s.easy[i], d.easy[i]);
  // After the original set: a file written before these existed reads 0, a person.
  for (size_t i = 0; i < 4; ++i) r.Position(Numbered("Computer", i), s.computer[i], 3);
}

bool WriteOptions(SettingsStore& st, const LauncherSettings& s) {
  bool ok = st.WriteBool("RunOnce", true);
  ok &= st.WriteBool("Skip Intro", s.skipintro);
  ok &= st.WriteBool("Pull Putt", s.pullputt);
  ok &= st.WriteBool("Push Putt", s.pushputt);
  ok &= st.WriteBool("Screen 512", s.screen512);
  ok &= st.WriteBool("Screen 640", s.screen640);
  ok &= st.WriteBool("Screen 800", s.screen800);
  ok &= st.WriteBool("Screen 1024", s.screen1024);
  ok &= st.WriteBool("Background Sounds", s.bgsounds);
  ok &= st.WriteBool("Sound", s.soundon);
  ok &= st.WriteBool("Fast Writes", s.fastwrite);
  ok &= st.WriteBool("Full Screen Interface", s.forceinterface);
  ok &= st.WriteBool("No Flip Interface", s.noflip);
  return ok;
}

bool WriteRulesAndPlayers(SettingsStore& st, const LauncherSettings& s) {
  bool ok = st.WriteInteger("Frame Skip", s.frameskip);
  ok &= st.WriteInteger("Players", s.players);
  ok &= st.WriteInteger("Game Type", s.gametype);
  ok &= st.WriteInteger("Course", s.course);
  ok &= st.WriteInteger("Start Player", s.startplayer);
  ok &= st.WriteInteger("Next Player", s.nextplayer);
  ok &= st.WriteInteger("Collide", s.whencollide);
  ok &= st.WriteInteger("Scoring", s.scoring);
  ok &= st.WriteInteger("Stroke Limit", s.strokelimit);
  ok &= st.WriteBool("Plus 1", s.plus1);
  ok &= st.WriteBool("Minus 1", s.minus1);
  ok &= st.WriteString("skin", s.skin);
  for (size_t i = 0; i < 4; ++i) {
    ok &= st.WriteString(Numbered("Player", i), NameToUtf8(s.player[i]));
  }
  for (size_t i = 0; i < 4; ++i) ok &= st.WriteBool(Numbered("Easy", i), s.easy[i]);
  for (size_t i = 0; i < 4; ++i) ok &= st.WriteBool(Numbered("Pull", i), s.pull[i]);
  for (size_t i = 0; i < 4; ++i) ok &= st.WriteInteger(Numbered("Computer", i), s.computer[i]);
  return ok;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && RegFold(a) == RegFold(b);
}

}  // namespace

LauncherSettings LoadLauncherSettings(SettingsStore& store, int courses) {
  LauncherSettings s;
  store.Open();
  const bool saved_before = store.ReadBool("RunOnce");
  store.Close();
  if (!saved_before) return s;
  store.Open();
  Reader reader(store);
  ReadOptions(reader, s);
  ReadRulesAndPlayers(reader, s, courses);
  store.Close();
  return s;
}

bool SaveLauncherSettings(SettingsStore& store, const LauncherSettings& s) {
  store.Open();
  bool ok = WriteOptions(store, s);
  ok &= WriteRulesAndPlayers(store, s);
  return store.Close() && ok;
}

int MatchSkin(std::string_view saved, const std::vector<std::string>& list) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (SameIgnoringCase(list[i], saved)) return static_cast<int>(i);
  }
  return 0;
}

}  // namespace gp
