# SPDX-License-Identifier: MIT
#
# Install rules, in two components:
#   tables      the tables, the CMake package and halftables.pc: what a
#               development package holds, the same bytes on every machine;
#   generators  the two programs, build-time tools under libexec/halftables/.
# The CMake package works from the build tree as well, and CPack makes a
# .tar.gz of the whole install and a Debian package per component, each with
# the licence and the changelog, which the install itself leaves to whoever
# packages it.

include(CMakePackageConfigHelpers)
include(GNUInstallDirs)

# Architecture-independent places only for the tables component, so that its
# Debian package can be Architecture: all.
set(HALFTABLES_PACKAGE_DIR "${CMAKE_INSTALL_DATADIR}/cmake/HalfTables")
set(HALFTABLES_LIBEXEC_DIR "${CMAKE_INSTALL_LIBEXECDIR}/halftables")

install(TARGETS halftables_widen halftables_rebias EXPORT HalfTablesGeneratorsTargets
  RUNTIME DESTINATION "${HALFTABLES_LIBEXEC_DIR}" COMPONENT generators)
install(TARGETS halftables EXPORT HalfTablesTablesTargets INCLUDES DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}")
install(FILES ${HALFTABLES_TABLES} DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/halftables" COMPONENT tables)

# The package: the tables target always, the generators' targets when their
# component is installed too (find_package(HalfTables COMPONENTS generators)
# requires them).
foreach(set IN ITEMS Tables Generators)
  string(TOLOWER "${set}" component)
  install(EXPORT HalfTables${set}Targets NAMESPACE HalfTables::
    DESTINATION "${HALFTABLES_PACKAGE_DIR}" COMPONENT ${component})
  export(EXPORT HalfTables${set}Targets NAMESPACE HalfTables::
    FILE "${PROJECT_BINARY_DIR}/HalfTables${set}Targets.cmake")
endforeach()
# The package file finds everything from its own place, installed or here.
configure_file(cmake/HalfTablesConfig.cmake HalfTablesConfig.cmake COPYONLY)
# The tables are the same bytes on every target, so any build of them will do.
write_basic_package_version_file(HalfTablesConfigVersion.cmake
  COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
# tables.sha256 holds the tables' digests, for the rule and for anyone:
# cd <prefix>/include/halftables && sha256sum -c <it>.
install(FILES
  cmake/HalfTablesConfig.cmake
  "${PROJECT_BINARY_DIR}/HalfTablesConfigVersion.cmake"
  cmake/HalfTablesGenerate.cmake
  cmake/tables.sha256
  DESTINATION "${HALFTABLES_PACKAGE_DIR}" COMPONENT tables)
# The build tree is a package as well (HalfTables_DIR=<build dir>): the
# configuration file above sits at its top, with the exports beside it.
configure_file(cmake/HalfTablesGenerate.cmake HalfTablesGenerate.cmake COPYONLY)
configure_file(cmake/tables.sha256 tables.sha256 COPYONLY)

# pkg-config, relocatable like the CMake package: every path is found from
# the .pc file's own place.
set(pkgconfig_dir "${CMAKE_INSTALL_DATADIR}/pkgconfig")
file(RELATIVE_PATH HALFTABLES_PC_PREFIX "${CMAKE_INSTALL_PREFIX}/${pkgconfig_dir}" "${CMAKE_INSTALL_PREFIX}")
string(REGEX REPLACE "/$" "" HALFTABLES_PC_PREFIX "${HALFTABLES_PC_PREFIX}")
file(RELATIVE_PATH HALFTABLES_PC_INCLUDEDIR "${CMAKE_INSTALL_PREFIX}" "${CMAKE_INSTALL_FULL_INCLUDEDIR}")
file(RELATIVE_PATH HALFTABLES_PC_LIBEXECDIR "${CMAKE_INSTALL_PREFIX}" "${CMAKE_INSTALL_FULL_LIBEXECDIR}")
configure_file(cmake/halftables.pc.in halftables.pc @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/halftables.pc" DESTINATION "${pkgconfig_dir}" COMPONENT tables)

# Packages: cpack in the build tree. CPack writes its configuration at the top
# of the build tree, which in a parent's build is the parent's.
if(NOT PROJECT_IS_TOP_LEVEL)
  return()
endif()
set(CPACK_PACKAGE_VENDOR "the halftables authors")
set(CPACK_PACKAGE_CONTACT "the halftables authors <halftables@users.noreply.invalid>")
# The licence and the changelog, which every package carries and the install
# does not: the script below puts them in.
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_HALFTABLES_CHANGELOG "${PROJECT_SOURCE_DIR}/cmake/changelog")
set(CPACK_GENERATOR TGZ DEB)
set(CPACK_COMPONENTS_ALL tables generators)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# CPack 3.25 knows no Multi-Arch field: it follows Section, on a line of its
# own, for both packages.
set(CPACK_DEBIAN_PACKAGE_SECTION "devel\nMulti-Arch: foreign")
# Debian's names for the components' packages: the tables, the CMake package
# and halftables.pc make a development package.
set(CPACK_DEBIAN_TABLES_PACKAGE_NAME halftables-dev)
set(CPACK_DEBIAN_GENERATORS_PACKAGE_NAME halftables-generators)
set(CPACK_DEBIAN_TABLES_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_GENERATORS_PACKAGE_SHLIBDEPS ON)
# The generators' CMake targets are loaded by the package file in the tables'
# package, of exactly the same version. Both are Multi-Arch: foreign, serving
# a build for any machine: the generators are the build machine's tools, the
# tables the same bytes everywhere.
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

# Packages that are the same bytes whoever makes them, with their
# documentation: see the script.
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/HalfTablesReproducible.cmake")
set(CPACK_PRE_BUILD_SCRIPTS "${CPACK_PROJECT_CONFIG_FILE}")
set(CPACK_POST_BUILD_SCRIPTS "${CPACK_PROJECT_CONFIG_FILE}")
# The date of the changelog's latest entry ("Tue, 08 Dec 2026 00:00:00
# +0000") in seconds since 1970, which the script takes where
# SOURCE_DATE_EPOCH is not set: the days since 0000-03-01, with years counted
# from March so that a leap day falls last, less those up to 1970-01-01.
file(STRINGS cmake/changelog trailer REGEX "^ -- " LIMIT_COUNT 1)
if(NOT trailer MATCHES " ([0-9]+) ([A-Z][a-z]+) ([0-9]+) ([0-9]+):([0-9]+):([0-9]+) ([-+])([0-9][0-9])([0-9][0-9])$")
  message(FATAL_ERROR "cmake/changelog: its latest entry has no date")
endif()
set(months Mar Apr May Jun Jul Aug Sep Oct Nov Dec Jan Feb)
list(FIND months ${CMAKE_MATCH_2} month)
set(year ${CMAKE_MATCH_3})
if(month GREATER 9)
  math(EXPR year "${year} - 1")
endif()
math(EXPR days "365 * ${year} + ${year} / 4 - ${year} / 100 + ${year} / 400 + (153 * ${month} + 2) / 5 + ${CMAKE_MATCH_1} - 1 - 719468")
math(EXPR CPACK_HALFTABLES_CHANGELOG_EPOCH "86400 * ${days} + 3600 * ${CMAKE_MATCH_4} + 60 * ${CMAKE_MATCH_5}
  + ${CMAKE_MATCH_6} - (${CMAKE_MATCH_7}1) * (3600 * ${CMAKE_MATCH_8} + 60 * ${CMAKE_MATCH_9})")
set(CPACK_DEBIAN_TABLES_DESCRIPTION "The half table (every half-precision bit pattern widened to
single precision) and the exponent table, as array initializers to include,
with the CMake package and the pkg-config file that find them.")
set(CPACK_DEBIAN_GENERATORS_DESCRIPTION "widen and rebias, the build-time programs that write the
half-precision tables, for builds that write the tables themselves.")
include(CPack)
cpack_add_component(tables DISPLAY_NAME "Tables" DESCRIPTION "The tables, the CMake package and halftables.pc")
cpack_add_component(generators DISPLAY_NAME "Generators" DESCRIPTION "widen and rebias, which write the tables"
  DEPENDS tables)
