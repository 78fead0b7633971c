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
  file(GLOB ZEMB_NATIVE_TESTS CONFIGURE_DEPENDS tests/native/*_test.cpp)
  add_executable(core_tests ${ZEMB_NATIVE_TESTS})
  target_link_libraries(core_tests PRIVATE zemb_storage zemb_core zembcfg_lib ${ZEMB_GTEST_MAIN})
  add_test(NAME core_tests COMMAND core_tests)
  # The native zembcfg binary itself: its entry point and its streams; the version is the project's.
  string(REPLACE "." "\\." ZEMB_VERSION_PATTERN "${PROJECT_VERSION}")
  add_test(NAME zembcfg_version COMMAND zembcfg --version)
  set_tests_properties(zembcfg_version PROPERTIES PASS_REGULAR_EXPRESSION "^zembcfg ${ZEMB_VERSION_PATTERN}\n$")
  add_test(NAME zembcfg_usage COMMAND zembcfg show)
  set_tests_properties(zembcfg_usage PROPERTIES PASS_REGULAR_EXPRESSION "use --file PATH")
else()
  # The real sheet and pages, with the program's own resources linked in.
  file(GLOB ZEMB_WIN_TESTS CONFIGURE_DEPENDS tests/win/*.cpp)
  add_executable(win_tests ${ZEMB_WIN_TESTS} resources/ZEMBSerConfig.rc)
  target_include_directories(win_tests PRIVATE tests/win)
  target_link_libraries(win_tests PRIVATE zemb_ui zembcfg_lib shell32 uxtheme ${ZEMB_GTEST_MAIN})
  # Some tests run the two programs as their own processes; one beside a
  # planted DLL that marks when it is loaded (tests/win/planted_dlls_test.cpp).
  # Without a C runtime, so either toolchain links it alike (kernel32 alone).
  add_library(zemb_planted SHARED tests/win/planted_dll.c)
  set_target_properties(zemb_planted PROPERTIES PREFIX "")
  target_link_options(zemb_planted PRIVATE -nostdlib -Wl,--entry,DllMain)
  target_link_libraries(zemb_planted PRIVATE kernel32)
  add_dependencies(win_tests ZEMBSerConfig zembcfg zemb_planted)
  # One ctest entry per group of suites, each in its own process and with its
  # own time limit; the last entry runs whatever suite is not named here.
  set(ZEMB_WIN_SUITES
    "Sheet.*:SettingsFileWin.*:PageSetupRegistry.*:Keyboard.*"
    "ProgramRun.*:SaveRun.*"
    "PaperPage.*"
    "PlotterEnvPage.*"
    "PlotterExtraPage.*"
    "ToolPage.*"
    "CataloguePage.*:UnitSync.*:CrossPageUnitSync.*"
    "PresetDialog.*"
    "Layout.*"
    "ZembcfgPreset.*")
  set(ZEMB_NAMED_SUITES "")
  foreach(filter IN LISTS ZEMB_WIN_SUITES)
    string(REGEX REPLACE "\\.\\*.*" "" name "${filter}")
    add_test(NAME win_${name} COMMAND win_tests --gtest_filter=${filter})
    string(APPEND ZEMB_NAMED_SUITES ":${filter}")
  endforeach()
  # As on a Windows whose code page for non-Unicode programs is 1252: Wine
  # takes the ANSI code page from the locale, and the group checks it got it.
  add_test(NAME win_OtherCodePage COMMAND win_tests --gtest_filter=OtherCodePage.*)
  set_tests_properties(win_OtherCodePage PROPERTIES
    ENVIRONMENT "LANG=en_US.UTF-8;LC_ALL=en_US.UTF-8")
  string(APPEND ZEMB_NAMED_SUITES ":OtherCodePage.*")
  # Only on the screens of their own below, and as an ordinary user.
  string(APPEND ZEMB_NAMED_SUITES ":WorkArea.*:AsUser.*")
  string(SUBSTRING "${ZEMB_NAMED_SUITES}" 1 -1 ZEMB_NAMED_SUITES)
  add_test(NAME win_other COMMAND win_tests --gtest_filter=-${ZEMB_NAMED_SUITES})
  # The layout again in a prefix of its own whose screen has 144 DPI, and at
  # 96 and 144 DPI in the font set-ups an operator's own prefix may have:
  # no mapping of the dialogs' face, and no proportional Japanese face at all.
  # The sheet's place on screens of three sizes with a taskbar, at 96, 144
  # and 192 DPI. (scripts/wine-setup; every entry boots a prefix of its own.)
  if(CMAKE_CROSSCOMPILING)
    set(ZEMB_WINE_SETUP bash ${CMAKE_CURRENT_SOURCE_DIR}/scripts/wine-setup)
    add_test(NAME win_Layout_144dpi
      COMMAND ${ZEMB_WINE_SETUP} --dpi 144 $<TARGET_FILE:win_tests> --gtest_filter=Layout.*)
    foreach(fonts unmapped missing)
      add_test(NAME win_Layout_${fonts}
        COMMAND ${ZEMB_WINE_SETUP} --fonts ${fonts} --dpi 96,144
                $<TARGET_FILE:win_tests> --gtest_filter=Layout.*)
    endforeach()
    foreach(screen 1024x768 1280x1024 1920x1080)
      add_test(NAME win_WorkArea_${screen}
        COMMAND ${ZEMB_WINE_SETUP} --screen ${screen} --taskbar 40 --dpi 96,144,192
                $<TARGET_FILE:win_tests> --gtest_filter=WorkArea.*)
    endforeach()
  endif()
  # zembcfg export in the environment's prefix, import in a fresh one.
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME zembcfg_transfer_two_prefixes
      COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/transfer_two_prefixes.sh
              $<TARGET_FILE:win_tests>)
  endif()
  # As an ordinary user, in a prefix of that user's own.
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME win_AsUser
      COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/as_user.sh $<TARGET_FILE:win_tests>)
  endif()
  # Real X keyboard input against the program, in the same Wine environment.
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME keyboard_e2e
      COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/keyboard_e2e.sh $<TARGET_FILE:ZEMBSerConfig>)
  endif()
endif()
