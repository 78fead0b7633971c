# Cross-compiles for 64-bit Windows with Debian's mingw-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_zemb_triple x86_64-w64-mingw32)
# The -posix variants: std::thread/mutex (and so GoogleTest) need the posix thread model.
set(CMAKE_C_COMPILER ${_zemb_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_zemb_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_zemb_triple}-windres)
set(CMAKE_AR ${_zemb_triple}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${_zemb_triple}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${_zemb_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained .exe: no libstdc++/libgcc/winpthread DLLs to ship or to find under Wine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest (and gtest discovery) run the test .exe files through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec)
