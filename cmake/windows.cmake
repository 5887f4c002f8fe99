# The Windows plugin: Brindlecot.asi, a DLL that exports nothing and needs no DLL beyond the system's
# and the host library.

set(HOST_DEF ${CMAKE_SOURCE_DIR}/src/host/ScriptHookV.def)

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
  # names directly; they are taken from the right-hand side of the .def.
  file(STRINGS ${HOST_DEF} host_lines REGEX "==")
  set(msvc_def "LIBRARY ScriptHookV.dll\nEXPORTS\n")
  foreach(line IN LISTS host_lines)
    string(REGEX REPLACE ".*==[ \t]*" "" mangled "${line}")
    string(APPEND msvc_def "    ${mangled}\n")
  endforeach()
  file(WRITE ${CMAKE_BINARY_DIR}/ScriptHookV.msvc.def "${msvc_def}")
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/ScriptHookV.lib
    COMMAND lib /nologo /def:${CMAKE_BINARY_DIR}/ScriptHookV.msvc.def /out:${CMAKE_BINARY_DIR}/ScriptHookV.lib /machine:x64
    DEPENDS ${HOST_DEF})
  add_custom_target(ScriptHookV_import DEPENDS ${CMAKE_BINARY_DIR}/ScriptHookV.lib)
  add_dependencies(Brindlecot ScriptHookV_import)
  set_property(TARGET Brindlecot PROPERTY MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  target_link_options(Brindlecot PRIVATE /SUBSYSTEM:WINDOWS)
  target_link_libraries(Brindlecot PRIVATE ${CMAKE_BINARY_DIR}/ScriptHookV.lib user32 xinput9_1_0)
else()
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/libScriptHookV.a
    COMMAND ${BRINDLECOT_DLLTOOL} -d ${HOST_DEF} -D ScriptHookV.dll -l ${CMAKE_BINARY_DIR}/libScriptHookV.a
    DEPENDS ${HOST_DEF})
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

# The player's files of the release zip, carrying the same version.
foreach(file INSTALL.txt Brindlecot.ini)
  configure_file(${CMAKE_SOURCE_DIR}/package/${file}.in ${CMAKE_BINARY_DIR}/package/${file} @ONLY NEWLINE_STYLE CRLF)
endforeach()

# The Wine tests build the stand-in host and the runner with mingw-w64; with MSVC only the plugin is
# built.
if(NOT MSVC AND EXISTS ${CMAKE_SOURCE_DIR}/cmake/windows-tests.cmake)
  include(cmake/windows-tests.cmake)
endif()
