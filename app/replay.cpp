#include "app/replay.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "base/asset_error.h"
#include "media/bitmap_codec.h"

namespace gp {

namespace {

constexpr const char* kMagic = "galaputt replay 1";

// Names keep every byte: control characters and '%' become %XX.
std::string Escape(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (c < 0x20 || c == '%' || c == 0x7F) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool Unescape(const std::string& s, std::string& out) {
  out.clear();
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%') {
      out += s[i];
      continue;
    }
    if (i + 2 >= s.size()) return false;
    const int hi = HexDigit(s[i + 1]), lo = HexDigit(s[i + 2]);
    if (hi < 0 || lo < 0) return false;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return true;
}

std::string BallHex(const BallPicture& b) {
  std::string out;
  char hex[12];
  for (uint32_t t : b.texels) {
    std::snprintf(hex, sizeof hex, "%08X", t);
    out += hex;
  }
  return out;
}

bool ParseBallHex(const std::string& s, BallPicture& b) {
  if (s.size() != 256 * 8) return false;
  for (size_t i = 0; i < 256; ++i) {
    uint32_t v = 0;
    for (size_t k = 0; k < 8; ++k) {
      const int d = HexDigit(s[i * 8 + k]);
      if (d < 0) return false;
      v = v * 16 + static_cast<uint32_t>(d);
    }
    b.texels[i] = v;
  }
  b.present = true;
  return true;
}

bool ParseLong(const std::string& s, long lo, long hi, long& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  out = std::strtol(s.c_str(), &end, 10);
  return *end == '\0' && out >= lo && out <= hi;
}

// "setup NAME VALUE": VALUE is the rest of the line.
bool ParseSetupField(const std::string& name, const std::string& value, GameSetup& s) {
  long n = 0;
  const auto num = [&](long lo, long hi) { return ParseLong(value, lo, hi, n); };
  const auto flag = [&](bool& f) {
    if (!num(0, 1)) return false;
    f = n != 0;
    return true;
  };
  const auto integer = [&](int& v, long lo, long hi) {
    if (!num(lo, hi)) return false;
    v = static_cast<int>(n);
    return true;
  };
  if (name == "displaywidth") return integer(s.displaywidth, 1, 16384);
  if (name == "displayheight") return integer(s.displayheight, 1, 16384);
  if (name == "fastwrites") return flag(s.fastwrites);
  if (name == "frameinterval") return integer(s.frameinterval, 0, 1000);
  if (name == "soundon") return flag(s.soundon);
  if (name == "bgsoundon") return flag(s.bgsoundon);
  if (name == "skin") return Unescape(value, s.skin);
  if (name == "training") return flag(s.training);
  if (name == "course") return integer(s.course, -1000, 1000);
  if (name == "coursefolder") return Unescape(value, s.coursefolder);
  if (name == "numplayers") return integer(s.numplayers, -1000, 1000);
  if (name == "startplayer") return integer(s.startplayer, -1000, 1000);
  if (name == "nextplayer") return integer(s.nextplayer, -1000, 1000);
  if (name == "whencollide") return integer(s.whencollide, -1000, 1000);
  if (name == "plus1") return flag(s.plus1);
  if (name == "minus1") return flag(s.minus1);
  if (name == "scoring") return integer(s.scoring, -1000, 1000);
  if (name == "strokelimit") return Unescape(value, s.strokelimit);
  // Per player: name1..name4, pull1.., easy1.., ball1..
  if (name.size() >= 2) {
    const char last = name.back();
    const std::string stem = name.substr(0, name.size() - 1);
    if (last >= '1' && last <= '4') {
      const size_t i = static_cast<size_t>(last - '1');
      if (stem == "name") return Unescape(value, s.playername[i]);
      if (stem == "pull") {
        bool f = false;
        if (!flag(f)) return false;
        s.pull[i] = f;
        return true;
      }
      if (stem == "easy") {
        bool f = false;
        if (!flag(f)) return false;
        s.easy[i] = f;
        return true;
      }
      if (stem == "ball") return ParseBallHex(value, s.ballpicture[i]);
      if (stem == "computer") return integer(s.computer[i], kPerson, kAce);
    }
  }
  return false;
}

std::string FormatSetup(const GameSetup& s) {
  std::ostringstream o;
  o << "setup displaywidth " << s.displaywidth << "\n"
    << "setup displayheight " << s.displayheight << "\n"
    << "setup fastwrites " << s.fastwrites << "\n"
    << "setup frameinterval " << s.frameinterval << "\n"
    << "setup soundon " << s.soundon << "\n"
    << "setup bgsoundon " << s.bgsoundon << "\n"
    << "setup skin " << Escape(s.skin) << "\n"
    << "setup training " << s.training << "\n"
    << "setup course " << s.course << "\n";
  // Only a course other than the SE Course is written: older replays keep their bytes.
  if (!s.coursefolder.empty()) o << "setup coursefolder " << Escape(s.coursefolder) << "\n";
  o << "setup numplayers " << s.numplayers << "\n";
  for (size_t i = 0; i < 4; ++i) {
    o << "setup name" << i + 1 << " " << Escape(s.playername[i]) << "\n"
      << "setup pull" << i + 1 << " " << s.pull[i] << "\n"
      << "setup easy" << i + 1 << " " << s.easy[i] << "\n";
    if (s.ballpicture[i].present)
      o << "setup ball" << i + 1 << " " << BallHex(s.ballpicture[i]) << "\n";
    // Only a computer player is written: replays of people's games keep their bytes.
    if (s.computer[i] != kPerson) o << "setup computer" << i + 1 << " " << s.computer[i] << "\n";
  }
  o << "setup startplayer " << s.startplayer << "\n"
    << "setup nextplayer " << s.nextplayer << "\n"
    << "setup whencollide " << s.whencollide << "\n"
    << "setup plus1 " << s.plus1 << "\n"
    << "setup minus1 " << s.minus1 << "\n"
    << "setup scoring " << s.scoring << "\n"
    << "setup strokelimit " << Escape(s.strokelimit) << "\n";
  return o.str();
}

const char* ButtonWord(MouseButton b) {
  switch (b) {
    case MouseButton::Left:
      return "left";
    case MouseButton::Right:
      return "right";
    case MouseButton::Middle:
      return "middle";
  }
  return "left";
}

bool ParseButton(const std::string& word, MouseButton& b) {
  if (word == "left") {
    b = MouseButton::Left;
  } else if (word == "right") {
    b = MouseButton::Right;
  } else if (word == "middle") {
    b = MouseButton::Middle;
  } else {
    return false;
  }
  return true;
}

// Optional "X Y" after a button event; without it the event happens where the
// pointer last moved.
bool ParseOptionalPoint(std::istringstream& in, int& px, int& py) {
  int x = 0, y = 0;
  if (in >> x) {
    if (!(in >> y)) return false;
    px = x;
    py = y;
  } else {
    in.clear();
  }
  return true;
}

// The rest of a line may only be a comment.
bool OnlyComment(std::istringstream& in) {
  std::string rest;
  return !(in >> rest) || rest[0] == '#';
}

}  // namespace

bool ParseEventLine(const std::string& line, int& px, int& py, ReplayEvent& out) {
  std::istringstream in(line);
  std::string word;
  if (!(in >> out.frame >> word) || out.frame < 0) return false;
  InputEvent& ev = out.ev;
  ev = InputEvent{};
  using T = InputEvent::Type;
  if (word == "move") {
    if (!(in >> px >> py)) return false;
    ev.type = T::MouseMove;
  } else if (word == "down" || word == "up") {
    std::string b;
    if (!(in >> b) || !ParseButton(b, ev.button) || !ParseOptionalPoint(in, px, py)) return false;
    ev.type = word == "down" ? T::ButtonDown : T::ButtonUp;
  } else if (word == "dblclick") {
    std::streampos at = in.tellg();
    std::string b;
    if (in >> b && !ParseButton(b, ev.button)) {
      in.clear();
      in.seekg(at);
    } else if (in.fail()) {
      in.clear();
    }
    if (!ParseOptionalPoint(in, px, py)) return false;
    ev.type = T::DoubleClick;
  } else if (word == "key" || word == "keyup") {
    if (!(in >> ev.key)) return false;
    ev.type = word == "key" ? T::KeyDown : T::KeyUp;
  } else if (word == "quit") {
    ev.type = T::Quit;
  } else if (word == "leave" || word == "enter") {
    ev.type = word == "leave" ? T::PointerLeave : T::PointerEnter;
  } else if (word == "screenshot") {
    std::string result;
    if (!(in >> result) || (result != "saved" && result != "failed")) return false;
    ev.type = result == "saved" ? T::ScreenshotSaved : T::ScreenshotFailed;
  } else {
    return false;
  }
  ev.x = px;
  ev.y = py;
  return OnlyComment(in);
}

std::string FormatEvent(const ReplayEvent& e) {
  const InputEvent& ev = e.ev;
  std::ostringstream o;
  o << e.frame << " ";
  using T = InputEvent::Type;
  switch (ev.type) {
    case T::MouseMove:
      o << "move " << ev.x << " " << ev.y;
      break;
    case T::ButtonDown:
    case T::ButtonUp:
      o << (ev.type == T::ButtonDown ? "down " : "up ") << ButtonWord(ev.button) << " " << ev.x
        << " " << ev.y;
      break;
    case T::DoubleClick:
      o << "dblclick " << ButtonWord(ev.button) << " " << ev.x << " " << ev.y;
      break;
    case T::KeyDown:
      o << "key " << ev.key;
      break;
    case T::KeyUp:
      o << "keyup " << ev.key;
      break;
    case T::Quit:
      o << "quit";
      break;
    case T::PointerLeave:
      o << "leave";
      break;
    case T::PointerEnter:
      o << "enter";
      break;
    case T::ScreenshotSaved:
      o << "screenshot saved";
      break;
    case T::ScreenshotFailed:
      o << "screenshot failed";
      break;
    case T::None:
      return "";
  }
  return o.str();
}

bool ParseReplay(const std::string& text, Replay& out, std::string& error) {
  out = Replay{};
  std::istringstream in(text);
  std::string line;
  int number = 0, px = 0, py = 0;
  bool magic = false, ended = false;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    const auto bad = [&](const char* what) {
      error = "line " + std::to_string(number) + ": " + what;
      return false;
    };
    if (!magic) {
      if (line != kMagic) return bad("not a replay (expected \"galaputt replay 1\")");
      magic = true;
      continue;
    }
    if (ended) return bad("text after the end line");
    std::istringstream words(line);
    std::string first;
    words >> first;
    long n = 0;
    if (first == "seed") {
      std::string v;
      words >> v;
      char* end = nullptr;
      out.seed = std::strtoull(v.c_str(), &end, 10);
      if (v.empty() || *end != '\0') return bad("bad seed");
    } else if (first == "firsthole") {
      words >> out.firsthole;
    } else if (first == "game") {
      words >> out.gameuid;
      if (out.gameuid.empty()) return bad("bad game line");
    } else if (first == "check") {
      words >> out.check;
      if (out.check.size() != 16 ||
          out.check.find_first_not_of("0123456789abcdef") != std::string::npos) {
        return bad("bad check line");
      }
    } else if (first == "hole") {
      std::string v;
      words >> v;
      if (!ParseLong(v, 1, 1000, n)) return bad("bad hole line");
      out.hole = static_cast<int>(n);
    } else if (first == "setup") {
      std::string name;
      words >> name;
      const size_t at = line.find(name, line.find("setup") + 5) + name.size();
      const std::string value = at < line.size() ? line.substr(at + 1) : "";
      if (!ParseSetupField(name, value, out.setup)) return bad("bad setup line");
    } else if (first == "end") {
      std::string v;
      words >> v;
      if (!ParseLong(v, 0, 1L << 30, n)) return bad("bad end line");
      out.frames = static_cast<int>(n);
      ended = true;
    } else {
      // A frame number: an input event or a rate.
      std::string second;
      words >> second;
      if (second == "rate") {
        std::string v;
        words >> v;
        ReplayRate r;
        if (!ParseLong(first, 0, 1L << 30, n)) return bad("bad frame number");
        r.frame = static_cast<int>(n);
        if (!ParseLong(v, 1, 1000, n)) return bad("bad rate");
        r.rate = static_cast<int>(n);
        out.rates.push_back(r);
        continue;
      }
      ReplayEvent e;
      if (!ParseEventLine(line, px, py, e)) return bad("bad event line");
      out.events.push_back(e);
    }
  }
  if (!magic) {
    error = "not a replay (empty)";
    return false;
  }
  if (!ended) {
    // A recording cut short (the game crashed): run to its last event.
    for (const ReplayEvent& e : out.events) out.frames = std::max(out.frames, e.frame);
  }
  return true;
}

bool ReadReplay(const std::string& path, Replay& out, std::string& error) {
  Bytes bytes;
  try {
    bytes = ReadWholeFile(path, kMaxReplayBytes);
  } catch (const AssetError& e) {
    error = e.what();
    return false;
  }
  if (!ParseReplay(std::string(bytes.begin(), bytes.end()), out, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

std::string FormatReplay(const Replay& r) {
  std::ostringstream o;
  o << kMagic << "\n"
    << "seed " << r.seed << "\n";
  if (!r.gameuid.empty()) o << "game " << r.gameuid << "\n";
  if (!r.firsthole.empty()) o << "firsthole " << r.firsthole << "\n";
  o << FormatSetup(r.setup);
  // Events and rates merged by frame, rates first within a frame is irrelevant:
  // a rate belongs to the tick, events come before it.
  size_t ri = 0;
  for (const ReplayEvent& e : r.events) {
    while (ri < r.rates.size() && r.rates[ri].frame < e.frame) {
      o << r.rates[ri].frame << " rate " << r.rates[ri].rate << "\n";
      ++ri;
    }
    o << FormatEvent(e) << "\n";
  }
  for (; ri < r.rates.size(); ++ri) o << r.rates[ri].frame << " rate " << r.rates[ri].rate << "\n";
  if (!r.check.empty()) o << "check " << r.check << "\n";
  if (r.hole > 0) o << "hole " << r.hole << "\n";
  o << "end " << r.frames << "\n";
  return o.str();
}

bool ReplayRecorder::Open(const std::string& path, uint64_t seed, const std::string& firsthole,
                          const GameSetup& s) {
  Close();
  file_ = std::fopen(path.c_str(), "w");
  if (!file_) return false;
  Replay header;
  header.seed = seed;
  header.firsthole = firsthole;
  header.setup = s;
  std::string text = FormatReplay(header);
  text.erase(text.rfind("end "));  // the end line comes when the game does
  std::fputs(text.c_str(), file_);
  std::fflush(file_);
  lastrate_ = 60;
  frames_ = 0;
  return true;
}

void ReplayRecorder::Event(int frame, const InputEvent& ev) {
  if (!file_) return;
  const std::string line = FormatEvent(ReplayEvent{frame, ev});
  if (line.empty()) return;
  std::fprintf(file_, "%s\n", line.c_str());
  std::fflush(file_);
}

void ReplayRecorder::Tick(int frame, int rate) {
  if (!file_) return;
  frames_ = frame;
  if (rate == lastrate_) return;
  lastrate_ = rate;
  std::fprintf(file_, "%d rate %d\n", frame, rate);
  std::fflush(file_);
}

void ReplayRecorder::Close() {
  if (!file_) return;
  std::fprintf(file_, "end %d\n", frames_);
  std::fclose(file_);
  file_ = nullptr;
}

}  // namespace gp
