# Cross-building the Windows game on Linux with Debian's mingw-w64 (the
# posix-thread g++, whose C++ runtime has std::thread and friends).
#
# The .exe links its C and C++ runtimes statically, so it runs on a stock
# Windows with nothing installed, and CTest runs the Windows test programs
# under Wine in a prefix of the build's own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)

# Libraries and headers from the mingw-w64 tree only; tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# math.h's M_PI and friends, which glibc gives g++ by default and the
# mingw-w64 headers only on request.
set(CMAKE_C_FLAGS_INIT "-D_USE_MATH_DEFINES")
set(CMAKE_CXX_FLAGS_INIT "-D_USE_MATH_DEFINES")

# No libgcc, libstdc++ or winpthread DLLs to ship beside the .exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Windows programs run under Wine, quietly, in a prefix under the build
# directory so that no one's own Wine setup is touched or relied on.
# scripts/test.sh makes the prefix afresh and checks it complete
# (tests/platform/make_wine_prefix.sh), then runs ctest with the prefix's
# server and desktop up on its display (tests/platform/with_wine.sh). Run
# by hand without those, Wine makes the prefix on first use (slowly, once).
find_program(QUARRYTOP_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(QUARRYTOP_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR
    /usr/bin/env WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix WINEDEBUG=-all
    WINELOADER=${QUARRYTOP_WINE} WINEDLLOVERRIDES=mscoree,mshtml=
    ${QUARRYTOP_WINE})
endif()
