# SPDX-License-Identifier: MIT
#
# Builds for 32-bit x86 Linux on an x86-64 host with the host compiler's -m32
# multilib (Debian's g++-multilib), and runs the results under user-mode qemu
# (qemu-user), for kernels that cannot execute i386 programs themselves.

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)

find_program(HALFTABLES_QEMU_I386 qemu-i386)
if(NOT HALFTABLES_QEMU_I386)
  message(FATAL_ERROR "qemu-i386 not found: install Debian's qemu-user to run i386 programs")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR "${HALFTABLES_QEMU_I386}")
