# `make package`: a Debian package and a .tar.gz of the install tree, made by
# CPack from the install rules of resources/CMakeLists.txt.

set(CPACK_PACKAGE_NAME torvan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Torvan developers")
set(CPACK_PACKAGE_CONTACT "${TORVAN_PACKAGE_MAINTAINER}")  # resources/CMakeLists.txt
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming software for a handheld two-way FM radio")
set(CPACK_PACKAGE_DESCRIPTION
  "Torvan reads the whole memory of a handheld two-way FM radio over its serial
programming cable, edits its 200 channels (every frequency checked against the
radio's band and channel raster), its optional features, its type and band,
writes the memory back, keeps it in .dat files and prints it. In English and
Chinese.

The package holds the desktop program (torvan), the command line for scripts
and dealers with many radios (torvan-cli) and a virtual radio on a
pseudo-terminal for trying everything without a radio (torvan-radio-sim).")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/torvan/torvan")
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The tarball: the install tree under one folder, to unpack and run anywhere.
set(CPACK_PACKAGE_FILE_NAME "torvan-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR}")

# The Debian package: torvan_<version>_<arch>.deb below /usr, its Depends line
# from dpkg-shlibdeps, no maintainer scripts. No udev rule: the programming
# cables have no common identity to match (README, the serial port section).
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Chinese texts on screen and in printed reports need a CJK font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk")

include(CPack)
