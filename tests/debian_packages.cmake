# SPDX-License-Identifier: MIT
#
# Makes the Debian packages of the build in ${build} (its ${config}) into
# ${out}, checks what each holds, that the tables' is Architecture: all, that
# the generators' needs the tables' of one version and is Multi-Arch:
# foreign, and has lintian check them: no errors. Packages that passed are checked
# again only once what they hold, or how they are made, has changed.
include("${CMAKE_CURRENT_LIST_DIR}/script_helpers.cmake")

set(contents "${out}-contents")
file(REMOVE_RECURSE "${contents}")
run("${CMAKE_COMMAND}" --install "${build}" ${with_config} --prefix "${contents}")
file(GLOB_RECURSE files "${contents}/*")
run("${CMAKE_COMMAND}" -E sha256sum ${files} "${build}/CPackConfig.cmake" "${CMAKE_CURRENT_LIST_FILE}"
  "${CMAKE_CURRENT_LIST_DIR}/../cmake/HalfTablesReproducible.cmake")
set(fingerprint "${output}")
if(EXISTS "${out}/checked")
  file(READ "${out}/checked" checked)
  if(checked STREQUAL fingerprint)
    return()
  endif()
endif()

file(REMOVE_RECURSE "${out}")
# Made under a umask that would keep them from everyone else, with no date
# but the changelog's: every member must be for everyone to read, and dated
# as the changelog's latest entry.
run(sh -c "umask 077 && unset SOURCE_DATE_EPOCH && exec \"$@\"" sh "${cpack}" --config "${build}/CPackConfig.cmake"
  ${cpack_with_config} -B "${out}" -G DEB)
file(STRINGS "${CMAKE_CURRENT_LIST_DIR}/../cmake/changelog" date REGEX "^ -- " LIMIT_COUNT 1)
string(REGEX REPLACE ".*>  " "" date "${date}")
execute_process(COMMAND date -u -d "${date}" "+%Y-%m-%d %H:%M" OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE)
foreach(component IN ITEMS tables generators)
  string(REGEX REPLACE "-tables$" "-dev" name "halftables-${component}")
  file(GLOB package "${out}/${name}_*.deb")
  run("${dpkg_deb}" --contents "${package}")
  if(NOT output MATCHES "^((drwxr-xr-x|-rw-r--r--|-rwxr-xr-x) root/root +[0-9]+ ${date} [^\n]*\n)+$")
    message(FATAL_ERROR "${package} holds members not for everyone to read, or not dated ${date}:\n${output}")
  endif()
  string(REGEX MATCHALL "\\./usr/[^\n]*[^/\n]\n" found "${output}")
  string(REGEX REPLACE "\\./usr/([^\n]*)\n" "\\1" found "${found}")
  string(TOUPPER "${component}" component)
  expect_files("${package}" "${found}" ${HALFTABLES_${component}_FILES} share/doc/${name}/changelog.gz share/doc/${name}/copyright)
endforeach()

file(GLOB package "${out}/halftables-dev_*.deb")
run("${dpkg_deb}" --field "${package}" Architecture)
if(NOT output STREQUAL "all\n")
  message(FATAL_ERROR "the tables package is for ${output}, not for all architectures")
endif()
file(GLOB package "${out}/halftables-generators_*.deb")
run("${dpkg_deb}" --field "${package}" Depends Multi-Arch)
if(NOT output MATCHES "^Depends: halftables-dev \\(= [^)]+\\),.*\nMulti-Arch: foreign\n$")
  message(FATAL_ERROR "the generators package needs no tables package of one version, or is no Multi-Arch: foreign:\n${output}")
endif()
file(GLOB packages "${out}/*.deb")
run("${lintian}" --fail-on error ${packages})
message("${output}")
file(WRITE "${out}/checked" "${fingerprint}")
