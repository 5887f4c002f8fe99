# The numbers and words the player reads in INSTALL.txt and Brindlecot.ini, taken from the plugin's
# own sources when the package files are configured: the tuning (src/arrest/tuning.h) and the rows of
# the settings (src/input/settings.h). A modder who changes a value there ships words that say so.
#
# The keys under [Texts] and their English (src/hud/catalogue.h) become PLAYER_TEXTS: one commented
# line a text, `; key=text`, the text between quotes where it begins or ends with a space.
#
# Each simple constant `constexpr <type> kName = <number>;` of the tuning becomes a variable
# BRINDLECOT_kName, and each row `{"key", <number>, SettingKind::<kind>, ...}` the variables
# BRINDLECOT_DEFAULT_key; a name the package files use that the sources no longer define stops the
# configure.

set(player_tuning ${CMAKE_SOURCE_DIR}/src/arrest/tuning.h)
set(player_settings ${CMAKE_SOURCE_DIR}/src/input/settings.h)
set(player_catalogue ${CMAKE_SOURCE_DIR}/src/hud/catalogue.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${player_tuning} ${player_settings} ${player_catalogue})

file(STRINGS ${player_tuning} lines REGEX "^constexpr [a-z0-9_]+ k[A-Za-z0-9]+ = -?[0-9.]+f?;")
foreach(line IN LISTS lines)
  string(REGEX MATCH "^constexpr [a-z0-9_]+ (k[A-Za-z0-9]+) = (-?[0-9.]+)f?;" matched "${line}")
  set(BRINDLECOT_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
endforeach()
file(STRINGS ${player_settings} lines REGEX "^ *{\"[a-z_]+\", -?[0-9]+, SettingKind::")
foreach(line IN LISTS lines)
  string(REGEX MATCH "^ *{\"([a-z_]+)\", (-?[0-9]+), SettingKind::" matched "${line}")
  set(BRINDLECOT_DEFAULT_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
endforeach()

file(STRINGS ${player_catalogue} lines REGEX "^ *({TextId::[A-Za-z0-9]+, \"[a-z_0-9]+\", {|/\\* en +\\*/ \".*\",)$")
# Joined by the line end of the file they go into: configure_file writes its own after each line of
# the template, not inside a value.
if(NOT DEFINED PLAYER_NEWLINE)
  set(PLAYER_NEWLINE "\n")
endif()
set(PLAYER_TEXTS "")
set(text_count 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^ *{TextId::[A-Za-z0-9]+, \"([a-z_0-9]+)\", {$")
    set(text_key ${CMAKE_MATCH_1})
  elseif(line MATCHES "^ */\\* en +\\*/ \"(.*)\",$")
    set(text ${CMAKE_MATCH_1})
    if(text MATCHES "^ " OR text MATCHES " $")
      set(text "\"${text}\"")
    endif()
    if(NOT PLAYER_TEXTS STREQUAL "")
      string(APPEND PLAYER_TEXTS "${PLAYER_NEWLINE}")
    endif()
    string(APPEND PLAYER_TEXTS "; ${text_key}=${text}")
    math(EXPR text_count "${text_count} + 1")
  endif()
endforeach()
file(STRINGS ${CMAKE_SOURCE_DIR}/src/state.h bytes_line REGEX "^constexpr size_t kStatusTextBytes = [0-9]+;")
string(REGEX MATCH "[0-9]+" text_bytes "${bytes_line}")
# A text that fills its room, NUL included, may go on beyond it and is refused.
math(EXPR PLAYER_TEXT_MAX_BYTES "${text_bytes} - 2")
file(STRINGS ${CMAKE_SOURCE_DIR}/src/state.h count_line REGEX "^constexpr int kTextCount = [0-9]+;")
string(REGEX MATCH "[0-9]+" expected_text_count "${count_line}")
if(NOT text_count EQUAL expected_text_count)
  message(FATAL_ERROR "player words: ${player_catalogue} gives ${text_count} English texts, not ${expected_text_count}")
endif()

foreach(name kCuffRadius kBoardingRadius kDeliveryRadius kLeashLength kResistChancePercent kHandOverMs
    kSeatForcedAfterMs
    DEFAULT_key_arrest DEFAULT_arrest_mission_ped DEFAULT_key_arrest_gamepad DEFAULT_show_msg
    DEFAULT_nearest_station DEFAULT_language)
  if(NOT DEFINED BRINDLECOT_${name})
    message(FATAL_ERROR "player words: ${name} is not a plain number in ${player_tuning} or ${player_settings}")
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
# The wait before the suspect is put into his seat, in whole seconds.
math(EXPR PLAYER_SEAT_FORCED_S "(${BRINDLECOT_kSeatForcedAfterMs} + 999) / 1000")
# Each default as the player writes it, in a form the plugin reads back as that default: a key by its
# name where it has a plain one (F1 to F24, A to Z), off for 0, else the number.
set(key ${BRINDLECOT_DEFAULT_key_arrest})
if(key GREATER_EQUAL 112 AND key LESS_EQUAL 135)
  math(EXPR n "${key} - 111")
  set(PLAYER_KEY_NAME "F${n}")
  set(PLAYER_KEY_ARREST "F${n}")
elseif(key GREATER_EQUAL 65 AND key LESS_EQUAL 90)
  string(ASCII ${key} PLAYER_KEY_NAME)
  set(PLAYER_KEY_ARREST ${PLAYER_KEY_NAME})
elseif(key EQUAL 0)
  set(PLAYER_KEY_NAME "the gamepad button")
  set(PLAYER_KEY_ARREST off)
else()
  set(PLAYER_KEY_NAME "key ${key}")
  set(PLAYER_KEY_ARREST ${key})
endif()
function(player_flag out value)
  if(value EQUAL 0)
    set(${out} off PARENT_SCOPE)
  else()
    set(${out} on PARENT_SCOPE)
  endif()
endfunction()
player_flag(PLAYER_ARREST_MISSION_PED ${BRINDLECOT_DEFAULT_arrest_mission_ped})
player_flag(PLAYER_SHOW_MSG ${BRINDLECOT_DEFAULT_show_msg})
player_flag(PLAYER_NEAREST_STATION ${BRINDLECOT_DEFAULT_nearest_station})
# The language as a code, auto for the game's own.
set(language_codes en fr de it es pt pl ru ko zh-tw ja mx zh-cn)
if(BRINDLECOT_DEFAULT_language LESS 0)
  set(PLAYER_LANGUAGE auto)
else()
  list(GET language_codes ${BRINDLECOT_DEFAULT_language} PLAYER_LANGUAGE)
endif()
if(BRINDLECOT_DEFAULT_key_arrest_gamepad EQUAL 0)
  set(PLAYER_KEY_ARREST_GAMEPAD off)
else()
  set(PLAYER_KEY_ARREST_GAMEPAD ${BRINDLECOT_DEFAULT_key_arrest_gamepad})
endif()
