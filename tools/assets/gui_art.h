#pragma once
// The interface pictures of gui.dxg. Each replaceable picture is drawn from a
// theme, so the default interface and every skin share one layout.

#include "media/image_list.h"
#include "media/picture.h"
#include "tools/assets/art.h"

namespace gp::assets {

// Sizes the drawing code of the game relies on.
constexpr int kPanelW = 294, kPanelH = 106;  // full panel, drawn at screen (4, 4)
constexpr int kPanelMinW = 294, kPanelMinH = 20;
constexpr int kButtonSize = 22;            // pressed-button pattern
constexpr int kBadgeW = 44, kBadgeH = 16;  // push-putt badge
constexpr int kGaugeW = 94, kGaugeH = 44, kGaugePatterns = 31;
constexpr int kTargetW = 32, kTargetH = 26, kTargetPatterns = 4;
constexpr int kClubW = 96, kClubH = 142, kClubPatterns = 32;
constexpr int kDigitW = 9, kDigitH = 14;
constexpr int kNameBoxW = 112, kNameBoxH = 24;

// Replaceable pictures (skin files), in the game's colours of the theme.
Picture PointerPicture(const Theme& t);
Picture PanelPicture(const Theme& t);
Picture PanelMinPicture(const Theme& t);
Picture ButtonsDownPicture(const Theme& t);
Picture PushPuttPicture(const Theme& t);
Picture GaugePicture(const Theme& t);
Picture TargetPicture(const Theme& t);
Picture SmallFontPicture(const Theme& t);
Picture DigitFontPicture(const Theme& t);
Picture NameBoxPicture(const Theme& t);

// The putter: its ground shadow (subtractive) and the club (colour-keyed).
Picture ClubShadowPicture();
Picture ClubPicture();

// Balls: 16 x 16 textures (texel colours), shading, darkening and the ground shadow.
constexpr int kBallTextures = 10;
const char* BallTextureName(int index);  // file name without ".bmp"
Picture BallTexture(int index);
Picture BallShadingPicture();
Picture BallDarkeningPicture();
Picture GroundShadowPicture();

// The 19 items of gui.dxg for a theme.
std::vector<ImageItem> GuiItems(const Theme& t);

}  // namespace gp::assets
