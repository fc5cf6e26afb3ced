# GoogleTest and GoogleMock compiled by this build's own compiler from their
# sources (Debian's libgtest-dev ships them in /usr/src/googletest). A cross
# build needs this: the installed libraries are for the build machine. The
# targets get the names find_package(GTest) gives.
set(INSTALL_GTEST OFF CACHE BOOL "GoogleTest is part of the tests, not installed" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "The core's tests use GoogleMock" FORCE)
if(NOT EXISTS ${TORVAN_GTEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "TORVAN_GTEST_SOURCE_DIR=${TORVAN_GTEST_SOURCE_DIR} holds no GoogleTest sources "
    "(Debian: the package libgtest-dev puts them in /usr/src/googletest)")
endif()
add_subdirectory(${TORVAN_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(lib gtest gtest_main gmock gmock_main)
  target_compile_options(${lib} PRIVATE -w)  # GoogleTest's own warnings are not ours to fix
  if(NOT TARGET GTest::${lib})  # GoogleTest 1.11 and later name them so themselves
    add_library(GTest::${lib} ALIAS ${lib})
  endif()
endforeach()
