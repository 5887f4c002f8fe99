# Writes a module-definition file for ScriptHookV.dll from the one list of its functions, the plugin's
# import list src/host/ScriptHookV.def ("plainName == exportedName" per function).
#   cmake -DHOST_DEF=src/host/ScriptHookV.def -DOUT=file.def -DFORM=forwarders|exports [-DEXTRA=name;...] -P host-def.cmake
#
#   forwarders  the stand-in host library of the Windows tests: exports each real name, bound to the
#               function of the plain name that forwards it (sim/exports.cpp), then EXTRA as is
#   exports     the real names alone, for MSVC's librarian: MSVC mangles the declarations itself
cmake_minimum_required(VERSION 3.20)
foreach(var HOST_DEF OUT FORM)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "host-def.cmake needs -D${var}=...")
  endif()
endforeach()
if(NOT FORM MATCHES "^(forwarders|exports)$")
  message(FATAL_ERROR "host-def.cmake: FORM is \"${FORM}\", expected forwarders or exports")
endif()

file(STRINGS ${HOST_DEF} lines REGEX "^[^;]*==")
if(NOT lines)
  message(FATAL_ERROR "${HOST_DEF} lists no \"plainName == exportedName\" line")
endif()
set(text "; Generated from ${HOST_DEF} at build time: edit that file, not this one.\n")
string(APPEND text "LIBRARY ScriptHookV.dll\nEXPORTS\n")
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^[ \t]*([A-Za-z_][A-Za-z0-9_]*)[ \t]*==[ \t]*([^ \t;]+)")
    message(FATAL_ERROR "${HOST_DEF}: cannot read \"${line}\" as \"plainName == exportedName\"")
  endif()
  if(FORM STREQUAL "forwarders")
    string(APPEND text "    ${CMAKE_MATCH_2} = ${CMAKE_MATCH_1}\n")
  else()
    string(APPEND text "    ${CMAKE_MATCH_2}\n")
  endif()
endforeach()
foreach(name IN LISTS EXTRA)
  string(APPEND text "    ${name}\n")
endforeach()
file(WRITE ${OUT} "${text}")
