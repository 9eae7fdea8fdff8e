# The data files and the sources each depends on. Holes: one step per hole source.
file(GLOB HOLE_SOURCES CONFIGURE_DEPENDS ${CONTENT}/holes/*.hole)
foreach(src ${HOLE_SOURCES})
  get_filename_component(hole ${src} NAME_WE)
  galaputt_asset(hole:${hole} OUTPUTS ${hole}.hole ${hole}.dxg ${hole}.dxw DEPENDS ${src})
endforeach()

# The course files of the SE Course (course.ini) and of the training round
# (training.ini), as they are: `galaputt-lab course check` reads them.
file(GLOB COURSE_FILES CONFIGURE_DEPENDS ${CONTENT}/holes/*.ini)
foreach(src ${COURSE_FILES})
  get_filename_component(file ${src} NAME)
  add_custom_command(OUTPUT ${GAME_DIR}/${file}
    COMMAND ${CMAKE_COMMAND} -E copy ${src} ${GAME_DIR}/${file}
    DEPENDS ${src} VERBATIM)
  list(APPEND ASSET_OUTPUTS ${GAME_DIR}/${file})
endforeach()

# Further built-in courses: content/courses/NAME/ (course.ini and its holes)
# becomes courses/NAME/ in the program folder, every hole compiled there.
file(GLOB COURSE_INIS CONFIGURE_DEPENDS ${CONTENT}/courses/*/course.ini)
foreach(ini ${COURSE_INIS})
  get_filename_component(dir ${ini} DIRECTORY)
  get_filename_component(course ${dir} NAME)
  set(out ${GAME_DIR}/courses/${course})
  add_custom_command(OUTPUT ${out}/course.ini
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
    COMMAND ${CMAKE_COMMAND} -E copy ${ini} ${out}/course.ini
    DEPENDS ${ini} VERBATIM)
  list(APPEND ASSET_OUTPUTS ${out}/course.ini)
  file(GLOB course_holes CONFIGURE_DEPENDS ${dir}/*.hole)
  foreach(src ${course_holes})
    get_filename_component(hole ${src} NAME_WE)
    set(outs ${out}/${hole}.hole ${out}/${hole}.dxg ${out}/${hole}.dxw)
    add_custom_command(OUTPUT ${outs}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
      COMMAND galaputt-assets --out ${out} --hole ${src}
      DEPENDS galaputt-assets ${src}
      COMMENT "Generating courses/${course}/${hole}"
      VERBATIM)
    list(APPEND ASSET_OUTPUTS ${outs})
  endforeach()
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
