# The data files and the sources each depends on. Holes: one step per hole source.
file(GLOB HOLE_SOURCES CONFIGURE_DEPENDS ${CONTENT}/holes/*.hole)
foreach(src ${HOLE_SOURCES})
  get_filename_component(hole ${src} NAME_WE)
  galaputt_asset(hole:${hole} OUTPUTS ${hole}.hole ${hole}.dxg ${hole}.dxw DEPENDS ${src})
endforeach()
