# The numbers the player reads in INSTALL.txt and Brindlecot.ini, taken from the plugin's own
# sources when the package files are configured: the tuning (src/arrest/tuning.h) and the setting
# defaults (src/input/input.cpp). A modder who changes a value there ships words that say so.
#
# Each simple constant `constexpr <type> kName = <number>;` becomes a variable BRINDLECOT_kName;
# a name the package files use and the sources no longer define as a number stops the configure.

set(player_word_sources ${CMAKE_SOURCE_DIR}/src/arrest/tuning.h ${CMAKE_SOURCE_DIR}/src/input/input.cpp)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${player_word_sources})

foreach(source IN LISTS player_word_sources)
  file(STRINGS ${source} lines REGEX "^constexpr [a-z0-9_]+ k[A-Za-z0-9]+ = -?[0-9.]+f?;")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^constexpr [a-z0-9_]+ (k[A-Za-z0-9]+) = (-?[0-9.]+)f?;" matched "${line}")
    set(BRINDLECOT_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
  endforeach()
endforeach()

foreach(name kCuffRadius kBoardingRadius kDeliveryRadius kLeashLength kResistChancePercent kHandOverMs
    kDefaultKeyArrest kDefaultArrestMissionPed kDefaultKeyArrestGamepad kDefaultShowMsg)
  if(NOT DEFINED BRINDLECOT_${name})
    message(FATAL_ERROR "player words: ${name} is not a plain number in ${player_word_sources}")
  endif()
endforeach()

# A distance as players read it: "2" for 2.0, "2.5" for 2.5.
function(player_metres out value)
  string(REGEX REPLACE "\\.0*$" "" value "${value}")
  string(REGEX REPLACE "(\\.[0-9]*[1-9])0+$" "\\1" value "${value}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

player_metres(PLAYER_CUFF_M ${BRINDLECOT_kCuffRadius})
player_metres(PLAYER_BOARDING_M ${BRINDLECOT_kBoardingRadius})
player_metres(PLAYER_DELIVERY_M ${BRINDLECOT_kDeliveryRadius})
player_metres(PLAYER_LEASH_M ${BRINDLECOT_kLeashLength})
set(PLAYER_RESIST_IN_100 ${BRINDLECOT_kResistChancePercent})
# The hand-over: the wait for the officer (at most a second), then the wait before the suspect gets out.
math(EXPR PLAYER_HAND_OVER_S "(${BRINDLECOT_kHandOverMs} + 1999) / 1000")
set(PLAYER_KEY_ARREST ${BRINDLECOT_kDefaultKeyArrest})
set(PLAYER_ARREST_MISSION_PED ${BRINDLECOT_kDefaultArrestMissionPed})
set(PLAYER_KEY_ARREST_GAMEPAD ${BRINDLECOT_kDefaultKeyArrestGamepad})
set(PLAYER_SHOW_MSG ${BRINDLECOT_kDefaultShowMsg})

# The default key's name: F1 to F12, A to Z, 0 to 9, else its code.
set(key ${BRINDLECOT_kDefaultKeyArrest})
if(key GREATER_EQUAL 112 AND key LESS_EQUAL 123)
  math(EXPR n "${key} - 111")
  set(PLAYER_KEY_NAME "F${n}")
elseif((key GREATER_EQUAL 65 AND key LESS_EQUAL 90) OR (key GREATER_EQUAL 48 AND key LESS_EQUAL 57))
  string(ASCII ${key} PLAYER_KEY_NAME)
else()
  set(PLAYER_KEY_NAME "key ${key}")
endif()
