# Install step: the game's font as a symbolic link to the system's copy,
# stomp_font_source, at <prefix>/stomp_font_link. Relative when the system's
# font lies under the prefix too (the Debian package's /usr), so the link holds
# in any root; absolute under any other prefix.
set(link "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${stomp_font_link}")
cmake_path(GET stomp_font_link PARENT_PATH link_dir)
cmake_path(IS_PREFIX CMAKE_INSTALL_PREFIX "${stomp_font_source}" NORMALIZE under_prefix)
if(under_prefix)
  cmake_path(RELATIVE_PATH stomp_font_source BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}/${link_dir}" OUTPUT_VARIABLE target)
else()
  set(target "${stomp_font_source}")
endif()
message(STATUS "Installing: ${link} -> ${target}")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${link_dir}")
file(CREATE_LINK "${target}" "${link}" SYMBOLIC)
