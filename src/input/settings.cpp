// Brindlecot — the words of the settings: numbers as the Windows INI reader reads them, key and
// button names, on and off.

#include "input/settings.h"

namespace {

struct Name {
    const char* name;
    int32_t value;
};

// Keys with a name of their own; F1 to F24, A to Z and NumPad0 to NumPad9 are named by rule below.
const Name kKeyNames[] = {{"Tab", 0x09},  {"Enter", 0x0D},  {"Space", 0x20}, {"PageUp", 0x21}, {"PageDown", 0x22},
                          {"End", 0x23},  {"Home", 0x24},   {"Left", 0x25},  {"Up", 0x26},     {"Right", 0x27},
                          {"Down", 0x28}, {"Insert", 0x2D}, {"Delete", 0x2E}};

// A key named by a prefix and a number: F1 is 0x70, NumPad0 is 0x60.
struct NumberedKeys {
    const char* prefix;
    int32_t first, last, firstCode;
};
const NumberedKeys kNumberedKeys[] = {{"F", 1, 24, 0x70}, {"NumPad", 0, 9, 0x60}};

// XInput's button bits, in the order a mask is named.
const Name kPadButtons[] = {{"A", 0x1000},        {"B", 0x2000},        {"X", 0x4000},      {"Y", 0x8000},
                            {"LB", 0x0100},       {"RB", 0x0200},       {"LS", 0x0040},     {"RS", 0x0080},
                            {"Start", 0x0010},    {"Back", 0x0020},     {"DPadUp", 0x0001}, {"DPadDown", 0x0002},
                            {"DPadLeft", 0x0004}, {"DPadRight", 0x0008}};
constexpr uint32_t kAllPadButtons = 0xF3FF;

constexpr int32_t kLastKeyCode = 254;

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

size_t lengthOf(const char* text) {
    size_t n = 0;
    while (text[n] != '\0')
        ++n;
    return n;
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

bool findName(const Name* names, size_t count, Span span, int32_t* value) {
    for (size_t n = 0; n < count; ++n) {
        if (equalsNoCase(span, names[n].name)) {
            *value = names[n].value;
            return true;
        }
    }
    return false;
}

// The leading integer as GetPrivateProfileIntA reads it: a sign, a lower-case prefix 0x, 0o or 0b,
// the digits of that base up to the first other character, wrapping at 32 bits.
int32_t leadingInteger(Span span) {
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
    return static_cast<int32_t>(negative ? 0u - value : value);
}

bool isNumber(Span span) {
    if (span.length > 0 && isDigit(span.at[0])) return true;
    return span.length > 1 && (span.at[0] == '-' || span.at[0] == '+') && isDigit(span.at[1]);
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
    return findName(kKeyNames, sizeof kKeyNames / sizeof kKeyNames[0], span, code);
}

// Button names separated by commas, each with spaces around it or not; an empty item is a mistake.
bool readPadButtonNames(Span span, int32_t* mask) {
    int32_t buttons = 0;
    for (;;) {
        size_t item = 0;
        while (item < span.length && span.at[item] != ',')
            ++item;
        int32_t button = 0;
        if (!findName(kPadButtons, sizeof kPadButtons / sizeof kPadButtons[0], trimmed(span.at, item), &button)) {
            return false;
        }
        buttons |= button;
        if (item == span.length) break;
        span = {span.at + item + 1, span.length - item - 1};
    }
    *mask = buttons;
    return true;
}

bool readNumber(SettingKind kind, int32_t number, int32_t* value) {
    switch (kind) {
        case SettingKind::KeyCode:
            if (number < 0 || number > kLastKeyCode) return false;
            break;
        case SettingKind::PadButtons:
            if ((static_cast<uint32_t>(number) & ~kAllPadButtons) != 0) return false;
            break;
        case SettingKind::Flag:
            break;
    }
    *value = number;
    return true;
}

}  // namespace

bool readSettingValue(SettingKind kind, const char* text, int32_t* value) {
    const Span span = trimmed(text, lengthOf(text));
    if (isNumber(span)) return readNumber(kind, leadingInteger(span), value);
    if (kind == SettingKind::Flag) return findName(kFlagWords, sizeof kFlagWords / sizeof kFlagWords[0], span, value);
    if (equalsNoCase(span, "off") || equalsNoCase(span, "none")) {
        *value = 0;
        return true;
    }
    return kind == SettingKind::KeyCode ? readKeyName(span, value) : readPadButtonNames(span, value);
}

bool settingFromIni(const SettingRow& row, const char* written, uint32_t count, uint32_t size, int32_t* value) {
    *value = row.defaultValue;
    if (count == 0) return true;
    // A value that fills the buffer may go on beyond it: longer than any name, and never read cut.
    if (count + 1 >= size || !readSettingValue(row.kind, written, value)) {
        *value = row.defaultValue;
        return false;
    }
    return true;
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

BoundedText& BoundedText::addNumber(int32_t value) {
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    char digits[10];
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

const char* firstPadButtonName(int32_t mask) {
    for (const Name& button : kPadButtons) {
        if ((mask & button.value) != 0) return button.name;
    }
    return nullptr;
}

void addSettingValue(BoundedText& out, SettingKind kind, int32_t value) {
    if (kind == SettingKind::Flag || value == 0) {
        out.add(value != 0 ? "on" : "off");
    } else if (kind == SettingKind::KeyCode) {
        if (!addKeyName(out, value)) out.addNumber(value);
    } else if ((static_cast<uint32_t>(value) & ~kAllPadButtons) != 0) {
        out.addNumber(value);
    } else {
        const char* separator = "";
        for (const Name& button : kPadButtons) {
            if ((value & button.value) == 0) continue;
            out.add(separator).add(button.name);
            separator = ",";
        }
    }
}
