# Shared by the MinGW-w64 toolchain files, which set MINGW_TRIPLE and
# MINGW_WINE (the Wine loader that runs the target's programs).
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX thread model: GoogleTest needs std::mutex. Everything links
# statically, so no thread library DLL is needed at run time.
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(MINGW_WINE_PROGRAM NAMES ${MINGW_WINE} PATHS /usr/lib/wine)
if(MINGW_WINE_PROGRAM)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${MINGW_WINE_PROGRAM})
endif()
