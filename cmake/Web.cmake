# The browser build (emcmake): the same game on the backends in src/platform/web, with the assets the
# native build's generators wrote (QUIVEX_HOST_BUILD), as index.html, index.js and index.wasm.
set(QUIVEX_HOST_BUILD "" CACHE PATH "A native build folder whose quivex_assets target is built")
if(NOT EXISTS ${QUIVEX_HOST_BUILD}/assets/images/embedded)
  message(FATAL_ERROR "QUIVEX_HOST_BUILD must name a native build folder with its assets built")
endif()

# Header-only libraries from the host's Debian packages, without the rest of /usr/include.
set(host_include ${CMAKE_BINARY_DIR}/host-include)
file(MAKE_DIRECTORY ${host_include})
foreach(dir glm stb boost nlohmann)
  if(NOT EXISTS ${host_include}/${dir})
    file(CREATE_LINK /usr/include/${dir} ${host_include}/${dir} SYMBOLIC)
  endif()
endforeach()
include_directories(SYSTEM ${host_include} ${host_include}/stb)

# The generators' files, embedded as the native build embeds them.
file(GLOB asset_sources CONFIGURE_DEPENDS ${QUIVEX_HOST_BUILD}/assets/*/embedded/*.cpp)
add_library(quivex_assets STATIC ${CMAKE_SOURCE_DIR}/assets/embed/assets.cpp ${asset_sources})
target_include_directories(quivex_assets PUBLIC ${CMAKE_SOURCE_DIR}/assets)

# The platform pieces a browser has: its own backends, the headless ones, and what OpenGL and WebGL share.
file(GLOB_RECURSE web_sources CONFIGURE_DEPENDS src/platform/web/*.cpp)
file(GLOB headless_sources CONFIGURE_DEPENDS src/platform/*/*_headless.cpp)
add_library(quivex_platform STATIC ${web_sources} ${headless_sources}
  src/platform/platform.cpp
  src/platform/clock/clock_fake.cpp
  src/platform/gfx/gl_device.cpp
  src/platform/gfx/image_decode.cpp)
target_include_directories(quivex_platform PUBLIC src)

include(${CMAKE_SOURCE_DIR}/cmake/GameSources.cmake)
add_library(quivex_update STATIC ${UPDATE_SOURCES})
target_include_directories(quivex_update PUBLIC src)
add_library(quivex_core STATIC ${GAME_SOURCES})
target_include_directories(quivex_core PUBLIC src PRIVATE src/platform/web/zlib)
target_link_libraries(quivex_core PUBLIC quivex_update quivex_platform quivex_assets)

add_executable(quivex src/web_main.cpp)
target_link_libraries(quivex PRIVATE quivex_core)
set(web_shell ${CMAKE_SOURCE_DIR}/src/platform/web/shell.html)
set(web_page_js ${CMAKE_SOURCE_DIR}/src/platform/web/page.js)
set_target_properties(quivex PROPERTIES OUTPUT_NAME index SUFFIX .html LINK_DEPENDS "${web_shell};${web_page_js}")
target_link_options(quivex PRIVATE
  -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB
  -sFORCE_FILESYSTEM=1 -lidbfs.js -lopenal -sFETCH=1
  # The HTML minifier step of this emscripten release is broken (and needs a tool Debian lacks).
  -sMINIFY_HTML=0
  --js-library ${web_page_js} --shell-file ${web_shell})
