# The Linux build: the plugin's sources against the simulated host, with tests, demo and benchmarks.

find_package(PkgConfig REQUIRED)
pkg_check_modules(INIH REQUIRED IMPORTED_TARGET inih)
find_package(GTest REQUIRED)
find_package(benchmark QUIET)

if(BRINDLECOT_SANITIZE)
  set(sanitize -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${sanitize})
  add_link_options(${sanitize})
endif()

add_subdirectory(sim)
add_subdirectory(scenes)

# The plugin, loaded and unloaded with dlopen so that every run starts from the module's load state.
add_library(Brindlecot MODULE ${BRINDLECOT_SOURCES})
set_target_properties(Brindlecot PROPERTIES PREFIX "" OUTPUT_NAME Brindlecot
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
  CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
target_include_directories(Brindlecot PRIVATE ${CMAKE_SOURCE_DIR}/src)
# No GNU unique symbols: they would keep the module loaded after dlclose.
target_compile_options(Brindlecot PRIVATE ${BRINDLECOT_WARNINGS} -fno-gnu-unique)
target_link_libraries(Brindlecot PRIVATE sim_host)

# The plugin's sources compiled into a program of their own, for the benchmark of one frame.
add_library(brindlecot_static STATIC ${BRINDLECOT_SOURCES})
target_include_directories(brindlecot_static PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(brindlecot_static PRIVATE ${BRINDLECOT_WARNINGS})

# The player's INI as the release zip ships it, for the test that plays it against today's numbers.
include(cmake/player-words.cmake)
configure_file(${CMAKE_SOURCE_DIR}/package/Brindlecot.ini.in ${CMAKE_BINARY_DIR}/package/Brindlecot.ini @ONLY)

add_subdirectory(tests)
add_subdirectory(demo)
add_subdirectory(bench)
