// The computer players on the real game headless: the hand's error by skill,
// decisions that touch neither the game nor its random sequence, the same
// strokes for the same game and seed whether thought out at once or a slice
// at a time, a search that knows where its stroke will rest, a person's mouse
// kept off the computer's putt, turns interrupted and taken again, and a
// recorded game of computers that plays back exactly.
#include "ai/computer_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "ai/computer_search.h"
#include "ai/game_snapshot.h"
#include "app/game_loop.h"
#include "app/replay.h"
#include "app/replay_run.h"
#include "base/keys.h"
#include "base/random.h"
#include "game/putt_stages.h"
#include "game/state.h"
#include "game/state_digest.h"
#include "platform/headless/headless_platform.h"
#include "tests/integration/game_driver.h"
#include "tests/support/temp_folder.h"
#include "tools/lab/match.h"
#include "tools/lab/solve_game.h"

namespace gp {
namespace {

using ai::ComputerPlayers;
using Type = InputEvent::Type;

// The spread of the hand's error over many strokes of one skill: aim in byte
// steps, drag length as a fraction.
struct Spread {
  double aim = 0, drag = 0;
};

Spread ErrorSpread(int skill) {
  const ai::Skill& k = ai::SkillFor(skill);
  ai::ComputerRandom r(7);
  const ai::Drag chosen = ai::DragFor(40, 100);
  double aim2 = 0, drag2 = 0;
  constexpr int kStrokes = 4000;
  for (int i = 0; i < kStrokes; ++i) {
    const ai::Drag d = ai::Spoiled(chosen, k, r);
    const int da = ((ai::DragAngle(d) - 40 + 128) & 255) - 128;
    aim2 += da * da;
    drag2 += std::pow(ai::DragLength(d) / 100.0 - 1, 2);
  }
  return {std::sqrt(aim2 / kStrokes), std::sqrt(drag2 / kStrokes)};
}

TEST(ComputerHand, ErrorIsNormalAndShrinksWithSkill) {
  ai::ComputerRandom r(1), same(1), other(2);
  double sum = 0, sum2 = 0;
  constexpr int kDraws = 20000;
  for (int i = 0; i < kDraws; ++i) {
    const double v = r.Normal();
    sum += v;
    sum2 += v * v;
    ASSERT_EQ(same.Normal(), v);
  }
  EXPECT_NEAR(sum / kDraws, 0, 0.03);
  EXPECT_NEAR(std::sqrt(sum2 / kDraws), 1, 0.03);
  EXPECT_NE(ai::ComputerRandom(1).Next(), other.Next());

  const Spread rookie = ErrorSpread(kRookie), pro = ErrorSpread(kPro), ace = ErrorSpread(kAce);
  EXPECT_NEAR(rookie.aim, 3.0, 0.3);
  EXPECT_NEAR(rookie.drag, 0.12, 0.015);
  EXPECT_GT(rookie.aim, pro.aim + 1);
  EXPECT_GT(pro.aim, ace.aim);
  EXPECT_GT(rookie.drag, pro.drag);
  EXPECT_GT(pro.drag, ace.drag);
  EXPECT_LT(ace.aim, 0.8);
}

// A headless game whose computers' events go through the game's dispatch
// before each frame, as the window delivers them.
class ComputerGame {
 public:
  explicit ComputerGame(bool sliced = false) : computers_(sliced) {}

  bool Open(const std::string& hole, uint64_t seed, GameSetup s) {
    if (!game_.Open(testing::GameDir(), hole, seed, s).empty()) return false;
    computers_.Start(seed);
    return true;
  }
  // One frame: the computers' events (noted with their frame), then the tick.
  void Frame() {
    Before();
    game_.Tick();
    ++frame_;
  }
  // The computers' part before a frame: their events delivered.
  void Before() {
    for (const InputEvent& ev : computers_.BeforeFrame()) {
      sent_.push_back({frame_, ev});
      DispatchInput(ev);
    }
  }
  // Frames until `done` holds; false when it never did.
  template <typename F>
  bool FramesUntil(F done, int limit) {
    for (int i = 0; i < limit && !done(); ++i) Frame();
    return done();
  }
  ComputerPlayers& computers() { return computers_; }
  const std::vector<std::pair<int, InputEvent>>& sent() const { return sent_; }
  int frame() const { return frame_; }

 private:
  lab::SolveGame game_;
  ComputerPlayers computers_;
  std::vector<std::pair<int, InputEvent>> sent_;
  int frame_ = 0;
};

GameSetup Players(std::array<int, 4> who, int n) {
  GameSetup s;
  s.numplayers = n;
  s.computer = who;
  return s;
}

bool Struck() {
  return gs().players[gs().curplayer].strokes > 0 || gs().ballsmoving;
}

// The events a computer sends for its first stroke, with their frames.
std::vector<std::pair<int, InputEvent>> FirstStroke(uint64_t seed, bool sliced) {
  ComputerGame game(sliced);
  if (!game.Open("course1hole4", seed, Players({kPro, 0, 0, 0}, 1))) return {};
  for (int i = 0; i < 400 && !Struck(); ++i) {
    // Sliced: slivers of thinking between frames, the game going on meanwhile.
    for (int k = 0; k < 100 && game.computers().Thinking(); ++k) {
      const uint64_t live = StateDigest(gs());
      game.computers().Think(0.05);
      if (StateDigest(gs()) != live) return {};  // a slice left the live game changed
    }
    game.Frame();
  }
  return game.sent();
}

bool SameEvents(const std::vector<std::pair<int, InputEvent>>& a,
                const std::vector<std::pair<int, InputEvent>>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const InputEvent &x = a[i].second, &y = b[i].second;
    if (a[i].first != b[i].first || x.type != y.type || x.x != y.x || x.y != y.y ||
        x.key != y.key || x.button != y.button) {
      return false;
    }
  }
  return true;
}

TEST(ComputerTurn, ThinksWithoutTouchingTheGameThenPuttsByPointerAfterLiningUp) {
  ASSERT_TRUE(testing::MissingData({"course1hole4"}).empty());
  ComputerGame game;
  ASSERT_TRUE(game.Open("course1hole4", 3, Players({kAce, 0, 0, 0}, 1)));
  ASSERT_TRUE(game.FramesUntil(ai::ReadyToStroke, 600));
  // The decision is made inside this call; the game and its random sequence
  // come out of it as they went in, and nothing is sent yet.
  const uint64_t state = StateDigest(gs());
  const RandomState random = SaveRandom();
  game.Before();
  EXPECT_TRUE(game.sent().empty());
  EXPECT_EQ(game.computers().decisions(), 1);
  EXPECT_GT(game.computers().simframes().front(), 0);
  EXPECT_EQ(StateDigest(gs()), state);
  const RandomState after = SaveRandom();
  EXPECT_TRUE(std::equal(std::begin(after.words), std::end(after.words), std::begin(random.words)));

  game.Frame();
  ASSERT_TRUE(game.FramesUntil(Struck, 400));
  const std::vector<std::pair<int, InputEvent>>& sent = game.sent();
  ASSERT_GE(sent.size(), 4u);
  // A second's line-up, then the pointer glides onto the ball, presses, draws
  // the drag out over several frames and lets go.
  EXPECT_GE(sent.front().first, ai::LineUpFrames(60));
  EXPECT_EQ(sent.front().second.type, Type::MouseMove);
  int presses = 0, releases = 0, frames_dragged = 0;
  for (size_t i = 0; i < sent.size(); ++i) {
    presses += sent[i].second.type == Type::ButtonDown;
    releases += sent[i].second.type == Type::ButtonUp;
    if (presses == 1 && releases == 0 && sent[i].second.type == Type::MouseMove) ++frames_dragged;
  }
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(releases, 1);
  EXPECT_GE(frames_dragged, 4);
  EXPECT_EQ(sent.back().second.type, Type::ButtonUp);
  EXPECT_EQ(gs().players[1].strokes, 1);
}

TEST(ComputerTurn, SameGameSameStrokesAtOnceOrSliceBySlice) {
  ASSERT_TRUE(testing::MissingData({"course1hole4"}).empty());
  const auto at_once = FirstStroke(11, false);
  ASSERT_FALSE(at_once.empty());
  EXPECT_TRUE(SameEvents(FirstStroke(11, false), at_once));
  // A slice of 50 microseconds at a time, the live game ticking between slices
  // and unchanged by each: the same events on the same frames.
  EXPECT_TRUE(SameEvents(FirstStroke(11, true), at_once));
  // Another seed: the computer's own generator gives another error.
  EXPECT_FALSE(SameEvents(FirstStroke(12, false), at_once));
}

// Struck as chosen, a stroke rests exactly where the search found it would
// (the search runs the very events the computer sends).
TEST(ComputerSearch, KnowsWhereItsStrokeWillRest) {
  ASSERT_TRUE(testing::MissingData({"course2hole1"}).empty());
  lab::SolveGame game;
  ASSERT_EQ(game.Open(testing::GameDir(), "course2hole1", 4), "");
  for (int i = 0; i < 600 && !ai::ReadyToStroke(); ++i) game.Tick();
  const ai::GameSnapshot live = ai::SnapshotGame();
  const ai::Decision d = ai::Decide(ai::SkillFor(kPro), ai::LineUpFrames(60));
  ai::RestoreGame(live);
  ASSERT_TRUE(d.found);
  EXPECT_GT(d.tried, 50);
  for (int i = 0; i < ai::LineUpFrames(60) + d.wait; ++i) game.Tick();
  const std::vector<ai::TimedEvent> putt = ai::PullPuttEvents(d.drag);
  ASSERT_FALSE(putt.empty());
  size_t next = 0;
  for (int offset = 0; next < putt.size(); ++offset) {
    for (; next < putt.size() && putt[next].offset == offset; ++next) DispatchInput(putt[next].ev);
    game.Tick();
  }
  for (int i = 0; i < 4000 && (gs().ballsmoving || gs().puttstage != kIdle); ++i) game.Tick();
  const Ball& b = gs().players[1];
  if (d.holes) {
    EXPECT_TRUE(b.inhole);
  } else {
    EXPECT_EQ(b.x, d.x);
    EXPECT_EQ(b.y, d.y);
  }
  EXPECT_EQ(b.strokes, 1);
}

InputEvent Mouse(Type type, int x, int y) {
  InputEvent ev;
  ev.type = type;
  ev.x = x;
  ev.y = y;
  return ev;
}

TEST(ComputerTurn, ThePersonsMouseLeavesTheComputersPuttAlone) {
  ASSERT_TRUE(testing::MissingData({"course1hole4"}).empty());
  ComputerGame game;
  ASSERT_TRUE(game.Open("course1hole4", 5, Players({kRookie, 0, 0, 0}, 2)));
  ASSERT_TRUE(game.FramesUntil([] { return ai::ReadyToStroke(); }, 600));
  game.Frame();  // decided; lining up
  ComputerPlayers& c = game.computers();
  ASSERT_TRUE(c.OwnsTurn());
  int bx = 0, by = 0;
  ASSERT_TRUE(ai::BallOnScreen(bx, by));
  InputEvent key;
  key.type = Type::KeyDown;
  key.key = kKeyF4;
  // Lining up: the pointer and the panel answer, the ball cannot be picked.
  EXPECT_TRUE(c.LetsThrough(Mouse(Type::MouseMove, 30, 40)));
  EXPECT_TRUE(c.LetsThrough(Mouse(Type::ButtonDown, 30, 40)));
  EXPECT_TRUE(c.LetsThrough(Mouse(Type::ButtonUp, 30, 40)));
  EXPECT_FALSE(c.LetsThrough(Mouse(Type::ButtonDown, bx + 5, by - 5)));
  EXPECT_FALSE(c.LetsThrough(Mouse(Type::ButtonUp, bx, by)));
  EXPECT_TRUE(c.LetsThrough(key));
  // Its pointer moving and putting: no mouse at all; keys still.
  ASSERT_TRUE(game.FramesUntil([&] { return !game.sent().empty(); }, 200));
  EXPECT_FALSE(c.LetsThrough(Mouse(Type::MouseMove, 30, 40)));
  EXPECT_FALSE(c.LetsThrough(Mouse(Type::ButtonDown, 600, 400)));
  EXPECT_TRUE(c.LetsThrough(key));
  // A page over the game takes the click that closes it.
  gs().gamestate = kScoreDetails;
  EXPECT_TRUE(c.LetsThrough(Mouse(Type::ButtonUp, bx, by)));
  gs().gamestate = kPlay;
  // The person's own turn: everything reaches the game.
  ASSERT_TRUE(game.FramesUntil([] { return gs().curplayer == 2 && ai::ReadyToStroke(); }, 4000));
  EXPECT_FALSE(c.OwnsTurn());
  ASSERT_TRUE(ai::BallOnScreen(bx, by));
  EXPECT_TRUE(c.LetsThrough(Mouse(Type::ButtonDown, bx, by)));
}

// A page opened over the computer's putt drops it; once the page is closed
// the computer thinks again and strokes once. A ball set to push is turned
// back to pulling with the key first.
TEST(ComputerTurn, InterruptedTurnsAreTakenAgain) {
  ASSERT_TRUE(testing::MissingData({"course1hole4"}).empty());
  ComputerGame game;
  ASSERT_TRUE(game.Open("course1hole4", 6, Players({kRookie, 0, 0, 0}, 1)));
  gs().players[1].pull = false;
  ASSERT_TRUE(game.FramesUntil([&] { return !game.sent().empty(); }, 600));
  EXPECT_EQ(game.sent().front().second.key, kKeyF8);
  EXPECT_TRUE(gs().players[1].pull);
  ASSERT_TRUE(game.FramesUntil([] { return gs().puttstage == kPullAim; }, 400));
  InputEvent end;
  end.type = Type::KeyDown;
  end.key = kKeyEnd;
  DispatchInput(end);  // the score details
  for (int i = 0; i < 30; ++i) game.Frame();
  EXPECT_EQ(gs().players[1].strokes, 0);
  InputEvent space = end;
  space.key = kKeySpace;
  DispatchInput(space);  // closed again
  ASSERT_TRUE(game.FramesUntil([] { return gs().players[1].strokes > 0; }, 600));
  EXPECT_EQ(gs().players[1].strokes, 1);
  EXPECT_EQ(game.computers().decisions(), 2);
}

// A game of computers only, recorded, plays back exactly from its recording,
// without a search: the same strokes on every hole and the same final state.
TEST(ComputerReplay, ARecordedGameOfComputersPlaysBackExactly) {
  ASSERT_TRUE(testing::MissingData({"course1hole1", "course2hole1"}).empty());
  test::TempFolder dir;
  lab::MatchOptions o;
  o.skills = {kRookie, kPro};
  o.seed = 9;
  o.holes = 2;
  o.setup.whencollide = 1;  // the balls may meet
  o.record = (dir / "match.replay").string();
  const lab::MatchResult m = lab::PlayMatch(o, testing::GameDir());
  ASSERT_EQ(m.error, "");
  ASSERT_EQ(m.holes.size(), 2u);
  const uint64_t final = StateDigest(gs());

  Replay r;
  std::string error;
  ASSERT_TRUE(ReadReplay(o.record, r, error)) << error;
  EXPECT_EQ(r.setup.computer, (std::array<int, 4>{kRookie, kPro, 0, 0}));
  HeadlessPlatform platform;
  const ReplayResult back = RunReplay(r, platform, testing::GameDir());
  ASSERT_TRUE(back.opened);
  EXPECT_EQ(back.frames, m.frames);
  ASSERT_GE(back.holes.size(), 2u);
  for (size_t h = 0; h < 2; ++h) EXPECT_EQ(back.holes[h].strokes, m.holes[h].strokes) << h;
  EXPECT_EQ(StateDigest(gs()), final);
}

}  // namespace
}  // namespace gp
