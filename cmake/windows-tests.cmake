# The Windows tests of the real Brindlecot.asi: a stand-in ScriptHookV.dll and a runner that loads the
# .asi into the simulated host, run under Wine (CI) or natively on Windows.
#
#   asi_tables         the .asi's import and export tables
#   wine_prefix        creates the private Wine prefix (once)
#   wine_scripted_runs plays every scripted run against the .asi; each must reach its outcome, no faults
#   wine_traces_match  every run's trace equals the Linux build's, entry by entry; the linux preset's
#                      tests write those traces, and without them this fails saying so
#   wine_crash_report  an access violation inside the script is reported with its frame and last native
#   wine_ini_table     the system's INI reader answers as the INI table says
#   asi_version        the .asi's version resource names the project's version (no Wine needed)
#   package            builds dist/Brindlecot-<version>.zip from the .asi that passed, and checks it

if(CMAKE_HOST_WIN32)
  set(wine_prefix_dir "")
else()
  set(wine_prefix_dir ${CMAKE_BINARY_DIR}/wineprefix)
  # ctest runs the Windows programs through this, like native ones.
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${wine_prefix_dir} ${CMAKE_SOURCE_DIR}/wine/wine-run.sh)
endif()
set(BRINDLECOT_LINUX_TRACES ${CMAKE_SOURCE_DIR}/build/linux/traces
    CACHE PATH "Traces written by the Linux build's scripted_run_tests")

set(wine_static_link -static -static-libgcc -static-libstdc++)

add_subdirectory(${CMAKE_SOURCE_DIR}/sim ${CMAKE_BINARY_DIR}/sim)
add_subdirectory(${CMAKE_SOURCE_DIR}/scenes ${CMAKE_BINARY_DIR}/scenes)
target_link_options(ScriptHookV PRIVATE ${wine_static_link})

add_executable(runner ${CMAKE_SOURCE_DIR}/wine/runner.cpp)
set_target_properties(runner PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_compile_options(runner PRIVATE ${BRINDLECOT_WARNINGS})
target_link_options(runner PRIVATE ${wine_static_link})
target_link_libraries(runner PRIVATE scenes)
add_dependencies(runner Brindlecot)

if(wine_prefix_dir)
  add_test(NAME wine_prefix COMMAND env WINEPREFIX=${wine_prefix_dir} ${CMAKE_SOURCE_DIR}/wine/wine-run.sh cmd /c exit 0)
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
endif()

add_test(NAME wine_scripted_runs COMMAND runner --out traces WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
add_test(NAME wine_traces_match
  COMMAND ${CMAKE_COMMAND} -DLINUX_DIR=${BRINDLECOT_LINUX_TRACES} -DWINDOWS_DIR=${CMAKE_BINARY_DIR}/traces
          -P ${CMAKE_SOURCE_DIR}/wine/compare-traces.cmake)
# The import and export tables of the .asi this preset built.
add_test(NAME asi_tables COMMAND bash ${CMAKE_SOURCE_DIR}/tests/asi_tables_test.sh $<TARGET_FILE:Brindlecot>)
add_test(NAME wine_crash_report COMMAND runner --crash-probe WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
add_test(NAME wine_ini_table COMMAND runner --ini-table WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
add_test(NAME asi_version COMMAND bash ${CMAKE_SOURCE_DIR}/tests/asi_version_test.sh
  $<TARGET_FILE:Brindlecot> ${PROJECT_VERSION})
add_test(NAME package
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/package.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}/dist)

set_tests_properties(wine_scripted_runs PROPERTIES FIXTURES_SETUP asi_passed TIMEOUT 600)
set_tests_properties(wine_scripted_runs wine_crash_report wine_ini_table PROPERTIES FIXTURES_REQUIRED wine)
set_tests_properties(wine_traces_match package PROPERTIES FIXTURES_REQUIRED "wine;asi_passed")
set_tests_properties(wine_crash_report PROPERTIES
  PASS_REGULAR_EXPRESSION "FAIL crash_probe\n +fault: the script crashed: exception 0xC0000005 at [^\n]* in Brindlecot.asi; last native [A-Z_]+\\([^\n]*\\(frame [0-9]+\\)")
