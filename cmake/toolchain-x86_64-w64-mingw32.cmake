# Cross build for 64-bit Windows: the build the tests run under Wine.
set(TAV_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
