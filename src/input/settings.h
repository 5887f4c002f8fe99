// Brindlecot — the settings a player writes into Brindlecot.ini: their keys, defaults and kinds, and
// the words each kind takes.
//
// One row per setting. A setting of an existing kind is one row here and its field in Settings
// (state.h); the rules of its kind (numbers, names, on/off, the warning for what cannot be read)
// follow from the kind alone. The rows are also the one home of the defaults: the Windows runner, the
// benchmark and the package's words (cmake/player-words.cmake reads the rows) take them from here.
//
// Nothing here reads g_arrest or calls the platform, so the tools around the plugin can compile the
// words in as they are.

#pragma once

#include <cstddef>
#include <cstdint>

#include "state.h"

enum class SettingKind : uint8_t {
    KeyCode,     // a virtual-key code 1 to 254, or a key's name (F3, NumPad5, PageUp); 0, off or none: no key
    PadButtons,  // XInput button bits, or names separated by commas (A,Y); 0, off or none: no button
    Flag,        // a number (0 off, any other on), or off/on, no/yes, false/true
};

struct SettingRow {
    const char* key;  // in section [Brindlecot]
    int32_t defaultValue;
    SettingKind kind;
    int32_t Settings::*field;
};

// What a missing file, key or empty value means. cmake/player-words.cmake reads the defaults from
// these lines: keep each row on one line, the default a plain number.
// clang-format off
inline constexpr SettingRow kSettingRows[] = {
    {"key_arrest", 114, SettingKind::KeyCode, &Settings::keyArrest},                  // F3
    {"arrest_mission_ped", 0, SettingKind::Flag, &Settings::arrestMissionPed},        // mission peds are refused
    {"key_arrest_gamepad", 0, SettingKind::PadButtons, &Settings::keyArrestGamepad},  // no gamepad button
    {"show_msg", 1, SettingKind::Flag, &Settings::showMsg},                           // the status line is drawn
    {"nearest_station", 0, SettingKind::Flag, &Settings::nearestStation},             // every hand-over at Mission Row
};
// clang-format on

inline constexpr const SettingRow* settingRow(const char* key) {
    for (const SettingRow& row : kSettingRows) {
        size_t n = 0;
        while (row.key[n] != '\0' && row.key[n] == key[n])
            ++n;
        if (row.key[n] == key[n]) return &row;
    }
    return nullptr;
}

// Reads a value as the player wrote it, spaces around it ignored. A value that starts with a digit,
// or a sign and a digit, is a number read as GetPrivateProfileIntA reads it (0x, 0o and 0b prefixes,
// wrapping at 32 bits, anything after the digits ignored); otherwise it is a word of the kind, in any
// case. False when it is neither, or a number the kind has no use for: then *value is untouched.
bool readSettingValue(SettingKind kind, const char* text, int32_t* value);

// The setting a row takes from what the INI reader answered: `written`, `count` characters of a
// buffer of `size`. Nothing written (a missing file, section or key, or an empty value) gives the
// default; so does a value that cannot be read, a cut one included, and then the answer is false.
bool settingFromIni(const SettingRow& row, const char* written, uint32_t count, uint32_t size, int32_t* value);

// A fixed buffer that a text is written into piece by piece: cut at its end, always terminated.
struct BoundedText {
    BoundedText(char* buffer, size_t size);  // starts empty; size counts the terminating NUL
    BoundedText& add(const char* part);
    BoundedText& add(char c);
    BoundedText& addNumber(int32_t value);

    char* text;
    size_t size;
    size_t length = 0;
};

// The value as a player writes it in the INI, so that it reads back as the same value: F3, A,Y, on,
// off, or the number where there is no name.
void addSettingValue(BoundedText& out, SettingKind kind, int32_t value);

// Adds the name of a key code (F3, PageUp); false, adding nothing, for a code without one.
bool addKeyName(BoundedText& out, int32_t code);

// The name of the first button of a mask, in the order A, B, X, Y, LB, RB, LS, RS, Start, Back, the
// D-pad; null when it holds none.
const char* firstPadButtonName(int32_t mask);
