# Read by cpack when it runs, so that tools installed after configuring are still found.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(QUIVEX_DPKG_SHLIBDEPS dpkg-shlibdeps)
  find_program(QUIVEX_FILE_TOOL file)
  # OpenGL is loaded by libepoxy at run time, so no library names it.
  if(QUIVEX_DPKG_SHLIBDEPS AND QUIVEX_FILE_TOOL)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1")
  else()
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-2.0-0, libsdl2-mixer-2.0-0, libepoxy0, libgtk-3-0, libgl1")
  endif()
endif()
