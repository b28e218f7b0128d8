# Cross build for 32-bit Windows: the shipped Tav.exe.
set(TAV_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
