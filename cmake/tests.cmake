# Native tests run directly; Windows tests run under Wine through the
# cross-compiling emulator that the toolchain file names.
if(CMAKE_CROSSCOMPILING)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(ZEMB_GTEST_MAIN gtest_main)
elseif(WIN32)
  find_package(GTest REQUIRED)
  set(ZEMB_GTEST_MAIN GTest::gtest_main)
else()
  find_package(GTest REQUIRED)
  set(ZEMB_GTEST_MAIN GTest::gtest_main)
endif()

if(NOT WIN32)
  add_executable(core_tests
    tests/native/units_test.cpp
    tests/native/record_test.cpp
    tests/native/catalogue_test.cpp
    tests/native/settings_file_test.cpp
  )
  target_link_libraries(core_tests PRIVATE zemb_platform ${ZEMB_GTEST_MAIN})
  add_test(NAME core_tests COMMAND core_tests)
else()
  add_executable(win_settings_tests
    tests/win/settings_file_win_test.cpp
  )
  target_link_libraries(win_settings_tests PRIVATE zemb_platform ${ZEMB_GTEST_MAIN})
  if(MINGW)
    target_link_options(win_settings_tests PRIVATE -static)
  endif()
  add_test(NAME win_settings_tests COMMAND win_settings_tests)
endif()
