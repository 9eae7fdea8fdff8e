#pragma once
// The files the launcher lists and shows from the program folder: the skin
// folders, the ball textures ("textures/*.bmp") and the four built-in ball
// pictures.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/setup.h"
#include "launcher/settings.h"
#include "media/byte_reader.h"
#include "media/picture.h"

namespace gp {

// Largest file the launcher reads whole: the hot spots, the menu pictures, the
// ball textures, the exit picture (bytes).
inline constexpr size_t kMaxLauncherFileBytes = size_t{16} << 20;

// A launcher file read whole, and a bitmap file decoded, each of at most
// kMaxLauncherFileBytes; raise AssetError ("Cannot open file %s" also for a
// folder or a pipe, "File %s is larger than 16 MB", the decoder's messages).
Bytes ReadLauncherFile(const std::string& path);
Picture LoadLauncherBitmap(const std::string& path);

// kDefaultSkin ("[default interface]") followed by every folder below "skins/" that counts as
// having only the directory attribute: not hidden (no leading '.') and not
// read-only (its owner's write bit set); in name order (as the original
// platform's file system lists them).
std::vector<std::string> SkinList(const std::string& folder);

// A ball picture the launcher shows and hands to the game: its file name
// ("builtin1".."builtin4" for the built-in ones) and its 16 x 16 texels.
struct LauncherBall {
  std::string file;
  BallPicture picture;
};

// Built-in picture n (1..4) from "launchballN.bmp"; when that file is missing
// or unreadable, a plain disc of the player's main colour.
LauncherBall BuiltinBall(const std::string& folder, int n);
// The main colour of built-in picture n (1..4), 0x00BBGGRR.
uint32_t BuiltinBallColour(int n);

// The ball texture sequence: one listing of "textures/*.bmp" (any attributes,
// name order), positioned on its first file when opened and shared by all
// players. Next() moves on and wraps to the first file after the last.
class TextureSequence {
 public:
  void Open(const std::string& folder);
  // The next file's name; empty when there are no files.
  std::string Next();
  bool empty() const { return files_.empty(); }
  const std::string& folder() const { return folder_; }

 private:
  std::string folder_;
  std::vector<std::string> files_;
  size_t pos_ = 0;
};

// A texture file as a ball picture: read, and brought to 16 x 16 (nearest
// pixel) when it has another size. False when it cannot be read.
bool LoadBallTexture(const std::string& path, BallPicture& out);

}  // namespace gp
