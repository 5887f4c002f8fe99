// INI files, what GetPrivateProfileStringA answers for them as the Windows reader (under Wine) does,
// and the setting the plugin makes of the answer. Both the Linux stand-in and the real reader are
// checked against this one table.

#pragma once

#include <cstdint>

#include "input/settings.h"

namespace scenes {

struct IniCase {
    const char* name;
    const char* contents;                 // null: no file at all
    const char* key;                      // looked up in section "Brindlecot"; null: the section's key names
    const char* read;                     // the answer, into a buffer of kIniBufferSize; a list's NULs written as |
    SettingValue value;                   // the setting the plugin takes from it; kItsDefault: the setting's default
    bool said;                            // the plugin could not read it: the default, and the status line says so
    SettingSlip why = SettingSlip::None;  // when said, and not only as unreadable: what the warning names
};

// The pad choices in the order written, as the setting holds them.
constexpr SettingValue choices(uint64_t first, uint64_t second = 0, uint64_t third = 0, uint64_t fourth = 0) {
    return static_cast<SettingValue>(first | second << 16 | third << 32 | fourth << 48);
}

// Whatever default the plugin's table gives the key, so that a modder's new default passes.
constexpr SettingValue kItsDefault = INT64_MIN;

constexpr uint32_t kIniBufferSize = 128;  // as the plugin reads a value

#define BRINDLECOT_TEN "abcdefghij"
#define BRINDLECOT_SPACES_4 "    "
#define BRINDLECOT_SPACES_20 \
    BRINDLECOT_SPACES_4 BRINDLECOT_SPACES_4 BRINDLECOT_SPACES_4 BRINDLECOT_SPACES_4 BRINDLECOT_SPACES_4
#define BRINDLECOT_SPACES_124                                                                                \
    BRINDLECOT_SPACES_20 BRINDLECOT_SPACES_20 BRINDLECOT_SPACES_20 BRINDLECOT_SPACES_20 BRINDLECOT_SPACES_20 \
        BRINDLECOT_SPACES_20 BRINDLECOT_SPACES_4
#define BRINDLECOT_SPACES BRINDLECOT_SPACES_124 BRINDLECOT_SPACES_20
#define BRINDLECOT_HUNDRED                                                                                   \
    BRINDLECOT_TEN BRINDLECOT_TEN BRINDLECOT_TEN BRINDLECOT_TEN BRINDLECOT_TEN BRINDLECOT_TEN BRINDLECOT_TEN \
        BRINDLECOT_TEN BRINDLECOT_TEN BRINDLECOT_TEN

// clang-format off
inline constexpr IniCase kIniCases[] = {
    // The reader: where a value is found and how it is cut out of its line.
    {"missing_file", nullptr, "key_arrest", "", kItsDefault, false},
    {"missing_section", "[Other]\nkey_arrest=5\n", "key_arrest", "", kItsDefault, false},
    {"missing_key", "[Brindlecot]\nshow_msg=0\n", "key_arrest", "", kItsDefault, false},
    {"spaces_around_equals", "[Brindlecot]\nkey_arrest  =  113  \n", "key_arrest", "113", 113, false},
    {"tabs_around_equals", "[Brindlecot]\nkey_arrest\t=\t113\n", "key_arrest", "113", 113, false},
    {"section_other_case", "[BRINDLECOT]\nkey_arrest=113\n", "key_arrest", "113", 113, false},
    {"key_other_case", "[Brindlecot]\nKey_Arrest=113\n", "key_arrest", "113", 113, false},
    {"spaces_in_brackets", "[ Brindlecot ]\nkey_arrest=113\n", "key_arrest", "113", 113, false},
    {"indented_key", "[Brindlecot]\nshow_msg=0\n  key_arrest=113\n", "key_arrest", "113", 113, false},
    {"indented_section", "  [Brindlecot]\nkey_arrest=113\n", "key_arrest", "113", 113, false},
    {"empty_value", "[Brindlecot]\nkey_arrest=\n", "key_arrest", "", kItsDefault, false},
    {"blank_value", "[Brindlecot]\nkey_arrest=   \n", "key_arrest", "", kItsDefault, false},
    {"control_byte_first", "[Brindlecot]\nkey_arrest=\x02" "0\n", "key_arrest", "\x02" "0", kItsDefault, true},
    {"duplicate_key", "[Brindlecot]\nkey_arrest=F1\nkey_arrest=F2\n", "key_arrest", "F1", 112, false},
    {"duplicate_section", "[Brindlecot]\nshow_msg=0\n[Brindlecot]\nkey_arrest=113\n", "key_arrest", "", kItsDefault, false},
    {"comment_line", "[Brindlecot]\n;key_arrest=1\nkey_arrest=113\n", "key_arrest", "113", 113, false},
    {"hash_comment_line", "[Brindlecot]\n#key_arrest=1\nkey_arrest=113\n", "key_arrest", "113", 113, false},
    {"inline_comment", "[Brindlecot]\nkey_arrest=113 ; F2\n", "key_arrest", "113 ; F2", 113, false},
    {"comment_as_value", "[Brindlecot]\nkey_arrest= ;113\n", "key_arrest", ";113", kItsDefault, false},
    {"quoted", "[Brindlecot]\nkey_arrest=\"113\"\n", "key_arrest", "113", 113, false},
    {"single_quoted", "[Brindlecot]\nkey_arrest='113'\n", "key_arrest", "113", 113, false},
    {"quoted_name_with_spaces", "[Brindlecot]\nkey_arrest=\" F4 \"\n", "key_arrest", " F4 ", 115, false},
    {"crlf", "[Brindlecot]\r\nkey_arrest=113\r\n", "key_arrest", "113", 113, false},
    {"bom", "\xEF\xBB\xBF[Brindlecot]\nkey_arrest=113\n", "key_arrest", "113", 113, false},
    {"no_equals", "[Brindlecot]\nkey_arrest\nshow_msg=0\n", "show_msg", "0", 0, false},
    {"key_before_any_section", "key_arrest=5\n[Brindlecot]\nshow_msg=0\n", "key_arrest", "", kItsDefault, false},
    {"longer_than_the_buffer", "[Brindlecot]\nkey_arrest=" BRINDLECOT_HUNDRED BRINDLECOT_HUNDRED "\n",
     "key_arrest", BRINDLECOT_HUNDRED BRINDLECOT_TEN BRINDLECOT_TEN "abcdefg", kItsDefault, true},
    {"key_names", "[Brindlecot]\nkey_arrest=F4\nshow_msg=off\n", nullptr, "key_arrest|show_msg|", 0, false},
    {"key_names_without_comments", "[Brindlecot]\n;key_arrest=1\nshow_msg=0\n", nullptr, "show_msg|", 0, false},
    {"key_names_of_no_section", "[Other]\nkey_arrest=F4\n", nullptr, "", 0, false},

    // Numbers, as GetPrivateProfileIntA reads them, then held against what the setting takes.
    {"decimal", "[Brindlecot]\nkey_arrest=113\n", "key_arrest", "113", 113, false},
    {"plus_sign", "[Brindlecot]\nkey_arrest=+7\n", "key_arrest", "+7", 7, false},
    {"trailing_text", "[Brindlecot]\nkey_arrest=113abc\n", "key_arrest", "113abc", 113, false},
    {"hex", "[Brindlecot]\nkey_arrest=0x71\n", "key_arrest", "0x71", 113, false},
    {"hex_upper_stops_at_the_x", "[Brindlecot]\nkey_arrest=0X71\n", "key_arrest", "0X71", 0, false},
    {"octal_prefix", "[Brindlecot]\nkey_arrest=0o17\n", "key_arrest", "0o17", 15, false},
    {"binary_prefix", "[Brindlecot]\nkey_arrest=0b101\n", "key_arrest", "0b101", 5, false},
    {"leading_zeros", "[Brindlecot]\nkey_arrest=0113\n", "key_arrest", "0113", 113, false},
    {"over_32_bits_wraps", "[Brindlecot]\nkey_arrest=4294967409\n", "key_arrest", "4294967409", 113, false},
    {"key_code_254", "[Brindlecot]\nkey_arrest=254\n", "key_arrest", "254", 254, false},
    {"key_code_255", "[Brindlecot]\nkey_arrest=255\n", "key_arrest", "255", kItsDefault, true},
    {"negative_key_code", "[Brindlecot]\nkey_arrest=-5\n", "key_arrest", "-5", kItsDefault, true},
    {"sign_alone", "[Brindlecot]\nkey_arrest=-\n", "key_arrest", "-", kItsDefault, true},
    {"key_off_as_0", "[Brindlecot]\nkey_arrest=0\n", "key_arrest", "0", 0, false},
    {"buttons_as_number", "[Brindlecot]\nkey_arrest_gamepad=4097\n", "key_arrest_gamepad", "4097", choices(0x1000, 0x0001), false},
    {"every_button_bit", "[Brindlecot]\nkey_arrest_gamepad=0xF3FF\n", "key_arrest_gamepad", "0xF3FF", kItsDefault, true,
     SettingSlip::TooManyButtons},
    {"bit_of_no_button", "[Brindlecot]\nkey_arrest_gamepad=1024\n", "key_arrest_gamepad", "1024", kItsDefault, true},
    {"bits_past_the_buttons", "[Brindlecot]\nkey_arrest_gamepad=65536\n", "key_arrest_gamepad", "65536", kItsDefault, true},
    {"negative_buttons", "[Brindlecot]\nkey_arrest_gamepad=-1\n", "key_arrest_gamepad", "-1", kItsDefault, true},
    {"flag_two_is_on", "[Brindlecot]\nshow_msg=2\n", "show_msg", "2", 2, false},
    {"flag_minus_one_is_on", "[Brindlecot]\nshow_msg=-1\n", "show_msg", "-1", -1, false},

    // Words.
    {"key_name", "[Brindlecot]\nkey_arrest=F4\n", "key_arrest", "F4", 115, false},
    {"key_name_lower_case_in_spaces", "[Brindlecot]\nkey_arrest= f4 \n", "key_arrest", "f4", 115, false},
    {"key_name_f24", "[Brindlecot]\nkey_arrest=F24\n", "key_arrest", "F24", 0x87, false},
    {"key_name_f25", "[Brindlecot]\nkey_arrest=F25\n", "key_arrest", "F25", kItsDefault, true},
    {"key_name_f33", "[Brindlecot]\nkey_arrest=F33\n", "key_arrest", "F33", kItsDefault, true},
    {"key_name_f0", "[Brindlecot]\nkey_arrest=F0\n", "key_arrest", "F0", kItsDefault, true},
    {"key_name_f_leading_zero", "[Brindlecot]\nkey_arrest=F04\n", "key_arrest", "F04", kItsDefault, true},
    {"key_name_letter", "[Brindlecot]\nkey_arrest=q\n", "key_arrest", "q", 'Q', false},
    {"key_name_two_letters", "[Brindlecot]\nkey_arrest=QQ\n", "key_arrest", "QQ", kItsDefault, true},
    {"key_name_numpad", "[Brindlecot]\nkey_arrest=NUMPAD5\n", "key_arrest", "NUMPAD5", 0x65, false},
    {"key_name_numpad10", "[Brindlecot]\nkey_arrest=NumPad10\n", "key_arrest", "NumPad10", kItsDefault, true},
    {"key_name_page_up", "[Brindlecot]\nkey_arrest=pageup\n", "key_arrest", "pageup", 0x21, false},
    {"key_name_with_inner_space", "[Brindlecot]\nkey_arrest=Page Up\n", "key_arrest", "Page Up", kItsDefault, true},
    {"key_off", "[Brindlecot]\nkey_arrest=Off\n", "key_arrest", "Off", 0, false},
    {"key_none", "[Brindlecot]\nkey_arrest=NONE\n", "key_arrest", "NONE", 0, false},
    {"key_on_is_no_key", "[Brindlecot]\nkey_arrest=on\n", "key_arrest", "on", kItsDefault, true},
    {"button_name", "[Brindlecot]\nkey_arrest_gamepad=RB\n", "key_arrest_gamepad", "RB", 0x0200, false},
    {"button_names", "[Brindlecot]\nkey_arrest_gamepad=A,Y\n", "key_arrest_gamepad", "A,Y", choices(0x1000, 0x8000), false},
    {"button_names_in_spaces", "[Brindlecot]\nkey_arrest_gamepad= a , y \n", "key_arrest_gamepad", "a , y",
     choices(0x1000, 0x8000), false},
    {"five_button_names", "[Brindlecot]\nkey_arrest_gamepad=Start,Back,LS,RS,LB\n", "key_arrest_gamepad",
     "Start,Back,LS,RS,LB", kItsDefault, true, SettingSlip::TooManyButtons},
    {"button_names_empty_item", "[Brindlecot]\nkey_arrest_gamepad=A,,Y\n", "key_arrest_gamepad", "A,,Y", kItsDefault, true},
    {"button_names_trailing_comma", "[Brindlecot]\nkey_arrest_gamepad=A,\n", "key_arrest_gamepad", "A,", kItsDefault, true},
    {"button_names_without_comma", "[Brindlecot]\nkey_arrest_gamepad=A Y\n", "key_arrest_gamepad", "A Y", kItsDefault, true},
    {"button_misspelt", "[Brindlecot]\nkey_arrest_gamepad=A,Z\n", "key_arrest_gamepad", "A,Z", kItsDefault, true},
    {"button_off_in_a_list", "[Brindlecot]\nkey_arrest_gamepad=A,off\n", "key_arrest_gamepad", "A,off", kItsDefault, true},
    {"buttons_none", "[Brindlecot]\nkey_arrest_gamepad=none\n", "key_arrest_gamepad", "none", 0, false},
    {"value_of_spaces_filling_the_buffer", "[Brindlecot]\nkey_arrest=113" BRINDLECOT_SPACES "x\n", "key_arrest",
     "113" BRINDLECOT_SPACES_124, kItsDefault, true},

    // Bindings: pad choices of buttons joined by +, keys with modifiers, the mouse.
    {"pad_combination", "[Brindlecot]\nkey_arrest_gamepad=LB+A\n", "key_arrest_gamepad", "LB+A", choices(0x1100), false},
    {"pad_combinations_in_any_case_and_spaces", "[Brindlecot]\nkey_arrest_gamepad=lb + a, RB+dpadright\n",
     "key_arrest_gamepad", "lb + a, RB+dpadright", choices(0x1100, 0x0208), false},
    {"pad_same_button_twice", "[Brindlecot]\nkey_arrest_gamepad=A+A\n", "key_arrest_gamepad", "A+A", choices(0x1000), false},
    {"pad_numbers_as_a_list", "[Brindlecot]\nkey_arrest_gamepad=4096,32768\n", "key_arrest_gamepad", "4096,32768",
     choices(0x1000, 0x8000), false},
    {"pad_names_and_numbers", "[Brindlecot]\nkey_arrest_gamepad=LB+A,0x8000\n", "key_arrest_gamepad", "LB+A,0x8000",
     choices(0x1100, 0x8000), false},
    {"pad_number_with_text_after_it", "[Brindlecot]\nkey_arrest_gamepad=4096,32768x\n", "key_arrest_gamepad",
     "4096,32768x", kItsDefault, true},
    {"pad_plus_doubled", "[Brindlecot]\nkey_arrest_gamepad=LB++A\n", "key_arrest_gamepad", "LB++A", kItsDefault, true},
    {"pad_plus_trailing", "[Brindlecot]\nkey_arrest_gamepad=A+\n", "key_arrest_gamepad", "A+", kItsDefault, true},
    {"pad_plus_alone", "[Brindlecot]\nkey_arrest_gamepad=+\n", "key_arrest_gamepad", "+", kItsDefault, true},
    {"pad_comma_alone", "[Brindlecot]\nkey_arrest_gamepad=,\n", "key_arrest_gamepad", ",", kItsDefault, true},
    {"pad_four_choices_of_four", "[Brindlecot]\nkey_arrest_gamepad=A+B+X+Y,LB+RB+LS+RS,Start+Back,DPadUp\n",
     "key_arrest_gamepad", "A+B+X+Y,LB+RB+LS+RS,Start+Back,DPadUp", choices(0xF000, 0x03C0, 0x0030, 0x0001), false},
    {"pad_five_buttons", "[Brindlecot]\nkey_arrest_gamepad=A+B+X+Y+LB\n", "key_arrest_gamepad", "A+B+X+Y+LB",
     kItsDefault, true, SettingSlip::TooManyButtons},
    {"pad_five_choices", "[Brindlecot]\nkey_arrest_gamepad=A,B,X,Y,LB+RB\n", "key_arrest_gamepad", "A,B,X,Y,LB+RB",
     kItsDefault, true, SettingSlip::TooManyButtons},
    {"key_with_shift", "[Brindlecot]\nkey_arrest=Shift+F3\n", "key_arrest", "Shift+F3", 114 | kWithShift, false},
    {"key_with_modifiers_in_any_case_and_spaces", "[Brindlecot]\nkey_arrest=ctrl + ALT + k\n", "key_arrest",
     "ctrl + ALT + k", 'K' | kWithCtrl | kWithAlt, false},
    {"key_modifier_twice", "[Brindlecot]\nkey_arrest=Shift+shift+F3\n", "key_arrest", "Shift+shift+F3",
     114 | kWithShift, false},
    {"key_modifier_before_a_code", "[Brindlecot]\nkey_arrest=Alt+115\n", "key_arrest", "Alt+115", 115 | kWithAlt, false},
    {"key_modifier_alone", "[Brindlecot]\nkey_arrest=Shift+\n", "key_arrest", "Shift+", kItsDefault, true},
    {"key_modifier_off", "[Brindlecot]\nkey_arrest=Shift+off\n", "key_arrest", "Shift+off", kItsDefault, true},
    {"key_unknown_modifier", "[Brindlecot]\nkey_arrest=Win+F3\n", "key_arrest", "Win+F3", kItsDefault, true},
    {"key_mouse_middle", "[Brindlecot]\nkey_arrest=mousemiddle\n", "key_arrest", "mousemiddle", 0x04, false},
    {"key_mouse_side", "[Brindlecot]\nkey_arrest=MouseX1\n", "key_arrest", "MouseX1", 0x05, false},
    {"key_mouse_shoots", "[Brindlecot]\nkey_arrest=1\n", "key_arrest", "1", kItsDefault, true, SettingSlip::ShootButton},
    {"key_mouse_aims", "[Brindlecot]\nkey_arrest=2\n", "key_arrest", "2", kItsDefault, true, SettingSlip::AimButton},

    // Comments after a value: a ; or # after a space.
    {"flag_with_comment", "[Brindlecot]\nshow_msg=off ; hide the line\n", "show_msg", "off ; hide the line", 0, false},
    {"key_with_hash_comment", "[Brindlecot]\nkey_arrest=F4 # mine\n", "key_arrest", "F4 # mine", 115, false},
    {"pad_with_comment", "[Brindlecot]\nkey_arrest_gamepad=LB+A  ;LB and A\n", "key_arrest_gamepad",
     "LB+A  ;LB and A", choices(0x1100), false},
    {"comment_without_a_space", "[Brindlecot]\nkey_arrest=F4;mine\n", "key_arrest", "F4;mine", kItsDefault, true},

    {"flag_off", "[Brindlecot]\nshow_msg=off\n", "show_msg", "off", 0, false},
    {"flag_on", "[Brindlecot]\narrest_mission_ped=ON\n", "arrest_mission_ped", "ON", 1, false},
    {"flag_no", "[Brindlecot]\nshow_msg=No\n", "show_msg", "No", 0, false},
    {"flag_yes", "[Brindlecot]\narrest_mission_ped=yes\n", "arrest_mission_ped", "yes", 1, false},
    {"flag_false", "[Brindlecot]\nshow_msg=FALSE\n", "show_msg", "FALSE", 0, false},
    {"flag_true", "[Brindlecot]\narrest_mission_ped=True\n", "arrest_mission_ped", "True", 1, false},
    {"flag_none_is_no_flag_word", "[Brindlecot]\nshow_msg=none\n", "show_msg", "none", kItsDefault, true},
    {"flag_misspelt", "[Brindlecot]\narrest_mission_ped=yess\n", "arrest_mission_ped", "yess", kItsDefault, true},

    // The language: auto or a code, in any case; nothing else, numbers neither.
    {"language_auto", "[Brindlecot]\nlanguage=Auto\n", "language", "Auto", kLanguageAuto, false},
    {"language_code_upper", "[Brindlecot]\nlanguage=FR\n", "language", "FR", 1, false},
    {"language_code_with_dash", "[Brindlecot]\nlanguage=zh-CN ; mine\n", "language", "zh-CN ; mine", 12, false},
    {"language_by_number", "[Brindlecot]\nlanguage=1\n", "language", "1", kItsDefault, true},
    {"language_by_name", "[Brindlecot]\nlanguage=English\n", "language", "English", kItsDefault, true},
};
// clang-format on

// Texts under [Texts], read into a text's room (kStatusTextBytes) as the plugin reads one: what the
// reader answers, and whether the plugin shows it as written or keeps its own.
struct TextIniCase {
    const char* name;
    const char* contents;
    const char* key;   // looked up in section "Texts"; the escort's text but for one in another case
    const char* read;  // the answer
    SettingSlip why;   // None: shown as read; else why the plugin's own text is kept
};

// clang-format off
inline constexpr TextIniCase kTextIniCases[] = {
    {"latin", "[Texts]\nescort=Escortez le suspect jusqu'au véhicule\n", "escort",
     "Escortez le suspect jusqu'au véhicule", SettingSlip::None},
    {"cyrillic_with_tokens", "[Texts]\nescort=~b~Ведите~w~ подозреваемого к машине\n", "escort",
     "~b~Ведите~w~ подозреваемого к машине", SettingSlip::None},
    {"cjk", "[Texts]\nescort=容疑者を車両まで連行しろ\n", "escort", "容疑者を車両まで連行しろ", SettingSlip::None},
    {"quoted_keeps_its_spaces", "[Texts]\nescort=\" Escortez-le \"\n", "escort", " Escortez-le ", SettingSlip::None},
    {"semicolon_is_part_of_it", "[Texts]\nescort=Escort him ; now\n", "escort", "Escort him ; now", SettingSlip::None},
    {"key_other_case", "[TEXTS]\nEscort=Walk him\n", "escort", "Walk him", SettingSlip::None},
    {"empty_is_none", "[Texts]\nescort=\n", "escort", "", SettingSlip::None},
    {"longest_that_fits", "[Texts]\nescort=" BRINDLECOT_HUNDRED BRINDLECOT_HUNDRED BRINDLECOT_TEN BRINDLECOT_TEN
     BRINDLECOT_TEN BRINDLECOT_TEN BRINDLECOT_TEN "abcd\n", "escort",
     BRINDLECOT_HUNDRED BRINDLECOT_HUNDRED BRINDLECOT_TEN BRINDLECOT_TEN BRINDLECOT_TEN BRINDLECOT_TEN
     BRINDLECOT_TEN "abcd", SettingSlip::None},
    {"fills_the_room", "[Texts]\nescort=" BRINDLECOT_HUNDRED BRINDLECOT_HUNDRED BRINDLECOT_TEN BRINDLECOT_TEN
     BRINDLECOT_TEN BRINDLECOT_TEN BRINDLECOT_TEN "abcde\n", "escort",
     BRINDLECOT_HUNDRED BRINDLECOT_HUNDRED BRINDLECOT_TEN BRINDLECOT_TEN BRINDLECOT_TEN BRINDLECOT_TEN
     BRINDLECOT_TEN "abcde", SettingSlip::TextTooLong},
    {"longer_than_the_room", "[Texts]\nescort=" BRINDLECOT_HUNDRED BRINDLECOT_HUNDRED BRINDLECOT_HUNDRED "\n",
     "escort", BRINDLECOT_HUNDRED BRINDLECOT_HUNDRED BRINDLECOT_TEN BRINDLECOT_TEN BRINDLECOT_TEN BRINDLECOT_TEN
     BRINDLECOT_TEN "abcde", SettingSlip::TextTooLong},
    {"lone_tilde", "[Texts]\nescort=Escort ~b~him~w~ to the car~\n", "escort", "Escort ~b~him~w~ to the car~",
     SettingSlip::TextLoneTilde},
    {"not_utf8", "[Texts]\nescort=Escort \xE9 him\n", "escort", "Escort \xE9 him", SettingSlip::TextNotUtf8},
    {"utf8_cut_short", "[Texts]\nescort=Escort \xE5\xAE\n", "escort", "Escort \xE5\xAE", SettingSlip::TextNotUtf8},
};
// clang-format on

#undef BRINDLECOT_SPACES
#undef BRINDLECOT_SPACES_124
#undef BRINDLECOT_SPACES_20
#undef BRINDLECOT_SPACES_4
#undef BRINDLECOT_HUNDRED
#undef BRINDLECOT_TEN

}  // namespace scenes
