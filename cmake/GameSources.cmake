# The game's sources: every subsystem above the platform, the same for every build of the game.
set(GAME_DIRS world shell input render audio game enemies frontend draw app)
set(GAME_SOURCES)
foreach(dir ${GAME_DIRS})
  file(GLOB_RECURSE dir_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp)
  list(APPEND GAME_SOURCES ${dir_sources})
endforeach()
