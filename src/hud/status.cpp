// Brindlecot — drawing the status line.

#include "hud/status.h"

#include "host/natives.h"
#include "state.h"

void setStatusMessage(const char* text) { g_arrest.statusMessage = text; }

// Centred white text with a dark outline, at 90% of the screen height. The characters are passed
// in place: nothing is allocated per frame.
void drawStatusMessage() {
    setTextFont(0);
    setTextScale(0.5f);
    setTextColourWhite();
    setTextWrapFullWidth();
    setTextCentred();
    setTextDropShadowOff();
    setTextOutline();
    beginLiteralText();
    addTextComponent(g_arrest.statusMessage);
    drawTextAt(0.5f, 0.9f);
}
