# What both mingw-w64 toolchains (GCC and clang) share: the target, where its
# libraries are, and how the tests run.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZEMB_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_RC_COMPILER ${ZEMB_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZEMB_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# zembcfg's libraries are header-only and the same for every target, so their
# Debian CMake packages serve the cross build too, though they lie outside the
# mingw-w64 root (zembcfg/CMakeLists.txt takes only their headers).
set(CLI11_DIR /usr/share/cmake/CLI11 CACHE PATH "")
set(nlohmann_json_DIR /usr/share/cmake/nlohmann_json CACHE PATH "")
file(GLOB _zemb_toml_dirs /usr/lib/*/cmake/tomlplusplus)
if(_zemb_toml_dirs)
  list(GET _zemb_toml_dirs 0 _zemb_toml_dir)
  set(tomlplusplus_DIR ${_zemb_toml_dir} CACHE PATH "")
endif()

# Self-contained .exe: no libstdc++/libgcc/winpthread DLLs to ship or to find under Wine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest (and gtest discovery) run the test .exe files through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec)
