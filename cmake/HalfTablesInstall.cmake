# SPDX-License-Identifier: MIT
#
# Install rules, in two components: tables (the tables, the CMake package
# and halftables.pc, the same bytes on every machine, in architecture-
# independent places) and generators (the programs, where this build made
# them). The build tree is a package too, with the same package files.

include(CMakePackageConfigHelpers)
include(GNUInstallDirs)

set(package_dir "${CMAKE_INSTALL_DATADIR}/cmake/HalfTables")
set(sets Tables)
install(TARGETS halftables EXPORT HalfTablesTablesTargets INCLUDES DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}")
install(FILES include/halftables/widen.inc include/halftables/rebias.inc
  DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/halftables" COMPONENT tables)
set(HALFTABLES_PC_WITHOUT_GENERATORS "#")
if(TARGET halftables_widen)
  install(TARGETS halftables_widen halftables_rebias EXPORT HalfTablesGeneratorsTargets
    RUNTIME DESTINATION "${CMAKE_INSTALL_LIBEXECDIR}/halftables" COMPONENT generators)
  list(APPEND sets Generators)
  set(HALFTABLES_PC_WITHOUT_GENERATORS "")
endif()
foreach(set IN LISTS sets)
  string(TOLOWER "${set}" component)
  install(EXPORT HalfTables${set}Targets NAMESPACE HalfTables:: DESTINATION "${package_dir}" COMPONENT ${component})
  export(EXPORT HalfTables${set}Targets NAMESPACE HalfTables:: FILE "${PROJECT_BINARY_DIR}/HalfTables${set}Targets.cmake")
endforeach()
write_basic_package_version_file(HalfTablesConfigVersion.cmake COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
# tables.sha256 is for sha256sum -c in <prefix>/include/halftables.
set(package_files cmake/HalfTablesConfig.cmake cmake/tables.sha256)
install(FILES ${package_files} "${PROJECT_BINARY_DIR}/HalfTablesConfigVersion.cmake"
  DESTINATION "${package_dir}" COMPONENT tables)
foreach(file IN LISTS package_files)
  configure_file(${file} . COPYONLY)
endforeach()

# pkg-config, relocatable like the CMake package: every path is found from
# the .pc file's own place.
set(pkgconfig_dir "${CMAKE_INSTALL_DATADIR}/pkgconfig")
file(RELATIVE_PATH HALFTABLES_PC_PREFIX "${CMAKE_INSTALL_PREFIX}/${pkgconfig_dir}" "${CMAKE_INSTALL_PREFIX}")
string(REGEX REPLACE "/$" "" HALFTABLES_PC_PREFIX "${HALFTABLES_PC_PREFIX}")
file(RELATIVE_PATH HALFTABLES_PC_INCLUDEDIR "${CMAKE_INSTALL_PREFIX}" "${CMAKE_INSTALL_FULL_INCLUDEDIR}")
file(RELATIVE_PATH HALFTABLES_PC_LIBEXECDIR "${CMAKE_INSTALL_PREFIX}" "${CMAKE_INSTALL_FULL_LIBEXECDIR}")
configure_file(cmake/halftables.pc.in halftables.pc @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/halftables.pc" DESTINATION "${pkgconfig_dir}" COMPONENT tables)
