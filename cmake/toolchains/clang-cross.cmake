# SPDX-License-Identifier: MIT
#
# Builds for another Linux target with clang++ --target=<triple>, chosen by
# HALFTABLES_TARGET:
#
#   cmake -B build/aarch64 --toolchain cmake/toolchains/clang-cross.cmake \
#     -DHALFTABLES_TARGET=aarch64-linux-gnu
#
# On Debian that takes libstdc++-12-dev-<arch>-cross and binutils-<triple>,
# which put the target's libraries under /usr/<triple>. The target's programs
# run here under user-mode qemu (Debian's qemu-user): qemu-<processor> as the
# triple names it, or the program HALFTABLES_EMULATOR names; an empty
# HALFTABLES_EMULATOR means none.

if(NOT HALFTABLES_TARGET)
  message(FATAL_ERROR "clang-cross.cmake needs HALFTABLES_TARGET, a target triple such as aarch64-linux-gnu")
endif()
# try_compile reads this file again, in a project of its own.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES HALFTABLES_TARGET HALFTABLES_EMULATOR)

string(REGEX MATCH "^[^-]+" processor "${HALFTABLES_TARGET}")
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR "${processor}")
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET "${HALFTABLES_TARGET}")
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET "${HALFTABLES_TARGET}")

# The target's start files and libraries from its cross packages, ahead of
# any that clang would take from the host: for 32-bit powerpc it looks in
# /usr/lib32 first, where g++-multilib put i386's.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-B/usr/${HALFTABLES_TARGET}/lib")

set(CMAKE_FIND_ROOT_PATH "/usr/${HALFTABLES_TARGET}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# qemu names a few processors otherwise than the triples do.
if(NOT DEFINED HALFTABLES_EMULATOR)
  set(qemu "${processor}")
  if(processor MATCHES "^powerpc")
    string(REPLACE "powerpc" "ppc" qemu "${processor}")
  elseif(processor MATCHES "^i.86$")
    set(qemu i386)
  elseif(processor MATCHES "^arm")
    set(qemu arm)
  endif()
  find_program(HALFTABLES_EMULATOR qemu-${qemu})
endif()
if(HALFTABLES_EMULATOR)
  # -L: the target's dynamic loader and libraries, from the cross packages.
  set(CMAKE_CROSSCOMPILING_EMULATOR "${HALFTABLES_EMULATOR}" -L "/usr/${HALFTABLES_TARGET}")
endif()
