#pragma once
// The whole state of a running game: fixed 1-based tables and single variables,
// read and written in place by the frame tick and the input handlers.
// Units: course pixels (x right, y down, z up the screen), speeds in pixels per
// physics step, angles in byte steps (256 per turn, 0 = +x, 64 = +y).

#include <array>
#include <cstdint>
#include <string>

#include "base/table.h"

namespace gp {

struct Ball {
  double x = 0, y = 0;              // ball ground point
  double z = 0;                     // height; < 0 while dropping into a cup or pipe
  double checkx = 0, checky = 0;    // progress anchor; a wall deflection returns here
  double backx = 0, backy = 0;      // trailing point, follows at 6 pixels or more
  double strokex = 0, strokey = 0;  // where the last stroke was struck from
  int32_t angle = 0;                // direction of motion, byte angle (not reduced)
  double speed = 0;                 // along angle, pixels per step
  double vz = 0;                    // vertical speed, up positive
  double rollx = 0, rolly = 0;      // rolling texture offsets, 0..16
  int8_t spin = 0;                  // texture rotation, byte angle
  int32_t lastarea = -1;            // last once-per-contact area; -1 = none
  bool airborne = false;
  bool inhole = false;
  bool inpipe = false;
  bool sinking = false;
  uint8_t ballrows = 15;  // drawn rows minus one; 15 = whole ball
  bool wet = false;       // on a slow zone this step
  int32_t pushangle = 0;  // this step's surface push direction
  int32_t lastpushangle = 0;
  double pushspeed = 0;
  int32_t ramp = 0;  // 13, -13 or 0
  int32_t lastramp = 0;
  bool moving = false;
  int32_t holearea = 0;           // cup or pipe area the ball dropped into
  bool pull = true;               // putts by pulling (else pushing)
  bool easy = false;              // easy targeting
  int32_t strokes = 0;            // this hole
  int32_t total = 0;              // this game
  int32_t topar = 0;              // total - totalpar
  int32_t shade = 0;              // darkening alpha from shade areas
  bool falloff = false;           // dropped off the course
  bool bounced = false;           // a wall deflected the ball in this area test
  bool oncourse = false;          // placed on the course this hole
  bool touching = false;          // scratch: overlaps the area being tested
  int32_t stillcount = 0;         // steps without leaving the 2-pixel circle
  bool timedout = false;          // the stroke time limit stopped or returned it this turn
  std::string name;
  int32_t holeswon = 0;
  Table<int32_t, 9> holestrokes;  // strokes per hole number; 0 = not played
};

struct Area {
  int32_t kind = 0;  // 0 = empty slot
  int32_t x1 = 0, y1 = 0;
  int32_t r = 0;  // > 0 makes a circle (drawn as an ellipse twice as wide as high)
  int32_t x2 = 0, y2 = 0;
  int32_t x3 = 0, y3 = 0;
  int32_t x4 = 0, y4 = 0;
  int32_t p1 = 0, p2 = 0, p3 = 0, p4 = 0, p5 = 0, p6 = 0;
  bool enabled = false;
  std::string comment;
};

struct Sprite {
  int32_t x = 0, y = 0;  // top-left corner, course pixels; (0, 0) = empty slot
  int32_t image = 0;     // course image index
  int32_t frame = 0;     // animation counter; pattern = frame / 4
  bool loop = false;
  int32_t p1 = 0;  // < 0 subtractive alpha -p1; > 0 additive alpha p1
  int32_t p2 = 0;  // > 0 pulsing alpha draw
};

struct Particle {
  int32_t bounces = 0;
  double x = 0, y = 0, z = 0;
  double prevx = 0, prevy = 0, prevz = 0;
  int32_t angle = 0;
  double speed = 0;
  double vz = 0;
  bool active = false;
  int32_t colour = 0;  // red in the lowest byte
  bool shadow = false;
  bool dots = false;
};

struct Floater {
  int32_t x = 0, y = 0;  // screen pixels
  int32_t image = 0;     // course image index
  int32_t frame = 0;
};

// Game states of the frame tick.
enum : uint8_t {
  kPlay = 0,
  kPuttingHelp = 1,
  kHoleCard = 2,
  kScoreDetails = 3,
  kHoleFinished = 4,
  kRecordsPage = 5,  // the records of this hole and course, over the course
};

constexpr int kMaxPlayers = 4;
constexpr int kMaxAreas = 99;
constexpr int kMaxSprites = 50;
constexpr int kTransientSprites = 30;
constexpr int kMaxParticles = 33;
constexpr int kMaxFloaters = 40;
constexpr int kMaxHoles = 9;
// Holes of a game of the SE Course and of the training round.
constexpr int kHolesPerGame = 6;
constexpr int kMaxCourseImages = 256;  // course image indices the simulation knows about

struct GameState {
  Table<Ball, kMaxPlayers> players;
  Table<Area, kMaxAreas> areas;
  Table<Sprite, kMaxSprites> sprites;
  Table<Particle, kMaxParticles> particles;
  Table<Floater, kMaxFloaters> floaters;

  uint8_t gamestate = kPlay;
  int32_t numplayers = 1;
  int32_t curplayer = 1;
  std::string holename;
  std::string nexthole;
  int32_t holenumber = 1;
  int32_t par = 3;
  int32_t totalpar = 0;
  Table<int32_t, kMaxHoles> holepar;
  int32_t cupx = 0, cupy = 0;
  int32_t beststrokes = 99;
  int32_t firstholed = 0;  // 0 = nobody yet
  bool ballsmoving = false;
  int32_t strokesteps = 0;  // physics steps of the motion phase since the stroke
  bool bonusturn = false;
  bool passturn = false;
  int32_t puttstage = 0;  // 0 = idle
  int32_t clubpos = 0;
  int32_t clubspeed = 0;
  double pushpower = 0;
  int32_t spotx = 0, spoty = 0;
  int32_t returnx = 0, returny = 0;
  int32_t viewx = 0, viewy = 0;
  int32_t lastviewx = 0, lastviewy = 0;
  int32_t scrollvx = 0, scrollvy = 0;  // eighths of a pixel per frame
  bool centreview = false;
  int32_t floatviewx = 0, floatviewy = 0;
  int32_t mousex = 0, mousey = 0;
  int32_t mousestep = 0;
  bool keyup = false, keydown = false, keyleft = false, keyright = false;
  bool enterdown = false;
  Table<bool, 5> buttondown;
  bool panelmin = false;
  std::string message;
  int32_t messagepos = -1;  // -1 = idle, 0 restarts the scroll
  std::string bigmessage;
  int32_t bigmessagefade = 0;
  std::string menutip;
  bool soundon = true;
  bool bgsoundon = true;
  int32_t timescale = 1;   // 1, 2 or 4
  int32_t nextsprite = 1;  // 1..30
  uint8_t flicker = 0;
  int32_t animphase = 0;
  bool gameover = false;
  bool exitconfirm = false;

  // Texts that only text-switch areas write.
  std::string spare1, spare2, spare3, spare4, spare5;

  // Plain values from outside that the simulation reads; the game window sets
  // them when the display starts and when a hole's pictures load.
  int32_t screenwidth = 640, screenheight = 480;  // display surface, pixels
  int32_t coursewidth = 0, courseheight = 0;      // course picture; 0 x 0 without one
  std::array<int32_t, kMaxCourseImages> imagepatterns = NoImages();  // per course image; -1 = none
  bool pointerout = false;  // the pointer has left the window: the screen edges do not scroll
  int32_t holecount = kHolesPerGame;  // holes in this game (1..kMaxHoles): it ends after so many

  // Requests to the game window, carried out right after the handler or the
  // frame that made them.
  bool parkrequest = false;    // move the platform's pointer to (spotx, spoty)
  bool holerequest = false;    // load and set up the hole named by `holename`
  bool leaverequest = false;   // stop the frame timer and close the window
  bool strokerequest = false;  // a ball was struck: the game so far is kept
  // A player holed out: the game window records the result. Per player the
  // hole number holed out on (0 = none), and whether the stroke limit took the
  // ball out (it did not drop into a cup).
  Table<int32_t, kMaxPlayers> holedout;
  Table<bool, kMaxPlayers> takenout;

  // What this frame's drawing shows that the simulation decided.
  int32_t flash = 0;  // lightning: white over the screen at this alpha
  int32_t shimmerx1 = 0, shimmerx2 = 0, shimmery2 = 0;  // big message offsets, pixels
  bool swingend = false;  // the pull swing struck this frame: the club at the ball

  static std::array<int32_t, kMaxCourseImages> NoImages() {
    std::array<int32_t, kMaxCourseImages> a;
    a.fill(-1);
    return a;
  }
};

// Patterns of course image `image`; 0 when the hole has no such image.
int PatternsOf(int image);
// Whether the hole's image list has course image `image`.
bool HasImage(int image);

// The one game state of the process.
GameState& gs();

// Brings the whole state back to program start.
void ResetGameState();

// Text slots 0..7 written by text-switch areas: nexthole, four spares, message,
// a spare and bigmessage. Returns nullptr for a slot outside 0..7.
std::string* TextSlot(int slot);

// Fills transient sprite slot `nextsprite` and advances it (30 wraps to 1).
// Returns the slot used.
int SpawnSprite(int x, int y, int image, bool loop, int p1, int p2 = 0, int frame = 0);

// "Restart the message line": the text with 27 leading spaces, scrolled from 0.
void RestartMessage(const std::string& text);
// "Show a big message": the text as it is, fade 255.
void ShowBigMessage(const std::string& text);

}  // namespace gp
