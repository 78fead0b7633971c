# Cross-compiles for 64-bit Windows with Debian's clang and lld, against the
# same mingw-w64 headers, import libraries and GCC runtime (libstdc++ with the
# posix thread model, winpthreads) as the GCC toolchain.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${ZEMB_MINGW_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${ZEMB_MINGW_TRIPLE})
# The sysroot keeps the build machine's /usr/include and /usr/lib out.
set(CMAKE_SYSROOT /usr/${ZEMB_MINGW_TRIPLE})
set(CMAKE_AR llvm-ar CACHE FILEPATH "")
set(CMAKE_RANLIB llvm-ranlib CACHE FILEPATH "")

# clang does not find Debian's "12-posix" GCC folder by itself: ask the GCC driver.
execute_process(COMMAND ${ZEMB_MINGW_TRIPLE}-g++-posix -print-libgcc-file-name
                OUTPUT_VARIABLE _zemb_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(_zemb_gcc_dir ${_zemb_libgcc} DIRECTORY)
set(_zemb_cxx_include ${_zemb_gcc_dir}/include/c++)
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${_zemb_cxx_include} -isystem ${_zemb_cxx_include}/${ZEMB_MINGW_TRIPLE} -isystem ${_zemb_cxx_include}/backward")
# libstdc++'s threads need winpthreads, which GCC's own driver adds by itself.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -fuse-ld=lld -L${_zemb_gcc_dir} -lpthread")
