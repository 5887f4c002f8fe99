// INI files and what GetPrivateProfileIntA answers for them, as the Windows reader (under Wine) does.
// Both the Linux stand-in and the real reader are checked against this one table.

#pragma once

#include <cstdint>

namespace scenes {

struct IniCase {
    const char* name;
    const char* contents;  // null: no file at all
    const char* key;       // looked up in section "Brindlecot"
    int32_t defaultValue;
    int32_t expected;
};

inline constexpr IniCase kIniCases[] = {
    {"missing_file", nullptr, "key_arrest", 114, 114},
    {"missing_section", "[Other]\nkey_arrest=5\n", "key_arrest", 114, 114},
    {"missing_key", "[Brindlecot]\nshow_msg=0\n", "key_arrest", 114, 114},
    {"decimal", "[Brindlecot]\nkey_arrest=113\n", "key_arrest", 114, 113},
    {"negative", "[Brindlecot]\nkey_arrest=-5\n", "key_arrest", 114, -5},
    {"plus_sign", "[Brindlecot]\nkey_arrest=+7\n", "key_arrest", 114, 7},
    {"spaces_around_equals", "[Brindlecot]\nkey_arrest  =  113  \n", "key_arrest", 114, 113},
    {"tabs_around_equals", "[Brindlecot]\nkey_arrest\t=\t113\n", "key_arrest", 114, 113},
    {"section_other_case", "[BRINDLECOT]\nkey_arrest=113\n", "key_arrest", 114, 113},
    {"key_other_case", "[Brindlecot]\nKey_Arrest=113\n", "key_arrest", 114, 113},
    {"spaces_in_brackets", "[ Brindlecot ]\nkey_arrest=113\n", "key_arrest", 114, 113},
    {"indented_key", "[Brindlecot]\nshow_msg=0\n  key_arrest=113\n", "key_arrest", 114, 113},
    {"indented_section", "  [Brindlecot]\nkey_arrest=113\n", "key_arrest", 114, 113},
    {"trailing_text", "[Brindlecot]\nkey_arrest=113abc\n", "key_arrest", 114, 113},
    {"empty_value", "[Brindlecot]\nkey_arrest=\n", "key_arrest", 114, 114},
    {"blank_value", "[Brindlecot]\nkey_arrest=   \n", "key_arrest", 114, 114},
    {"not_a_number", "[Brindlecot]\nkey_arrest=abc\n", "key_arrest", 114, 0},
    {"sign_alone", "[Brindlecot]\nkey_arrest=-\n", "key_arrest", 114, 0},
    {"duplicate_key", "[Brindlecot]\nkey_arrest=1\nkey_arrest=2\n", "key_arrest", 114, 1},
    {"duplicate_section", "[Brindlecot]\nshow_msg=0\n[Brindlecot]\nkey_arrest=113\n", "key_arrest", 114, 114},
    {"comment_line", "[Brindlecot]\n;key_arrest=1\nkey_arrest=113\n", "key_arrest", 114, 113},
    {"hash_comment_line", "[Brindlecot]\n#key_arrest=1\nkey_arrest=113\n", "key_arrest", 114, 113},
    {"inline_comment", "[Brindlecot]\nkey_arrest=113 ; F2\n", "key_arrest", 114, 113},
    {"comment_as_value", "[Brindlecot]\nkey_arrest= ;113\n", "key_arrest", 114, 0},
    {"hex", "[Brindlecot]\nkey_arrest=0x71\n", "key_arrest", 114, 113},
    {"hex_upper", "[Brindlecot]\nkey_arrest=0X1000\n", "key_arrest", 114, 0},
    {"octal_prefix", "[Brindlecot]\nkey_arrest=0o17\n", "key_arrest", 114, 15},
    {"binary_prefix", "[Brindlecot]\nkey_arrest=0b101\n", "key_arrest", 114, 5},
    {"leading_zeros", "[Brindlecot]\nkey_arrest=0113\n", "key_arrest", 114, 113},
    {"quoted", "[Brindlecot]\nkey_arrest=\"113\"\n", "key_arrest", 114, 113},
    {"single_quoted", "[Brindlecot]\nkey_arrest='113'\n", "key_arrest", 114, 113},
    {"crlf", "[Brindlecot]\r\nkey_arrest=113\r\n", "key_arrest", 114, 113},
    {"bom", "\xEF\xBB\xBF[Brindlecot]\nkey_arrest=113\n", "key_arrest", 114, 113},
    {"no_equals", "[Brindlecot]\nkey_arrest\nshow_msg=0\n", "show_msg", 1, 0},
    {"over_32_bits", "[Brindlecot]\nkey_arrest=4294967297\n", "key_arrest", 114, 1},
    {"key_before_any_section", "key_arrest=5\n[Brindlecot]\nshow_msg=0\n", "key_arrest", 114, 114},
};

}  // namespace scenes
