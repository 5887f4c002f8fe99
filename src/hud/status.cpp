// Brindlecot — drawing the status line.

#include "hud/status.h"

#include <cstring>

#include "host/natives.h"
#include "hud/texts.h"
#include "state.h"

void setStatusMessage(const char* text) { g_arrest.statusMessage = text; }

void setStatusText(TextId id) { setStatusMessage(statusText(id)); }

bool statusShows(TextId id) { return g_arrest.statusMessage == statusText(id); }

static bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u; }

size_t statusPieceLength(const char* text) {
    size_t length = 0;
    while (length <= kTextComponentBytes && text[length] != '\0')
        ++length;
    if (length <= kTextComponentBytes) return length;
    // text[kTextComponentBytes] is a byte of the text: nothing below reads beyond it.
    size_t cut = kTextComponentBytes;
    while (cut > 0 && isContinuationByte(text[cut]))
        --cut;
    if (cut == 0) return kTextComponentBytes;  // no character starts in reach: the game's own cut
    // The tokens pair their ~ from the piece's start, inside none unless a bad text forced the cut.
    size_t open = 0;
    bool inToken = false;
    for (size_t n = 0; n < cut; ++n) {
        if (text[n] != '~') continue;
        inToken = !inToken;
        open = n;
    }
    // The token goes whole into the next piece; a ~ that opens the piece pairs with nothing in reach.
    if (inToken && open > 0) return open;
    return cut;
}

// Centred white text with a dark outline, at 90% of the screen height. A text that fits one
// component is passed in place; a longer one piece by piece through a buffer on the stack. Nothing
// is allocated per frame.
void drawStatusMessage() {
    setTextFont(0);
    setTextScale(0.5f);
    setTextColourWhite();
    setTextWrapFullWidth();
    setTextCentred();
    setTextDropShadowOff();
    setTextOutline();
    const char* text = g_arrest.statusMessage;
    if (text[statusPieceLength(text)] == '\0') {
        beginLiteralText();
        addTextComponent(text);
    } else {
        beginPiecedText();
        while (*text != '\0') {
            const size_t length = statusPieceLength(text);
            char piece[kTextComponentBytes + 1];
            std::memcpy(piece, text, length);
            piece[length] = '\0';
            addTextComponent(piece);
            text += length;
        }
    }
    drawTextAt(0.5f, 0.9f);
}
