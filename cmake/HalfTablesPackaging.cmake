# SPDX-License-Identifier: MIT
#
# Installed: the generators in bin/, the tables under include/halftables/,
# and a package configuration for find_package(HalfTables) that brings the
# generators as HalfTables::widen and HalfTables::rebias, the tables as
# HalfTables::tables, and half_tables_generate() to write tables elsewhere.

include(CMakePackageConfigHelpers)

set(HALFTABLES_PACKAGE_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/HalfTables")
install(TARGETS halftables_widen halftables_rebias halftables EXPORT HalfTablesTargets)
install(FILES ${HALFTABLES_TABLES} DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/halftables")
install(EXPORT HalfTablesTargets NAMESPACE HalfTables:: DESTINATION "${HALFTABLES_PACKAGE_DIR}")
configure_package_config_file(cmake/HalfTablesConfig.cmake.in HalfTablesConfig.cmake
  INSTALL_DESTINATION "${HALFTABLES_PACKAGE_DIR}")
# The tables are the same bytes on every target, so any build of them will do.
write_basic_package_version_file(HalfTablesConfigVersion.cmake COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES
  "${PROJECT_BINARY_DIR}/HalfTablesConfig.cmake"
  "${PROJECT_BINARY_DIR}/HalfTablesConfigVersion.cmake"
  cmake/HalfTablesGenerate.cmake
  DESTINATION "${HALFTABLES_PACKAGE_DIR}")
