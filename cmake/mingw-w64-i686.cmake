# Cross build of bootspan.exe for 32-bit Windows with Debian's MinGW-w64;
# its tests run under 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLE i686-w64-mingw32)
set(MINGW_WINE wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
