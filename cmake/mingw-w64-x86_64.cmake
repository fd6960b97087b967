# Cross build for 64-bit Windows, for machines that run 64-bit Wine only.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLE x86_64-w64-mingw32)
set(MINGW_WINE wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
