# The Debian package, built with `cpack -G DEB` from the install rules.
# Its dependencies are computed from the binaries, never listed by hand.
# On Windows `cpack -G ZIP` makes vemora-<version>-win64.zip instead, and
# the build makes the installer beside it.
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/VemoraMsi.cmake)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/assets/windows/LIESMICH.txt
          DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME vemora)
  set(CPACK_PACKAGE_VENDOR "${VEMORA_VENDOR}")
  set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
  set(CPACK_PACKAGE_FILE_NAME vemora-${PROJECT_VERSION}-win64)
  set(CPACK_STRIP_FILES ON)
  include(CPack)
  return()
endif()

# Debian wants a copyright file and, for a package without a Debian
# revision, a compressed changelog in the package's doc folder.
execute_process(COMMAND date -u -R -d "${VEMORA_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE VEMORA_RELEASE_DATE_RFC OUTPUT_STRIP_TRAILING_WHITESPACE)
set(deb_doc ${CMAKE_BINARY_DIR}/deb)
configure_file(${CMAKE_CURRENT_LIST_DIR}/deb/copyright.in ${deb_doc}/copyright @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/deb/changelog.in ${deb_doc}/changelog @ONLY)
add_custom_command(
  OUTPUT ${deb_doc}/changelog.gz
  COMMAND gzip -9 -n -k -f ${deb_doc}/changelog
  DEPENDS ${deb_doc}/changelog
  VERBATIM)
add_custom_target(vemora_deb_doc ALL DEPENDS ${deb_doc}/changelog.gz)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/vemora)
install(FILES ${deb_doc}/copyright ${deb_doc}/changelog.gz DESTINATION ${doc_dir})

set(CPACK_PACKAGE_NAME vemora)
set(CPACK_PACKAGE_VENDOR "${VEMORA_VENDOR}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${VEMORA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "minimum main memory of a NetWare file server")
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/deb/compress_manpages.cmake)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VEMORA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VEMORA_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its Wayland platform as a plugin, which no binary links; without
# it the program falls back to XWayland on a Wayland desktop.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vemora computes how much main memory a NetWare 3.1x or 4.x file server
needs at least, from the disk capacity, the volume block size, the number
of clients and files, the memory of other applications and the features in
use. Every keystroke recomputes the result in megabytes.
.
The package also holds vemora-calc, which runs the same calculation from
scripts and over CSV lists of servers.")
include(CPack)
