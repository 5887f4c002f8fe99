# The Windows plugin: Brindlecot.asi, a DLL that exports nothing and needs no DLL beyond the system's
# and the host library.

# The one list of the host library's functions: the plugin's import library is made from it, and the
# stand-in of the Windows tests (sim/CMakeLists.txt) and MSVC's import list are generated from it.
set(BRINDLECOT_HOST_DEF ${CMAKE_SOURCE_DIR}/src/host/ScriptHookV.def)

# The version resource (windres with mingw-w64, rc.exe with MSVC), from the one version in project().
enable_language(RC)
configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in ${CMAKE_BINARY_DIR}/version.rc @ONLY)

add_library(Brindlecot SHARED ${BRINDLECOT_SOURCES} ${CMAKE_BINARY_DIR}/version.rc)
# VERSION is the image version of the PE header.
set_target_properties(Brindlecot PROPERTIES PREFIX "" SUFFIX ".asi" OUTPUT_NAME Brindlecot
  VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
target_include_directories(Brindlecot PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_options(Brindlecot PRIVATE ${BRINDLECOT_WARNINGS})

if(MSVC)
  # MSVC mangles the host declarations to the exported names, so its import library lists those
  # names alone, taken from the right-hand side of the .def. The librarian is the one CMake found
  # beside the compiler (lib.exe), so no Developer Command Prompt is needed.
  if(NOT CMAKE_AR)
    message(FATAL_ERROR "CMake found no librarian (lib.exe) beside the MSVC compiler to make ScriptHookV.lib: "
                        "install the \"Desktop development with C++\" workload of Visual Studio 2022")
  endif()
  set(msvc_def ${CMAKE_BINARY_DIR}/ScriptHookV.msvc.def)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/ScriptHookV.lib
    COMMAND ${CMAKE_COMMAND} -DHOST_DEF=${BRINDLECOT_HOST_DEF} -DOUT=${msvc_def} -DFORM=exports
            -P ${CMAKE_SOURCE_DIR}/cmake/host-def.cmake
    COMMAND ${CMAKE_AR} /nologo /def:${msvc_def} /out:${CMAKE_BINARY_DIR}/ScriptHookV.lib /machine:x64
    DEPENDS ${BRINDLECOT_HOST_DEF} ${CMAKE_SOURCE_DIR}/cmake/host-def.cmake
    COMMENT "Making the import library ScriptHookV.lib from src/host/ScriptHookV.def")
  add_custom_target(ScriptHookV_import DEPENDS ${CMAKE_BINARY_DIR}/ScriptHookV.lib)
  add_dependencies(Brindlecot ScriptHookV_import)
  set_property(TARGET Brindlecot PROPERTY MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  target_link_options(Brindlecot PRIVATE /SUBSYSTEM:WINDOWS)
  target_link_libraries(Brindlecot PRIVATE ${CMAKE_BINARY_DIR}/ScriptHookV.lib user32 xinput9_1_0)
else()
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/libScriptHookV.a
    COMMAND ${BRINDLECOT_DLLTOOL} -d ${BRINDLECOT_HOST_DEF} -D ScriptHookV.dll -l ${CMAKE_BINARY_DIR}/libScriptHookV.a
    DEPENDS ${BRINDLECOT_HOST_DEF})
  add_custom_target(ScriptHookV_import DEPENDS ${CMAKE_BINARY_DIR}/libScriptHookV.a)
  add_dependencies(Brindlecot ScriptHookV_import)
  target_compile_options(Brindlecot PRIVATE -O2)
  # Linked by the C driver: the .asi carries the C runtime's DLL start-up and nothing of libstdc++ or
  # of its unwinder, and a source that needs them again (a std::string, a new, a throw) fails to link
  # instead of bringing them back. The sources are built without exceptions and RTTI (CMakeLists.txt).
  enable_language(C)
  set_target_properties(Brindlecot PROPERTIES LINKER_LANGUAGE C)
  target_link_options(Brindlecot PRIVATE -s -static -static-libgcc -Wl,--exclude-all-symbols -Wl,--subsystem,windows)
  target_link_libraries(Brindlecot PRIVATE ${CMAKE_BINARY_DIR}/libScriptHookV.a user32 xinput9_1_0)
endif()

# The player's files of the release zip, carrying the same version and the numbers of the sources.
set(PLAYER_NEWLINE "\r\n")
include(cmake/player-words.cmake)
foreach(file INSTALL.txt Brindlecot.ini)
  configure_file(${CMAKE_SOURCE_DIR}/package/${file}.in ${CMAKE_BINARY_DIR}/package/${file} @ONLY NEWLINE_STYLE CRLF)
endforeach()

# The Wine tests build the stand-in host and the runner with mingw-w64; with MSVC only the plugin is
# built.
if(NOT MSVC)
  include(cmake/windows-tests.cmake)
endif()
