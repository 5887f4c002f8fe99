// Brindlecot — the warning about the settings file and the drive text.

#include "hud/settings_texts.h"

#include "host/natives.h"
#include "hud/status.h"
#include "input/settings.h"
#include "state.h"

static const char* whatItIsNot(SettingKind kind, SettingSlip why) {
    switch (why) {
        case SettingSlip::ShootButton:
            return " is the mouse button that shoots, ";
        case SettingSlip::AimButton:
            return " is the mouse button that aims, ";
        case SettingSlip::TooManyButtons:
            return " is more than 4 choices or 4 buttons, ";
        case SettingSlip::None:
        case SettingSlip::Unreadable:
        case SettingSlip::NotASetting:
            break;
    }
    switch (kind) {
        case SettingKind::KeyCode:
            return " is not a key, ";
        case SettingKind::PadButtons:
            return " is not a gamepad button, ";
        case SettingKind::Flag:
            break;
    }
    return " is not on or off, ";
}

// What the player wrote, cut, and without the host's colour marks (~), which would swallow the rest
// of the line.
static void addQuoted(BoundedText& warning, const char* written) {
    size_t n = 0;
    for (; n < kSlipQuoteBytes && written[n] != '\0'; ++n)
        warning.add(written[n] == '~' || static_cast<unsigned char>(written[n]) < 0x20 ? '?' : written[n]);
    if (written[n] != '\0') warning.add("...");
}

// "Brindlecot.ini: key_arrest=F33 is not a key, F3 is used", "Brindlecot.ini: key_arest is not a
// setting".
static void addFirstSlip(BoundedText& warning) {
    warning.add(kIniName).add(": ");
    if (g_arrest.firstSlipRow < 0) {
        addQuoted(warning, g_arrest.firstSlipWritten);
        warning.add(" is not a setting");
        return;
    }
    const SettingRow& row = kSettingRows[g_arrest.firstSlipRow];
    warning.add(row.key).add('=');
    addQuoted(warning, g_arrest.firstSlipWritten);
    warning.add(whatItIsNot(row.kind, static_cast<SettingSlip>(g_arrest.firstSlipWhy)));
    addSettingValue(warning, row.kind, row.defaultValue);
    warning.add(" is used");
}

void showSettingsWarning() {
    if (g_arrest.settingsSlips == 0) {
        if (g_arrest.statusMessage == g_arrest.settingsWarning) setStatusMessage(kStatusEmpty);
        return;
    }
    BoundedText warning(g_arrest.settingsWarning, sizeof g_arrest.settingsWarning);
    addFirstSlip(warning);
    if (g_arrest.settingsSlips > 1) warning.add(" (and ").addNumber(g_arrest.settingsSlips - 1).add(" more)");
    g_arrest.settingsWarningTick = GetTickCount();
    g_arrest.settingsWarningShownMs = 0;
    g_arrest.settingsWarningCounting = 0;  // from the first frame that draws it
    setStatusMessage(g_arrest.settingsWarning);
}

void fillDriveText() {
    const Settings& settings = g_arrest.settings;
    BoundedText text(g_arrest.driveText, sizeof g_arrest.driveText);
    text.add(kStatusDriveHead);
    if (settings.keyArrest == 0 && padChoice(settings.keyArrestGamepad, 0) == 0) return;
    text.add(kStatusDriveKeyBefore);
    if (settings.keyArrest == 0) {
        addPadChoice(text, settings.keyArrestGamepad, 0);
    } else {
        addKeyBinding(text, settings.keyArrest, "key ");
    }
    text.add(kStatusDriveKeyAfter);
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
