# cmake -DFROM=DIR -DTO=DIR -P link_data.cmake
# Links every data file of the program folder FROM into the program folder TO
# (the programs themselves stay TO's own), and FROM's asset compiler, which TO's
# tree does not build: the game runs it to compile a player's own courses.
if(NOT IS_DIRECTORY "${FROM}")
  message(FATAL_ERROR "no program folder ${FROM}: build the data there first")
endif()
file(GLOB_RECURSE files RELATIVE "${FROM}" "${FROM}/*")
set(linked 0)
foreach(f ${files})
  if(NOT f MATCHES "\\.(hole|ini|dxg|dxw|bmp|flc|avi|spots|maskitems|png)$")
    continue()
  endif()
  if(NOT EXISTS "${TO}/${f}")
    get_filename_component(dir "${TO}/${f}" DIRECTORY)
    file(MAKE_DIRECTORY "${dir}")
    file(CREATE_LINK "${FROM}/${f}" "${TO}/${f}" SYMBOLIC)
    math(EXPR linked "${linked} + 1")
  endif()
endforeach()
if(EXISTS "${FROM}/galaputt-assets" AND NOT EXISTS "${TO}/galaputt-assets")
  file(CREATE_LINK "${FROM}/galaputt-assets" "${TO}/galaputt-assets" SYMBOLIC)
endif()
message(STATUS "linked ${linked} data files from ${FROM}")
