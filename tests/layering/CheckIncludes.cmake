# Checks the include lines of src/ (run as `cmake -DSOURCE_DIR=<src> -P CheckIncludes.cmake`):
#
# 1. Every project include names its layer from src/: "core/...", "app/...",
#    "qtprint/...", "cli/...".
# 2. Layers include only what lies below them: the core nothing but itself;
#    the print library the core; the command line, the virtual radio and the
#    desktop program the core (and the print library), never each other.
# 3. Inside the desktop program the rooms stand on each other in this order,
#    and a room includes only itself and the rooms below it (rooms of one
#    level not each other):
#      base              AppContext, StringTable, LanguagePack, Help, CommandIds
#      grid              the grid widget
#      radio, product    the document and the page dialogs
#      channels          the document window and its channel view
#      link              the transfer controller, port and progress dialogs
#      shell             start-up, the main frame and what only it shows
#      main.cpp, tools/  the programs built on all of it
#
# Every breach is listed; the check fails if there is one.

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<path to src> -P CheckIncludes.cmake")
endif()

set(LEVEL_base 0)
set(LEVEL_grid 1)
set(LEVEL_radio 2)
set(LEVEL_product 2)
set(LEVEL_channels 3)
set(LEVEL_link 4)
set(LEVEL_shell 5)
set(LEVEL_top 6)

set(BELOW_core core)
set(BELOW_qtprint core qtprint)
set(BELOW_cli core qtprint cli)
set(BELOW_sim core sim)
set(BELOW_app core qtprint app)

# The room of a file or include path under app/: its folder, or "top".
function(app_room path out)
  if(path MATCHES "^app/([^/]+)/")
    set(room ${CMAKE_MATCH_1})
    if(room STREQUAL "tools")
      set(room top)
    endif()
  else()
    set(room top)
  endif()
  set(${out} ${room} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
list(SORT files)
set(breaches "")
set(checked 0)
foreach(file ${files})
  string(REGEX MATCH "^[^/]+" layer ${file})
  if(NOT DEFINED BELOW_${layer})
    list(APPEND breaches "${file}: in no known layer (core, qtprint, cli, sim, app)")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" included "${line}")
    math(EXPR checked "${checked} + 1")
    string(REGEX MATCH "^[^/]+" target "${included}")
    if(NOT included MATCHES "/" OR NOT DEFINED BELOW_${target})
      list(APPEND breaches "${file}: \"${included}\" does not name its layer (core/, app/, qtprint/, cli/)")
      continue()
    endif()
    list(FIND BELOW_${layer} ${target} allowed)
    if(allowed EQUAL -1)
      list(APPEND breaches "${file}: \"${included}\" reaches from ${layer} into ${target}")
      continue()
    endif()
    if(layer STREQUAL "app" AND target STREQUAL "app")
      app_room(${file} from)
      app_room(${included} to)
      if(NOT DEFINED LEVEL_${from} OR NOT DEFINED LEVEL_${to})
        list(APPEND breaches "${file}: \"${included}\": room ${from} or ${to} has no level in CheckIncludes.cmake")
      elseif(NOT from STREQUAL to AND NOT LEVEL_${to} LESS LEVEL_${from})
        list(APPEND breaches "${file}: \"${included}\" reaches up from ${from} into ${to}")
      endif()
    endif()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no include line found under ${SOURCE_DIR}")
endif()
list(LENGTH breaches count)
if(count GREATER 0)
  string(REPLACE ";" "\n  " listed "${breaches}")
  message(FATAL_ERROR "${count} include line(s) against the layering:\n  ${listed}")
endif()
message(STATUS "${checked} include lines follow the layering")
