// Brindlecot fuzzing — the settings' words, under libFuzzer with AddressSanitizer and
// UndefinedBehaviorSanitizer.
//
// An input is either one value (its first byte even) of the kind its second byte picks, or (its
// first byte odd) a whole Brindlecot.ini, read through the simulated host's GetPrivateProfileStringA
// as the plugin reads it: the key names, then each setting into a buffer of the plugin's size.
// Each value read must be one its kind allows, and the value written back in words must read back as
// the same value. The file's texts under [Texts] are read too: a text the plugin takes must reach
// the game in pieces of at most 99 bytes, each whole UTF-8, that give the text back. A property that
// does not hold aborts, which libFuzzer reports with the input.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "host/natives.h"
#include "hud/status.h"
#include "hud/texts.h"
#include "input/settings.h"
#include "sim/host.h"

namespace {

constexpr uint32_t kValueSize = 128;     // as the plugin reads a value
constexpr uint32_t kKeyListSize = 2048;  // as the plugin reads the key names

[[noreturn]] void broken(const char* what, SettingKind kind, SettingValue value) {
    std::fprintf(stderr, "settings_fuzz: %s (kind %d, value 0x%llx)\n", what, static_cast<int>(kind),
                 static_cast<unsigned long long>(value));
    std::abort();
}

int bitsIn(uint32_t bits) {
    int n = 0;
    for (; bits != 0; bits &= bits - 1)
        ++n;
    return n;
}

// A value the kind allows: a key of 3 to 254 (1 and 2 are the game's mouse buttons) with modifiers,
// or none; pad choices of 1 to 4 real buttons, packed without a gap; any 32-bit number for a flag.
bool allowed(SettingKind kind, SettingValue value) {
    switch (kind) {
        case SettingKind::Flag:
            return value >= INT32_MIN && value <= INT32_MAX;
        case SettingKind::Language:
            return value == kLanguageAuto || (value >= 0 && value < kLanguageCount);
        case SettingKind::KeyCode: {
            const SettingValue code = value & kKeyCodeBits;
            const SettingValue rest = value & ~(kKeyCodeBits | kWithShift | kWithCtrl | kWithAlt);
            return rest == 0 && (value == 0 || (code >= 3 && code <= 254));
        }
        case SettingKind::PadButtons: {
            bool ended = false;
            for (int n = 0; n < kMaxPadChoices; ++n) {
                const uint16_t choice = padChoice(value, n);
                if (choice == 0) {
                    ended = true;
                    continue;
                }
                if (ended || (choice & ~0xF3FFu) != 0 || bitsIn(choice) > kMaxChoiceButtons) return false;
            }
            return true;
        }
    }
    return false;
}

// Writes the value back as a player would and reads it again.
void checkRoundTrip(SettingKind kind, SettingValue value) {
    if (!allowed(kind, value)) broken("a value the kind does not allow was read", kind, value);
    char words[kValueSize];
    BoundedText out(words, sizeof words);
    addSettingValue(out, kind, value);
    SettingValue again = 0;
    if (!readSettingValue(kind, words, &again)) broken("the value in words does not read back", kind, value);
    if (again != value) broken("the value in words reads back as another", kind, value);
}

// One value of one kind, in a buffer of exactly its size, so that a read past its end is caught.
void fuzzValue(const uint8_t* data, size_t size) {
    const auto kind = static_cast<SettingKind>(data[0] % 4);
    std::unique_ptr<char[]> text(new char[size]);
    std::memcpy(text.get(), data + 1, size - 1);
    text[size - 1] = '\0';
    SettingValue value = 0;
    SettingSlip why = SettingSlip::None;
    if (readSettingValue(kind, text.get(), &value, &why)) {
        checkRoundTrip(kind, value);
    } else if (why == SettingSlip::None) {
        broken("a value not read without a reason", kind, value);
    }
}

// Whether every byte of `text` up to `length` belongs to a whole UTF-8 character.
bool wholeUtf8(const char* text, size_t length) {
    for (size_t at = 0; at < length;) {
        const size_t n = utf8CharLength(text + at);
        if (n == 0 || at + n > length) return false;
        at += n;
    }
    return true;
}

// A text the plugin takes from [Texts], drawn piece by piece as the status line draws it.
void checkPieces(const char* text) {
    const std::string whole = text;
    std::string joined;
    for (const char* at = text; *at != '\0';) {
        const size_t length = statusPieceLength(at);
        if (length == 0 || length > kTextComponentBytes) broken("a piece the game cannot show whole", {}, length);
        if (!wholeUtf8(at, length)) broken("a piece cut inside a character", {}, length);
        joined.append(at, length);
        at += length;
    }
    if (joined != whole) broken("the pieces do not give the text back", {}, joined.size());
}

// A whole file, as the reader answers it.
void fuzzFile(const uint8_t* data, size_t size) {
    static sim::Host* host = new sim::Host();  // one host for the run: each makes a folder of its own
    host->trace.enabled = false;
    host->setIni(std::string(reinterpret_cast<const char*>(data), size));
    char keys[kKeyListSize];
    const uint32_t count =
        host->onGetPrivateProfileStringA("Brindlecot", nullptr, "", keys, sizeof keys, ".\\Brindlecot.ini");
    if (count >= sizeof keys || keys[count] != '\0')
        broken("the key names are not terminated", SettingKind::Flag, count);
    for (const SettingRow& row : kSettingRows) {
        char written[kValueSize];
        const uint32_t n =
            host->onGetPrivateProfileStringA("Brindlecot", row.key, "", written, sizeof written, ".\\Brindlecot.ini");
        SettingValue value = 0;
        if (settingFromIni(row, written, n, sizeof written, &value)) checkRoundTrip(row.kind, value);
        if (!allowed(row.kind, value)) broken("a setting the kind does not allow", row.kind, value);
    }
    const uint32_t textKeys =
        host->onGetPrivateProfileStringA("Texts", nullptr, "", keys, sizeof keys, ".\\Brindlecot.ini");
    for (uint32_t at = 0; at < textKeys && keys[at] != '\0'; at += static_cast<uint32_t>(std::strlen(keys + at)) + 1) {
        char text[kStatusTextBytes];
        const uint32_t n =
            host->onGetPrivateProfileStringA("Texts", keys + at, "", text, sizeof text, ".\\Brindlecot.ini");
        if (n + 1 < sizeof text && playerTextSlip(text) == SettingSlip::None) checkPieces(text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    if (data[0] % 2 == 0) {
        fuzzValue(data + 1, size - 1);
    } else {
        fuzzFile(data + 1, size - 1);
    }
    return 0;
}
