// galaputt-lab dxg FILE: the items of an image-list file as the game loads them.
#include <cstdio>
#include <string>

#include "base/asset_error.h"
#include "media/image_list.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"

namespace gp::lab {

namespace {

int RunDxg(const Args& args) {
  if (args.empty()) return Fail("dxg: missing FILE");
  ImageList list;
  try {
    LoadImageList(list, args[0], true);
  } catch (const AssetError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  Json j;
  j.BeginObject().Key("items").BeginArray();
  for (const ImageItem& item : list.items) {
    j.BeginObject()
        .Field("name", item.name)
        .Field("width", item.Width())
        .Field("height", item.Height())
        .Field("patterns", item.PatternCount())
        .Field("transparent", item.transparent)
        .Key("transparentcolor")
        .Int(item.transparentcolor)
        .Field("picturewidth", item.picture.width)
        .Field("pictureheight", item.picture.height)
        .EndObject();
  }
  j.EndArray().EndObject().Print();
  return 0;
}

const Registrar kDxg({"dxg", "FILE", RunDxg});

}  // namespace

}  // namespace gp::lab
