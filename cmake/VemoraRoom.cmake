# One room of src/ is one static library. Its headers are reachable as
# "<room>/<header>.h" only through a folder that holds the room alone, so a
# room sees the headers of the rooms it links and no others. The rooms it
# links come from src/rooms.txt, the one table of allowed includes; DEPS
# adds libraries besides the rooms (the system's, Qt), and a room named
# there must be one the table allows.
set(VEMORA_ROOMS_TABLE ${PROJECT_SOURCE_DIR}/src/rooms.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VEMORA_ROOMS_TABLE})

# The entries of `room`'s line of the table, into `out`.
function(vemora_room_allows room out)
  file(STRINGS ${VEMORA_ROOMS_TABLE} lines REGEX "^${room}( |$)")
  if(NOT lines)
    message(FATAL_ERROR "src/rooms.txt has no line for the room ${room}")
  endif()
  string(REGEX REPLACE " +" ";" entries "${lines}")
  list(POP_FRONT entries)
  set(${out} ${entries} PARENT_SCOPE)
endfunction()

function(vemora_room room)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  vemora_room_allows(${room} allowed)
  set(rooms)
  foreach(entry IN LISTS allowed)
    if(entry MATCHES "^[a-z_0-9]+")
      list(APPEND rooms vemora_${CMAKE_MATCH_0})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES rooms)
  foreach(dep IN LISTS ARG_DEPS ARG_PRIVATE_DEPS)
    if(dep MATCHES "^vemora_" AND NOT dep IN_LIST rooms AND NOT "*" IN_LIST allowed)
      message(FATAL_ERROR "${room} links ${dep}, which src/rooms.txt does not allow")
    endif()
  endforeach()
  set(target vemora_${room})
  add_library(${target} STATIC ${ARG_SOURCES})
  set(root ${CMAKE_BINARY_DIR}/rooms/${room})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${room} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${rooms} ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()
