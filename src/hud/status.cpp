// Brindlecot — drawing the status line.

#include "hud/status.h"

#include "host/natives.h"
#include "state.h"

void setStatusMessage(const char* text) { g_arrest.statusMessage = text; }

static void setTextFont(int32_t font) { callNative(kNativeSetTextFont, slotInt(font)); }

static void setTextScale(float scale) { callNative(kNativeSetTextScale, slotFloat(scale), slotFloat(scale)); }

static void setTextColourWhite() {
    callNative(kNativeSetTextColour, slotInt(255), slotInt(255), slotInt(255), slotInt(255));
}

// Wrapping between the left and the right edge of the screen.
static void setTextWrapFullWidth() { callNative(kNativeSetTextWrap, slotFloat(0.0f), slotFloat(1.0f)); }

static void setTextCentred() { callNative(kNativeSetTextCentre, slotInt(1)); }

static void setTextDropShadow() {
    callNative(kNativeSetTextDropshadow, slotInt(0), slotInt(0), slotInt(0), slotInt(0), slotInt(0));
}

// The host's dark outline for the next text drawn.
static void setTextOutline() { callNative(kNativeSetTextOutline); }

static void beginLiteralText() { callNative(kNativeBeginTextCommandDisplayText, slotText("STRING")); }

static void addTextComponent(const char* text) { callNative(kNativeAddTextComponentString, slotText(text)); }

// x and y are fractions of the screen's width and height from its top left corner.
static void drawTextAt(float x, float y) {
    callNative(kNativeEndTextCommandDisplayText, slotFloat(x), slotFloat(y), slotInt(0));
}

// Centred white text with a dark outline, at 90% of the screen height. The characters are passed
// in place: nothing is allocated per frame.
void drawStatusMessage() {
    setTextFont(0);
    setTextScale(0.5f);
    setTextColourWhite();
    setTextWrapFullWidth();
    setTextCentred();
    setTextDropShadow();
    setTextOutline();
    beginLiteralText();
    addTextComponent(g_arrest.statusMessage);
    drawTextAt(0.5f, 0.9f);
}
