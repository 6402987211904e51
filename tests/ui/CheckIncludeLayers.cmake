# Fails when a file under src/ui includes a header from a folder that does not stand below its
# own: windows use the rooms beneath them, never the other way round. Run as
#   cmake -DUI_DIR=<src/ui> -P CheckIncludeLayers.cmake
# From the top down; a folder uses its own files and those of the layers below it, never those
# of its own layer's other folders.
set(layers app unittable,balance,scenario,tableeditors,archivewindows,graphics plugin
    history,defaults,menus,units,layout archive prompts)

set(rank 0)
foreach(layer IN LISTS layers)
  string(REPLACE "," ";" folders "${layer}")
  foreach(folder IN LISTS folders)
    set(rank_of_${folder} ${rank})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

get_filename_component(UI_DIR "${UI_DIR}" ABSOLUTE)
file(GLOB_RECURSE sources RELATIVE "${UI_DIR}" "${UI_DIR}/*.h" "${UI_DIR}/*.cpp")
if(NOT sources)
  message(FATAL_ERROR "No sources under ${UI_DIR}")
endif()
set(failures "")
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" folder "${source}")
  if(NOT DEFINED rank_of_${folder})
    string(APPEND failures "\n  ${source}: the folder ${folder} has no layer in ${CMAKE_CURRENT_LIST_FILE}")
    continue()
  endif()
  file(STRINGS "${UI_DIR}/${source}" includes REGEX "^#include \"ui/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"ui/([^/\"]+)/.*" "\\1" used "${line}")
    if(used STREQUAL folder)
      continue()
    endif()
    if(NOT DEFINED rank_of_${used} OR NOT rank_of_${used} GREATER rank_of_${folder})
      string(APPEND failures "\n  ${source}: ${line} (${used} does not stand below ${folder})")
    endif()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "Includes that run upward or sideways:${failures}")
endif()
