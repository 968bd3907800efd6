# Fails when a file outside src/platform (tests aside) includes an SDL, OpenGL, mixer, GTK, curl or browser
# (emscripten, OpenAL, OpenGL ES) header.
file(GLOB_RECURSE files ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/tools/*.cpp ${SOURCE_DIR}/tools/*.h
  ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/bench/*.h)
set(bad "")
foreach(f ${files})
  if(f MATCHES "/src/platform/")
    continue()
  endif()
  file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](SDL|epoxy/|GL/|gtk/|gdk/|emscripten|AL/|GLES|curl/)")
  if(lines)
    list(APPEND bad "${f}: ${lines}")
  endif()
endforeach()
if(bad)
  message(FATAL_ERROR "platform headers outside src/platform:\n${bad}")
endif()
message(STATUS "platform headers only in src/platform")
