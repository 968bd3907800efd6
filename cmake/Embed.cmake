# quivex_embed_library(<library> FILES <symbol> <file> [<symbol> <file> ...] DEPENDS <targets or files>)
#
# Makes a static library holding each file (written at build time by an asset generator) as a C++ byte
# array `const unsigned char <symbol>[]` with `const std::size_t <symbol>Size`, and links it into
# quivex_assets. Call it from the asset folder whose custom command writes the files.
function(quivex_embed_library lib)
  cmake_parse_arguments(E "" "" "FILES;DEPENDS" ${ARGN})
  set(sources)
  list(LENGTH E_FILES count)
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET E_FILES ${i} symbol)
    list(GET E_FILES ${j} file)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp)
    add_custom_command(
      OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/embedded
      COMMAND quivex_bin2c ${symbol} ${file} ${out}
      DEPENDS quivex_bin2c ${file} ${E_DEPENDS}
      COMMENT "Embedding ${symbol}"
      VERBATIM)
    list(APPEND sources ${out})
  endforeach()
  add_library(${lib} STATIC ${sources})
  set_property(GLOBAL APPEND PROPERTY QUIVEX_ASSET_LIBS ${lib})
endfunction()
