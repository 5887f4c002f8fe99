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
    KeyCode,     // a key by name (F3, NumPad5, MouseX1) or code 1 to 254, Shift+, Ctrl+, Alt+ before it;
                 //   0, off or none: no key
    PadButtons,  // choices separated by commas, each a button or buttons joined by + (LB+A,Y), or XInput
                 //   button bits (one choice per bit); 0, off or none: no button
    Flag,        // a number (0 off, any other on), or off/on, no/yes, false/true
    Language,    // auto, or one of kLanguageCodes in any case
};

// Every value a setting takes fits one of these: a key binding and up to four pad choices need more
// than 32 bits.
using SettingValue = int64_t;

// Why a value was not read, for the warning to say.
enum class SettingSlip : uint8_t {
    None,
    Unreadable,      // none of the kind's words or numbers
    ShootButton,     // key code 1, the mouse button the game shoots with
    AimButton,       // key code 2, the mouse button the game aims with
    TooManyButtons,  // more than kMaxPadChoices choices, or more than kMaxChoiceButtons in one
    NotASetting,     // a key under [Brindlecot] that names no setting
    // A player's text under [Texts], which keeps the plugin's own:
    TextTooLong,    // fills the text's room (kStatusTextBytes) and may go on beyond it
    TextNotUtf8,    // bytes that are no UTF-8 characters
    TextLoneTilde,  // an odd number of ~: a colour token that never closes
    NotAText,       // a key under [Texts] that names no text
};

// key_arrest: the key's code in the low byte, the modifiers that must be held with it above.
constexpr SettingValue kKeyCodeBits = 0xFF;
constexpr SettingValue kWithShift = 0x100;
constexpr SettingValue kWithCtrl = 0x200;
constexpr SettingValue kWithAlt = 0x400;

// key_arrest_gamepad: up to four choices, 16 button bits each from the lowest on; an empty one ends
// the list. A choice fires when all its buttons are down.
constexpr int kMaxPadChoices = 4;
constexpr int kMaxChoiceButtons = 4;
constexpr uint8_t kAllPadChoices = (1u << kMaxPadChoices) - 1;  // one bit a choice
inline constexpr uint16_t padChoice(SettingValue binding, int n) {
    return static_cast<uint16_t>(static_cast<uint64_t>(binding) >> (16 * n));
}

// language: the codes a player writes, by the game's language number (GET_CURRENT_LANGUAGE), or auto
// for the game's own.
inline constexpr const char* kLanguageCodes[] = {"en", "fr", "de",    "it", "es", "pt",   "pl",
                                                 "ru", "ko", "zh-tw", "ja", "mx", "zh-cn"};
constexpr SettingValue kLanguageAuto = -1;

// The settings file's name, as the plugin looks for it and as the warning names it.
inline constexpr char kIniName[] = "Brindlecot.ini";

struct SettingRow {
    const char* key;  // in section [Brindlecot]
    int32_t defaultValue;
    SettingKind kind;
    SettingValue Settings::*field;
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
    {"language", -1, SettingKind::Language, &Settings::language},                     // the game's language
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

// Reads a value as the player wrote it, spaces around it ignored, and a comment after it too: a ; or
// # after a space, or at its start (the reader drops the spaces before it). A flag or a key code that
// starts with a digit, or a sign and a digit, is a number read as GetPrivateProfileIntA reads it (0x,
// 0o and 0b prefixes, wrapping at 32 bits, anything after the digits ignored); a number among the pad
// choices is read whole. Otherwise it is a word of the kind, in any case. False, with the reason in
// *why when given, when it is neither, or a value the kind has no use for: then *value is untouched.
bool readSettingValue(SettingKind kind, const char* text, SettingValue* value, SettingSlip* why = nullptr);

// The setting a row takes from what the INI reader answered: `written`, `count` characters of a
// buffer of `size`. Nothing written (a missing file, section or key, or an empty value) gives the
// default; so does a value that cannot be read, a cut one included, and then the answer is false.
bool settingFromIni(const SettingRow& row, const char* written, uint32_t count, uint32_t size, SettingValue* value,
                    SettingSlip* why = nullptr);

// Whether a key as the reader lists it is `name`: in any case, as the reader matches keys.
bool isKeyNoCase(const char* key, const char* name);

// The row of a key as the reader lists it. Null for none.
const SettingRow* settingRowNoCase(const char* key);

// A fixed buffer that a text is written into piece by piece: cut at its end, always terminated.
struct BoundedText {
    BoundedText(char* buffer, size_t size);  // starts empty; size counts the terminating NUL
    BoundedText& add(const char* part);
    BoundedText& add(char c);
    BoundedText& addNumber(int64_t value);

    char* text;
    size_t size;
    size_t length = 0;
};

// The value as a player writes it in the INI, so that it reads back as the same value: Shift+F3,
// LB+A,Y, on, off, or the number where there is no name.
void addSettingValue(BoundedText& out, SettingKind kind, SettingValue value);

// Adds the name of a key binding (F3, Shift+PageUp), the code after `beforeCode` where the key has
// no name.
void addKeyBinding(BoundedText& out, SettingValue binding, const char* beforeCode = "");

// Adds pad choice `n` of a binding (LB+A), its buttons in the order LB, RB, LS, RS, Start, Back, A,
// B, X, Y, the D-pad; false, adding nothing, when there is no such choice.
bool addPadChoice(BoundedText& out, SettingValue binding, int n);
