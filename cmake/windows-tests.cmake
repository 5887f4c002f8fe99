# The Windows tests of the real Brindlecot.asi: a stand-in ScriptHookV.dll and a runner that loads the
# .asi into the simulated host, run under Wine (CI) or natively on Windows.
#
#   wine_prefix        creates the private Wine prefix (once)
#   wine_scenarios     plays every scenario against the .asi; each must reach its outcome, no faults
#   wine_traces_match  every scenario's trace equals the Linux build's, entry by entry
#   wine_crash_report  an access violation inside the script is reported with its frame and last native
#   wine_ini_table     the system's INI reader answers as the INI table says
#   asi_version        the .asi's version resource names the project's version (no Wine needed)
#   package            builds dist/Brindlecot-<version>.zip from the .asi that passed, and checks it

enable_testing()

if(CMAKE_HOST_WIN32)
  set(wine_prefix_dir "")
else()
  set(wine_prefix_dir ${CMAKE_BINARY_DIR}/wineprefix)
  # ctest runs the Windows programs through this, like native ones.
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${wine_prefix_dir} ${CMAKE_SOURCE_DIR}/wine/wine-run.sh)
endif()
set(BRINDLECOT_LINUX_TRACES ${CMAKE_SOURCE_DIR}/build/linux/traces
    CACHE PATH "Traces written by the Linux build's scenario_trace_tests")

set(wine_static_link -static -static-libgcc -static-libstdc++)

add_library(ScriptHookV SHARED ${CMAKE_SOURCE_DIR}/wine/standin.cpp ${CMAKE_SOURCE_DIR}/wine/ScriptHookV.def)
set_target_properties(ScriptHookV PROPERTIES PREFIX "" OUTPUT_NAME ScriptHookV
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR} ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/standin)
target_include_directories(ScriptHookV PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(ScriptHookV PRIVATE ${BRINDLECOT_WARNINGS})
target_link_options(ScriptHookV PRIVATE ${wine_static_link})

add_executable(runner
  ${CMAKE_SOURCE_DIR}/wine/runner.cpp
  ${CMAKE_SOURCE_DIR}/sim/scenarios.cpp
  ${CMAKE_SOURCE_DIR}/sim/world.cpp
  ${CMAKE_SOURCE_DIR}/sim/natives.cpp
  ${CMAKE_SOURCE_DIR}/sim/host.cpp
  ${CMAKE_SOURCE_DIR}/sim/fibre_win32.cpp
  ${CMAKE_SOURCE_DIR}/sim/module_win32.cpp
)
set_target_properties(runner PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_include_directories(runner PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/src)
# mingw's -O3 flags World::player()'s lookup of the player, which always exists, as a possible null.
target_compile_options(runner PRIVATE ${BRINDLECOT_WARNINGS} -Wno-null-dereference)
target_link_options(runner PRIVATE ${wine_static_link})
target_link_libraries(runner PRIVATE ScriptHookV)
add_dependencies(runner Brindlecot)

if(wine_prefix_dir)
  add_test(NAME wine_prefix COMMAND env WINEPREFIX=${wine_prefix_dir} ${CMAKE_SOURCE_DIR}/wine/wine-run.sh cmd /c exit 0)
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
endif()

add_test(NAME wine_scenarios COMMAND runner --out traces WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
add_test(NAME wine_traces_match
  COMMAND ${CMAKE_COMMAND} -DLINUX_DIR=${BRINDLECOT_LINUX_TRACES} -DWINDOWS_DIR=${CMAKE_BINARY_DIR}/traces
          -P ${CMAKE_SOURCE_DIR}/wine/compare-traces.cmake)
add_test(NAME wine_crash_report COMMAND runner --crash-probe WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
add_test(NAME wine_ini_table COMMAND runner --ini-table WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
add_test(NAME asi_version COMMAND bash ${CMAKE_SOURCE_DIR}/tests/asi_version_test.sh
  $<TARGET_FILE:Brindlecot> ${PROJECT_VERSION})
add_test(NAME package
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/package.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}/dist)

set_tests_properties(wine_scenarios PROPERTIES FIXTURES_SETUP asi_passed TIMEOUT 600)
set_tests_properties(wine_scenarios wine_crash_report wine_ini_table PROPERTIES FIXTURES_REQUIRED wine)
set_tests_properties(wine_traces_match package PROPERTIES FIXTURES_REQUIRED "wine;asi_passed")
set_tests_properties(wine_crash_report PROPERTIES
  PASS_REGULAR_EXPRESSION "FAIL crash_probe\n +fault: the script crashed: exception 0xC0000005 at [^\n]* in Brindlecot.asi; last native [A-Z_]+\\([^\n]*\\(frame [0-9]+\\)")
