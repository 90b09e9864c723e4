# Cross-compiles for 64-bit Windows with Debian's mingw-w64, posix-threads
# variant (std::thread and friends need it). Executables link statically, so
# they run under Wine without looking for the compiler's DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VEMORA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VEMORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEMORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VEMORA_MINGW_TRIPLE}-windres)

# Headers and libraries come from the cross sysroot only; build tools from
# the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VEMORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libstdc++, libgcc and winpthread go into each executable.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Runs the built executables (tests, build-time tools) under Wine when it is
# installed, in a prefix of the build folder's own and with no display, so
# nothing outside the build folder changes and no window can open. Gecko,
# Mono and the menu builder stay off: a console test needs none of them.
find_program(VEMORA_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(VEMORA_WINE AND NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      env -u DISPLAY -u WAYLAND_DISPLAY WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix WINEDEBUG=-all
      WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe= ${VEMORA_WINE})
endif()
