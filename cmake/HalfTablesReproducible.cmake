# SPDX-License-Identifier: MIT
#
# What cpack runs to make packages that are the same bytes whoever makes
# them, wherever and whenever, and that carry their documentation: named in
# CPackConfig.cmake as its project configuration file, and as a script to run
# before and after each generator builds its packages.

if(DEFINED CPACK_PACKAGE_FILES)
  # After: what CPack 3.25 cannot settle itself. A .deb's ar headers give
  # its members the modes cpack's umask left them; a .tar.gz records the
  # builder's user and group, and its members in the order of the file
  # system. (CPack 4.3 has CPACK_ARCHIVE_UID and CPACK_ARCHIVE_GID.)
  foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(package MATCHES "\\.deb$")
      # "!<arch>\n", then per member a 60-byte header: its mode in octal at
      # byte 40, its size at 48; each member's data padded to an even size.
      set(header 8)
      foreach(member RANGE 2)
        file(READ "${package}" fields OFFSET ${header} LIMIT 60)
        string(SUBSTRING "${fields}" 48 10 size)
        string(STRIP "${size}" size)
        math(EXPR mode "${header} + 40")
        execute_process(COMMAND sh -c "printf '100644  ' | dd of=\"$0\" bs=1 seek=$1 conv=notrunc status=none"
          "${package}" ${mode} COMMAND_ERROR_IS_FATAL ANY)
        math(EXPR header "${header} + 60 + ${size} + ${size} % 2")
      endforeach()
    elseif(package MATCHES "\\.tar\\.gz$")
      # Made again by GNU tar with the flags reproducible-builds.org gives;
      # another tar leaves the package as CPack made it.
      execute_process(COMMAND tar --version OUTPUT_VARIABLE tar_version ERROR_QUIET)
      if(NOT tar_version MATCHES "GNU tar")
        message(WARNING "${package} records its builder and file order: GNU tar would normalise them")
        continue()
      endif()
      set(tree "${CPACK_TOPLEVEL_DIRECTORY}/normalised")
      file(REMOVE_RECURSE "${tree}")
      file(ARCHIVE_EXTRACT INPUT "${package}" DESTINATION "${tree}")
      file(GLOB top RELATIVE "${tree}" "${tree}/*")
      execute_process(
        COMMAND tar --create --format=gnu --sort=name --owner=0 --group=0 --numeric-owner
          "--mtime=@$ENV{SOURCE_DATE_EPOCH}" --mode=go=rX,u+rw,a-s -C "${tree}" ${top}
        COMMAND gzip -9n
        OUTPUT_FILE "${package}" COMMAND_ERROR_IS_FATAL ANY)
      file(REMOVE_RECURSE "${tree}")
    endif()
  endforeach()
elseif(DEFINED CPACK_TEMPORARY_DIRECTORY)
  # Before: the licence and the changelog, which a package carries and an
  # install does not, in share/doc/<package>/ as Debian has them (gzip -n
  # leaves the time out of the file, where there is a gzip); one package a
  # component for DEB.
  set(docs "${CPACK_TEMPORARY_DIRECTORY}/share/doc/halftables")
  if(CPACK_GENERATOR STREQUAL "DEB")
    set(docs "")
    foreach(component IN LISTS CPACK_COMPONENTS_ALL)
      string(TOUPPER "${component}" name)
      set(package "${CPACK_DEBIAN_${name}_PACKAGE_NAME}")
      list(APPEND docs "${CPACK_TEMPORARY_DIRECTORY}/${component}${CPACK_PACKAGING_INSTALL_PREFIX}/share/doc/${package}")
    endforeach()
  endif()
  find_program(HALFTABLES_GZIP gzip)
  foreach(doc IN LISTS docs)
    file(MAKE_DIRECTORY "${doc}")
    configure_file("${CPACK_RESOURCE_FILE_LICENSE}" "${doc}/copyright" COPYONLY)
    if(HALFTABLES_GZIP)
      execute_process(COMMAND "${HALFTABLES_GZIP}" -9nc "${CPACK_HALFTABLES_CHANGELOG}"
        OUTPUT_FILE "${doc}/changelog.gz" COMMAND_ERROR_IS_FATAL ANY)
    else()
      file(ARCHIVE_CREATE OUTPUT "${doc}/changelog.gz" PATHS "${CPACK_HALFTABLES_CHANGELOG}"
        FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
    endif()
    file(CHMOD_RECURSE "${doc}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endforeach()
  # What is installed is for everyone to read, whatever the umask of whoever
  # packages it. Files are 0644 and programs 0755 already; CMake 3.25 makes
  # directories as the umask says.
  file(CHMOD_RECURSE "${CPACK_TEMPORARY_DIRECTORY}" DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
else()
  # Loaded with the configuration. The scripts before and after each package
  # came with CPack 3.19.
  if(CMAKE_VERSION VERSION_LESS 3.19)
    message(FATAL_ERROR "halftables' packages are made with CPack 3.19 or later, and this is ${CMAKE_VERSION}")
  endif()
  # Loaded with the configuration. A source package would hold whatever lies
  # in the source tree, build trees and all: git archive makes it.
  if(CPACK_INSTALLED_DIRECTORIES)
    message(FATAL_ERROR "halftables makes no source package with cpack; make one with "
      "git archive --prefix=${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}/ -o ${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}.tar.gz HEAD")
  endif()
  # The time every package records: SOURCE_DATE_EPOCH, or else the date of
  # the changelog's latest entry, as Debian's own tools take it.
  if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    set(ENV{SOURCE_DATE_EPOCH} "${CPACK_HALFTABLES_CHANGELOG_EPOCH}")
  endif()
endif()
