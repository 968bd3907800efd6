# The game's sources, the same for every build of the game. The update (UPDATE_SOURCES) steps the world
# and reaches no device: it builds alone, and a test links a program against it and nothing else. The
# rest (GAME_SOURCES) reads the devices, draws, plays sounds and runs the program.
set(UPDATE_DIRS world shell game enemies frontend)
set(DEVICE_DIRS input render audio online draw app)
set(UPDATE_SOURCES)
foreach(dir ${UPDATE_DIRS})
  file(GLOB_RECURSE dir_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp)
  list(APPEND UPDATE_SOURCES ${dir_sources})
endforeach()
set(GAME_SOURCES)
foreach(dir ${DEVICE_DIRS})
  file(GLOB_RECURSE dir_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp)
  list(APPEND GAME_SOURCES ${dir_sources})
endforeach()
