# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Debian's mingw-w64 compilers for 64-bit Windows, with posix threads (the
# win32 thread model has no std::thread or std::mutex). Used to build Qt and
# the libraries for Windows; the program itself is built with the
# toolchain file Qt installs, which loads this one.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
# The cross-built libraries are roots too (scripts/windows-libs.sh).
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $ENV{ORVALEN_WINDOWS_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
