# The version is set once, in project(). CHANGELOG.md's top entry and the README's "Current version"
# line are written by hand, so the configure step stops when either names another version.

set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/CHANGELOG.md ${CMAKE_SOURCE_DIR}/README.md)

file(STRINGS ${CMAKE_SOURCE_DIR}/CHANGELOG.md changelog_entries REGEX "^## ")
list(APPEND changelog_entries "(none)")
list(GET changelog_entries 0 changelog_top)
string(REGEX MATCH "^## ([0-9]+\\.[0-9]+\\.[0-9]+)( |$)" changelog_match "${changelog_top}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "CHANGELOG.md's top entry \"${changelog_top}\" is not version ${PROJECT_VERSION} of "
    "project() in CMakeLists.txt: add an entry \"## ${PROJECT_VERSION} - YYYY-MM-DD\" on top, or fix the version")
endif()

file(STRINGS ${CMAKE_SOURCE_DIR}/README.md readme_version REGEX "^Current version: ")
string(REGEX MATCH "^Current version: ([0-9]+\\.[0-9]+\\.[0-9]+)( |$)" readme_match "${readme_version}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "README.md says \"${readme_version}\", project() in CMakeLists.txt says ${PROJECT_VERSION}: "
    "the README needs the line \"Current version: ${PROJECT_VERSION}\"")
endif()
