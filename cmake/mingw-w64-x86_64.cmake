# Cross-compiles for 64-bit Windows with Debian's mingw-w64 GCC.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# The -posix variants: std::thread/mutex (and so GoogleTest) need the posix thread model.
set(CMAKE_C_COMPILER ${ZEMB_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZEMB_MINGW_TRIPLE}-g++-posix)
set(CMAKE_AR ${ZEMB_MINGW_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${ZEMB_MINGW_TRIPLE}-ranlib CACHE FILEPATH "")
