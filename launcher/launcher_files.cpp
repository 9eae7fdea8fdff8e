#include "launcher/launcher_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "base/asset_error.h"
#include "media/bitmap_codec.h"

namespace gp {

namespace fs = std::filesystem;

namespace {

// Main colours of the built-in pictures, red in the lowest byte.
constexpr uint32_t kBuiltinColours[4] = {
    234 | 234 << 8 | 234 << 16,  // light grey
    95 | 44 << 8 | 250 << 16,    // violet blue
    6 | 245 << 8 | 88 << 16,     // green
    250 | 44 << 8 | 44 << 16,    // red
};

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) <
           std::tolower(static_cast<unsigned char>(y));
  });
}

bool HasBmpExtension(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".bmp";
}

// 16 x 16 texels of any picture, nearest pixel.
BallPicture ToBall(const Picture& pic) {
  BallPicture b;
  b.present = true;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      b.texels[static_cast<size_t>(y * 16 + x)] = pic.at(x * pic.width / 16, y * pic.height / 16);
    }
  }
  return b;
}

}  // namespace

std::vector<std::string> SkinList(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(folder + "skins", ec)) {
    const std::string name = e.path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code ec2;
    if (!e.is_directory(ec2)) continue;
    // Read-only (the owner may not write it) is an attribute beyond the directory
    // bit; the folder's own mode decides, whoever runs the game (root may write anything).
    const fs::perms mode = fs::status(e.path(), ec2).permissions();
    if (ec2 || (mode & fs::perms::owner_write) == fs::perms::none) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end(), LessIgnoringCase);
  names.insert(names.begin(), kDefaultSkin);
  return names;
}

uint32_t BuiltinBallColour(int n) {
  return kBuiltinColours[std::clamp(n, 1, 4) - 1];
}

LauncherBall BuiltinBall(const std::string& folder, int n) {
  LauncherBall ball;
  ball.file = "builtin" + std::to_string(n);
  if (LoadBallTexture(folder + "launchball" + std::to_string(n) + ".bmp", ball.picture)) {
    return ball;
  }
  // A shaded disc would be drawn by the game anyway: the plain colour will do.
  ball.picture.present = true;
  ball.picture.texels.fill(BuiltinBallColour(n));
  return ball;
}

void TextureSequence::Open(const std::string& folder) {
  folder_ = folder;
  files_.clear();
  pos_ = 0;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(folder + "textures", ec)) {
    const std::string name = e.path().filename().string();
    std::error_code ec2;
    if (HasBmpExtension(name) && !e.is_directory(ec2)) files_.push_back(name);
  }
  std::sort(files_.begin(), files_.end(), LessIgnoringCase);
}

std::string TextureSequence::Next() {
  if (files_.empty()) return "";
  pos_ = (pos_ + 1) % files_.size();
  return files_[pos_];
}

Bytes ReadLauncherFile(const std::string& path) {
  return ReadWholeFile(path, kMaxLauncherFileBytes);
}

Picture LoadLauncherBitmap(const std::string& path) {
  return LoadBitmapFile(path, kMaxLauncherFileBytes);
}

bool LoadBallTexture(const std::string& path, BallPicture& out) {
  try {
    const Picture pic = LoadLauncherBitmap(path);
    if (pic.empty() || pic.pixels.size() < static_cast<size_t>(pic.width) * pic.height) {
      return false;
    }
    out = ToBall(pic);
    return true;
  } catch (const AssetError&) {
    return false;
  }
}

}  // namespace gp
