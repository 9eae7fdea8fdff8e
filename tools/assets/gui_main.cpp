// The "gui" generator: gui.dxg, the interface sprites of the game window.
#include "tools/assets/gui_art.h"

namespace gp::assets {

std::vector<ImageItem> GuiItems(const Theme& t) {
  std::vector<ImageItem> items;
  items.push_back(MakeItem("pointer", PointerPicture(t)));
  items.push_back(MakeItem("panel", PanelPicture(t)));
  items.push_back(MakeItem("panelmin", PanelMinPicture(t)));
  items.push_back(MakeItem("buttonsdown", ButtonsDownPicture(t), kButtonSize, kButtonSize));
  items.push_back(MakeItem("pushputt", PushPuttPicture(t)));
  items.push_back(MakeItem("gauge", GaugePicture(t), kGaugeW, kGaugeH));
  items.push_back(MakeItem("target", TargetPicture(t), kTargetW, kTargetH));
  items.push_back(MakeItem("font", SmallFontPicture(t), kPixelCellW, kPixelCellH));
  items.push_back(MakeItem("numbers", DigitFontPicture(t), kDigitW, kDigitH));
  items.push_back(MakeItem("clubshadow", ClubShadowPicture(), kClubW, kClubH));
  items.push_back(MakeItem("club", ClubPicture(), kClubW, kClubH));
  for (int i = 0; i < 4; ++i) {
    items.push_back(MakeItem("ball" + std::to_string(i + 1), BallTexture(i), 0, 0, false));
  }
  items.push_back(MakeItem("ballshading", BallShadingPicture()));
  items.push_back(MakeItem("balldarkening", BallDarkeningPicture()));
  items.push_back(MakeItem("ballshadow", GroundShadowPicture()));
  items.push_back(MakeItem("namebox", NameBoxPicture(t)));
  return items;
}

namespace {

void RunGui(const Context& ctx) {
  const std::vector<ImageItem> items = GuiItems(DefaultTheme());
  for (const ImageItem& item : items) DumpPicture("gui_" + item.name, item.picture);
  DumpHudPreview(items, "hud");
  if (Dumping()) {
    std::vector<Picture> balls;
    for (int i = 0; i < kBallTextures; ++i) balls.push_back(BallTexture(i));
    DumpBallsPreview(balls, items, "balls");
  }
  WriteImages(ctx, "gui.dxg", items);
}

Registrar kGuiMainGenerator{{"gui", RunGui}};

}  // namespace

}  // namespace gp::assets
