# A Windows build made on Linux runs its programs under Wine: CTest starts each
# Windows test program through build-windows/wine-run.sh. The Wine prefix is
# $WINEPREFIX when set (make windows-check makes a temporary one), else
# wine-prefix/ in the build folder; never the user's ~/.wine.
find_program(TORVAN_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/lib64/wine NO_CMAKE_FIND_ROOT_PATH)
if(NOT TORVAN_WINE)
  message(STATUS "Wine not found (Debian: wine64): the Windows programs build but their tests cannot run here")
  return()
endif()
set(TORVAN_WINE_PREFIX_DEFAULT ${CMAKE_BINARY_DIR}/wine-prefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
