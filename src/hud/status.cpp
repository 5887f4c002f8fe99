// Brindlecot — drawing the status line.

#include "hud/status.h"

#include "arrest/state.h"
#include "host/natives.h"

void setStatusMessage(const char* text) { g_arrest.statusMessage.assign(text); }

static void setTextDropShadow() {
    callNative(kNativeSetTextDropshadow, slotInt(0), slotInt(0), slotInt(0), slotInt(0), slotInt(0));
}

// The host's dark outline for the next text drawn.
static void setTextOutline() { callNative(kNativeSetTextOutline); }

// Centred white text with a dark outline, at 90% of the screen height. The characters are passed
// in place: nothing is allocated per frame.
void drawStatusMessage() {
    callNative(kNativeSetTextFont, slotInt(0));
    callNative(kNativeSetTextScale, slotFloat(0.5f), slotFloat(0.5f));
    callNative(kNativeSetTextColour, slotInt(255), slotInt(255), slotInt(255), slotInt(255));
    callNative(kNativeSetTextWrap, slotFloat(0.0f), slotFloat(1.0f));
    callNative(kNativeSetTextCentre, slotInt(1));
    setTextDropShadow();
    setTextOutline();
    callNative(kNativeBeginTextCommandDisplayText, slotText("STRING"));
    callNative(kNativeAddTextComponentString, slotText(g_arrest.statusMessage.c_str()));
    callNative(kNativeEndTextCommandDisplayText, slotFloat(0.5f), slotFloat(0.9f), slotInt(0));
}
