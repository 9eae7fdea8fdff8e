// galaputt-lab dxg and dxw: the JSON contract and the load errors.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/lab_run.h"
#include "support/temp_folder.h"

#include "media/container_writer.h"

namespace gp {
namespace {

using Output = test::LabOutput;

using test::Lab;

using test::TempPath;

TEST(LabAssets, DxgListsEveryItem) {
  std::vector<ImageItem> items(2);
  items[0].name = "strip";
  items[0].picture.width = 100;
  items[0].picture.height = 20;
  items[0].picture.pixels.assign(2000, 0x123456);
  items[0].patternwidth = 20;
  items[0].patternheight = 20;
  items[0].skipwidth = 5;
  items[1].transparent = false;
  items[1].transparentcolor = 0xFF00FF;
  const std::string path = TempPath("galaputt_lab_test.dxg");
  WriteImageList(path, items);
  const Output o = Lab("dxg " + path);
  std::remove(path.c_str());
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.text,
            "{\"items\":[{\"name\":\"strip\",\"width\":20,\"height\":20,\"patterns\":4,"
            "\"transparent\":true,\"transparentcolor\":0,\"picturewidth\":100,"
            "\"pictureheight\":20},{\"name\":\"\",\"width\":0,\"height\":0,\"patterns\":0,"
            "\"transparent\":false,\"transparentcolor\":16711935,\"picturewidth\":0,"
            "\"pictureheight\":0}]}\n");
}

TEST(LabAssets, DxwListsEveryItemInItsStoredFormat) {
  std::vector<WaveItem> items(1);
  items[0].name = "loop";
  items[0].looped = true;
  items[0].maxplayingcount = 3;
  SetWaveSamples(items[0], std::vector<int16_t>(441, 5));
  const std::string path = TempPath("galaputt_lab_test.dxw");
  WriteWaveList(path, items);
  const Output o = Lab("dxw " + path);
  std::remove(path.c_str());
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.text,
            "{\"items\":[{\"name\":\"loop\",\"looped\":true,\"maxplayingcount\":3,"
            "\"channels\":1,\"rate\":22050,\"bits\":16,\"frames\":441}]}\n");
}

TEST(LabAssets, LoadErrorsPrintTheExactMessage) {
  Output o = Lab("dxg /nonexistent/gui.dxg", "2>&1 >/dev/null");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.text, "Cannot open file /nonexistent/gui.dxg\n");
  const std::string path = TempPath("galaputt_lab_bad.dxw");
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fputs("not a stream", f);
  std::fclose(f);
  o = Lab("dxw " + path, "2>&1 >/dev/null");
  std::remove(path.c_str());
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.text, "Invalid stream format\n");
}

}  // namespace
}  // namespace gp
