# The version is set once, in project() of CMakeLists.txt. CHANGELOG.md's top entry and the README's
# "Current version" line are written by hand; this fails, naming the line to write, when either names
# another version.
#   cmake -DVERSION=1.2.0 -DCHANGELOG=CHANGELOG.md -DREADME=README.md -P release-version.cmake
cmake_minimum_required(VERSION 3.20)
foreach(var VERSION CHANGELOG README)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "release-version.cmake needs -D${var}=...")
  endif()
endforeach()

set(failures "")

file(STRINGS ${CHANGELOG} changelog_entries REGEX "^## ")
set(changelog_top "")
if(changelog_entries)
  list(GET changelog_entries 0 changelog_top)
endif()
string(REGEX MATCH "^## ([0-9]+\\.[0-9]+\\.[0-9]+)( |$)" changelog_match "${changelog_top}")
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  if(changelog_top)
    set(changelog_top "'s top entry is \"${changelog_top}\"")
  else()
    set(changelog_top " has no \"## \" entry")
  endif()
  string(APPEND failures "  CHANGELOG.md${changelog_top}: add \"## ${VERSION} - YYYY-MM-DD\" on top\n")
endif()

file(STRINGS ${README} readme_lines REGEX "^Current version: ")
set(readme_version "")
if(readme_lines)
  list(GET readme_lines 0 readme_version)
endif()
string(REGEX MATCH "^Current version: ([0-9]+\\.[0-9]+\\.[0-9]+)( |$)" readme_match "${readme_version}")
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  if(readme_version)
    set(readme_version "says \"${readme_version}\"")
  else()
    set(readme_version "has no \"Current version: \" line")
  endif()
  string(APPEND failures "  README.md ${readme_version}: it needs a line that starts \"Current version: ${VERSION}\"\n")
endif()

# Indented lines keep their length in CMake's message, so each failure stays on one line.
if(failures)
  message(FATAL_ERROR "CHANGELOG.md and README.md must name version ${VERSION} of project() in CMakeLists.txt "
    "(or set project() to the version they name):\n${failures}")
endif()
message(STATUS "CHANGELOG.md and README.md name version ${VERSION}")
