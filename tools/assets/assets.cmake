# The data files and the sources each depends on. Holes: one step per hole source.
file(GLOB HOLE_SOURCES CONFIGURE_DEPENDS ${CONTENT}/holes/*.hole)
foreach(src ${HOLE_SOURCES})
  get_filename_component(hole ${src} NAME_WE)
  galaputt_asset(hole:${hole} OUTPUTS ${hole}.hole ${hole}.dxg ${hole}.dxw DEPENDS ${src})
endforeach()

# Interface pictures, fonts, menu pages, sounds, ball textures and skins.
galaputt_asset(gui OUTPUTS gui.dxg)
galaputt_asset(menu OUTPUTS menu.dxg)
galaputt_asset(sound OUTPUTS sound.dxw)
galaputt_asset(menusound OUTPUTS menu.dxw)
set(BALL_TEXTURES classic ember aqua violet earth mars moon jupiter neptune sun)
list(TRANSFORM BALL_TEXTURES PREPEND textures/)
list(TRANSFORM BALL_TEXTURES APPEND .bmp)
galaputt_asset(textures OUTPUTS ${BALL_TEXTURES})
set(SKIN_FILES pointer panel panelmin buttonsdown pushputt gauge target font numbers namebox)
list(TRANSFORM SKIN_FILES PREPEND skins/Nebula/)
list(TRANSFORM SKIN_FILES APPEND .bmp)
galaputt_asset(skins OUTPUTS ${SKIN_FILES})
galaputt_asset(spots OUTPUTS menu.spots menu.maskitems)

# Intro movies and the exit picture.
galaputt_asset(movies OUTPUTS zorbel.avi intro.avi)
galaputt_asset(extro OUTPUTS extro.bmp)

# The launcher's own art: the main-menu picture and its highlighted copy, the
# built-in ball pictures, and the background animations.
galaputt_asset(launcher OUTPUTS mainmenu.bmp mainmenuhot.bmp
  launchball1.bmp launchball2.bmp launchball3.bmp launchball4.bmp)
galaputt_asset(launcheranim OUTPUTS interface.flc interface_loop.flc)

# The desktop icon in each size the install puts into the hicolor theme.
set(ICON_SIZES 32 48 64 128 256)
set(ICON_FILES ${ICON_SIZES})
list(TRANSFORM ICON_FILES PREPEND icons/galaputt-)
list(TRANSFORM ICON_FILES APPEND .png)
galaputt_asset(icon OUTPUTS ${ICON_FILES})
