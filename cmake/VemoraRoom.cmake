# One room of src/ is one static library. Its headers are reachable as
# "<room>/<header>.h" only through a folder that holds the room alone, so a
# room sees the headers of the rooms it links and no others.
function(vemora_room room)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  set(target vemora_${room})
  add_library(${target} STATIC ${ARG_SOURCES})
  set(root ${CMAKE_BINARY_DIR}/rooms/${room})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${room} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()
