# The CMake package Stockin (lib/cmake/Stockin) and the Debian package made by
# `cpack -G DEB` in the build directory (scripts/package makes one for /usr).
include(CMakePackageConfigHelpers)

get_property(installed GLOBAL PROPERTY STOCKIN_INSTALLED_TARGETS)
add_custom_target(installables)
add_dependencies(installables ${installed})

install(EXPORT StockinTargets NAMESPACE Stockin:: DESTINATION ${STOCKIN_INSTALL_CMAKEDIR} FILE StockinTargets.cmake)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/StockinConfig.cmake.in
  ${CMAKE_BINARY_DIR}/cmake/StockinConfig.cmake INSTALL_DESTINATION ${STOCKIN_INSTALL_CMAKEDIR})
# Before 1.0 every minor version may change the interfaces.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/cmake/StockinConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/cmake/StockinConfig.cmake ${CMAKE_BINARY_DIR}/cmake/StockinConfigVersion.cmake
  DESTINATION ${STOCKIN_INSTALL_CMAKEDIR})

set(CPACK_PACKAGE_NAME stockin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Stock-in audit developers")
set(CPACK_PACKAGE_CONTACT "Stock-in audit developers <stockin@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Stock-in invoice audit: host, report tool, data grid and report engine")
set(CPACK_PACKAGE_DESCRIPTION "The stock-in invoice audit module of a wholesale distributor's business application, \
with stockin-host (its host program), rqtool (the report engine from the command line), and the data grid and \
banded report engine as libraries with headers, CMake and pkg-config files.")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# Libraries the programs link are found by dpkg-shlibdeps; what they load at run
# time is named here: the Qt SQL drivers of the three database kinds, the
# platform plugins, and the fonts that fonts.conf maps the report faces to.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6sql6-sqlite, libqt6sql6-psql, libqt6sql6-odbc, qt6-qpa-plugins, fontconfig, fonts-wqy-zenhei, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-base-dev, pkg-config")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
