// Brindlecot — the words of the settings: numbers as the Windows INI reader reads them, key and
// button names, on and off.

#include "input/settings.h"

#include <iterator>

namespace {

struct Name {
    const char* name;
    int32_t value;
};

// Keys with a name of their own; F1 to F24, A to Z and NumPad0 to NumPad9 are named by rule below.
// Mouse buttons 1 and 2 are the game's shoot and aim, and have none.
const Name kKeyNames[] = {{"MouseMiddle", 0x04}, {"MouseX1", 0x05}, {"MouseX2", 0x06}, {"Tab", 0x09},
                          {"Enter", 0x0D},       {"Space", 0x20},   {"PageUp", 0x21},  {"PageDown", 0x22},
                          {"End", 0x23},         {"Home", 0x24},    {"Left", 0x25},    {"Up", 0x26},
                          {"Right", 0x27},       {"Down", 0x28},    {"Insert", 0x2D},  {"Delete", 0x2E}};

// A key named by a prefix and a number: F1 is 0x70, NumPad0 is 0x60.
struct NumberedKeys {
    const char* prefix;
    int32_t first, last, firstCode;
};
const NumberedKeys kNumberedKeys[] = {{"F", 1, 24, 0x70}, {"NumPad", 0, 9, 0x60}};

// The modifiers a key binding may name before its key, in the order they are written back.
const Name kModifiers[] = {{"Shift", kWithShift}, {"Ctrl", kWithCtrl}, {"Alt", kWithAlt}};

// XInput's button bits, in the order a choice is named.
const Name kPadButtons[] = {{"A", 0x1000},        {"B", 0x2000},        {"X", 0x4000},      {"Y", 0x8000},
                            {"LB", 0x0100},       {"RB", 0x0200},       {"LS", 0x0040},     {"RS", 0x0080},
                            {"Start", 0x0010},    {"Back", 0x0020},     {"DPadUp", 0x0001}, {"DPadDown", 0x0002},
                            {"DPadLeft", 0x0004}, {"DPadRight", 0x0008}};
constexpr uint32_t kAllPadButtons = 0xF3FF;
// Within one choice the buttons held down go first, as players write them: LB+A, RB+DPadRight.
const size_t kCombinationOrder[] = {4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 10, 11, 12, 13};
static_assert(std::size(kCombinationOrder) == std::size(kPadButtons), "every button once");

constexpr int32_t kLastKeyCode = 254;
constexpr int32_t kShootButton = 1;
constexpr int32_t kAimButton = 2;

const Name kAuto = {"auto", static_cast<int32_t>(kLanguageAuto)};

const Name kFlagWords[] = {{"off", 0}, {"no", 0}, {"false", 0}, {"on", 1}, {"yes", 1}, {"true", 1}};

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A stretch of a text: the value, or one item of a list.
struct Span {
    const char* at;
    size_t length;
};

Span trimmed(const char* at, size_t length) {
    while (length > 0 && isBlank(*at)) {
        ++at;
        --length;
    }
    while (length > 0 && isBlank(at[length - 1]))
        --length;
    return {at, length};
}

Span trimmed(Span span) { return trimmed(span.at, span.length); }

size_t lengthOf(const char* text) {
    size_t n = 0;
    while (text[n] != '\0')
        ++n;
    return n;
}

// The value without a comment after it: a ; or # at its start or after a blank begins one.
Span withoutComment(const char* text) {
    size_t n = 0;
    for (; text[n] != '\0'; ++n) {
        if ((text[n] == ';' || text[n] == '#') && (n == 0 || isBlank(text[n - 1]))) break;
    }
    return trimmed(text, n);
}

// The part of `span` before the first `separator`, and the rest after it; false when there is none.
bool splitAt(Span span, char separator, Span* before, Span* after) {
    for (size_t n = 0; n < span.length; ++n) {
        if (span.at[n] == separator) {
            *before = trimmed(span.at, n);
            *after = {span.at + n + 1, span.length - n - 1};
            return true;
        }
    }
    *before = trimmed(span);
    *after = {span.at + span.length, 0};
    return false;
}

// Whether the span starts with `word` in any case; the length matched is the word's.
bool startsWithNoCase(Span span, const char* word) {
    size_t n = 0;
    for (; word[n] != '\0'; ++n) {
        if (n == span.length || lower(span.at[n]) != lower(word[n])) return false;
    }
    return true;
}

bool equalsNoCase(Span span, const char* word) { return startsWithNoCase(span, word) && lengthOf(word) == span.length; }

template <size_t N>
bool findName(const Name (&names)[N], Span span, int32_t* value) {
    for (const Name& name : names) {
        if (equalsNoCase(span, name.name)) {
            *value = static_cast<int32_t>(name.value);
            return true;
        }
    }
    return false;
}

// The leading integer as GetPrivateProfileIntA reads it: a sign, a lower-case prefix 0x, 0o or 0b,
// the digits of that base up to the first other character, wrapping at 32 bits. *end, when given,
// is where the digits stopped.
int32_t leadingInteger(Span span, size_t* end = nullptr) {
    size_t at = 0;
    bool negative = false;
    if (at < span.length && (span.at[at] == '-' || span.at[at] == '+')) negative = span.at[at++] == '-';
    uint32_t base = 10;
    if (at + 1 < span.length && span.at[at] == '0') {
        const char prefix = span.at[at + 1];
        base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
        if (base != 10) at += 2;
    }
    uint32_t value = 0;
    for (; at < span.length; ++at) {
        const char c = lower(span.at[at]);
        const uint32_t digit = isDigit(c)             ? static_cast<uint32_t>(c - '0')
                               : c >= 'a' && c <= 'f' ? static_cast<uint32_t>(c - 'a' + 10)
                                                      : base;
        if (digit >= base) break;
        value = value * base + digit;
    }
    if (end) *end = at;
    return static_cast<int32_t>(negative ? 0u - value : value);
}

bool isNumber(Span span) {
    if (span.length > 0 && isDigit(span.at[0])) return true;
    return span.length > 1 && (span.at[0] == '-' || span.at[0] == '+') && isDigit(span.at[1]);
}

// Button bits written as a number with nothing after it; a number that is no set of buttons is none.
bool readButtonNumber(Span span, uint32_t* buttons) {
    size_t end = 0;
    const auto number = static_cast<uint32_t>(leadingInteger(span, &end));
    if (!isNumber(span) || end != span.length || (number & ~kAllPadButtons) != 0) return false;
    *buttons = number;
    return true;
}

// A decimal number from `first` to `last` with no leading zero, and nothing after it.
bool readSmallNumber(Span span, int32_t first, int32_t last, int32_t* value) {
    if (span.length == 0 || span.length > 2 || (span.length == 2 && span.at[0] == '0')) return false;
    int32_t number = 0;
    for (size_t n = 0; n < span.length; ++n) {
        if (!isDigit(span.at[n])) return false;
        number = number * 10 + (span.at[n] - '0');
    }
    if (number < first || number > last) return false;
    *value = number;
    return true;
}

bool readKeyName(Span span, int32_t* code) {
    if (span.length == 1 && lower(span.at[0]) >= 'a' && lower(span.at[0]) <= 'z') {
        *code = lower(span.at[0]) - 'a' + 'A';
        return true;
    }
    for (const NumberedKeys& keys : kNumberedKeys) {
        const size_t prefix = lengthOf(keys.prefix);
        int32_t number = 0;
        if (startsWithNoCase(span, keys.prefix) &&
            readSmallNumber({span.at + prefix, span.length - prefix}, keys.first, keys.last, &number)) {
            *code = keys.firstCode + number - keys.first;
            return true;
        }
    }
    return findName(kKeyNames, span, code);
}

bool isOff(Span span) { return equalsNoCase(span, "off") || equalsNoCase(span, "none"); }

// [Shift+][Ctrl+][Alt+]key, the key by name or code; a modifier named twice counts once. Off, none
// and 0 stand alone.
bool readKeyBinding(Span span, SettingValue* binding, SettingSlip* why) {
    SettingValue modifiers = 0;
    Span part, rest;
    for (;;) {
        span = trimmed(span);
        if (isNumber(span) || !splitAt(span, '+', &part, &rest)) break;
        int32_t modifier = 0;
        if (!findName(kModifiers, part, &modifier)) return false;
        modifiers |= modifier;
        span = rest;
    }
    part = span;  // the key, after the modifiers
    int32_t code = 0;
    if (isNumber(part)) {
        code = leadingInteger(part);
        if (code == 0 && modifiers == 0) {
            *binding = 0;
            return true;
        }
        if (code == kShootButton || code == kAimButton) {
            *why = code == kShootButton ? SettingSlip::ShootButton : SettingSlip::AimButton;
            return false;
        }
        if (code < 1 || code > kLastKeyCode) return false;
    } else if (isOff(part) && modifiers == 0) {
        *binding = 0;
        return true;
    } else if (!readKeyName(part, &code)) {
        return false;
    }
    *binding = code | modifiers;
    return true;
}

int countBits(uint32_t bits) {
    int count = 0;
    for (; bits != 0; bits &= bits - 1)
        ++count;
    return count;
}

// The choices of a pad binding as they are read, at most kMaxPadChoices; the same choice twice is one.
struct PadChoices {
    uint16_t choice[kMaxPadChoices] = {};
    int count = 0;

    bool add(uint32_t buttons, SettingSlip* why) {
        for (int n = 0; n < count; ++n)
            if (choice[n] == buttons) return true;
        if (count == kMaxPadChoices || countBits(buttons) > kMaxChoiceButtons) {
            *why = SettingSlip::TooManyButtons;
            return false;
        }
        choice[count++] = static_cast<uint16_t>(buttons);
        return true;
    }

    SettingValue packed() const {
        uint64_t value = 0;
        for (int n = 0; n < count; ++n)
            value |= static_cast<uint64_t>(choice[n]) << (16 * n);
        return static_cast<SettingValue>(value);
    }
};

// One choice: buttons by name or number joined by +, each there once or more; an empty one is a slip.
bool readPadCombination(Span span, uint32_t* buttons) {
    uint32_t all = 0;
    Span part, rest;
    bool more = true;
    while (more) {
        more = splitAt(span, '+', &part, &rest);
        int32_t button = 0;
        uint32_t bits = 0;
        if (findName(kPadButtons, part, &button)) {
            bits = static_cast<uint32_t>(button);
        } else if (!readButtonNumber(part, &bits) || bits == 0) {
            return false;
        }
        all |= bits;
        span = rest;
    }
    *buttons = all;
    return true;
}

// Choices separated by commas. A number standing alone as a choice is one choice per button bit.
bool readPadBinding(Span span, SettingValue* binding, SettingSlip* why) {
    uint32_t bits = 0;
    if (isOff(span) || (readButtonNumber(span, &bits) && bits == 0)) {
        *binding = 0;
        return true;
    }
    PadChoices choices;
    Span item, rest;
    bool more = true;
    while (more) {
        more = splitAt(span, ',', &item, &rest);
        if (readButtonNumber(item, &bits) && bits != 0) {
            for (const Name& button : kPadButtons) {
                if ((bits & static_cast<uint32_t>(button.value)) != 0 &&
                    !choices.add(static_cast<uint32_t>(button.value), why))
                    return false;
            }
        } else if (!readPadCombination(item, &bits) || !choices.add(bits, why)) {
            return false;
        }
        span = rest;
    }
    *binding = choices.packed();
    return true;
}

// auto, or a code of kLanguageCodes, in any case; nothing else, numbers neither.
bool readLanguage(Span span, SettingValue* language) {
    if (equalsNoCase(span, kAuto.name)) {
        *language = kAuto.value;
        return true;
    }
    for (size_t n = 0; n < std::size(kLanguageCodes); ++n) {
        if (equalsNoCase(span, kLanguageCodes[n])) {
            *language = static_cast<SettingValue>(n);
            return true;
        }
    }
    return false;
}

}  // namespace

bool readSettingValue(SettingKind kind, const char* text, SettingValue* value, SettingSlip* why) {
    SettingSlip slip = SettingSlip::Unreadable;
    const Span span = withoutComment(text);
    bool read = false;
    int32_t number = 0;
    switch (kind) {
        case SettingKind::Flag:
            if (isNumber(span)) {
                number = leadingInteger(span);
                read = true;
            } else {
                read = findName(kFlagWords, span, &number);
            }
            if (read) *value = number;
            break;
        case SettingKind::KeyCode:
            read = readKeyBinding(span, value, &slip);
            break;
        case SettingKind::PadButtons:
            read = readPadBinding(span, value, &slip);
            break;
        case SettingKind::Language:
            read = readLanguage(span, value);
            break;
    }
    if (why) *why = read ? SettingSlip::None : slip;
    return read;
}

bool settingFromIni(const SettingRow& row, const char* written, uint32_t count, uint32_t size, SettingValue* value,
                    SettingSlip* why) {
    *value = row.defaultValue;
    if (why) *why = SettingSlip::None;
    if (count == 0 || withoutComment(written).length == 0) return true;
    // A value that fills the buffer may go on beyond it: longer than any name, and never read cut.
    if (count + 1 >= size) {
        if (why) *why = SettingSlip::Unreadable;
        return false;
    }
    if (!readSettingValue(row.kind, written, value, why)) {
        *value = row.defaultValue;
        return false;
    }
    return true;
}

bool isKeyNoCase(const char* key, const char* name) { return equalsNoCase({key, lengthOf(key)}, name); }

const SettingRow* settingRowNoCase(const char* key) {
    for (const SettingRow& row : kSettingRows) {
        if (isKeyNoCase(key, row.key)) return &row;
    }
    return nullptr;
}

BoundedText::BoundedText(char* buffer, size_t bufferSize) : text(buffer), size(bufferSize) {
    if (size > 0) text[0] = '\0';
}

BoundedText& BoundedText::add(char c) {
    if (length + 1 < size) {
        text[length++] = c;
        text[length] = '\0';
    }
    return *this;
}

BoundedText& BoundedText::add(const char* part) {
    while (*part != '\0')
        add(*part++);
    return *this;
}

BoundedText& BoundedText::addNumber(int64_t value) {
    uint64_t magnitude = value < 0 ? 0u - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    char digits[20];
    size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) add('-');
    while (count > 0)
        add(digits[--count]);
    return *this;
}

namespace {

// The name of a key code (F3, PageUp); false, adding nothing, for a code without one.
bool addKeyName(BoundedText& out, int32_t code) {
    if (code >= 'A' && code <= 'Z') {
        out.add(static_cast<char>(code));
        return true;
    }
    for (const NumberedKeys& keys : kNumberedKeys) {
        if (code >= keys.firstCode && code <= keys.firstCode + keys.last - keys.first) {
            out.add(keys.prefix).addNumber(code - keys.firstCode + keys.first);
            return true;
        }
    }
    for (const Name& key : kKeyNames) {
        if (key.value == code) {
            out.add(key.name);
            return true;
        }
    }
    return false;
}

}  // namespace

void addKeyBinding(BoundedText& out, SettingValue binding, const char* beforeCode) {
    for (const Name& modifier : kModifiers) {
        if ((binding & modifier.value) != 0) out.add(modifier.name).add('+');
    }
    const auto code = static_cast<int32_t>(binding & kKeyCodeBits);
    if (!addKeyName(out, code)) out.add(beforeCode).addNumber(code);
}

bool addPadChoice(BoundedText& out, SettingValue binding, int n) {
    const uint16_t buttons = n >= 0 && n < kMaxPadChoices ? padChoice(binding, n) : 0;
    if (buttons == 0) return false;
    const char* separator = "";
    for (const size_t at : kCombinationOrder) {
        const Name& button = kPadButtons[at];
        if ((buttons & button.value) == 0) continue;
        out.add(separator).add(button.name);
        separator = "+";
    }
    return true;
}

void addSettingValue(BoundedText& out, SettingKind kind, SettingValue value) {
    if (kind == SettingKind::Language) {
        const bool known = value >= 0 && value < static_cast<SettingValue>(std::size(kLanguageCodes));
        out.add(known ? kLanguageCodes[value] : kAuto.name);
    } else if (value == 0 || (kind == SettingKind::Flag && value == 1)) {
        out.add(value != 0 ? "on" : "off");
    } else if (kind == SettingKind::Flag) {
        out.addNumber(value);  // on, as any number but 0, and read back as the same number
    } else if (kind == SettingKind::KeyCode) {
        addKeyBinding(out, value);
    } else {
        for (int n = 0; n < kMaxPadChoices && addPadChoice(out, value, n); ++n) {
            if (n + 1 < kMaxPadChoices && padChoice(value, n + 1) != 0) out.add(',');
        }
    }
}
