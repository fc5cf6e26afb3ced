# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-w64.cmake -DTORVAN_BUILD_QT=OFF
# The programs are linked statically, so that a copy of the .exe runs on its
# own (and under Wine) without MinGW's runtime DLLs beside it. Where Wine is
# installed, CTest runs the Windows programs through it (cmake/wine-run.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TORVAN_MINGW_TRIPLE x86_64-w64-mingw32)
# The posix flavour: std::thread and std::mutex need its threads.
set(CMAKE_C_COMPILER ${TORVAN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TORVAN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TORVAN_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TORVAN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
