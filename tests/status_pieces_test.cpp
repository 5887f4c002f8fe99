// Brindlecot tests — long status texts, drawn in the pieces the game shows whole.
//
// The plugin's sources are linked into this program (as in the soak), so the line can be pointed at
// any text, colour tokens and bytes no settings file yields included; the plugin's own frame draws it.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "script.h"
#include "sim/host.h"
#include "state.h"
#include "tests/scenario.h"

namespace {

int32_t attachPlugin(void* module, uint32_t reason, void* reserved) {
    return pluginAttach(static_cast<HMODULE>(module), reason, reserved);
}

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u; }

class StatusPieces : public ::testing::Test {
  protected:
    void SetUp() override {
        g_arrest = ArrestState();
        host.attachLinked(attachPlugin);
        host.step();
    }

    void TearDown() override { EXPECT_THAT(host.faults, ::testing::IsEmpty()); }

    // The components of the frame that draws `text`, held in a buffer of exactly its bytes and its
    // NUL, so that the sanitizer build reports a read past the end.
    DrawnText draw(const std::string& text) {
        const std::vector<char> bytes(text.c_str(), text.c_str() + text.size() + 1);
        setStatusMessage(bytes.data());
        const size_t from = host.trace.size();
        host.step();
        setStatusMessage(kStatusEmpty);
        EXPECT_EQ(host.statusLine(), text) << "the line the player sees";
        return drawnTextAt(host.trace, from);
    }

    // Every piece fits one component and the pieces give the text back. A text that fits is drawn
    // as it always was. In a text whose characters and ~...~ tokens are whole, no piece ends inside
    // one, and a piece gives way by no more than one of them (four bytes at most here).
    void expectWholeInPieces(const std::string& text, bool wellFormed = true) {
        const DrawnText drawn = draw(text);
        if (text.size() <= kTextComponentBytes) {
            EXPECT_EQ(drawn.label, "STRING");
            EXPECT_EQ(drawn.components, std::vector<std::string>{text});
            return;
        }
        EXPECT_EQ(drawn.label, "CELL_EMAIL_BCON");
        std::string joined;
        for (size_t n = 0; n < drawn.components.size(); ++n) {
            const std::string& piece = drawn.components[n];
            SCOPED_TRACE("piece " + std::to_string(n) + " at byte " + std::to_string(joined.size()));
            EXPECT_GE(piece.size(), 1u);
            EXPECT_LE(piece.size(), kTextComponentBytes);
            joined += piece;
            if (!wellFormed || n + 1 == drawn.components.size()) continue;
            EXPECT_GE(piece.size(), kTextComponentBytes - 3);
            EXPECT_FALSE(isContinuationByte(text[joined.size()])) << "cut inside a character";
            EXPECT_EQ(std::count(piece.begin(), piece.end(), '~') % 2, 0) << "cut inside a token";
        }
        EXPECT_EQ(joined, text);
    }

    sim::Host host;
};

// Up to the longest the warning's buffer holds.
TEST_F(StatusPieces, TextsOfEveryLengthAreShownWhole) {
    std::string text;
    for (size_t length = 0; length < sizeof g_arrest.settingsWarning; ++length) {
        SCOPED_TRACE("length " + std::to_string(length));
        expectWholeInPieces(text);
        text += static_cast<char>('a' + length % 26);
    }
}

// Byte 99 inside a colour token or a character of two, three or four bytes, or just beside one;
// and texts made of nothing else, cut at every piece.
TEST_F(StatusPieces, ATokenOrACharacterAtTheCutGoesWholeIntoTheNextPiece) {
    for (const std::string unit : {"~r~", "~w~", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"}) {
        for (size_t at = kTextComponentBytes - unit.size(); at <= kTextComponentBytes; ++at) {
            SCOPED_TRACE("bytes " + std::to_string(unit.size()) + " at " + std::to_string(at));
            expectWholeInPieces(std::string(at, 'a') + unit + std::string(150 - at, 'b'));
        }
        std::string only;
        while (only.size() + unit.size() < sizeof g_arrest.settingsWarning)
            only += unit;
        SCOPED_TRACE("only " + unit);
        expectWholeInPieces(only);
    }
    expectWholeInPieces(std::string(96, 'a') + "~\xE2\x82\xAC~" + std::string(60, 'b'));  // a character in a token
}

// Where no cut keeps a token or a character whole, the line still moves on, piece by piece.
TEST_F(StatusPieces, AnUnmatchedTildeOrStrayContinuationBytesStillMoveOn) {
    const std::string stray(150, '\x80');
    for (const std::string& text : {"~" + std::string(150, 'a'), std::string(50, 'a') + "~" + std::string(100, 'b'),
                                    stray, "~" + stray, "a" + stray, std::string(98, 'a') + "~" + stray}) {
        SCOPED_TRACE(text.substr(0, 60));
        expectWholeInPieces(text, false);
    }
}

}  // namespace
