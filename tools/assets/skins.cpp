// The "skins" generator: alternative interface skins, one folder of ten
// pictures each, with the default interface's layouts and pattern grids.
#include <sys/stat.h>

#include <fstream>
#include <stdexcept>

#include "media/container_writer.h"
#include "tools/assets/gui_art.h"

namespace gp::assets {

namespace {

void WriteBitmap(const Context& ctx, const std::string& name, const Picture& p) {
  WriteDataFile(ctx, name, EncodeBitmap(p));
}

void WriteSkin(const Context& ctx, const std::string& name, const Theme& t) {
  mkdir((ctx.out + "skins").c_str(), 0755);
  mkdir((ctx.out + "skins/" + name).c_str(), 0755);
  const std::string dir = "skins/" + name + "/";
  const struct {
    const char* file;
    Picture (*draw)(const Theme&);
  } kFiles[] = {
      {"pointer.bmp", PointerPicture},   {"panel.bmp", PanelPicture},
      {"panelmin.bmp", PanelMinPicture}, {"buttonsdown.bmp", ButtonsDownPicture},
      {"pushputt.bmp", PushPuttPicture}, {"gauge.bmp", GaugePicture},
      {"target.bmp", TargetPicture},     {"font.bmp", SmallFontPicture},
      {"numbers.bmp", DigitFontPicture}, {"namebox.bmp", NameBoxPicture},
  };
  for (const auto& f : kFiles) {
    const Picture p = f.draw(t);
    DumpPicture("skin_" + name + "_" + f.file, p);
    WriteBitmap(ctx, dir + f.file, p);
  }
}

void RunSkins(const Context& ctx) {
  WriteSkin(ctx, "Nebula", NebulaTheme());
  if (Dumping()) DumpHudPreview(GuiItems(NebulaTheme()), "hud_nebula");
}

Registrar kSkinsGenerator{{"skins", RunSkins}};

}  // namespace

}  // namespace gp::assets
