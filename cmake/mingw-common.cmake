# Shared part of the two mingw-w64 toolchain files.
#
# The -posix compilers are used because GCC's -win32 thread model has no
# std::mutex, which GoogleTest needs.  Everything is linked statically so the
# programs need no mingw runtime DLLs beside them, on Windows or under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TAV_MINGW_TRIPLET})

set(CMAKE_C_COMPILER   ${TAV_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAV_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${TAV_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TAV_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Test programs run through Wine, with the loader of the tree's processor
# (the tree's file wine-bits tells the wrapper which).  The wrapper fixes
# prefix, display, locale and debug output.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
