# SPDX-License-Identifier: MIT
#
# Other builds of this same source (another target, compiler or set of
# flags), each in variants/<name> as one test: every table such a build writes,
# by running its own generators, must be byte-identical to this build's.

# Cross targets, one a line: the triple, the program that runs its programs
# here, and the Debian packages that build for it. A Linux target's variant
# is named after its Debian architecture, clang_<arch>. Adding a target is one
# line here and its packages in .ci/run.
set(HALFTABLES_CROSS_TARGETS
  "aarch64-linux-gnu        qemu-aarch64   libstdc++-12-dev-arm64-cross binutils-aarch64-linux-gnu"
  "arm-linux-gnueabihf      qemu-arm       libstdc++-12-dev-armhf-cross binutils-arm-linux-gnueabihf"
  "arm-linux-gnueabi        qemu-arm       libstdc++-12-dev-armel-cross binutils-arm-linux-gnueabi"
  "s390x-linux-gnu          qemu-s390x     libstdc++-12-dev-s390x-cross binutils-s390x-linux-gnu"
  "powerpc64le-linux-gnu    qemu-ppc64le   libstdc++-12-dev-ppc64el-cross binutils-powerpc64le-linux-gnu"
  "riscv64-linux-gnu        qemu-riscv64   libstdc++-12-dev-riscv64-cross binutils-riscv64-linux-gnu"
  "mips64el-linux-gnuabi64  qemu-mips64el  libstdc++-12-dev-mips64el-cross binutils-mips64el-linux-gnuabi64"
  "mipsel-linux-gnu         qemu-mipsel    libstdc++-12-dev-mipsel-cross binutils-mipsel-linux-gnu"
  "powerpc-linux-gnu        qemu-ppc       libstdc++-12-dev-powerpc-cross binutils-powerpc-linux-gnu"
  "x86_64-w64-mingw32       wine64         g++-mingw-w64-x86-64-posix wine64"
  "wasm32-emscripten        node           emscripten"
  "wasm32-wasi              node           wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32"
)

set(toolchains "${PROJECT_SOURCE_DIR}/cmake/toolchains")
set(common_options -DBUILD_TESTING=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON)
if(CMAKE_CXX_COMPILER_LAUNCHER)
  list(APPEND common_options "-DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}")
endif()

# The variants differ in compiler and target, not in build tool: Ninja, where
# there is one, brings them up to date in a tenth of make's time.
find_program(HALFTABLES_NINJA ninja)
set(variant_generator "${CMAKE_GENERATOR}")
if(HALFTABLES_NINJA)
  set(variant_generator Ninja)
endif()

# add_variant(<name> <configure option>...)
function(add_variant name)
  add_test(NAME ${name}
    COMMAND "${CMAKE_COMMAND}" "-Dsource=${PROJECT_SOURCE_DIR}" "-Dbuild=${CMAKE_CURRENT_BINARY_DIR}/variants/${name}"
      "-Dgenerator=${variant_generator}" "-Doptions=${common_options};${ARGN}"
      "-Dreference=${HALFTABLES_INCLUDE_DIR}/halftables" "-Dtables=${HALFTABLES_GENERATORS}"
      -P "${CMAKE_CURRENT_SOURCE_DIR}/build_variant.cmake")
endfunction()

# A test this machine cannot run is reported as skipped, with the reason; with
# HALFTABLES_REQUIRE_ALL_TESTS set, as our CI sets it, it fails instead.
function(add_unavailable name reason)
  message(WARNING "The ${name} tests will be skipped: ${reason}")
  add_test(NAME ${name} COMMAND "${CMAKE_COMMAND}" "-Dname=${name}" "-Dreason=${reason}"
    -P "${CMAKE_CURRENT_SOURCE_DIR}/unavailable.cmake")
  set_tests_properties(${name} PROPERTIES SKIP_REGULAR_EXPRESSION "skipped: ")
endfunction()

# halftables_can_link(<result> <compiler command>...): whether the command
# links a static C++ program; remembered once it can.
function(halftables_can_link result)
  if(${result})
    return()
  endif()
  set(probe "${CMAKE_CURRENT_BINARY_DIR}/probe")
  file(WRITE "${probe}.cpp" "#include <iostream>\nint main() { std::cout << 1; }\n")
  execute_process(COMMAND ${ARGN} -static "${probe}.cpp" -o "${probe}.exe"
    RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  if(status EQUAL 0)
    set(${result} TRUE CACHE INTERNAL "")
  endif()
endfunction()

# Undefined behaviour or a memory fault while a generator runs aborts it, and
# with it the variant's build; an entry left unset reads as a pattern, never
# by luck as the 0 it should hold.
add_variant(sanitize
  "-DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER}" -DCMAKE_BUILD_TYPE=Debug -DHALFTABLES_STATIC=OFF
  "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -ftrivial-auto-var-init=pattern")

# g++ and clang++, unoptimised and optimised, for x86-64 and for i386, as
# C++11, the oldest standard the generators are written for.
find_program(HALFTABLES_GCC_CXX g++)
find_program(HALFTABLES_CLANG_CXX clang++)
find_program(HALFTABLES_QEMU_I386 qemu-i386)
set(targets x86_64)
if(HALFTABLES_GCC_CXX)
  halftables_can_link(HALFTABLES_HAVE_M32 "${HALFTABLES_GCC_CXX}" -m32)
endif()
if(NOT HALFTABLES_HAVE_M32)
  add_unavailable(i386 "g++ cannot build static -m32 programs (install g++-multilib)")
elseif(NOT HALFTABLES_QEMU_I386)
  add_unavailable(i386 "qemu-i386 is not installed (install qemu-user)")
else()
  list(APPEND targets i386)
endif()
foreach(compiler IN ITEMS gcc clang)
  string(TOUPPER "${compiler}" name)
  set(path "${HALFTABLES_${name}_CXX}")
  if(NOT path)
    add_unavailable(${compiler} "no ${compiler} C++ compiler found (install ${compiler})")
    continue()
  endif()
  foreach(optimisation IN ITEMS O0 O2)
    foreach(target IN LISTS targets)
      set(options "-DCMAKE_CXX_COMPILER=${path}" -DCMAKE_BUILD_TYPE=Release
        "-DCMAKE_CXX_FLAGS_RELEASE=-${optimisation}" -DHALFTABLES_STATIC=ON -DCMAKE_CXX_STANDARD=11)
      if(target STREQUAL "i386")
        list(APPEND options "-DCMAKE_TOOLCHAIN_FILE=${toolchains}/i386-linux-gnu.cmake")
      endif()
      add_variant(${compiler}_${optimisation}_${target} ${options})
    endforeach()
  endforeach()
endforeach()

# The cross targets, optimised, run under their emulators: clang for Linux
# and WASI, mingw-w64's g++ for Windows, Emscripten's em++.
foreach(entry IN LISTS HALFTABLES_CROSS_TARGETS)
  string(REGEX MATCHALL "[^ ]+" fields "${entry}")
  list(POP_FRONT fields triple emulator)
  string(REGEX MATCH "^[^-]+" processor "${triple}")
  unset(compiler)
  unset(emulator_path)
  if(triple MATCHES "mingw32")
    set(name windows_${processor})
    set(toolchain windows-mingw-w64.cmake)
    find_program(compiler ${triple}-g++-posix NO_CACHE)
  elseif(triple MATCHES "^wasm32-(.*)")
    set(name ${CMAKE_MATCH_1})
    set(toolchain ${name}.cmake)
    set(compiler "${HALFTABLES_CLANG_CXX}" "--target=${triple}")
    if(name STREQUAL "emscripten")
      set(compiler em++)
    endif()
  else()
    string(REGEX MATCH "libstdc\\+\\+-12-dev-([^-]+)-cross" package "${fields}")
    set(name clang_${CMAKE_MATCH_1})
    set(toolchain clang-cross.cmake)
    set(compiler "${HALFTABLES_CLANG_CXX}" "--target=${triple}" "-B/usr/${triple}/lib")
  endif()
  string(MAKE_C_IDENTIFIER "HALFTABLES_CAN_LINK_${triple}" can_link)
  if(compiler)
    halftables_can_link(${can_link} ${compiler})
  endif()
  find_program(emulator_path ${emulator} PATHS /usr/lib/wine NO_CACHE)
  if(NOT ${can_link})
    add_unavailable(${name} "cannot link static programs for ${triple} (install ${fields})")
  elseif(NOT emulator_path)
    add_unavailable(${name} "${emulator} is not installed (install ${fields})")
  else()
    add_variant(${name} "-DCMAKE_TOOLCHAIN_FILE=${toolchains}/${toolchain}" -DCMAKE_BUILD_TYPE=Release
      "-DHALFTABLES_TARGET=${triple}" -DHALFTABLES_STATIC=ON)
    set(${name}_variant TRUE)
  endif()
endforeach()

# A Meson project that takes halftables in as a subproject through its wrap
# and runs its C consumer, installing ours as asked; and Meson's failed
# write, in a top-level build.
set(variant_generator Meson)
set(common_options "")
find_program(HALFTABLES_MESON meson)
if(NOT HALFTABLES_MESON)
  add_unavailable(meson "meson is not installed (install meson)")
else()
  add_variant(meson -Dhalftables:install=enabled)
  add_variant(meson_guest)
  add_test(NAME meson_failed_write COMMAND "${CMAKE_COMMAND}" "-Dsource=${PROJECT_SOURCE_DIR}"
    "-Dbuild=${CMAKE_CURRENT_BINARY_DIR}/meson_failed_write" -Dgenerator=Meson -P "${CMAKE_CURRENT_SOURCE_DIR}/failed_write.cmake")
endif()
