// Brindlecot — which words the status line speaks: the player's own text from [Texts] where there is
// one, else the catalogue's in the language chosen at the start and at each arrest.

#pragma once

#include "hud/catalogue.h"
#include "input/settings.h"

// The text the line shows for `id`: the player's, else the chosen language's. The same text keeps
// its address until the language or the player's texts change, so a text can be told by it.
const char* statusText(TextId id);

// At each start, after the settings are read, and at the start of each arrest: the language of the
// setting, or with auto the game's, asked of it then; a number the plugin does not know is English.
// When it changes, the drive text is filled in again, and a catalogue text on the line is shown in
// the new language.
void chooseLanguage();

// The text a key under [Texts] names, in any case, as the reader matches keys; -1 for none.
int textOfKeyNoCase(const char* key);

// The length of the UTF-8 character that starts at `text`, or 0 when none does (a stray continuation
// byte, a character cut short by the NUL or otherwise, overlong, a surrogate, beyond U+10FFFF).
size_t utf8CharLength(const char* text);

// Why a player's text cannot be shown as written: bytes that are no UTF-8 characters, or a ~ that
// pairs with none (the host would colour the rest of the line or swallow it); None when it can.
SettingSlip playerTextSlip(const char* text);
