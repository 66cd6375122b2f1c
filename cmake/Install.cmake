# What `cmake --install` puts where, and the helpers with which each directory
# says what it installs. cmake/Packaging.cmake, included last, exports the
# libraries as the CMake package Stockin and describes the Debian package.
#
#   stockin_library(report EXPORT_NAME Report ...     a library integrators link, with
#                   PUBLIC_HEADERS model/Report.h ...) the headers that are installed: one
#                                                     line each; a header not listed stays internal
#   stockin_program(rqtool)                           a program in bin/
#   stockin_man_page(rqtool [COMMANDS])               its manual page, from its --help
#   stockin_installed(target)                         anything else installed (module, templates)
# The target `installables` builds what is installed, and nothing else.
#
# A public header may include only public headers (the install test compiles
# every installed header against the installed tree).
#
# Layout under the prefix (any prefix: every path between these directories is
# relative, so an installation can be moved as a whole):
#   bin/                          rqtool, stockin-host
#   LIBDIR/                       libstockin_runtime, _grid, _report, _gridprint; cmake/Stockin, pkgconfig
#   LIBDIR/stockin/               libstockin_audit.so, the module the host loads
#   include/stockin/              public headers, as #include "report/model/Report.h"
#   share/stockin/                fonts.conf; templates/ with the built report templates
#   share/man/man1/               rqtool.1.gz, stockin-host.1.gz
# runtime/InstallLayout.h finds them again from the runtime library's place.
include(GNUInstallDirs)

set(STOCKIN_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/stockin)
set(STOCKIN_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/stockin)
set(STOCKIN_INSTALL_TEMPLATEDIR ${STOCKIN_INSTALL_DATADIR}/templates)
set(STOCKIN_INSTALL_MODULEDIR ${CMAKE_INSTALL_LIBDIR}/stockin)
set(STOCKIN_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Stockin)
set(STOCKIN_INSTALL_PKGCONFIGDIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The path from one install directory to another ("../lib"), "." for the same.
function(stockin_install_path_between out from to)
  file(RELATIVE_PATH path ${CMAKE_INSTALL_PREFIX}/${from} ${CMAKE_INSTALL_PREFIX}/${to})
  if(path STREQUAL "")
    set(path ".")
  endif()
  set(${out} ${path} PARENT_SCOPE)
endfunction()

stockin_install_path_between(STOCKIN_BIN_TO_LIB ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_LIBDIR})
stockin_install_path_between(STOCKIN_MODULE_TO_LIB ${STOCKIN_INSTALL_MODULEDIR} ${CMAKE_INSTALL_LIBDIR})

# Installed libraries bring the sanitizer runtime with them when the build has
# one: a program linking them must link it too.
if(ENABLE_SANITIZERS OR BUILD_FUZZERS)
  set(STOCKIN_SANITIZER_LINK_FLAGS -fsanitize=address,undefined)
else()
  set(STOCKIN_SANITIZER_LINK_FLAGS "")
endif()

# Counts a target among those the target `installables` builds.
function(stockin_installed target)
  set_property(GLOBAL APPEND PROPERTY STOCKIN_INSTALLED_TARGETS ${target})
endfunction()

# A shared library for integrators: versioned, exported as Stockin::<EXPORT_NAME>
# (file libstockin_<export name in lower case>.so) with a pkg-config file
# stockin-<lower name>.pc. PKG_REQUIRES lists the pkg-config names it needs.
# PUBLIC_HEADERS (paths relative to the library's directory) are installed with
# their paths from the source root kept, and programs linking the library may
# include them (through the library's include root, cmake/IncludeRoots.cmake).
function(stockin_library target)
  cmake_parse_arguments(ARG "" "EXPORT_NAME;DESCRIPTION" "PKG_REQUIRES;PUBLIC_HEADERS" ${ARGN})
  string(TOLOWER ${ARG_EXPORT_NAME} lower)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME stockin_${lower}
    EXPORT_NAME ${ARG_EXPORT_NAME}
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}
    INSTALL_RPATH "$ORIGIN")
  target_compile_features(${target} PUBLIC cxx_std_20)
  # Calls inside the library go straight to its own functions, as they did
  # when the library was linked statically, instead of through the PLT.
  target_link_options(${target} PRIVATE -Wl,-Bsymbolic-functions)
  # The headers are named through the library's include root, so that the
  # file set adds that root, not the whole source tree, to the library's users.
  file(RELATIVE_PATH dir ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  stockin_include_root_dir(root ${dir})
  list(TRANSFORM ARG_PUBLIC_HEADERS PREPEND ${root}/${dir}/ OUTPUT_VARIABLE headers)
  target_sources(${target} PUBLIC FILE_SET HEADERS BASE_DIRS ${root} FILES ${headers})
  if(STOCKIN_SANITIZER_LINK_FLAGS)
    target_link_options(${target} INTERFACE $<INSTALL_INTERFACE:${STOCKIN_SANITIZER_LINK_FLAGS}>)
  endif()
  stockin_installed(${target})
  install(TARGETS ${target} EXPORT StockinTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    FILE_SET HEADERS DESTINATION ${STOCKIN_INSTALL_INCLUDEDIR})

  set(PC_NAME stockin-${lower})
  set(PC_DESCRIPTION ${ARG_DESCRIPTION})
  list(JOIN ARG_PKG_REQUIRES " " PC_REQUIRES)
  set(PC_LIBRARY stockin_${lower})
  list(JOIN STOCKIN_SANITIZER_LINK_FLAGS " " PC_EXTRA_LIBS)
  stockin_install_path_between(PC_PREFIX ${STOCKIN_INSTALL_PKGCONFIGDIR} .)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/stockin.pc.in ${CMAKE_BINARY_DIR}/pkgconfig/${PC_NAME}.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/pkgconfig/${PC_NAME}.pc DESTINATION ${STOCKIN_INSTALL_PKGCONFIGDIR})
endfunction()

# A program installed in bin/: it finds the libraries relative to itself and
# knows the version it belongs to.
function(stockin_program target)
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${STOCKIN_BIN_TO_LIB}")
  target_compile_definitions(${target} PRIVATE STOCKIN_VERSION="${PROJECT_VERSION}")
  stockin_installed(${target})
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

# The manual page of a program, section 1, made from its --help text (and, with
# COMMANDS, from the --help of each command that its help lists).
function(stockin_man_page target)
  cmake_parse_arguments(ARG "COMMANDS" "" "" ${ARGN})
  set(page ${CMAKE_BINARY_DIR}/man/${target}.1.gz)
  add_custom_command(
    OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DNAME=${target} -DCOMMANDS=${ARG_COMMANDS}
            -DVERSION=${PROJECT_VERSION} -DOUTPUT=${page} -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
    DEPENDS ${target} ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
    COMMENT "Writing the manual page of ${target}"
    VERBATIM)
  add_custom_target(${target}_man ALL DEPENDS ${page})
  stockin_installed(${target}_man)
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
