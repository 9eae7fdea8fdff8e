#include "game/state_digest.h"

#include <cstdio>
#include <cstring>

#include "game/state.h"

namespace gp {

void Digest::Bytes(const void* data, size_t n) {
  const auto* p = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < n; ++i) {
    h_ ^= p[i];
    h_ *= 0x100000001b3ull;
  }
}

void Digest::U64(uint64_t v) {
  uint8_t b[8];
  for (int i = 0; i < 8; ++i) b[i] = static_cast<uint8_t>(v >> (8 * i));
  Bytes(b, sizeof b);
}

void Digest::F64(double v) {
  uint64_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  U64(bits);
}

void Digest::Str(const std::string& s) {
  U64(s.size());
  Bytes(s.data(), s.size());
}

std::string Digest::Hex() const {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h_));
  return text;
}

namespace {

void AddBall(Digest& d, const Ball& b) {
  for (double v : {b.x, b.y, b.z, b.checkx, b.checky, b.backx, b.backy, b.speed, b.vz, b.rollx,
                   b.rolly, b.pushspeed}) {
    d.F64(v);
  }
  for (int32_t v : {b.angle, int32_t{b.spin}, b.lastarea, b.pushangle, b.lastpushangle, b.ramp,
                    b.lastramp, b.holearea, b.strokes, b.total, b.topar, b.shade, b.stillcount,
                    b.holeswon, int32_t{b.ballrows}}) {
    d.I32(v);
  }
  for (bool v : {b.airborne, b.inhole, b.inpipe, b.sinking, b.wet, b.moving, b.pull, b.easy,
                 b.falloff, b.bounced, b.oncourse, b.touching}) {
    d.I32(v);
  }
  d.Str(b.name);
  for (int32_t s : b.holestrokes) d.I32(s);
}

void AddArea(Digest& d, const Area& a) {
  for (int32_t v : {a.kind, a.x1, a.y1, a.r, a.x2, a.y2, a.x3, a.y3, a.x4, a.y4, a.p1, a.p2, a.p3,
                    a.p4, a.p5, a.p6, int32_t{a.enabled}}) {
    d.I32(v);
  }
  d.Str(a.comment);
}

void AddSprite(Digest& d, const Sprite& s) {
  for (int32_t v : {s.x, s.y, s.image, s.frame, int32_t{s.loop}, s.p1, s.p2}) d.I32(v);
}

void AddParticle(Digest& d, const Particle& p) {
  for (double v : {p.x, p.y, p.z, p.prevx, p.prevy, p.prevz, p.speed, p.vz}) d.F64(v);
  for (int32_t v : {p.bounces, p.angle, p.colour, int32_t{p.active}, int32_t{p.shadow},
                    int32_t{p.dots}}) {
    d.I32(v);
  }
}

void AddGlobals(Digest& d, const GameState& g) {
  for (int32_t v :
       {int32_t{g.gamestate}, g.numplayers, g.curplayer, g.holenumber, g.par, g.totalpar, g.cupx,
        g.cupy, g.beststrokes, g.firstholed, int32_t{g.ballsmoving}, int32_t{g.bonusturn},
        int32_t{g.passturn}, g.puttstage, g.clubpos, g.clubspeed, g.spotx, g.spoty, g.returnx,
        g.returny, g.viewx, g.viewy, g.lastviewx, g.lastviewy, g.scrollvx, g.scrollvy,
        int32_t{g.centreview}, g.floatviewx, g.floatviewy, g.mousex, g.mousey, g.mousestep,
        int32_t{g.keyup}, int32_t{g.keydown}, int32_t{g.keyleft}, int32_t{g.keyright},
        int32_t{g.enterdown}, int32_t{g.panelmin}, g.messagepos, g.bigmessagefade,
        int32_t{g.soundon}, int32_t{g.bgsoundon}, g.timescale, g.nextsprite, int32_t{g.flicker},
        g.animphase, int32_t{g.gameover}, int32_t{g.exitconfirm}}) {
    d.I32(v);
  }
  d.F64(g.pushpower);
  for (int32_t v : g.holepar) d.I32(v);
  for (bool v : g.buttondown) d.I32(v);
  for (const std::string* s : {&g.holename, &g.nexthole, &g.message, &g.bigmessage, &g.menutip,
                               &g.spare1, &g.spare2, &g.spare3, &g.spare4, &g.spare5}) {
    d.Str(*s);
  }
}

}  // namespace

void AddState(Digest& d, const GameState& g) {
  for (const Ball& b : g.players) AddBall(d, b);
  for (const Area& a : g.areas) AddArea(d, a);
  for (const Sprite& s : g.sprites) AddSprite(d, s);
  for (const Particle& p : g.particles) AddParticle(d, p);
  for (const Floater& f : g.floaters) {
    for (int32_t v : {f.x, f.y, f.image, f.frame}) d.I32(v);
  }
  AddGlobals(d, g);
}

uint64_t StateDigest(const GameState& g) {
  Digest d;
  AddState(d, g);
  return d.value();
}

}  // namespace gp
