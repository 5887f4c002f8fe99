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

# The first line of `file` that starts with `prefix`, and the version that follows the prefix there
# (empty when the line is missing or names none).
function(first_versioned_line file prefix line_var version_var)
  file(STRINGS ${file} lines REGEX "^${prefix}")
  set(line "")
  if(lines)
    list(GET lines 0 line)
  endif()
  string(REGEX MATCH "^${prefix}([0-9]+\\.[0-9]+\\.[0-9]+)( |$)" matched "${line}")
  set(${line_var} "${line}" PARENT_SCOPE)
  set(${version_var} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

first_versioned_line(${CHANGELOG} "## " changelog_top changelog_version)
if(NOT changelog_version STREQUAL VERSION)
  if(changelog_top)
    set(changelog_top "'s top entry is \"${changelog_top}\"")
  else()
    set(changelog_top " has no \"## \" entry")
  endif()
  string(APPEND failures "  CHANGELOG.md${changelog_top}: add \"## ${VERSION} - YYYY-MM-DD\" on top\n")
endif()

first_versioned_line(${README} "Current version: " readme_version_line readme_version)
if(NOT readme_version STREQUAL VERSION)
  if(readme_version_line)
    set(readme_version_line "says \"${readme_version_line}\"")
  else()
    set(readme_version_line "has no \"Current version: \" line")
  endif()
  string(APPEND failures "  README.md ${readme_version_line}: it needs a line that starts \"Current version: ${VERSION}\"\n")
endif()

# Indented lines keep their length in CMake's message, so each failure stays on one line.
if(failures)
  message(FATAL_ERROR "CHANGELOG.md and README.md must name version ${VERSION} of project() in CMakeLists.txt "
    "(or set project() to the version they name):\n${failures}")
endif()
message(STATUS "CHANGELOG.md and README.md name version ${VERSION}")
