// Brindlecot — the language of the status line and the player's own texts.

#include "hud/texts.h"

#include <iterator>

#include "host/natives.h"
#include "hud/settings_texts.h"
#include "hud/status.h"
#include "state.h"

static_assert(std::size(kLanguageCodes) == kLanguageCount, "a setting's code for every catalogue");

const char* statusText(TextId id) {
    const int n = static_cast<int>(id);
    if (g_arrest.playerTexts[n][0] != '\0') return g_arrest.playerTexts[n];
    return catalogueText(id, g_arrest.language);
}

// The catalogue text the line shows, or -1 when it shows none (nothing, the drive text, the warning).
static int shownCatalogueText() {
    for (int n = 0; n < kTextCount; ++n) {
        if (g_arrest.statusMessage == statusText(static_cast<TextId>(n))) return n;
    }
    return -1;
}

void chooseLanguage() {
    const SettingValue fixed = g_arrest.settings.language;
    int32_t language = fixed == kLanguageAuto ? getCurrentLanguage() : static_cast<int32_t>(fixed);
    if (language < 0 || language >= kLanguageCount) language = kEnglish;
    if (language == g_arrest.language) return;
    const int shown = shownCatalogueText();
    g_arrest.language = static_cast<uint8_t>(language);
    fillDriveText();
    if (shown >= 0) setStatusMessage(statusText(static_cast<TextId>(shown)));
}

int textOfKeyNoCase(const char* key) {
    for (int n = 0; n < kTextCount; ++n) {
        if (isKeyNoCase(key, kCatalogue[n].key)) return n;
    }
    return -1;
}

size_t utf8CharLength(const char* character) {
    const auto* text = reinterpret_cast<const unsigned char*>(character);
    const unsigned char lead = text[0];
    if (lead < 0x80) return 1;
    size_t length = 0;
    uint32_t point = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, point = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, point = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, point = lead & 0x07u;
    } else {
        return 0;
    }
    for (size_t n = 1; n < length; ++n) {
        if ((text[n] & 0xC0u) != 0x80u) return 0;  // the NUL too
        point = point << 6 | (text[n] & 0x3Fu);
    }
    const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < least[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return 0;
    return length;
}

SettingSlip playerTextSlip(const char* text) {
    const char* at = text;
    bool tokenOpen = false;
    while (*at != '\0') {
        const size_t length = utf8CharLength(at);
        if (length == 0) return SettingSlip::TextNotUtf8;
        if (*at == '~') tokenOpen = !tokenOpen;
        at += length;
    }
    return tokenOpen ? SettingSlip::TextLoneTilde : SettingSlip::None;
}
