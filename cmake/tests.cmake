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
    tests/native/page_setup_test.cpp
  )
  target_link_libraries(core_tests PRIVATE zemb_platform ${ZEMB_GTEST_MAIN})
  add_test(NAME core_tests COMMAND core_tests)
else()
  # The real sheet and pages, with the program's own resources linked in.
  add_executable(win_tests
    tests/win/sheet_driver.cpp
    tests/win/settings_file_win_test.cpp
    tests/win/page_setup_win_test.cpp
    tests/win/sheet_test.cpp
    resources/ZEMBSerConfig.rc
  )
  target_include_directories(win_tests PRIVATE tests/win)
  target_link_libraries(win_tests PRIVATE zemb_ui shell32 ${ZEMB_GTEST_MAIN})
  add_test(NAME win_tests COMMAND win_tests)
endif()
