// Brindlecot — the warning about the settings file and the drive text.

#include "hud/settings_texts.h"

#include "host/natives.h"
#include "hud/status.h"
#include "hud/texts.h"
#include "input/settings.h"
#include "state.h"

// The words for why what was written is not taken: the reason's own where it has them, else those of
// the setting's kind (a value that is none of its words).
static TextId whyNotTaken(SettingSlip why, SettingKind kind) {
    switch (why) {
        case SettingSlip::ShootButton:
            return TextId::ShootButton;
        case SettingSlip::AimButton:
            return TextId::AimButton;
        case SettingSlip::TooManyButtons:
            return TextId::TooManyButtons;
        case SettingSlip::NotASetting:
            return TextId::NotASetting;
        case SettingSlip::TextTooLong:
            return TextId::TextTooLong;
        case SettingSlip::TextNotUtf8:
            return TextId::TextNotUtf8;
        case SettingSlip::TextLoneTilde:
            return TextId::TextLoneTilde;
        case SettingSlip::NotAText:
            return TextId::NotAText;
        case SettingSlip::None:
        case SettingSlip::Unreadable:
            break;
    }
    switch (kind) {
        case SettingKind::KeyCode:
            return TextId::NotAKey;
        case SettingKind::PadButtons:
            return TextId::NotAButton;
        case SettingKind::Language:
            return TextId::NotALanguage;
        case SettingKind::Flag:
            break;
    }
    return TextId::NotOnOff;
}

// What the player wrote, cut between characters, without the host's colour marks (~), which would
// swallow the rest of the line, and with a ? for each byte that is no character.
static void addQuoted(BoundedText& warning, const char* written) {
    size_t n = 0;
    while (written[n] != '\0') {
        const size_t length = utf8CharLength(written + n);
        // A character cut where the record stopped keeping what was written is not quoted.
        if (n + (length == 0 ? 4 : length) > kSlipQuoteBytes) break;
        const bool shown =
            length > 1 || (length == 1 && written[n] != '~' && static_cast<unsigned char>(written[n]) >= 0x20);
        if (shown) {
            for (size_t byte = 0; byte < length; ++byte)
                warning.add(written[n + byte]);
        } else {
            warning.add('?');
        }
        n += length == 0 ? 1 : length;
    }
    if (written[n] != '\0') warning.add("...");
}

static bool isTextSlip(SettingSlip why) {
    return why == SettingSlip::TextTooLong || why == SettingSlip::TextNotUtf8 || why == SettingSlip::TextLoneTilde ||
           why == SettingSlip::NotAText;
}

// "key_arrest=F33 is not a key, F3 is used": the setting, what was written, why it is not taken and
// the default taken instead.
static void addValueSlip(BoundedText& warning, const SettingRow& row, SettingSlip why) {
    warning.add(row.key).add('=');
    addQuoted(warning, g_arrest.firstSlipWritten);
    warning.add(statusText(whyNotTaken(why, row.kind)));
    addSettingValue(warning, row.kind, row.defaultValue);
    warning.add(statusText(TextId::IsUsed));
}

// "Brindlecot.ini: " and the first slip: a value, "key_arest is not a setting", "[Texts] escort is
// too long, the plugin's own text is used" or "[Texts] escrot is not a text".
static void addFirstSlip(BoundedText& warning) {
    warning.add(kIniName).add(": ");
    const auto why = static_cast<SettingSlip>(g_arrest.firstSlipWhy);
    const bool text = isTextSlip(why);
    if (!text && g_arrest.firstSlipRow >= 0) {
        addValueSlip(warning, kSettingRows[g_arrest.firstSlipRow], why);
        return;
    }
    if (text) warning.add("[Texts] ");
    if (g_arrest.firstSlipRow < 0) {
        addQuoted(warning, g_arrest.firstSlipWritten);  // a key that names nothing
    } else {
        warning.add(kCatalogue[g_arrest.firstSlipRow].key);
    }
    warning.add(statusText(whyNotTaken(why, SettingKind::Flag)));  // the reason's own words
}

void showSettingsWarning() {
    if (g_arrest.settingsSlips == 0) {
        if (g_arrest.statusMessage == g_arrest.settingsWarning) setStatusMessage(kStatusEmpty);
        return;
    }
    BoundedText warning(g_arrest.settingsWarning, sizeof g_arrest.settingsWarning);
    addFirstSlip(warning);
    if (g_arrest.settingsSlips > 1) {
        warning.add(statusText(TextId::AndMore)).addNumber(g_arrest.settingsSlips - 1).add(statusText(TextId::More));
    }
    g_arrest.settingsWarningTick = GetTickCount();
    g_arrest.settingsWarningShownMs = 0;
    g_arrest.settingsWarningCounting = 0;  // from the first frame that draws it
    setStatusMessage(g_arrest.settingsWarning);
}

void fillDriveText() {
    const Settings& settings = g_arrest.settings;
    BoundedText text(g_arrest.driveText, sizeof g_arrest.driveText);
    text.add(statusText(TextId::Drive));
    if (settings.keyArrest == 0 && padChoice(settings.keyArrestGamepad, 0) == 0) return;
    text.add(statusText(TextId::DriveKeyBefore));
    if (settings.keyArrest == 0) {
        addPadChoice(text, settings.keyArrestGamepad, 0);
    } else {
        addKeyBinding(text, settings.keyArrest, "key ");
    }
    text.add(statusText(TextId::DriveKeyAfter));
}

// The warning's time runs only while the game is on screen: the host may run scripts under its
// loading screen, and a frame drawn there is never seen, so the time until the next frame does not
// count. With the line off nothing is drawn to be seen, and the host is not asked.
void expireSettingsWarning() {
    if (g_arrest.statusMessage != g_arrest.settingsWarning) return;
    const DWORD tick = GetTickCount();
    if (g_arrest.settingsWarningCounting) {
        g_arrest.settingsWarningShownMs += static_cast<uint32_t>(tick - g_arrest.settingsWarningTick);
    }
    g_arrest.settingsWarningTick = tick;
    g_arrest.settingsWarningCounting = g_arrest.settings.showMsg == 0 || !isLoadingScreenActive();
    if (g_arrest.settingsWarningShownMs >= kSettingsWarningMs) setStatusMessage(kStatusEmpty);
}
