# Fails when a folder includes a folder above it, or a window's file includes another window's
# header. The folders stand in layers, bottom up (`layers` below, drawn in the README's map of the
# code): a file includes its own folder and those below it, and nothing includes app/.
# A window is a file named "<name>_window" or "<name>_dialog"; its other files are named after it
# ("main_window_controls", "wizard/wizard_window_key_pages"). Only app/ (which creates and wires
# the windows) may include them all. Files starting with "qt_" are widget pieces (a tool window
# base, the find and font dialogs), not program windows.
# Run as: cmake -DSOURCE_DIR=<repository> -P tools/check_window_includes.cmake
# With -DPRINT_GRAPH=ON it also prints every include edge between program files.
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()
set(layers platform state language widgets editor reference launcher shell wizard metabinds keys mapcycle app)

# The folder order: every file of every layer, each include of a program header.
set(faults)
foreach(dir IN LISTS layers)
  list(FIND layers ${dir} own_layer)
  file(GLOB found ${SOURCE_DIR}/${dir}/*.cpp ${SOURCE_DIR}/${dir}/*.h)
  foreach(f IN LISTS found)
    file(RELATIVE_PATH rel ${SOURCE_DIR} ${f})
    file(STRINGS ${f} includes REGEX "^#include \"[a-z_]+/[A-Za-z0-9_]+\\.h\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" folder "${line}")
      list(FIND layers ${folder} their_layer)
      if(their_layer GREATER own_layer)
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
        list(APPEND faults "${rel} includes ${header} (${folder}/ stands above ${dir}/)")
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  list(JOIN layers " " order)
  message(FATAL_ERROR "A folder must not include a folder above it (${order}, bottom up):\n  "
                      "${text}")
endif()

set(subsystems ${layers})
list(REMOVE_ITEM subsystems app)

set(files)
set(window_stems)
foreach(dir IN LISTS subsystems)
  file(GLOB found ${SOURCE_DIR}/${dir}/*.cpp ${SOURCE_DIR}/${dir}/*.h)
  list(APPEND files ${found})
  foreach(f IN LISTS found)
    get_filename_component(stem ${f} NAME_WE)
    if(stem MATCHES "_(window|dialog)$" AND NOT stem MATCHES "^qt_")
      list(APPEND window_stems ${stem})
    endif()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES window_stems)

# The window a file belongs to: the longest window name it starts with ("" for none).
function(window_of stem out)
  set(best "")
  foreach(w IN LISTS window_stems)
    string(LENGTH "${w}" len)
    string(LENGTH "${best}" best_len)
    if((stem STREQUAL w OR stem MATCHES "^${w}_") AND len GREATER best_len)
      set(best ${w})
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

set(faults)
foreach(f IN LISTS files)
  get_filename_component(stem ${f} NAME_WE)
  file(RELATIVE_PATH rel ${SOURCE_DIR} ${f})
  window_of(${stem} own)
  file(STRINGS ${f} includes REGEX "^#include \"[a-z_]+/[A-Za-z0-9_]+\\.h\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([a-z_]+/[A-Za-z0-9_]+)\\.h\".*" "\\1" header "${line}")
    get_filename_component(header_stem ${header} NAME)
    if(PRINT_GRAPH)
      message("${rel} -> ${header}.h")
    endif()
    window_of(${header_stem} theirs)
    if(theirs AND NOT theirs STREQUAL own)
      list(APPEND faults "${rel} includes ${header}.h (the window ${theirs})")
    endif()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "A window must not include another window's header; let it send a signal "
                      "and connect it in app/window_wiring.cpp:\n  ${text}")
endif()
