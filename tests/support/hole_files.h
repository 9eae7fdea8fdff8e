#pragma once
// Writes a hole's three files (".dxw", ".dxg", ".hole") into a fresh temporary
// folder that becomes the game window's program folder; removed afterwards.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "media/container_writer.h"
#include "app/game_window.h"

namespace gp::test {

class HoleFolder {
 public:
  HoleFolder() {
    static int serial = 0;
    dir_ = std::filesystem::temp_directory_path() /
           ("galaputt_holes_" + std::to_string(getpid()) + "_" + std::to_string(++serial));
    std::filesystem::create_directories(dir_);
    gamewin().folder = Folder();
  }
  ~HoleFolder() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  HoleFolder(const HoleFolder&) = delete;
  HoleFolder& operator=(const HoleFolder&) = delete;

  // The folder with a trailing '/'.
  std::string Folder() const { return dir_.string() + "/"; }

  // A wave list with one looping background sound.
  void WriteWaves(const std::string& hole) {
    std::vector<WaveItem> items(1);
    items[0].name = "loop";
    items[0].looped = true;
    SetWaveSamples(items[0], {0, 100, 0, -100});
    WriteWaveList(Folder() + hole + ".dxw", items);
  }
  // An image list: item 0 a small course picture, item 1 a decoration.
  // A course picture of w x h (small by default: enough where no ball rolls;
  // a ball that rolls off the picture falls into space).
  void WriteImages(const std::string& hole, int w = 8, int h = 4) {
    std::vector<ImageItem> items(2);
    for (ImageItem& item : items) {
      item.picture.width = w;
      item.picture.height = h;
      item.picture.pixels.assign(static_cast<size_t>(w) * h, 0x00336699);
    }
    items[0].name = "course";
    items[1].name = "decoration";
    WriteImageList(Folder() + hole + ".dxg", items);
  }
  void WriteHoleText(const std::string& hole, const std::string& text) {
    std::ofstream(Folder() + hole + ".hole") << text;
  }
  // All three files; the hole file gives par 4 and a cup naming `next`.
  void WriteHole(const std::string& hole, const std::string& next = "course1hole2") {
    WriteWaves(hole);
    WriteImages(hole);
    WriteHoleText(hole,
                  "[ball]\nx=300\ny=200\n[course]\npar=4\n[area1]\nkind=5\nx1=600\n"
                  "y1=220\nr=9\nenabled=1\ncomment=" +
                      next + "\n");
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace gp::test
